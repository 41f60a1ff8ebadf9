#include "core/files/file_renaming.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/files/path_bytes.h"
#include "imaging/file_io.h"

namespace core {

namespace {

Status systemFailure(int error) {
    if (error == EEXIST || error == ENOTEMPTY) return failure("ER_NAME_TAKEN");
    return failure("ER_CANNOT_RENAME", QString::fromLocal8Bit(std::strerror(error)));
}

}  // namespace

Status renameNoReplace(const QString& from, const QString& to) {
    const int error = imaging::renameWithoutReplacing(encodePath(from).toStdString(),
                                                      encodePath(to).toStdString());
    return error == 0 ? Status{} : systemFailure(error);
}

std::optional<FileTime> modificationTime(const QString& path) {
    struct stat st {};
    if (::stat(encodePath(path).constData(), &st) != 0) return std::nullopt;
    return FileTime{static_cast<long long>(st.st_mtim.tv_sec), st.st_mtim.tv_nsec};
}

bool setModificationTime(const QString& path, const FileTime& time) {
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(time.seconds);
    times[1].tv_nsec = time.nanoseconds;
    return ::utimensat(AT_FDCWD, encodePath(path).constData(), times, 0) == 0;
}

}  // namespace core
