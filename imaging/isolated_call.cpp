#include "imaging/isolated_call.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>

namespace imaging {

bool ChildAnswer::read(void* data, std::size_t size) {
    auto* p = static_cast<char*>(data);
    while (size > 0) {
        pollfd waiting{fd_, POLLIN, 0};
        const int ready = ::poll(&waiting, 1, static_cast<int>(silenceLimit_.count()));
        if (ready == 0) {
            timedOut_ = true;
            return false;
        }
        if (ready < 0) {
            if (errno == EINTR) continue;
            return false;
        }
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

bool sendToParent(int fd, const void* data, std::size_t size) {
    const auto* p = static_cast<const char*>(data);
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

namespace {

[[noreturn]] void runChild(const IsolatedCall& call, int fd) {
    // A crash ends the child at once: no handler of the parent's (or a sanitizer's), no core file.
    for (int s : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGPIPE})
        ::signal(s, SIG_DFL);
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    int status = 0;
    try {
        call.child(fd);
    } catch (...) {
        status = 1;
    }
    ::close(fd);
    // No exit handlers and no stream flushing: those belong to the parent.
    ::_exit(status);
}

int waitFor(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

}  // namespace

bool runIsolated(const IsolatedCall& call, std::string& error) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        error = std::string(call.what) + " cannot be started: " + std::strerror(errno);
        return false;
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        error = std::string(call.what) + " cannot be started: " + std::strerror(errno);
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (pid == 0) {
        ::close(fds[0]);
        runChild(call, fds[1]);
    }
    ::close(fds[1]);
    ChildAnswer answer(fds[0], call.silenceLimit);
    std::string reason;
    bool accepted = false;
    try {
        accepted = call.parent(answer, reason);
    } catch (const std::exception& e) {
        // The child must still be stopped and waited for.
        reason = std::string(call.what) + "'s answer cannot be taken: " + e.what();
    }
    ::close(fds[0]);
    // A child that hangs, or whose answer we no longer want, is not waited for.
    if (answer.timedOut() || !reason.empty()) ::kill(pid, SIGKILL);
    const int status = waitFor(pid);

    if (answer.timedOut()) {
        error = std::string(call.what) + " did not finish on this file; it is probably damaged.";
        return false;
    }
    if (!reason.empty()) {
        error = reason;
        return false;
    }
    if (WIFSIGNALED(status)) {
        error = std::string(call.what) + " stopped on this file (signal " +
                std::to_string(WTERMSIG(status)) + "); it is probably damaged.";
        return false;
    }
    if (!accepted || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = std::string(call.what) + " ended without a complete answer.";
        return false;
    }
    return true;
}

}  // namespace imaging
