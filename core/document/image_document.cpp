#include "core/document/image_document.h"

#include <QFileInfo>
#include <algorithm>
#include <string>
#include <vector>

#include "core/document/picture_image.h"
#include "core/document/picture_loading.h"
#include "core/document/save_names.h"

namespace core {

NoiseLevels clampedNoiseLevels(const int32_t detected[3]) {
    auto clamp = [](int32_t v) { return std::clamp<int32_t>(v, 1, 200); };
    return {clamp(detected[1]), clamp(detected[0]), clamp(detected[2])};
}

ImageDocument::ImageDocument(const DocumentOptions& options, QObject* parent)
    : QObject(parent), options_(options), slots_(options.sessions) {}

ImageDocument::~ImageDocument() = default;

bool ImageDocument::fromFile() const {
    return fileName_ != QLatin1String(kClipboardName) && fileName_ != QLatin1String(kPluginName);
}

void ImageDocument::setState(LoadState state) {
    if (state_ == state) return;
    state_ = state;
    emit loadStateChanged(state);
}

void ImageDocument::setUnsaved(bool unsaved) {
    if (unsaved_ == unsaved) return;
    unsaved_ = unsaved;
    emit unsavedResultChanged(unsaved);
}

void ImageDocument::dropDerivedSlots() {
    for (ImageSlot slot : {ImageSlot::Source, ImageSlot::ReducedCopy, ImageSlot::CaptionPreview,
                           ImageSlot::CropPreview, ImageSlot::DisplaySource}) {
        slots_.unload(slot);
        emit pictureChanged(slot);
    }
}

void ImageDocument::failOpen() {
    slots_.unload(ImageSlot::Source);
    clearOutput();
    sixteen_ = false;
    width_ = height_ = 0;
    information_ = {};
    setState(LoadState::Failed);
}

Status ImageDocument::open(const QString& path, const imaging::ProgressCallback& progress) {
    rotation_ = 0;
    dropDerivedSlots();
    setState(LoadState::Loading);
    if (Status loaded = loadPictureFile(handle(ImageSlot::Source), path, progress); !loaded) {
        failOpen();
        if (loaded.failure().key == QLatin1String("ER_Q_CANNOT_LOAD"))
            return failure("ER_SRC_LOADING_INVALID", loaded.failure().detail);
        return loaded;
    }
    modifiedByPlugin_ = false;
    exchangeHeader_.reset();
    if (Status finished = finishOpen(path); !finished)
        return Failure{finished.failure().key, quotedName(path)};
    return {};
}

Status ImageDocument::openPicture(const QImage& picture) {
    rotation_ = 0;
    dropDerivedSlots();
    setState(LoadState::Loading);
    if (Status loaded = loadPictureImage(handle(ImageSlot::Source), picture); !loaded) {
        failOpen();
        return failure("ER_SRC_LOADING_INVALID");
    }
    modifiedByPlugin_ = false;
    exchangeHeader_.reset();
    return finishOpen(QString::fromLatin1(kClipboardName));
}

Status ImageDocument::openExchange(const QString& tempFolder, bool reload) {
    std::optional<std::pair<int, int>> required;
    if (reload) required = std::make_pair(width_, height_);
    const QString previousName = fileName_;
    rotation_ = 0;
    dropDerivedSlots();
    setState(LoadState::Loading);
    Result<ExchangeHeader> header =
        readExchangeFile(tempFolder, handle(ImageSlot::Source), required);
    if (!header) {
        failOpen();
        return header.failure();
    }
    exchangeHeader_ = header.value();
    modifiedByPlugin_ = reload;
    return finishOpen(reload && !previousName.isEmpty() ? previousName
                                                        : QString::fromLatin1(kPluginName));
}

namespace {

// What a picture carries beside its pixels and the exchange file does not.
struct KeptMetadata {
    std::string comment;
    std::vector<uint8_t> exif;
    std::vector<uint8_t> iptc;
};

KeptMetadata keepMetadata(imaging::Handle session) {
    return {imaging::cGetImageComment(session), imaging::cGetImageEXIF_Info(session),
            imaging::cGetImageIPTC_Info(session)};
}

void putMetadata(imaging::Handle session, const KeptMetadata& kept) {
    if (!kept.comment.empty()) imaging::cPutImageComment(session, kept.comment);
    if (!kept.exif.empty()) imaging::cPutImageEXIF_Info(session, kept.exif);
    if (!kept.iptc.empty()) imaging::cPutImageIPTC_Info(session, kept.iptc);
}

}  // namespace

Status ImageDocument::reloadFromExchange(const QString& tempFolder, ImageSlot slot, bool modified) {
    if (slot != ImageSlot::Source && slot != ImageSlot::Output)
        return failure("ER_UNKNOWN", QStringLiteral("slot"));
    const imaging::Handle session = handle(slot);
    const KeptMetadata kept = keepMetadata(session);
    if (slot == ImageSlot::Output) {
        Result<ExchangeHeader> header = readExchangeFile(tempFolder, session);
        if (!header) {
            clearOutput();
            return header.failure();
        }
        putMetadata(session, kept);
        setOutputProduced();
        return {};
    }
    const QString name = fileName_;
    dropDerivedSlots();
    setState(LoadState::Loading);
    Result<ExchangeHeader> header = readExchangeFile(tempFolder, session);
    if (!header) {
        failOpen();
        return header.failure();
    }
    putMetadata(session, kept);
    modifiedByPlugin_ = modified;
    return finishOpen(name.isEmpty() ? QString::fromLatin1(kPluginName) : name);
}

Status ImageDocument::finishOpen(const QString& name) {
    const imaging::Handle source = handle(ImageSlot::Source);
    imaging::ImageInfo info;
    imaging::cGetImageInfo(source, info);
    if (info.width < kMinimumOpenSide || info.height < kMinimumOpenSide) {
        failOpen();
        return failure("ER_SRC_LOADING_SMALL");
    }
    fileName_ = name;
    sixteen_ = imaging::cGetBits16Ptr(source) != nullptr;
    if (!sixteen_ && !imaging::cOpIncreaseBitsPerPixel(source, 24)) {
        failOpen();
        return failure("ER_SRC_LOADING_INVALID");
    }
    width_ = info.width;
    height_ = info.height;
    detectNoise();
    darkest_ = 0;
    brightest_ = 100;
    information_ = describeSession(source, options_.ignoreExif, options_.lookup);
    clearOutput();
    emit pictureChanged(ImageSlot::Source);
    setState(LoadState::Loaded);
    return {};
}

void ImageDocument::detectNoise() {
    const SlotPixels pixels = slotPixels(handle(ImageSlot::Source));
    int32_t levels[3] = {1, 1, 1};
    if (pixels.bits)
        DetectNoiseLevel(pixels.bits, levels, pixels.width, pixels.height,
                         pixels.bytesPerSample == 2 ? 1 : 0);
    noise_ = clampedNoiseLevels(levels);
}

void ImageDocument::detectAutoContrast(ProcessingParams& params) {
    if (AutoContrast_Detect(&params)) {
        darkest_ = std::clamp<int32_t>(params.AutoContrastDarkest, 0, 100);
        brightest_ = std::clamp<int32_t>(params.AutoContrastBrightest, 0, 100);
    } else {
        darkest_ = 0;
        brightest_ = 100;
    }
}

Status ImageDocument::writeBack(const QString& exchangePath) {
    if (!exchangeHeader_) return failure("ER_RLUGIN_DATA_NOTFOUND", quotedName(exchangePath));
    const imaging::Handle picture =
        hasOutput() ? handle(ImageSlot::Output) : handle(ImageSlot::Source);
    Status written = writeBackExchangeFile(exchangePath, *exchangeHeader_, picture);
    // The host has the result now: nothing waits to be saved.
    if (written) setUnsaved(false);
    return written;
}

void ImageDocument::close() {
    clearOutput();
    for (int i = 1; i < kImageSlotCount; ++i) {
        const auto slot = static_cast<ImageSlot>(i);
        if (slot == ImageSlot::Navigator || slots_.isEmpty(slot)) continue;
        slots_.unload(slot);
        emit pictureChanged(slot);
    }
    fileName_.clear();
    sixteen_ = false;
    width_ = height_ = 0;
    rotation_ = 0;
    modifiedByPlugin_ = false;
    exchangeHeader_.reset();
    information_ = {};
    noise_ = {};
    setState(LoadState::Empty);
}

Status ImageDocument::rotate(int direction) {
    if (direction != -1 && direction != 1)
        return failure("ER_UNKNOWN", QStringLiteral("direction"));
    if (!isOpen()) return failure("ALS_DLL_EXCEPTION", QStringLiteral("No picture is open."));
    const double degrees = 90.0 * direction;
    // Turned in this order; on a failure the ones already turned are turned back.
    std::vector<ImageSlot> done;
    for (ImageSlot slot : {ImageSlot::Source, ImageSlot::DisplaySource, ImageSlot::Output}) {
        if (slot != ImageSlot::Source && slots_.isEmpty(slot)) continue;
        if (!imaging::cOpRotateFine(handle(slot), degrees)) {
            const QString reason = QString::fromStdString(imaging::cGetLastError(handle(slot)));
            for (ImageSlot back : done)
                imaging::cOpRotateFine(handle(back), -degrees);
            return failure("ALS_DLL_EXCEPTION", reason);
        }
        done.push_back(slot);
    }
    for (ImageSlot slot :
         {ImageSlot::ReducedCopy, ImageSlot::CaptionPreview, ImageSlot::CropPreview}) {
        slots_.unload(slot);
        emit pictureChanged(slot);
    }
    const int oldWidth = width_;
    const int oldHeight = height_;
    rotation_ = addQuarterTurn(rotation_, direction);
    width_ = slots_.width(ImageSlot::Source);
    height_ = slots_.height(ImageSlot::Source);
    information_ = describeSession(handle(ImageSlot::Source), options_.ignoreExif, options_.lookup);
    for (ImageSlot slot : done)
        emit pictureChanged(slot);
    emit turned(direction, oldWidth, oldHeight);
    return {};
}

void ImageDocument::setOutputProduced() {
    emit pictureChanged(ImageSlot::Output);
    setUnsaved(!slots_.isEmpty(ImageSlot::Output));
}

void ImageDocument::clearOutput() {
    if (!slots_.isEmpty(ImageSlot::Output)) {
        slots_.unload(ImageSlot::Output);
        emit pictureChanged(ImageSlot::Output);
    }
    setUnsaved(false);
}

QString ImageDocument::proposedSaveName() const {
    return core::proposedSaveName(fileName_);
}

Status ImageDocument::save(const SaveRequest& request, const imaging::ProgressCallback& progress) {
    const imaging::Handle source = handle(ImageSlot::Source);
    if (!isOpen()) return failure("ER_CANNOT_SAVE");
    const imaging::Handle picture = hasOutput() ? handle(ImageSlot::Output) : source;
    Status saved = savePicture(picture, source, request, progress);
    if (saved && picture == handle(ImageSlot::Output)) setUnsaved(false);
    return saved;
}

QImage ImageDocument::displayImage(ImageSlot slot) const {
    return core::displayImage(handle(slot));
}

QImage ImageDocument::clipboardImage() const {
    return hasOutput() ? pictureImage(handle(ImageSlot::Output)) : QImage();
}

}  // namespace core
