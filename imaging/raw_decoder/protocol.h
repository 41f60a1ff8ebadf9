// What the program and the camera raw decoder (the helper program velmarfilter-raw) say to each
// other. Both sides include this header; nothing in it trusts the other side.
//
// Request, on the decoder's standard input (an in-memory file): one RawRequest, then the bytes
// of the raw file.
//
// Answer, on the decoder's standard output (a pipe): frames, each a FrameHeader and `size` bytes.
//   identify:  Facts, End                       or  Failure
//   decode:    Facts, `height` Rows frames, End  or  Failure
// A Failure frame (the decoder's own message) ends the answer. Nothing follows End. The reader
// bounds every size before it allocates and rejects any other sequence.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>

namespace imaging::raw_protocol {

constexpr std::uint32_t fourCc(const char (&s)[5]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(s[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[3])) << 24;
}

constexpr std::uint32_t kRequestMagic = fourCc("VFRq");
constexpr std::uint32_t kVersion = 1;

enum Operation : std::uint32_t { kIdentify = 1, kDecode = 2 };

enum RequestFlags : std::uint32_t {
    kCameraWhiteBalance = 1,
    kHalfSize = 2,
    kApplyOrientation = 4,
};

struct RawRequest {
    std::uint32_t magic = kRequestMagic;
    std::uint32_t version = kVersion;
    std::uint32_t operation = 0;
    std::uint32_t flags = 0;
    std::uint64_t maxPixels = 0;  // the largest picture the program accepts
    std::uint64_t fileSize = 0;   // bytes of the raw file that follow
    std::int64_t parentPid = 0;   // the decoder ends when this process is gone
};

enum FrameKind : std::uint32_t {
    kFacts = fourCc("FACT"),
    kFailure = fourCc("FAIL"),
    kRows = fourCc("ROWS"),
    kEnd = fourCc("DONE"),
};

struct FrameHeader {
    std::uint32_t kind;
    std::uint32_t size;  // bytes of the frame's body
};

// What LibRaw found in a file.
struct RawFacts {
    std::int32_t width, height;        // of the picture LibRaw makes, before turning
    std::int32_t rawWidth, rawHeight;  // of the sensor data
    std::int32_t flip;
    std::int32_t formatCode;
    std::int32_t colors;  // of the decoded picture: 1 or 3; 0 when only identified
};

// The longest message a Failure frame may carry.
constexpr std::uint32_t kMaxFailureText = 4096;

// Writes all `size` bytes; false when the reader has gone.
inline bool writeAll(int fd, const void* data, std::size_t size) {
    const auto* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t put = ::write(fd, p, size);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

inline bool writeFrame(int fd, std::uint32_t kind, const void* body, std::uint32_t size) {
    const FrameHeader header{kind, size};
    return writeAll(fd, &header, sizeof header) && (size == 0 || writeAll(fd, body, size));
}

}  // namespace imaging::raw_protocol
