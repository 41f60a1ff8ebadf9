// A helper program that misbehaves on purpose, for the tests of helper processes and of the
// camera raw reader. The first argument names what it does; without one, VF_MISBEHAVE does (the
// raw reader starts its decoder without arguments) and it answers as a camera raw decoder would,
// or nearly.
#include <dirent.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "imaging/raw_decoder/protocol.h"

namespace {

using namespace imaging::raw_protocol;

bool put(const void* data, std::size_t size) {
    return writeAll(1, data, size);
}

bool putInt(std::int32_t v) {
    return put(&v, sizeof v);
}

// Copies the standard input to the standard output.
int echo() {
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t got = ::read(0, buffer.data(), buffer.size());
        if (got < 0) return 1;
        if (got == 0) return 0;
        if (!put(buffer.data(), static_cast<std::size_t>(got))) return 1;
    }
}

// What the helper runs as and holds open: the number of open descriptors, the descriptors,
// then the length and the text of its executable's path.
int report() {
    std::vector<std::int32_t> fds;
    DIR* dir = ::opendir("/proc/self/fd");
    if (!dir) return 1;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        const int fd = std::atoi(entry->d_name);
        if (fd != ::dirfd(dir)) fds.push_back(fd);
    }
    ::closedir(dir);
    char exe[4096];
    const ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe);
    if (n <= 0) return 1;
    return putInt(static_cast<std::int32_t>(fds.size())) &&
                   put(fds.data(), fds.size() * sizeof fds[0]) &&
                   putInt(static_cast<std::int32_t>(n)) && put(exe, static_cast<std::size_t>(n))
               ? 0
               : 1;
}

// A crash as the program would see it: no handler of a sanitizer's turns it into an abort.
void crash() {
    ::signal(SIGSEGV, SIG_DFL);
    ::raise(SIGSEGV);
}

int generic(const std::string& mode) {
    if (mode == "echo") return echo();
    if (mode == "report") return report();
    if (mode == "crash") crash();
    if (mode == "abort") std::abort();
    if (mode == "half") return putInt(1) ? 0 : 1;
    if (mode == "exit-1") return 1;
    if (mode == "whole-then-exit-3") return putInt(1) && putInt(2) ? 3 : 1;
    if (mode == "hang") ::sleep(30);
    if (mode == "header-then-sleep") {
        putInt(7);
        ::sleep(600);
    }
    if (mode == "sleep") ::sleep(600);
    if (mode == "whole-then-hang") {
        putInt(1);
        putInt(2);
        ::close(1);
        ::sleep(600);
    }
    return 2;
}

bool frame(std::uint32_t kind, const void* body, std::uint32_t size) {
    return writeFrame(1, kind, body, size);
}

bool header(std::uint32_t kind, std::uint32_t size) {
    const FrameHeader h{kind, size};
    return put(&h, sizeof h);
}

// A 4 x 2 picture of 3 colours whose samples carry what the request said: the flags, the file's
// size and its first byte, then a ramp.
std::vector<std::uint16_t> pictureFor(const RawRequest& request, std::uint8_t firstByte) {
    std::vector<std::uint16_t> samples(4 * 2 * 3);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::uint16_t>(1000 * i);
    samples[0] = static_cast<std::uint16_t>(request.flags);
    samples[1] = static_cast<std::uint16_t>(request.fileSize);
    samples[2] = firstByte;
    return samples;
}

int rawDecoder(const std::string& mode) {
    RawRequest request;
    if (::read(0, &request, sizeof request) != static_cast<ssize_t>(sizeof request)) return 2;
    std::uint8_t firstByte = 0;
    if (request.fileSize > 0 && ::read(0, &firstByte, 1) != 1) return 2;
    RawFacts facts{4, 2, 4, 2, 0, 64, request.operation == kDecode ? 3 : 0};
    const std::vector<std::uint16_t> samples = pictureFor(request, firstByte);
    const std::uint32_t rowBytes = 4 * 3 * 2;
    const auto rows = [&](int count) {
        for (int y = 0; y < count; ++y)
            if (!frame(kRows, samples.data() + y * 12, rowBytes)) return false;
        return true;
    };
    const auto whole = [&] {
        return frame(kFacts, &facts, sizeof facts) && (request.operation != kDecode || rows(2)) &&
               frame(kEnd, nullptr, 0);
    };
    if (mode == "raw-good") return whole() ? 0 : 1;
    if (mode == "raw-failure") {
        const char text[] = "Bad\nfile\x01";
        return frame(kFailure, text, sizeof text - 1) ? 0 : 1;
    }
    if (mode == "raw-huge-failure-text") return header(kFailure, 1u << 30) ? 0 : 1;
    if (mode == "raw-unknown-frame") return header(fourCc("XXXX"), 0) ? 0 : 1;
    if (mode == "raw-facts-wrong-size") {
        const char big[64] = {};
        return frame(kFacts, big, sizeof big) ? 0 : 1;
    }
    if (mode == "raw-shapeless") {
        facts.width = 1 << 30;
        return whole() ? 0 : 1;
    }
    if (mode == "raw-not-a-raw-format") {
        facts.formatCode = 4;
        return whole() ? 0 : 1;
    }
    if (mode == "raw-too-many-pixels") {
        facts.width = facts.height = 0xFFFF;
        return frame(kFacts, &facts, sizeof facts) ? 0 : 1;
    }
    if (mode == "raw-short-rows") return frame(kFacts, &facts, sizeof facts) && rows(1) ? 0 : 1;
    if (mode == "raw-oversized-row")
        return frame(kFacts, &facts, sizeof facts) && header(kRows, 0x80000000u) ? 0 : 1;
    if (mode == "raw-no-end") return frame(kFacts, &facts, sizeof facts) && rows(2) ? 0 : 1;
    if (mode == "raw-trailing") return whole() && put("x", 1) ? 0 : 1;
    if (mode == "raw-crash-mid-rows") {
        if (frame(kFacts, &facts, sizeof facts) && rows(1)) crash();
        return 1;
    }
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (argc > 1) return generic(argv[1]);
    const char* mode = std::getenv("VF_MISBEHAVE");
    return rawDecoder(mode ? mode : "");
}
