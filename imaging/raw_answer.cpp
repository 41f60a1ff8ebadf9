#include "imaging/raw_answer.h"

#include "imaging/format_codes.h"

namespace imaging {

using namespace raw_protocol;

namespace {

std::string unreadable() {
    return std::string(kRawDecoderName) + " sent an unreadable answer.";
}

bool plausible(const RawFacts& f, bool decoded) {
    const auto size = [](std::int32_t v) { return v >= 0 && v <= 0xFFFF; };
    return size(f.width) && size(f.height) && size(f.rawWidth) && size(f.rawHeight) &&
           f.flip >= 0 && f.flip <= 7 && isRawFormat(f.formatCode) &&
           (decoded ? f.colors == 1 || f.colors == 3 : f.colors == 0);
}

// The decoder's message as the user will read it: no control characters.
std::string printable(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return text.empty() ? "The camera raw file cannot be read." : text;
}

}  // namespace

bool RawAnswer::facts(RawFacts& facts, bool decoded, std::string& error) {
    FrameHeader header{};
    if (!answer_.read(&header, sizeof header)) return false;
    if (header.kind == kFailure) {
        if (header.size > kMaxFailureText) {
            error = unreadable();
            return false;
        }
        std::string text(header.size, '\0');
        if (!answer_.read(text.data(), text.size())) return false;
        error = printable(std::move(text));
        return false;
    }
    if (header.kind != kFacts || header.size != sizeof facts) {
        error = unreadable();
        return false;
    }
    if (!answer_.read(&facts, sizeof facts)) return false;
    if (!plausible(facts, decoded)) {
        error = std::string(kRawDecoderName) + " made a picture of no usable shape.";
        return false;
    }
    return true;
}

bool RawAnswer::row(void* data, std::uint32_t size, std::string& error) {
    FrameHeader header{};
    if (!answer_.read(&header, sizeof header)) return false;
    if (header.kind != kRows || header.size != size) {
        error = unreadable();
        return false;
    }
    return answer_.read(data, size);
}

bool RawAnswer::end(std::string& error) {
    FrameHeader header{};
    if (!answer_.read(&header, sizeof header)) return false;
    if (header.kind != kEnd || header.size != 0) {
        error = unreadable();
        return false;
    }
    if (answer_.ended()) return true;
    if (!answer_.timedOut()) error = unreadable();  // more followed the end
    return false;
}

}  // namespace imaging
