#include "core/settings/record_file.h"

#include <QFile>
#include <QSaveFile>

#include "core/settings/byte_codec.h"

namespace core {

std::optional<std::vector<uint8_t>> readFileBlock(const QString& path, size_t size) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    std::vector<uint8_t> bytes(size);
    const qint64 got = file.read(reinterpret_cast<char*>(bytes.data()), qint64(size));
    if (got != qint64(size)) return std::nullopt;
    return bytes;
}

std::optional<std::vector<uint8_t>> readRecordFile(const QString& path, size_t size,
                                                   int32_t version) {
    auto bytes = readFileBlock(path, size);
    if (bytes && ByteReader(bytes->data(), bytes->size()).i32() == version) return bytes;
    QFile::remove(path);
    return std::nullopt;
}

bool writeRecordFile(const QString& path, const std::vector<uint8_t>& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) !=
        qint64(bytes.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

SettingsBlock loadSettingsBlock(const QString& path) {
    SettingsBlock block = defaultSettingsBlock();
    if (auto bytes = readRecordFile(path, SettingsBlock::kSize, SettingsBlock::kVersion))
        block = decodeSettingsBlock(bytes->data());
    block.Version = SettingsBlock::kVersion;
    return block;
}

bool saveSettingsBlock(const QString& path, const SettingsBlock& block) {
    return writeRecordFile(path, encodeSettingsBlock(block));
}

ProgramOptions loadProgramOptions(const QString& path) {
    ProgramOptions options = defaultProgramOptions();
    if (auto bytes = readRecordFile(path, ProgramOptions::kSize, ProgramOptions::kVersion))
        options = decodeProgramOptions(bytes->data());
    options.version = ProgramOptions::kVersion;
    return options;
}

bool saveProgramOptions(const QString& path, const ProgramOptions& options) {
    return writeRecordFile(path, encodeProgramOptions(options));
}

}  // namespace core
