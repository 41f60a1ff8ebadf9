// The decoder's work with LibRaw, without any input or output of its own: the helper program
// runs it on the bytes it was sent (and the tests run it in their own process to compare).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "imaging/raw_decoder/protocol.h"

namespace imaging::raw_decoder {

struct DecodedRaw {
    raw_protocol::RawFacts facts{};
    // facts.width x facts.height pixels of facts.colors 16-bit samples in the machine's byte
    // order, rows top-down, packed.
    const std::uint8_t* samples = nullptr;
    std::shared_ptr<void> owner;  // keeps the samples alive
};

// Opens the file and says what it holds; false with a message when LibRaw cannot read it.
bool identify(const std::uint8_t* data, std::size_t size, raw_protocol::RawFacts& facts,
              std::string& error);

// Demosaics the file to 16-bit sRGB. `flags` are RequestFlags; a picture of more than
// `maxPixels` pixels is refused before LibRaw decodes it.
bool decode(const std::uint8_t* data, std::size_t size, std::uint32_t flags,
            std::uint64_t maxPixels, DecodedRaw& picture, std::string& error);

}  // namespace imaging::raw_decoder
