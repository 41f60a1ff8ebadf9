#include "core/document/picture_saving.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/document/picture_loading.h"
#include "core/document/save_names.h"
#include "core/paths/output_formats.h"

namespace core {

namespace {

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// A duplicate session destroyed on leaving the scope.
class ScratchSession {
  public:
    explicit ScratchSession(imaging::Handle from) : h_(imaging::cDupSession(from)) {}
    ~ScratchSession() {
        if (h_) imaging::cDestroySession(h_);
    }
    ScratchSession(const ScratchSession&) = delete;
    ScratchSession& operator=(const ScratchSession&) = delete;
    imaging::Handle handle() const { return h_; }

  private:
    imaging::Handle h_;
};

Failure savingFailure(imaging::Handle h, const QString& path) {
    QString detail = quotedName(path);
    const QString reason = QString::fromStdString(imaging::cGetLastError(h));
    if (!reason.isEmpty()) detail += QStringLiteral("\r\n") + reason;
    return failure("ER_CANNOT_SAVE", detail);
}

}  // namespace

QString savePath(const SaveRequest& request) {
    if (request.path.isEmpty()) return {};
    return withFormatExtension(request.path, request.formatIndex);
}

Status savePicture(imaging::Handle picture, imaging::Handle metadataSource,
                   const SaveRequest& request, const imaging::ProgressCallback& progress) {
    const QString path = savePath(request);
    if (path.isEmpty()) return failure("ER_CANNOT_SAVE");
    const QFileInfo target(path);
    if (target.exists() && !request.overwriteConfirmed)
        return failure("ALS_SAVE_RESULTS_IF_EXISTS_QUEST", path);

    const OutputFormat& format = kOutputFormats[size_t(validFormatIndex(request.formatIndex))];
    const int32_t quality = jpegQualityFor(request.jpegQualityIndex);
    imaging::cSetJPEGParams(picture, quality, quality / 100.0, true, 0);

    if (metadataSource && metadataSource != picture) {
        imaging::cPutImageEXIF_Info(picture, imaging::cGetImageEXIF_Info(metadataSource));
        imaging::cPutImageIPTC_Info(picture, imaging::cGetImageIPTC_Info(metadataSource));
        // A result made without its own profile still holds the source's colours.
        if (imaging::cGetImageICCProfile(picture).empty()) {
            const std::vector<uint8_t> profile = imaging::cGetImageICCProfile(metadataSource);
            if (!profile.empty()) imaging::cLoadICCProfile(picture, profile.data(), profile.size());
        }
    }

    const QString folder = target.absolutePath();
    if (!QDir().mkpath(folder)) return failure("ER_CANNOT_CREATE_FOLDER", quotedName(folder));

    if (format.code == imaging::kCodeBmp && picture != metadataSource) {
        ScratchSession copy(picture);
        if (!copy.handle()) return savingFailure(picture, path);
        const std::vector<uint8_t> srgb = imaging::srgbProfile();
        if (!imaging::cApplyICCProfileEx(copy.handle(), srgb.data(), srgb.size()))
            return savingFailure(copy.handle(), path);
        if (!imaging::cSave(copy.handle(), localPath(path), format.code, progress))
            return savingFailure(copy.handle(), path);
        return {};
    }
    if (!imaging::cSave(picture, localPath(path), format.code, progress))
        return savingFailure(picture, path);
    return {};
}

}  // namespace core
