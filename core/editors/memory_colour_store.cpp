#include "core/editors/memory_colour_store.h"

#include "core/editors/memory_colour_file.h"

namespace core {

bool MemoryColorStore::load() {
    MemoryColorsRead read = loadMemoryColors(path_);
    colors_ = std::move(read.colors);
    unreadable_ = !read.ok;
    return read.ok;
}

Status MemoryColorStore::save() {
    if (unreadable_)
        return failure(
            "ER_CANNOT_SAVE",
            QStringLiteral("\"%1\" could not be read and is kept as it was.").arg(path_));
    return saveMemoryColors(path_, colors_);
}

Status MemoryColorStore::add(const QString& name, const Rgb16& srgb) {
    addMemoryColor(colors_, name, srgb);
    return save();
}

Status MemoryColorStore::rename(size_t index, const QString& name) {
    if (!renameMemoryColor(colors_, index, name)) return {};
    return save();
}

Status MemoryColorStore::move(size_t index, RowMove move, bool newestFirst) {
    if (!moveMemoryColor(colors_, index, move, newestFirst)) return {};
    return save();
}

Status MemoryColorStore::remove(size_t index) {
    if (!removeMemoryColor(colors_, index)) return {};
    return save();
}

}  // namespace core
