// Runs work on untrusted input in a helper program of ours.
//
// Some decoders we rely on (LibRaw above all) still crash or loop on damaged files. Run in the
// program's own process, such a file would take the program, or a batch of thousands of pictures,
// down with it. Here the work runs in a separate executable started with posix_spawn: a forked
// copy of a process with threads may wait forever on a lock another thread held at the fork, a
// freshly started program holds none. The input reaches the helper as its standard input (an
// in-memory file, so the helper's reading never waits on ours), the answer comes back through a
// pipe on its standard output; a crash, an abort or a hang in the helper becomes an ordinary
// failure with a message.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace imaging {

// The parent's end of the pipe. Every read waits at most the silence limit for the next bytes.
class ChildAnswer {
  public:
    ChildAnswer(int fd, std::chrono::milliseconds silenceLimit)
        : fd_(fd), silenceLimit_(silenceLimit) {}
    // Reads exactly `size` bytes; false when the child ended, failed or fell silent first.
    bool read(void* data, std::size_t size);
    // True when the child closed its end with nothing more to say.
    bool ended();
    bool timedOut() const { return timedOut_; }

  private:
    // Waits for bytes or the end; false when the child fell silent or the pipe failed.
    bool wait();

    int fd_;
    std::chrono::milliseconds silenceLimit_;
    bool timedOut_ = false;
};

struct HelperCall {
    const char* what;     // names the work in messages, e.g. "The camera raw decoder"
    std::string program;  // the helper's executable
    std::vector<std::string> arguments;  // after the program's name
    // The helper's standard input: these pieces, one after the other.
    std::vector<std::span<const std::uint8_t>> input;
    // Reads the answer; returns false (with `error` set, or not) when it is not usable. A parent
    // that sets `error` gives up: the helper is stopped. Otherwise its exit is awaited afterwards.
    std::function<bool(ChildAnswer&, std::string& error)> parent;
    std::chrono::milliseconds silenceLimit{std::chrono::minutes(2)};
};

// True when the parent side accepted a complete answer and the helper ended normally. Otherwise
// `error` says what went wrong: the parent's own reason, or that the helper crashed, hung or
// could not be started. The helper is always waited for: no zombie stays behind, and none of
// the program's file descriptors reach it.
bool runHelper(const HelperCall& call, std::string& error);

}  // namespace imaging
