#include "core/document/exchange_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <vector>

namespace core {

namespace {

void put16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void put32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}
uint16_t get16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t get32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// The session's pixel memory and its size in bytes.
bool sessionMemory(imaging::Handle session, uint8_t*& bits, uint64_t& size, bool& sixteen) {
    imaging::ImageInfo info;
    if (!imaging::cGetImageInfo(session, info)) return false;
    if (uint16_t* wide = imaging::cGetBits16Ptr(session)) {
        bits = reinterpret_cast<uint8_t*>(wide);
        size = uint64_t{6} * info.width * info.height;
        sixteen = true;
    } else {
        bits = imaging::cGetBitsPtr(session);
        size = ((uint64_t{3} * info.width + 3) / 4) * 4 * info.height;
        sixteen = false;
    }
    return bits != nullptr;
}

}  // namespace

ExchangeHeader makeExchangeHeader(int width, int height, bool sixteen, uint32_t profileSize) {
    ExchangeHeader h;
    h.width = static_cast<uint16_t>(width);
    h.height = static_cast<uint16_t>(height);
    h.planes = 3;
    const uint32_t factor = sixteen ? 2 : 1;
    h.rowBytes = static_cast<uint32_t>(width) * 3 * factor;
    h.imageBytes = static_cast<uint32_t>(width) * static_cast<uint32_t>(height) * 3 * factor;
    h.bitsPerChannel = sixteen ? 16 : 8;
    h.rowStride = sixteen ? static_cast<uint32_t>(width) * 3
                          : ((static_cast<uint32_t>(width) * 3 + 3) / 4) * 4;
    h.pixelDataSize = h.rowStride * static_cast<uint32_t>(height) * factor;
    h.imageMode = sixteen ? 11 : 3;
    h.hasProfile = profileSize ? 1 : 0;
    h.profileSize = profileSize;
    return h;
}

void encodeExchangeHeader(const ExchangeHeader& h, uint8_t out[kExchangeHeaderSize]) {
    put16(out + 0, h.height);
    put16(out + 2, h.width);
    put16(out + 4, h.planes);
    put32(out + 6, h.rowBytes);
    put32(out + 10, h.reserved1);
    put32(out + 14, h.reserved2);
    put32(out + 18, h.imageBytes);
    out[22] = h.bitsPerChannel;
    put32(out + 23, h.rowStride);
    put32(out + 27, h.pixelDataSize);
    put16(out + 31, h.imageMode);
    out[33] = h.hasProfile;
    put32(out + 34, h.profileSize);
}

ExchangeHeader decodeExchangeHeader(const uint8_t in[kExchangeHeaderSize]) {
    ExchangeHeader h;
    h.height = get16(in + 0);
    h.width = get16(in + 2);
    h.planes = get16(in + 4);
    h.rowBytes = get32(in + 6);
    h.reserved1 = get32(in + 10);
    h.reserved2 = get32(in + 14);
    h.imageBytes = get32(in + 18);
    h.bitsPerChannel = in[22];
    h.rowStride = get32(in + 23);
    h.pixelDataSize = get32(in + 27);
    h.imageMode = get16(in + 31);
    h.hasProfile = in[33];
    h.profileSize = get32(in + 34);
    return h;
}

Status writeExchangeFile(const QString& path, imaging::Handle session) {
    uint8_t* bits = nullptr;
    uint64_t size = 0;
    bool sixteen = false;
    imaging::ImageInfo info;
    if (!sessionMemory(session, bits, size, sixteen) || !imaging::cGetImageInfo(session, info) ||
        info.width > 0xFFFF || info.height > 0xFFFF) {
        return failure("ER_PLUGIN_CANNOT_WRITE");
    }
    const std::vector<uint8_t> profile = imaging::cGetImageICCProfile(session);
    const ExchangeHeader h =
        makeExchangeHeader(info.width, info.height, sixteen, static_cast<uint32_t>(profile.size()));
    uint8_t header[kExchangeHeaderSize];
    encodeExchangeHeader(h, header);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(header), kExchangeHeaderSize) !=
            kExchangeHeaderSize ||
        file.write(reinterpret_cast<const char*>(profile.data()),
                   static_cast<qint64>(profile.size())) != static_cast<qint64>(profile.size()) ||
        file.write(reinterpret_cast<const char*>(bits), static_cast<qint64>(size)) !=
            static_cast<qint64>(size)) {
        return failure("ER_PLUGIN_CANNOT_WRITE");
    }
    return {};
}

Result<ExchangeHeader> readExchangeFile(const QString& tempFolder, imaging::Handle session,
                                        std::optional<std::pair<int, int>> requiredSize) {
    const QDir dir(tempFolder);
    QFile file(dir.filePath(QStringLiteral("imgBuf.dat")));
    if (!file.exists()) {
        return failure("ER_RLUGIN_DATA_NOTFOUND");
    }
    const QString template8 = dir.filePath(QStringLiteral("template8.tif"));
    const QString template16 = dir.filePath(QStringLiteral("template16.tif"));
    if (!QFileInfo::exists(template8) || !QFileInfo::exists(template16)) {
        return failure("ER_PLUGIN_TEMPLATE");
    }
    uint8_t raw[kExchangeHeaderSize];
    if (!file.open(QIODevice::ReadOnly) ||
        file.read(reinterpret_cast<char*>(raw), kExchangeHeaderSize) != kExchangeHeaderSize) {
        return failure("ER_PLUGIN_CANNOT_READ");
    }
    const ExchangeHeader h = decodeExchangeHeader(raw);
    const bool sixteen = h.bitsPerChannel == 16;
    if ((h.bitsPerChannel != 8 && !sixteen) || h.width < kExchangeMinimumSide ||
        h.height < kExchangeMinimumSide ||
        (requiredSize && (requiredSize->first != h.width || requiredSize->second != h.height))) {
        return failure("ER_SRC_LOADING_INVALID");
    }
    // The pixels are read straight into the session's memory: the header must describe exactly
    // that memory, or a wrong size would write past it.
    const ExchangeHeader expected = makeExchangeHeader(h.width, h.height, sixteen, h.profileSize);
    if (h.rowStride != expected.rowStride || h.pixelDataSize != expected.pixelDataSize) {
        return failure("ER_SRC_LOADING_INVALID");
    }
    if (static_cast<uint64_t>(file.size()) < h.pixelDataOffset() + h.pixelDataSize) {
        return failure("ER_PLUGIN_CANNOT_READ");
    }
    imaging::cUnload(session);
    if (!imaging::cLoadImage(session, (sixteen ? template16 : template8).toStdString()) ||
        (imaging::cGetBits16Ptr(session) != nullptr) != sixteen ||
        !imaging::cOpResizeEx(session, h.width, h.height)) {
        imaging::cUnload(session);
        return failure("ER_PLUGIN_TEMPLATE");
    }
    std::vector<uint8_t> profile;
    if (h.profileSize) {
        profile.resize(h.profileSize);
        if (file.read(reinterpret_cast<char*>(profile.data()), h.profileSize) != h.profileSize) {
            imaging::cUnload(session);
            return failure("ER_PLUGIN_CANNOT_READ");
        }
    }
    uint8_t* bits = nullptr;
    uint64_t size = 0;
    bool deep = false;
    if (!sessionMemory(session, bits, size, deep) || size != h.pixelDataSize ||
        !file.seek(static_cast<qint64>(h.pixelDataOffset())) ||
        file.read(reinterpret_cast<char*>(bits), static_cast<qint64>(size)) !=
            static_cast<qint64>(size)) {
        imaging::cUnload(session);
        return failure("ER_PLUGIN_CANNOT_READ");
    }
    imaging::cDestroyEXIF(session);
    imaging::cDestroyIPTC(session);
    imaging::cLoadICCProfile(session, profile.empty() ? nullptr : profile.data(), profile.size());
    if (sixteen) imaging::cRefreshDisplayData(session);
    return h;
}

Status writeBackExchangeFile(const QString& path, const ExchangeHeader& header,
                             imaging::Handle session) {
    QFile file(path);
    if (!file.exists()) {
        return failure("ER_RLUGIN_DATA_NOTFOUND");
    }
    uint8_t* bits = nullptr;
    uint64_t size = 0;
    bool sixteen = false;
    // The result must fill exactly the space the header gives it; a picture of another size or
    // depth would write too little or read past its memory.
    if (!sessionMemory(session, bits, size, sixteen) || size != header.pixelDataSize ||
        sixteen != (header.bitsPerChannel == 16) || !file.open(QIODevice::ReadWrite) ||
        !file.seek(static_cast<qint64>(header.pixelDataOffset())) ||
        file.write(reinterpret_cast<const char*>(bits), static_cast<qint64>(size)) !=
            static_cast<qint64>(size) ||
        !file.flush()) {
        return failure("ER_PLUGIN_CANNOT_WRITE");
    }
    return {};
}

}  // namespace core
