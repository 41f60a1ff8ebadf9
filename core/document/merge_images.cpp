#include "core/document/merge_images.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/document/exchange_file.h"
#include "core/document/image_document.h"
#include "core/document/picture_loading.h"
#include "core/document/template_pictures.h"
#include "core/document/undo_copy.h"
#include "dnr.h"

namespace core {

MergeStart mergeStart(bool viewingMode, bool hasOutput, bool outputUnsaved, int sourceWidth,
                      int sourceHeight, int outputWidth, int outputHeight) {
    const bool sameSize = outputWidth == sourceWidth && outputHeight == sourceHeight;
    if (viewingMode && hasOutput && sameSize) return {ImageSlot::Output, false};
    return {ImageSlot::Source, hasOutput && (!sameSize || outputUnsaved)};
}

MessageBoxRequest mergeNoticeRequest(const Language& texts) {
    const QString gap = QStringLiteral("\r\n \r\n");
    MessageBoxRequest request;
    request.text = texts.message(QStringLiteral("ALS_SHADWMASTER_1")) + gap +
                   texts.message(QStringLiteral("ALS_SHADWMASTER_2")) + gap +
                   texts.message(QStringLiteral("ALS_SHADWMASTER_3"));
    request.title = texts.message(QStringLiteral("ALS_MERGE_IMAGE"));
    request.style = kButtonsOk;
    // "Do not show again" is the longest caption; the buttons take the widest factor.
    request.customButtons = {
        {QStringLiteral("ALS_MESSAGE_BUTTON_CANCEL"), kMergeNoticeCancel, 1.4},
        {QStringLiteral("ALS_MESSAGE_BUTTON_DONTSHOW"), kMergeNoticeDontShow, 2.4},
    };
    return request;
}

Status ensureTemplatePictures(const QString& tempFolder) {
    const QDir dir(tempFolder);
    if (QFileInfo::exists(dir.filePath(QString::fromLatin1(kTemplate8Name))) &&
        QFileInfo::exists(dir.filePath(QString::fromLatin1(kTemplate16Name))))
        return {};
    if (Status written = writeTemplatePictures(tempFolder); !written)
        return failure("ER_PLUGIN_TEMPLATE", written.failure().detail);
    return {};
}

namespace {

PixelView viewOf(imaging::Handle session) {
    const SlotPixels px = slotPixels(session);
    return PixelView{px.bits, px.width, px.bytesPerSample, px.height};
}

Status blend(ImageDocument& document, const MergeRequest& request) {
    ImageSlots& pictures = document.pictureSlots();
    const imaging::Handle first = document.handle(request.first);
    const imaging::Handle second = document.handle(ImageSlot::PreviewResult);
    const imaging::Handle merged = document.handle(ImageSlot::DialogPreview);
    if (pictures.isEmpty(request.first)) return failure("ALS_MERGE_IMAGE_ERROR");
    if (Status loaded = loadPictureFile(second, request.secondPath); !loaded) return loaded;
    const int width = pictures.width(request.first);
    const int height = pictures.height(request.first);
    if (pictures.width(ImageSlot::PreviewResult) != width ||
        pictures.height(ImageSlot::PreviewResult) != height)
        return failure("ALS_MERGE_IMAGE_ERROR");
    if (Status templates = ensureTemplatePictures(request.tempFolder); !templates) return templates;
    const QString templatePath =
        QDir(request.tempFolder).filePath(QString::fromLatin1(kTemplate16Name));
    if (!imaging::cLoadImage(merged, QFile::encodeName(templatePath).toStdString()) ||
        !imaging::cOpResizeEx(merged, width, height, imaging::kFilterNearest) ||
        pictures.width(ImageSlot::DialogPreview) != width ||
        pictures.height(ImageSlot::DialogPreview) != height)
        return failure("ER_PLUGIN_TEMPLATE", quotedName(templatePath));
    // The merged picture is in the first one's colour space.
    transferProfile(first, merged, true);
    const PixelView a = viewOf(first), b = viewOf(second), out = viewOf(merged);
    if (IncreaseDynamicRange_TEST(&a, &b, &out) != 1) return failure("ER_DLL", QStringLiteral("1"));
    imaging::cRefreshDisplayData(merged);
    return {};
}

}  // namespace

Status mergeImages(ImageDocument& document, UndoCopy& undo, const MergeRequest& request) {
    if (request.first != ImageSlot::Source && request.first != ImageSlot::Output)
        return failure("ALS_MERGE_IMAGE_ERROR");
    ImageSlots& pictures = document.pictureSlots();
    const auto unloadWork = [&pictures] {
        pictures.unload(ImageSlot::PreviewResult);
        pictures.unload(ImageSlot::DialogPreview);
    };
    Status blended = blend(document, request);
    if (!blended) {
        unloadWork();
        return blended;
    }
    if (!QDir().mkpath(request.tempFolder)) {
        unloadWork();
        return failure("ER_PLUGIN_CANNOT_WRITE", request.tempFolder);
    }
    // The merged picture goes out first, so that a failure there leaves an earlier undo copy.
    const QString exchange =
        QDir(request.tempFolder).filePath(QString::fromLatin1(kExchangeFileName));
    if (Status written = writeExchangeFile(exchange, document.handle(ImageSlot::DialogPreview));
        !written) {
        unloadWork();
        QFile::remove(exchange);
        return Failure{written.failure().key, exchange};
    }
    unloadWork();
    undo.setTempFolder(request.tempFolder);
    if (Status kept = undo.keep(document, request.first); !kept) {
        QFile::remove(exchange);
        return kept;
    }
    Status reloaded = document.reloadFromExchange(request.tempFolder, request.first, true);
    if (!reloaded) undo.clear();
    return reloaded;
}

}  // namespace core
