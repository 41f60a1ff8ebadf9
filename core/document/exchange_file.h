// The image exchange file ("imgBuf.dat") through which a host application and filter plug-ins
// hand a picture to the program and take it back: a 38-byte little-endian header, the colour
// profile, then the pixels exactly as an imaging session holds them.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "core/errors/result.h"
#include "imaging/imaging.h"

namespace core {

inline constexpr int kExchangeHeaderSize = 38;
inline constexpr int kExchangeMinimumSide = 10;

struct ExchangeHeader {
    uint16_t height = 0;
    uint16_t width = 0;
    uint16_t planes = 3;
    uint32_t rowBytes = 0;  // without padding
    uint32_t reserved1 = 0;
    uint32_t reserved2 = 0;
    uint32_t imageBytes = 0;  // without padding
    uint8_t bitsPerChannel = 8;
    uint32_t rowStride = 0;  // 8 bits: bytes, padded to 4; 16 bits: samples
    uint32_t pixelDataSize = 0;
    uint16_t imageMode = 3;  // 3: 8 bits, 11: 16 bits
    uint8_t hasProfile = 0;
    uint32_t profileSize = 0;

    // Where the pixels start in the file.
    uint64_t pixelDataOffset() const { return kExchangeHeaderSize + uint64_t{profileSize}; }
};

// The header this program writes for a picture of this size and depth.
ExchangeHeader makeExchangeHeader(int width, int height, bool sixteen, uint32_t profileSize);
void encodeExchangeHeader(const ExchangeHeader& header, uint8_t out[kExchangeHeaderSize]);
ExchangeHeader decodeExchangeHeader(const uint8_t in[kExchangeHeaderSize]);

// Writes a whole exchange file from a session (header, its profile, its pixels). Fails with
// "ER_PLUGIN_CANNOT_WRITE".
Status writeExchangeFile(const QString& path, imaging::Handle session);

// Reads the exchange file of the temp folder into a session: the template of the picture's
// depth ("template8.tif" / "template16.tif" in the same folder) is loaded and resized, and the
// pixel data read straight into its memory; the profile is attached. With requiredSize (width,
// height) the picture must have that size (a reload after a filter plug-in). The header as read,
// for the write-back; failures: "ER_RLUGIN_DATA_NOTFOUND", "ER_PLUGIN_TEMPLATE",
// "ER_PLUGIN_CANNOT_READ", "ER_SRC_LOADING_INVALID".
Result<ExchangeHeader> readExchangeFile(
    const QString& tempFolder, imaging::Handle session,
    std::optional<std::pair<int, int>> requiredSize = std::nullopt);

// Writes a session's pixels back into the exchange file at the pixel offset of the header read
// at start; the header and the profile stay as they are. Failures: "ER_RLUGIN_DATA_NOTFOUND",
// "ER_PLUGIN_CANNOT_WRITE".
Status writeBackExchangeFile(const QString& path, const ExchangeHeader& header,
                             imaging::Handle session);

}  // namespace core
