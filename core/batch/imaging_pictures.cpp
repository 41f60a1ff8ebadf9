#include "core/batch/imaging_pictures.h"

#include <sys/stat.h>

#include <QFile>
#include <cerrno>
#include <cstring>

#include "core/batch/memory_budget.h"
#include "core/files/path_bytes.h"

#include "core/crop/session_crop_picture.h"
#include "core/paths/output_formats.h"
#include "imaging/imaging.h"

namespace core {

namespace {

std::string localPath(const QString& path) {
    return encodePath(path).toStdString();
}

QString lastError(imaging::Handle h) {
    return QString::fromStdString(imaging::cGetLastError(h));
}

class ImagingPicture : public BatchPicture {
  public:
    explicit ImagingPicture(imaging::Handle h) : h_(h) { imaging::cGetImageInfo(h_, info_); }
    ~ImagingPicture() override { imaging::cDestroySession(h_); }

    int32_t width() const override { return info_.width; }
    int32_t height() const override { return info_.height; }
    bool is16Bit() const override { return imaging::cGetBits16Ptr(h_) != nullptr; }

    Status rotate(int32_t degrees) override {
        if (!imaging::cOpRotateFine(h_, degrees)) return fail();
        imaging::cGetImageInfo(h_, info_);
        return {};
    }
    Status convertTo24Bits() override {
        if (!imaging::cOpIncreaseBitsPerPixel(h_, 24)) return fail();
        imaging::cGetImageInfo(h_, info_);
        return {};
    }
    PixelView pixels() override {
        if (uint16_t* wide = imaging::cGetBits16Ptr(h_))
            return {wide, info_.width, 2, info_.height};
        return {imaging::cGetBitsPtr(h_), info_.width, 1, info_.height};
    }
    void refreshDisplayData() override { imaging::cRefreshDisplayData(h_); }
    Status crop(int32_t left, int32_t top, int32_t right, int32_t bottom) override {
        Status s = cropSession(h_, left, top, right, bottom);
        imaging::cGetImageInfo(h_, info_);
        return s;
    }
    Status resize(int32_t width, int32_t height, int32_t methodCode) override {
        Status s = resizeSession(h_, width, height, methodCode);
        imaging::cGetImageInfo(h_, info_);
        return s;
    }

    Status save(const QString& path, int32_t formatCode, int32_t jpegQuality,
                bool replace) override {
        imaging::cSetJPEGParams(h_, jpegQuality, jpegQuality / 100.0, true, 0);
        // BMP carries no colour profile, so its pixels are written as sRGB.
        if (formatCode == kOutputFormats[0].code) {
            const std::vector<uint8_t> srgb = imaging::srgbProfile();
            if (!imaging::cApplyICCProfileEx(h_, srgb.data(), srgb.size()))
                return fail("ER_CANNOT_SAVE");
        }
        // The imaging layer writes the file through the one atomic replacement.
        if (!imaging::cSave(h_, localPath(path), formatCode, {}, !replace))
            return fail("ER_CANNOT_SAVE");
        return {};
    }
    QStringList warnings() const override {
        QStringList texts;
        for (const std::string& w : imaging::cGetWarnings(h_))
            texts << QString::fromStdString(w);
        return texts;
    }

  private:
    Failure fail(const char* key = "ER_UNKNOWN") const { return failure(key, lastError(h_)); }

    imaging::Handle h_;
    imaging::ImageInfo info_;
};

// Only regular files are read: opening a FIFO waits for a writer that never comes, and a device
// may answer without end.
Status regularFile(const QString& path) {
    struct stat st {};
    if (::stat(localPath(path).c_str(), &st) != 0)
        return failure("ER_Q_CANNOT_LOAD",
                       QStringLiteral("Cannot open \"%1\": %2")
                           .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    if (!S_ISREG(st.st_mode))
        return failure("ER_Q_CANNOT_LOAD", QStringLiteral("\"%1\" is not a file.").arg(path));
    return {};
}

// The header's size against the budget, before any pixel is decoded. A file whose header cannot
// be read is left to the loader, which says why.
Status fitsBudget(imaging::Handle h, const QString& path, int64_t budget) {
    if (budget <= 0) return {};
    imaging::FileInfo info;
    if (!imaging::cGetImageFileInfoEx(h, localPath(path), info)) return {};
    const bool sixteen = info.bitsPerPixel == 16 || info.bitsPerPixel > 32;
    return checkMemoryBudget(info.width, info.height, sixteen, budget);
}

}  // namespace

ImagingPictureSource::ImagingPictureSource(bool ignoreExifOrientation)
    : ignoreExifOrientation_(ignoreExifOrientation) {
    const Result<int64_t> budget = core::memoryBudget();
    memoryBudget_ = budget ? budget.value() : memoryBudgetFrom({}, {}, availableMemory()).value();
}

Result<std::unique_ptr<BatchPicture>> ImagingPictureSource::load(const QString& path,
                                                                 const std::atomic<bool>& stop) {
    if (Status s = regularFile(path); !s) return s.failure();
    const imaging::Handle h = imaging::cNewSession();
    if (!h) return failure("ER_Q_CANNOT_LOAD", lastError(0));
    // The options every picture session of the program is made with.
    imaging::cSet16BitComponentOptions(h, true, true);
    imaging::cSetAutoICCProfile(h, std::string());
    imaging::cSaveICCProfileEnabled(h, true);
    imaging::cSetAutodetectFormat(h, true);
    imaging::cSetAutoRotate(h, !ignoreExifOrientation_);
    imaging::cSetGeneralRawParams(h, 1, 1);
    imaging::cSetJPEGParams(h, 100, 1.0, true, 0);
    imaging::cSetPSDParams(h, 1);
    imaging::cSetStopFlag(h, &stop);
    if (Status s = fitsBudget(h, path, memoryBudget_); !s) {
        imaging::cDestroySession(h);
        return s.failure();
    }
    if (!imaging::cLoadImage(h, localPath(path))) {
        QString error = lastError(h);
        if (error.isEmpty()) error = QStringLiteral("the file cannot be read as a picture");
        imaging::cDestroySession(h);
        return failure("ER_Q_CANNOT_LOAD", error);
    }
    return std::unique_ptr<BatchPicture>(std::make_unique<ImagingPicture>(h));
}

}  // namespace core
