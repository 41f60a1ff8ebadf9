#include "core/document/undo_copy.h"

#include <QDir>
#include <QFile>

#include "core/document/exchange_file.h"
#include "core/document/image_document.h"

namespace core {

QString UndoCopy::undoPath() const {
    return QDir(tempFolder_).filePath(QString::fromLatin1(kUndoFileName));
}

QString UndoCopy::exchangePath() const {
    return QDir(tempFolder_).filePath(QString::fromLatin1(kExchangeFileName));
}

Status UndoCopy::keep(const ImageDocument& document, ImageSlot slot) {
    clear();
    if (document.pictureSlots().isEmpty(slot) || !QDir().mkpath(tempFolder_))
        return failure("ER_PLUGIN_CANNOT_WRITE", undoPath());
    if (Status written = writeExchangeFile(undoPath(), document.handle(slot)); !written) {
        QFile::remove(undoPath());
        return Failure{written.failure().key, undoPath()};
    }
    slot_ = slot;
    sourceModified_ = document.modifiedByPlugin();
    return {};
}

void UndoCopy::clear() {
    slot_ = ImageSlot::Template;
    sourceModified_ = false;
    QFile::remove(undoPath());
}

Status UndoCopy::restore(ImageDocument& document) {
    const ImageSlot slot = slot_;
    slot_ = ImageSlot::Template;
    const auto removeBoth = [this] {
        QFile::remove(undoPath());
        QFile::remove(exchangePath());
    };
    if (slot == ImageSlot::Template || !QFile::exists(undoPath())) {
        removeBoth();
        return failure("ER_Q_CANNOT_LOAD", undoPath());
    }
    QFile::remove(exchangePath());
    if (!QFile::copy(undoPath(), exchangePath())) {
        removeBoth();
        return failure("ER_Q_CANNOT_LOAD", undoPath());
    }
    Status reloaded = document.reloadFromExchange(tempFolder_, slot, sourceModified_);
    removeBoth();
    return reloaded;
}

}  // namespace core
