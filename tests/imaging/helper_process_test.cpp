// Work in a helper program: answers arrive whole, and a crash, a hang or a short answer in the
// helper becomes a failure with a message while the program goes on. Whatever happens, the
// helper is reaped and none of the program's descriptors stay open or reach it.
#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <new>
#include <thread>

#include "imaging/helper_process.h"

namespace imaging {
namespace {

using namespace std::chrono_literals;

// The test program that misbehaves as its argument says (helpers/misbehaving_helper.cpp).
HelperCall callTo(const std::string& mode) {
    HelperCall call;
    call.what = "The test decoder";
    call.program = VF_TEST_HELPER;
    call.arguments = {mode};
    return call;
}

int openDescriptors() {
    int count = 0;
    DIR* dir = ::opendir("/proc/self/fd");
    while (const dirent* entry = ::readdir(dir))
        if (entry->d_name[0] != '.') ++count;
    ::closedir(dir);
    return count - 1;  // the listing's own
}

// True when no child of this process is left, running or unreaped.
bool noChildLeft() {
    return ::waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD;
}

TEST(HelperProcess, InputAndAnswerArriveWhole) {
    // Larger than a pipe's buffer, so the helper blocks until the parent reads.
    std::vector<std::uint8_t> sent(std::size_t{4} << 20);
    for (std::size_t i = 0; i < sent.size(); ++i)
        sent[i] = static_cast<std::uint8_t>((i * 2654435761u) >> 13);
    const std::uint8_t head[3] = {'a', 'b', 'c'};
    std::vector<std::uint8_t> got(sizeof head + sent.size());
    HelperCall call = callTo("echo");
    call.input = {head, sent};
    call.parent = [&got](ChildAnswer& answer, std::string&) {
        return answer.read(got.data(), got.size()) && answer.ended();
    };
    std::string error;
    ASSERT_TRUE(runHelper(call, error)) << error;
    EXPECT_TRUE(std::equal(head, head + 3, got.begin()));
    EXPECT_TRUE(std::equal(sent.begin(), sent.end(), got.begin() + 3));
    EXPECT_TRUE(noChildLeft());
}

TEST(HelperProcess, FailuresInTheHelperBecomeMessages) {
    // Only where the hang itself is tested is the helper given a short time before it counts as
    // silent; the others may start slowly (a loaded machine, the sanitizers) and must still be
    // judged by how they end, so they get a limit no healthy start comes near.
    struct Case {
        const char* mode;
        bool hangs;
        const char* message;
    };
    const Case cases[] = {
        {"crash", false,
         "The test decoder stopped on this file (signal 11); it is probably damaged."},
        {"abort", false,
         "The test decoder stopped on this file (signal 6); it is probably damaged."},
        {"half", false, "The test decoder ended without a complete answer."},
        {"exit-1", false, "The test decoder ended without a complete answer."},
        // The whole answer, but the helper did not end well.
        {"whole-then-exit-3", false, "The test decoder ended without a complete answer."},
        {"hang", true, "The test decoder did not finish on this file; it is probably damaged."},
        // The whole answer, then the helper does not end.
        {"whole-then-hang", true,
         "The test decoder did not finish on this file; it is probably damaged."},
    };
    const int descriptors = openDescriptors();
    for (const Case& c : cases) {
        HelperCall call = callTo(c.mode);
        call.silenceLimit = c.hangs ? 300ms : 120s;
        std::int32_t pair[2] = {0, 0};
        call.parent = [&pair](ChildAnswer& answer, std::string&) {
            return answer.read(pair, sizeof pair);
        };
        std::string error;
        EXPECT_FALSE(runHelper(call, error)) << c.mode;
        EXPECT_EQ(error, c.message) << c.mode;
        EXPECT_TRUE(noChildLeft()) << c.mode;
        EXPECT_EQ(openDescriptors(), descriptors) << c.mode;
    }
}

TEST(HelperProcess, AMissingProgramIsReported) {
    HelperCall call = callTo("echo");
    call.program = "/nonexistent/velmarfilter-helper";
    call.parent = [](ChildAnswer&, std::string&) { return true; };
    std::string error;
    EXPECT_FALSE(runHelper(call, error));
    EXPECT_EQ(error, "The test decoder cannot be started: No such file or directory");
    EXPECT_TRUE(noChildLeft());
}

TEST(HelperProcess, ParentsReasonWinsAndTheHelperIsStopped) {
    // A helper that would run far longer than the test: only being stopped ends it.
    HelperCall call = callTo("header-then-sleep");
    call.parent = [](ChildAnswer& answer, std::string& reason) {
        std::int32_t header = 0;
        if (answer.read(&header, sizeof header) && header == 7) reason = "Too large.";
        return false;
    };
    std::string error;
    EXPECT_FALSE(runHelper(call, error));
    EXPECT_EQ(error, "Too large.");
    EXPECT_TRUE(noChildLeft());
}

TEST(HelperProcess, AParentThatThrowsStillStopsTheHelper) {
    HelperCall call = callTo("sleep");
    call.parent = [](ChildAnswer&, std::string&) -> bool { throw std::bad_alloc(); };
    std::string error;
    EXPECT_FALSE(runHelper(call, error));
    EXPECT_EQ(error.rfind("The test decoder's answer cannot be taken: ", 0), 0u) << error;
    EXPECT_TRUE(noChildLeft());
}

TEST(HelperProcess, TheHelperIsAFreshProgramHoldingOnlyItsStandardFiles) {
    // Descriptors of the program that are not marked close-on-exec must not reach it either.
    const int inheritable = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(inheritable, 0);
    HelperCall call = callTo("report");
    std::vector<std::int32_t> fds;
    std::string exe;
    call.parent = [&](ChildAnswer& answer, std::string&) {
        std::int32_t count = 0, length = 0;
        if (!answer.read(&count, sizeof count) || count < 0 || count > 64) return false;
        fds.resize(static_cast<std::size_t>(count));
        if (!answer.read(fds.data(), fds.size() * sizeof fds[0])) return false;
        if (!answer.read(&length, sizeof length) || length <= 0 || length > 4096) return false;
        exe.resize(static_cast<std::size_t>(length));
        return answer.read(exe.data(), exe.size()) && answer.ended();
    };
    std::string error;
    ASSERT_TRUE(runHelper(call, error)) << error;
    ::close(inheritable);
    std::sort(fds.begin(), fds.end());
    EXPECT_EQ(fds, (std::vector<std::int32_t>{0, 1, 2}));
    EXPECT_EQ(exe, std::filesystem::canonical(VF_TEST_HELPER).string());
}

TEST(HelperProcess, ThreadsStartHelpersAtOnce) {
    const int descriptors = openDescriptors();
    constexpr int kThreads = 4, kRuns = 6;
    int failures[kThreads] = {};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([t, &failures] {
            for (int run = 0; run < kRuns; ++run) {
                const std::vector<std::uint8_t> sent(100000 + 1000 * t + run,
                                                     static_cast<std::uint8_t>(t * 16 + run));
                std::vector<std::uint8_t> got(sent.size());
                HelperCall call = callTo("echo");
                call.input = {sent};
                call.parent = [&got](ChildAnswer& answer, std::string&) {
                    return answer.read(got.data(), got.size()) && answer.ended();
                };
                std::string error;
                if (!runHelper(call, error) || got != sent) ++failures[t];
            }
        });
    for (std::thread& t : threads)
        t.join();
    for (int t = 0; t < kThreads; ++t)
        EXPECT_EQ(failures[t], 0) << "thread " << t;
    EXPECT_TRUE(noChildLeft());
    EXPECT_EQ(openDescriptors(), descriptors);
}

}  // namespace
}  // namespace imaging
