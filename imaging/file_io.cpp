#include "imaging/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace imaging {

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
        const ssize_t n = ::read(fd, out.data() + done, out.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    out.resize(done);
    return true;
}

bool writeFileAtomically(const std::string& path, const Bytes& data, std::string& error) {
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string temp =
        (slash == std::string::npos ? std::string() : folder) + "." + name + ".XXXXXX";
    std::vector<char> buf(temp.begin(), temp.end());
    buf.push_back('\0');
    const int fd = ::mkstemp(buf.data());
    if (fd < 0) {
        error = "Cannot create a file in \"" + folder + "\": " + std::strerror(errno);
        return false;
    }
    temp.assign(buf.data());
    std::size_t done = 0;
    bool ok = true;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    const int savedErrno = errno;
    if (ok && ::fsync(fd) != 0) ok = false;
    // mkstemp makes the file private; give it the usual permissions.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    if (::close(fd) != 0) ok = false;
    if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
        error = "Cannot write \"" + path + "\": " + std::strerror(ok ? errno : savedErrno);
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace imaging
