#include "imaging/helper_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <thread>
#include <utility>

extern char** environ;

namespace imaging {

bool ChildAnswer::wait() {
    for (;;) {
        pollfd waiting{fd_, POLLIN, 0};
        const int ready = ::poll(&waiting, 1, static_cast<int>(silenceLimit_.count()));
        if (ready > 0) return true;
        if (ready == 0) {
            timedOut_ = true;
            return false;
        }
        if (errno != EINTR) return false;
    }
}

bool ChildAnswer::read(void* data, std::size_t size) {
    auto* p = static_cast<char*>(data);
    while (size > 0) {
        if (!wait()) return false;
        const ssize_t got = ::read(fd_, p, size);
        if (got == 0) return false;  // the child ended before its answer was complete
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

bool ChildAnswer::ended() {
    for (;;) {
        if (!wait()) return false;
        char extra;
        const ssize_t got = ::read(fd_, &extra, 1);
        if (got == 0) return true;
        if (got > 0 || errno != EINTR) return false;
    }
}

namespace {

using std::chrono::milliseconds;

class Fd {
  public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { reset(); }
    int get() const { return fd_; }
    void reset(int fd = -1) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    int release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

// Moves a descriptor to 3 or above, so that placing the helper's ends at 0 and 1 cannot
// overwrite one of the others (in a program started without a standard input, say).
bool liftAboveStandard(Fd& fd) {
    if (fd.get() > 2) return true;
    const int moved = ::fcntl(fd.get(), F_DUPFD_CLOEXEC, 3);
    if (moved < 0) return false;
    fd.reset(moved);
    return true;
}

bool writeAll(int fd, const std::uint8_t* p, std::size_t size) {
    while (size > 0) {
        const ssize_t put = ::write(fd, p, size);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

// The helper's input as an in-memory file, its read position at the start; -1 with the reason
// in `err` on failure.
int inputFile(const HelperCall& call, int& err) {
    Fd file(::memfd_create("velmarfilter-helper-input", MFD_CLOEXEC));
    bool written = file.get() >= 0;
    for (const auto& piece : call.input)
        written = written && writeAll(file.get(), piece.data(), piece.size());
    if (!written || ::lseek(file.get(), 0, SEEK_SET) != 0) {
        err = errno;
        return -1;
    }
    return file.release();
}

// Starts the helper with `input` as its standard input and `answer` as its standard output and
// nothing else of ours open; its pid, or -1 with the reason in `err`.
pid_t spawn(const HelperCall& call, int input, int answer, int& err) {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    if ((err = posix_spawn_file_actions_init(&actions)) != 0) return -1;
    if ((err = posix_spawnattr_init(&attributes)) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return -1;
    }
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(call.program.c_str()));
    for (const std::string& a : call.arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    // Only the helper's own process group: the terminal's Ctrl-C is the program's to handle, the
    // program stops the helper itself when it must. Every signal at its default, none blocked,
    // whatever the program's threads had set.
    if ((err = posix_spawn_file_actions_adddup2(&actions, input, 0)) == 0 &&
        (err = posix_spawn_file_actions_adddup2(&actions, answer, 1)) == 0 &&
        (err = posix_spawn_file_actions_addclosefrom_np(&actions, 3)) == 0 &&
        (err = posix_spawnattr_setsigmask(&attributes, &none)) == 0 &&
        (err = posix_spawnattr_setsigdefault(&attributes, &all)) == 0 &&
        (err = posix_spawnattr_setpgroup(&attributes, 0)) == 0 &&
        (err =
             posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF |
                                                       POSIX_SPAWN_SETPGROUP)) == 0)
        err = posix_spawn(&pid, call.program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return err == 0 ? pid : -1;
}

struct Ending {
    int status = 0;
    bool hung = false;  // it outlived the patience and was stopped
};

// Waits for the helper to end; one still running after `patience` is stopped.
Ending reap(pid_t pid, milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    auto pause = std::chrono::microseconds(100);
    Ending ending;
    bool stopped = patience.count() <= 0;
    if (stopped) ::kill(pid, SIGKILL);
    for (;;) {
        const pid_t r = ::waitpid(pid, &ending.status, stopped ? 0 : WNOHANG);
        if (r == pid) return ending;
        if (r < 0 && errno == EINTR) continue;
        // Someone else reaped it (the program asked for children to be reaped automatically):
        // the answer alone decides.
        if (r < 0) return Ending{};
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(pid, SIGKILL);
            stopped = true;
            ending.hung = true;
            continue;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min<std::chrono::microseconds>(pause * 2, milliseconds(10));
    }
}

// Stops and reaps a started helper however runHelper is left.
class StartedHelper {
  public:
    explicit StartedHelper(pid_t pid) : pid_(pid) {}
    StartedHelper(const StartedHelper&) = delete;
    StartedHelper& operator=(const StartedHelper&) = delete;
    ~StartedHelper() {
        if (pid_ > 0) reap(pid_, milliseconds(0));
    }
    Ending end(milliseconds patience) {
        const Ending ending = reap(pid_, patience);
        pid_ = -1;
        return ending;
    }

  private:
    pid_t pid_;
};

std::string cannotStart(const HelperCall& call, int err) {
    return std::string(call.what) + " cannot be started: " + std::strerror(err);
}

}  // namespace

bool runHelper(const HelperCall& call, std::string& error) {
    int err = 0;
    Fd input(inputFile(call, err));
    if (input.get() < 0) {
        error = cannotStart(call, err);
        return false;
    }
    int fds[2] = {-1, -1};
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        error = cannotStart(call, errno);
        return false;
    }
    Fd answerEnd(fds[0]), helperEnd(fds[1]);
    if (!liftAboveStandard(input) || !liftAboveStandard(answerEnd) ||
        !liftAboveStandard(helperEnd)) {
        error = cannotStart(call, errno);
        return false;
    }
    const pid_t pid = spawn(call, input.get(), helperEnd.get(), err);
    // The helper holds its own copies; the pipe ends when the helper's copy closes.
    input.reset();
    helperEnd.reset();
    if (pid < 0) {
        error = cannotStart(call, err);
        return false;
    }
    StartedHelper helper(pid);

    ChildAnswer answer(answerEnd.get(), call.silenceLimit);
    std::string reason;
    bool accepted = false;
    try {
        accepted = call.parent(answer, reason);
    } catch (const std::exception& e) {
        reason = std::string(call.what) + "'s answer cannot be taken: " + e.what();
    }
    answerEnd.reset();
    // A helper that hangs, or whose answer we no longer want, is stopped at once; otherwise it
    // gets as long to end as it had for each part of its answer.
    const bool giveUp = answer.timedOut() || !reason.empty();
    const Ending ending = helper.end(giveUp ? milliseconds(0) : call.silenceLimit);

    if (answer.timedOut() || ending.hung) {
        error = std::string(call.what) + " did not finish on this file; it is probably damaged.";
        return false;
    }
    if (!reason.empty()) {
        error = reason;
        return false;
    }
    if (WIFSIGNALED(ending.status)) {
        error = std::string(call.what) + " stopped on this file (signal " +
                std::to_string(WTERMSIG(ending.status)) + "); it is probably damaged.";
        return false;
    }
    if (!accepted || !WIFEXITED(ending.status) || WEXITSTATUS(ending.status) != 0) {
        error = std::string(call.what) + " ended without a complete answer.";
        return false;
    }
    return true;
}

}  // namespace imaging
