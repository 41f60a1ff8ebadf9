#include "core/editors/memory_colour_record.h"

#include "core/settings/byte_codec.h"

namespace core {

std::vector<uint8_t> encodeMemoryColor(const MemoryColor& color) {
    std::vector<uint8_t> bytes;
    bytes.reserve(kMemoryColorSize);
    ByteWriter w(bytes);
    w.shortString(color.ColorName, kMemoryColorNameBytes);
    w.u16(color.ColorRed);
    w.u16(color.ColorGreen);
    w.u16(color.ColorBlue);
    return bytes;
}

std::optional<MemoryColor> decodeMemoryColor(const uint8_t* record) {
    // A length byte the name cannot hold means the bytes are not a record; reading on would
    // turn whatever follows into names and colours.
    if (record[0] > kMemoryColorNameBytes) return std::nullopt;
    ByteReader r(record, kMemoryColorSize);
    MemoryColor c;
    c.ColorName = r.shortString(kMemoryColorNameBytes);
    c.ColorRed = r.u16();
    c.ColorGreen = r.u16();
    c.ColorBlue = r.u16();
    return c;
}

}  // namespace core
