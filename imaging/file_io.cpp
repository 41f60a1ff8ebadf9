#include "imaging/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>
#include <set>
#include <vector>

namespace imaging {

namespace {

// Bytes the injected read failure still lets through; below zero when none is injected.
std::atomic<int64_t> gReadsLeft{-1};

// read() as the file system answers it, or as a failing disk would once the budget is spent.
ssize_t readSome(int fd, uint8_t* data, std::size_t size) {
    const int64_t left = gReadsLeft.load();
    if (left >= 0) {
        if (left == 0) {
            errno = EIO;
            return -1;
        }
        size = std::min<std::size_t>(size, std::size_t(left));
        gReadsLeft.store(left - int64_t(size));
    }
    return ::read(fd, data, size);
}

}  // namespace

ScopedReadFailure::ScopedReadFailure(std::size_t bytesBeforeFailure) {
    gReadsLeft.store(int64_t(bytesBeforeFailure));
}

ScopedReadFailure::~ScopedReadFailure() {
    gReadsLeft.store(-1);
}

bool readWholeFile(const std::string& path, Bytes& out, std::string& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = "Cannot open \"" + path + "\": " + std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        error = "\"" + path + "\" is not a file.";
        return false;
    }
    try {
        out.resize(static_cast<std::size_t>(st.st_size));
    } catch (const std::bad_alloc&) {
        ::close(fd);
        error = "Not enough memory to read \"" + path + "\".";
        return false;
    }
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n = readSome(fd, out.data() + done, out.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            // A failing disk or a vanished network share: part of a file is not the file.
            const int failedErrno = errno;
            ::close(fd);
            out.clear();
            error = "Cannot read \"" + path + "\": " + std::strerror(failedErrno);
            return false;
        }
        if (n == 0) break;  // the file became shorter while it was read
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    out.resize(done);
    return true;
}

namespace {

// Bytes the injected failure still lets through; below zero when no failure is injected.
std::atomic<int64_t> gWritesLeft{-1};

// write() as the file system answers it, or as a full disk would once the injected budget is
// spent.
ssize_t writeSome(int fd, const uint8_t* data, std::size_t size) {
    int64_t left = gWritesLeft.load();
    if (left >= 0) {
        if (left == 0) {
            errno = ENOSPC;
            return -1;
        }
        size = std::min<std::size_t>(size, std::size_t(left));
        gWritesLeft.store(left - int64_t(size));
    }
    return ::write(fd, data, size);
}

// Makes a finished rename durable: the folder's entry is flushed too.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// The process's file-creation mask. Setting it to read it back would, for that moment, give
// files other threads create the wrong permissions; the kernel reports it without a change.
mode_t currentUmask() {
    if (FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status))
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        std::fclose(status);
        if (found) return mode_t(mask);
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// Temporary files are named ".vf<pid>-XXXXXX": short, so a long but legal target name still has
// a legal temporary beside it, and marked with the process that writes them, so one left by a
// process that was killed can be told from one being written.
constexpr const char* kTempPrefix = ".vf";

// The writing process of a temporary name of ours, or 0 for any other name.
pid_t tempOwner(const char* name) {
    const std::size_t prefix = std::strlen(kTempPrefix);
    if (std::strncmp(name, kTempPrefix, prefix) != 0) return 0;
    const char* p = name + prefix;
    long pid = 0;
    const char* digits = p;
    while (*p >= '0' && *p <= '9' && pid < 100000000)
        pid = pid * 10 + (*p++ - '0');
    if (p == digits || *p != '-' || std::strlen(p + 1) != 6) return 0;
    return pid_t(pid);
}

// A stale temporary: its process is gone, and it has not changed for a while (a writer on
// another machine sharing the folder keeps its file changing until it renames it).
bool isStaleTemp(const std::string& folder, const char* name) {
    const pid_t owner = tempOwner(name);
    if (owner <= 0 || owner == ::getpid()) return false;
    if (::kill(owner, 0) == 0 || errno != ESRCH) return false;
    struct stat st {};
    if (::lstat((folder + name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    return std::time(nullptr) - st.st_mtime > 60;
}

// Removes the stale temporaries of ours in a folder, once per folder and process.
void removeStaleTemps(const std::string& folder) {
    static std::mutex mutex;
    static std::set<std::string> cleaned;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (!cleaned.insert(folder).second) return;
    }
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir))
        if (isStaleTemp(folder, entry->d_name)) ::unlink((folder + entry->d_name).c_str());
    ::closedir(dir);
}

}  // namespace

int renameWithoutReplacing(const std::string& from, const std::string& to) {
    // The kernel refuses an existing target in the same step as the rename.
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    const int error = errno;
    if (error != EINVAL && error != ENOSYS && error != EOPNOTSUPP) return error;
    // A file system without that flag (some network and user-space ones): a hard link takes the
    // new name only when it is free, then the old name goes.
    if (::link(from.c_str(), to.c_str()) == 0) {
        if (::unlink(from.c_str()) == 0) return 0;
        const int unlinkError = errno;
        ::unlink(to.c_str());  // the second name of the same file
        return unlinkError;
    }
    const int linkError = errno;
    if (linkError != EPERM && linkError != EOPNOTSUPP && linkError != ENOSYS && linkError != EMLINK)
        return linkError;
    // Neither way exists on this file system (no hard links either): the last resort is the one
    // the system's own file classes take, a look for the name right before the rename.
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0 || errno != ENOENT) return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

ScopedWriteFailure::ScopedWriteFailure(std::size_t bytesBeforeFailure) {
    gWritesLeft.store(int64_t(bytesBeforeFailure));
}

ScopedWriteFailure::~ScopedWriteFailure() {
    gWritesLeft.store(-1);
}

bool writeFileAtomically(const std::string& path, const Bytes& data, std::string& error,
                         Existing existing) {
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "./" : path.substr(0, slash + 1);
    removeStaleTemps(folder);
    std::string temp = folder + kTempPrefix + std::to_string(::getpid()) + "-XXXXXX";
    std::vector<char> buf(temp.begin(), temp.end());
    buf.push_back('\0');
    const int fd = ::mkstemp(buf.data());
    if (fd < 0) {
        error = "Cannot create a file in \"" + folder + "\": " + std::strerror(errno);
        return false;
    }
    temp.assign(buf.data());
    // Every step is checked; the first failure is the one reported.
    int failedErrno = 0;
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = writeSome(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            failedErrno = n < 0 ? errno : EIO;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (!failedErrno && ::fsync(fd) != 0) failedErrno = errno;
    // mkstemp makes the file private. A replaced file keeps its permissions (and, where the
    // system lets us, its owner and group); a new one gets the usual permissions.
    struct stat target {};
    if (::stat(path.c_str(), &target) == 0 && S_ISREG(target.st_mode)) {
        // Another user's owner needs privileges; the group is often still ours to give.
        if (::fchown(fd, target.st_uid, target.st_gid) != 0 &&
            ::fchown(fd, uid_t(-1), target.st_gid) != 0) {
            // The file stays ours, as any file we create.
        }
        ::fchmod(fd, target.st_mode & 07777);
    } else {
        ::fchmod(fd, 0666 & ~currentUmask());
    }
    if (::close(fd) != 0 && !failedErrno) failedErrno = errno;
    if (!failedErrno) {
        if (existing == Existing::Keep)
            failedErrno = renameWithoutReplacing(temp, path);
        else if (::rename(temp.c_str(), path.c_str()) != 0)
            failedErrno = errno;
    }
    if (failedErrno == EEXIST && existing == Existing::Keep) {
        error = "\"" + path + "\" already exists and is kept.";
        ::unlink(temp.c_str());
        return false;
    }
    if (failedErrno) {
        // The target, when there was one, is still the file it was.
        error = "Cannot write \"" + path + "\": " + std::strerror(failedErrno);
        ::unlink(temp.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}

}  // namespace imaging
