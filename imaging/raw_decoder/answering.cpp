#include "imaging/raw_decoder/answering.h"

#include <algorithm>
#include <string>

#include "imaging/raw_decoder/libraw_decoding.h"

namespace imaging::raw_decoder {

namespace {

using namespace raw_protocol;

bool sendFailure(int fd, const std::string& error) {
    const auto size =
        static_cast<std::uint32_t>(std::min<std::size_t>(error.size(), kMaxFailureText));
    return writeFrame(fd, kFailure, error.data(), size);
}

bool sendIdentity(int fd, const std::uint8_t* data, std::size_t size) {
    RawFacts facts{};
    std::string error;
    if (!identify(data, size, facts, error)) return sendFailure(fd, error);
    return writeFrame(fd, kFacts, &facts, sizeof facts) && writeFrame(fd, kEnd, nullptr, 0);
}

bool sendPicture(int fd, const RawRequest& request, const std::uint8_t* data, std::size_t size) {
    DecodedRaw picture;
    std::string error;
    if (!decode(data, size, request.flags, request.maxPixels, picture, error))
        return sendFailure(fd, error);
    const RawFacts& facts = picture.facts;
    if (!writeFrame(fd, kFacts, &facts, sizeof facts)) return false;
    const auto rowBytes =
        static_cast<std::uint32_t>(facts.width) * static_cast<std::uint32_t>(facts.colors) * 2u;
    for (std::int32_t y = 0; y < facts.height; ++y)
        if (!writeFrame(fd, kRows, picture.samples + static_cast<std::size_t>(y) * rowBytes,
                        rowBytes))
            return false;
    return writeFrame(fd, kEnd, nullptr, 0);
}

}  // namespace

bool answer(int fd, const RawRequest& request, const std::uint8_t* data, std::size_t size) {
    return request.operation == kIdentify ? sendIdentity(fd, data, size)
                                          : sendPicture(fd, request, data, size);
}

}  // namespace imaging::raw_decoder
