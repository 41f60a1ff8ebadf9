#include "core/settings/record_file.h"

#include <QFile>

#include "core/files/file_replacement.h"
#include "core/settings/byte_codec.h"

namespace core {

namespace {

enum class BlockRead { Whole, Short, Unopened };

BlockRead readBlock(const QString& path, size_t size, std::vector<uint8_t>& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return BlockRead::Unopened;
    bytes.assign(size, 0);
    const qint64 got = file.read(reinterpret_cast<char*>(bytes.data()), qint64(size));
    return got == qint64(size) ? BlockRead::Whole : BlockRead::Short;
}

}  // namespace

std::optional<std::vector<uint8_t>> readFileBlock(const QString& path, size_t size) {
    std::vector<uint8_t> bytes;
    if (readBlock(path, size, bytes) != BlockRead::Whole) return std::nullopt;
    return bytes;
}

std::optional<std::vector<uint8_t>> readRecordFile(const QString& path, size_t size,
                                                   int32_t version) {
    std::vector<uint8_t> bytes;
    const BlockRead read = readBlock(path, size, bytes);
    if (read == BlockRead::Whole && ByteReader(bytes.data(), bytes.size()).i32() == version)
        return bytes;
    // Only a file that was read and found wrong is replaced; one that cannot be opened may be
    // perfectly good (a permission the user can mend) and stays.
    if (read != BlockRead::Unopened) QFile::remove(path);
    return std::nullopt;
}

Status writeRecordFile(const QString& path, const std::vector<uint8_t>& bytes) {
    return replaceFile(path, bytes);
}

SettingsBlock loadSettingsBlock(const QString& path) {
    SettingsBlock block = defaultSettingsBlock();
    if (auto bytes = readRecordFile(path, SettingsBlock::kSize, SettingsBlock::kVersion))
        block = decodeSettingsBlock(bytes->data());
    block.Version = SettingsBlock::kVersion;
    return block;
}

Status saveSettingsBlock(const QString& path, const SettingsBlock& block) {
    return writeRecordFile(path, encodeSettingsBlock(block));
}

ProgramOptions loadProgramOptions(const QString& path) {
    ProgramOptions options = defaultProgramOptions();
    if (auto bytes = readRecordFile(path, ProgramOptions::kSize, ProgramOptions::kVersion))
        options = decodeProgramOptions(bytes->data());
    options.version = ProgramOptions::kVersion;
    return options;
}

Status saveProgramOptions(const QString& path, const ProgramOptions& options) {
    return writeRecordFile(path, encodeProgramOptions(options));
}

}  // namespace core
