#include "core/editors/memory_colour_file.h"

#include <QFileInfo>
#include <string>

#include "core/files/file_replacement.h"
#include "core/files/path_bytes.h"
#include "imaging/file_io.h"

namespace core {

MemoryColorsRead loadMemoryColors(const QString& path) {
    MemoryColorsRead read;
    if (!QFileInfo::exists(path)) return read;
    imaging::Bytes bytes;
    std::string error;
    if (!imaging::readWholeFile(encodePath(path).toStdString(), bytes, error)) {
        read.ok = false;
        return read;
    }
    const size_t whole = bytes.size() / kMemoryColorSize;
    for (size_t i = 0; i < whole; ++i) {
        auto color = decodeMemoryColor(bytes.data() + i * kMemoryColorSize);
        if (!color) break;
        read.colors.push_back(std::move(*color));
    }
    return read;
}

Status saveMemoryColors(const QString& path, const TMemoryColorsArray& colors) {
    if (colors.empty()) return removeFile(path);
    std::vector<uint8_t> bytes;
    bytes.reserve(colors.size() * kMemoryColorSize);
    for (const MemoryColor& c : colors) {
        const std::vector<uint8_t> record = encodeMemoryColor(c);
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    return replaceFile(path, bytes);
}

}  // namespace core
