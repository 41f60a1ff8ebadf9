// Language files (".lng"): a marker byte 1, then the text "KEY=text" lines separated by CR LF,
// each byte combined by exclusive-or with a 32-byte key in one continuous cycle.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

namespace core {

inline constexpr std::array<uint8_t, 32> kLanguageKey = {
    0x29, 0xE4, 0x68, 0x25, 0x3F, 0xC8, 0x2D, 0xEC, 0x6C, 0xE3, 0x15, 0xB2, 0x8F, 0x73, 0x27, 0xF7,
    0x0E, 0x99, 0xA6, 0x9A, 0xD4, 0xEB, 0x6D, 0x38, 0x26, 0xD5, 0x59, 0xBD, 0x07, 0x8E, 0x7C, 0xE2};

// The content of a language file for the given plain text (the scrambling is its own inverse).
QByteArray scrambleLanguageText(const QByteArray& text);

// The plain text of a language file's content; empty when the marker byte is not 1.
QByteArray unscrambleLanguageFile(const QByteArray& content);

}  // namespace core
