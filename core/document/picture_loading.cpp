#include "core/document/picture_loading.h"

#include <QFile>
#include <QFileInfo>
#include <cfenv>

#include "imaging/format_codes.h"

namespace core {

namespace {

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Floating-point traps stay off while a decoder runs, whatever the caller enabled.
class FloatingPointQuiet {
  public:
    FloatingPointQuiet() { std::feholdexcept(&saved_); }
    ~FloatingPointQuiet() { std::fesetenv(&saved_); }
    FloatingPointQuiet(const FloatingPointQuiet&) = delete;
    FloatingPointQuiet& operator=(const FloatingPointQuiet&) = delete;

  private:
    std::fenv_t saved_;
};

// Whether the file's first bytes are those of a kind of picture the imaging layer reads.
bool isKnownPictureKind(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = file.read(64);
    return imaging::detectContainer(reinterpret_cast<const uint8_t*>(head.constData()),
                                    size_t(head.size())) != imaging::Container::kUnknown;
}

}  // namespace

bool loadsWithProgressPanel(const QString& path, int64_t fileSize) {
    if (fileSize >= 0 && fileSize <= kProgressPanelFileSize) return false;
    static const char* const kQuick[] = {"bmp", "jpg", "jpeg", "gif", "tif", "tiff"};
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const char* quick : kQuick)
        if (suffix == QLatin1String(quick)) return false;
    return true;
}

int64_t pictureFileSize(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.isFile() ? int64_t(info.size()) : -1;
}

QString quotedName(const QString& path) {
    return QLatin1Char('"') + path + QLatin1Char('"');
}

Status loadPictureFile(imaging::Handle session, const QString& path,
                       const imaging::ProgressCallback& progress) {
    imaging::cUnload(session);
    const int64_t size = pictureFileSize(path);
    if (size < 0) return failure("ER_SRC_LOADING_NOTFOUND", quotedName(path));
    const std::string local = localPath(path);
    bool loaded = false;
    if (!imaging::cIsSupportedImageFile(session, local)) {
        // A file of a readable kind whose header is damaged or cut short is a broken picture,
        // not an unsupported one.
        if (!isKnownPictureKind(path))
            return failure("ER_SRC_LOADING_NOTSUPPORTED", quotedName(path));
    } else {
        FloatingPointQuiet quiet;
        loaded = imaging::cLoadImage(
            session, local,
            loadsWithProgressPanel(path, size) ? progress : imaging::ProgressCallback{});
    }
    if (!loaded) {
        const QString reason = QString::fromStdString(imaging::cGetLastError(session));
        imaging::cUnload(session);
        QString detail = quotedName(path);
        if (!reason.isEmpty()) detail += QStringLiteral("\r\n") + reason;
        return failure("ER_Q_CANNOT_LOAD", detail);
    }
    return {};
}

}  // namespace core
