// Work in a child process: answers arrive whole, and a crash, a hang or a short answer in the
// child becomes a failure with a message while the program goes on.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <cstdint>
#include <new>
#include <stdexcept>

#include "imaging/isolated_call.h"

namespace imaging {
namespace {

using namespace std::chrono_literals;

// A parent side that expects two 32-bit numbers.
bool readPair(ChildAnswer& answer, std::int32_t (&pair)[2]) {
    return answer.read(pair, sizeof pair);
}

TEST(IsolatedCall, AnswerArrivesWhole) {
    // Larger than a pipe's buffer, so the child blocks until the parent reads.
    std::vector<std::uint32_t> sent(1 << 20);
    for (std::size_t i = 0; i < sent.size(); ++i)
        sent[i] = static_cast<std::uint32_t>(i * 2654435761u);
    std::vector<std::uint32_t> got(sent.size());
    IsolatedCall call;
    call.what = "The test decoder";
    call.child = [&sent](int fd) { sendToParent(fd, sent.data(), sent.size() * 4); };
    call.parent = [&got](ChildAnswer& answer, std::string&) {
        return answer.read(got.data(), got.size() * 4);
    };
    std::string error;
    ASSERT_TRUE(runIsolated(call, error)) << error;
    EXPECT_EQ(got, sent);
}

TEST(IsolatedCall, FailuresInTheChildBecomeMessages) {
    struct Case {
        const char* name;
        std::function<void(int)> child;
        const char* message;
    };
    const Case cases[] = {
        {"crash", [](int) { ::raise(SIGSEGV); }, "stopped on this file"},
        {"abort", [](int) { ::abort(); }, "stopped on this file"},
        {"half an answer",
         [](int fd) {
             const std::int32_t one = 1;
             sendToParent(fd, &one, sizeof one);
         },
         "ended without a complete answer"},
        {"exception", [](int) { throw std::runtime_error("no"); },
         "ended without a complete answer"},
        {"hang", [](int) { ::sleep(30); }, "did not finish on this file"},
    };
    for (const Case& c : cases) {
        IsolatedCall call;
        call.what = "The test decoder";
        call.child = c.child;
        call.silenceLimit = 300ms;
        std::int32_t pair[2] = {0, 0};
        call.parent = [&pair](ChildAnswer& answer, std::string&) { return readPair(answer, pair); };
        std::string error;
        EXPECT_FALSE(runIsolated(call, error)) << c.name;
        EXPECT_EQ(error.rfind("The test decoder ", 0), 0u) << c.name << ": " << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << c.name << ": " << error;
    }
}

TEST(IsolatedCall, ParentsReasonWinsAndTheChildIsNotWaitedFor) {
    IsolatedCall call;
    call.what = "The test decoder";
    // A child that would run far longer than the test: only being stopped ends it.
    call.child = [](int fd) {
        const std::int32_t header = 7;
        sendToParent(fd, &header, sizeof header);
        ::sleep(600);
    };
    call.parent = [](ChildAnswer& answer, std::string& reason) {
        std::int32_t header = 0;
        if (answer.read(&header, sizeof header) && header == 7) reason = "Too large.";
        return false;
    };
    std::string error;
    EXPECT_FALSE(runIsolated(call, error));
    EXPECT_EQ(error, "Too large.");
}

TEST(IsolatedCall, AParentThatThrowsStillStopsTheChild) {
    IsolatedCall call;
    call.what = "The test decoder";
    call.child = [](int) { ::sleep(600); };
    call.parent = [](ChildAnswer&, std::string&) -> bool { throw std::bad_alloc(); };
    std::string error;
    EXPECT_FALSE(runIsolated(call, error));
    EXPECT_EQ(error.rfind("The test decoder's answer cannot be taken: ", 0), 0u) << error;
}

}  // namespace
}  // namespace imaging
