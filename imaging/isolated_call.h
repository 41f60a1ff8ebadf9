// Runs work on untrusted input in a child process of its own.
//
// Some decoders we rely on (LibRaw above all) still crash or loop on damaged files. Run in the
// program's own process, such a file would take the program, or a batch of thousands of pictures,
// down with it. Here the work runs in a forked child that sends its answer back through a pipe;
// a crash, an abort or a hang in the child becomes an ordinary failure with a message.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

namespace imaging {

// The parent's end of the pipe. Every read waits at most the silence limit for the next bytes.
class ChildAnswer {
  public:
    ChildAnswer(int fd, std::chrono::milliseconds silenceLimit)
        : fd_(fd), silenceLimit_(silenceLimit) {}
    // Reads exactly `size` bytes; false when the child ended, failed or fell silent first.
    bool read(void* data, std::size_t size);
    bool timedOut() const { return timedOut_; }

  private:
    int fd_;
    std::chrono::milliseconds silenceLimit_;
    bool timedOut_ = false;
};

// The child's end of the pipe: writes all `size` bytes; false when the parent stopped reading.
bool sendToParent(int fd, const void* data, std::size_t size);

struct IsolatedCall {
    const char* what;  // names the work in messages, e.g. "The camera raw decoder"
    // In the child: does the work and sends its whole answer (also a failure) to the fd.
    std::function<void(int fd)> child;
    // In the parent: reads the answer; returns false (with `error` set, or not) when it is not
    // usable. The child's exit is awaited afterwards.
    std::function<bool(ChildAnswer&, std::string& error)> parent;
    std::chrono::milliseconds silenceLimit{std::chrono::minutes(2)};
};

// True when the parent side accepted a complete answer and the child ended normally. Otherwise
// `error` says what went wrong: the parent's own reason, or that the child crashed, hung or could
// not be started.
bool runIsolated(const IsolatedCall& call, std::string& error);

}  // namespace imaging
