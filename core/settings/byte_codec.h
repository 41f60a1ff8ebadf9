// Little-endian field-by-field encoding of stored records. Records are never cast onto bytes, so
// their layout is the same on every platform whatever the compiler does with structs.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace core {

// The bytes of text[0, n) that remain when a character cut off at n is dropped whole, so cutting
// text to a byte count never leaves half a UTF-8 character behind.
inline size_t utf8WholeCharacters(const char* text, size_t n) {
    size_t lead = n;
    // Back over at most three continuation bytes (10xxxxxx) to the last character's first byte.
    while (lead > 0 && n - lead < 3 && (uint8_t(text[lead - 1]) & 0xC0) == 0x80)
        --lead;
    if (lead == 0) return n;
    const uint8_t first = uint8_t(text[lead - 1]);
    const size_t length = first < 0x80    ? 1
                          : first >= 0xF0 ? 4
                          : first >= 0xE0 ? 3
                          : first >= 0xC0 ? 2
                                          : 1;
    return lead - 1 + length > n ? lead - 1 : n;
}

// Appends fields to a growing byte buffer.
class ByteWriter {
  public:
    explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}

    void u8(uint8_t v) { out_.push_back(v); }
    void u16(uint16_t v) {
        out_.push_back(uint8_t(v));
        out_.push_back(uint8_t(v >> 8));
    }
    void i32(int32_t v) {
        const uint32_t u = uint32_t(v);
        for (int s = 0; s < 32; s += 8)
            out_.push_back(uint8_t(u >> s));
    }
    void bytes(const void* data, size_t n) {
        const auto* p = static_cast<const uint8_t*>(data);
        out_.insert(out_.end(), p, p + n);
    }
    // A length byte followed by exactly capacity bytes; longer text is cut to capacity at a
    // character boundary.
    void shortString(const std::string& text, size_t capacity) {
        const size_t n =
            text.size() <= capacity ? text.size() : utf8WholeCharacters(text.data(), capacity);
        u8(uint8_t(n));
        bytes(text.data(), n);
        out_.insert(out_.end(), capacity - n, 0);
    }
    size_t size() const { return out_.size(); }

  private:
    std::vector<uint8_t>& out_;
};

// Reads fields from a byte range; every read past the end fails and leaves the reader failed.
class ByteReader {
  public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool ok() const { return ok_; }
    size_t position() const { return pos_; }
    size_t remaining() const { return ok_ ? size_ - pos_ : 0; }

    uint8_t u8() {
        if (!take(1)) return 0;
        return data_[pos_ - 1];
    }
    uint16_t u16() {
        if (!take(2)) return 0;
        const uint8_t* p = data_ + pos_ - 2;
        return uint16_t(p[0] | (p[1] << 8));
    }
    int32_t i32() {
        if (!take(4)) return 0;
        const uint8_t* p = data_ + pos_ - 4;
        return int32_t(uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) |
                       (uint32_t(p[3]) << 24));
    }
    bool bytes(void* target, size_t n) {
        if (!take(n)) return false;
        std::copy(data_ + pos_ - n, data_ + pos_, static_cast<uint8_t*>(target));
        return true;
    }
    // A length byte followed by capacity bytes; a length above the capacity is cut to it.
    std::string shortString(size_t capacity) {
        const size_t n = std::min<size_t>(u8(), capacity);
        if (!take(capacity)) return {};
        const auto* p = reinterpret_cast<const char*>(data_ + pos_ - capacity);
        return std::string(p, n);
    }

  private:
    bool take(size_t n) {
        if (!ok_ || n > size_ - pos_) {
            ok_ = false;
            return false;
        }
        pos_ += n;
        return true;
    }

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

}  // namespace core
