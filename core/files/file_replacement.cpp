#include "core/files/file_replacement.h"

#include <QFile>
#include <string>

#include "core/files/path_bytes.h"
#include "imaging/file_io.h"

namespace core {

Status replaceFile(const QString& path, const std::vector<uint8_t>& bytes) {
    std::string error;
    if (!imaging::writeFileAtomically(encodePath(path).toStdString(), bytes, error))
        return failure("ER_CANNOT_SAVE", QString::fromLocal8Bit(error.c_str()));
    return {};
}

Status removeFile(const QString& path) {
    QFile file(path);
    if (!file.exists() || file.remove()) return {};
    return failure("ER_CANNOT_SAVE",
                   QStringLiteral("Cannot delete \"%1\": %2").arg(path, file.errorString()));
}

}  // namespace core
