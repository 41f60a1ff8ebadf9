// velmarfilter-raw: the camera raw decoder. The picture readers start it for every look at a
// raw file (raw_codec.cpp): LibRaw still crashes or loops on some damaged files, and in a process
// of its own that costs one picture, not the program or a batch.
//
// It reads one request and the file from its standard input and answers in frames on its
// standard output (protocol.h). Exit status: 0 once it has answered (a Failure frame is an
// answer), 1 when its reader went away, 2 when what it was given is not a request.
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include "imaging/raw_decoder/answering.h"
#include "imaging/raw_decoder/protocol.h"

namespace {

using namespace imaging::raw_protocol;

// The request, and the file mapped from the in-memory file that is the standard input.
const std::uint8_t* readRequest(RawRequest& request, std::size_t& mapped) {
    if (::pread(0, &request, sizeof request, 0) != static_cast<ssize_t>(sizeof request))
        return nullptr;
    if (request.magic != kRequestMagic || request.version != kVersion ||
        (request.operation != kIdentify && request.operation != kDecode))
        return nullptr;
    struct stat input {};
    if (::fstat(0, &input) != 0 || input.st_size < static_cast<off_t>(sizeof request) ||
        static_cast<std::uint64_t>(input.st_size) - sizeof request != request.fileSize)
        return nullptr;
    mapped = static_cast<std::size_t>(input.st_size);
    void* map = ::mmap(nullptr, mapped, PROT_READ, MAP_PRIVATE, 0, 0);
    if (map == MAP_FAILED) return nullptr;
    return static_cast<const std::uint8_t*>(map) + sizeof request;
}

}  // namespace

int main() {
    // A crash ends the decoder at once, without a core file.
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    // It runs in a process group of its own; LibRaw's warnings on the terminal must not stop it.
    ::signal(SIGTTOU, SIG_IGN);
    RawRequest request;
    std::size_t mapped = 0;
    const std::uint8_t* file = readRequest(request, mapped);
    if (!file) return 2;
    // A decoder that loops must not outlive the program that started it.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != request.parentPid) return 1;
    // The answer goes to the standard output.
    return imaging::raw_decoder::answer(1, request, file, request.fileSize) ? 0 : 1;
}
