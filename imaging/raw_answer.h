// Reads the camera raw decoder's answer (raw_decoder/protocol.h). Every byte comes from another
// process that may have been led astray by the file: each size is checked against what its frame
// may hold before anything is allocated or read, and any sequence but the protocol's is refused.
//
// A false result with `error` set is a decision (the decoder's own failure, or an answer that
// breaks the protocol); with `error` empty the answer stopped short, and how the decoder ended
// tells why.
#pragma once

#include <cstdint>
#include <string>

#include "imaging/helper_process.h"
#include "imaging/raw_decoder/protocol.h"

namespace imaging {

inline constexpr const char* kRawDecoderName = "The camera raw decoder";

class RawAnswer {
  public:
    explicit RawAnswer(ChildAnswer& answer) : answer_(answer) {}
    // The first frame: the facts (checked to be ones LibRaw can give: sizes of 0 to 65535, a
    // raw format code; `decoded` also wants 1 or 3 colours), or the decoder's failure text.
    bool facts(raw_protocol::RawFacts& facts, bool decoded, std::string& error);
    // One row of exactly `size` bytes.
    bool row(void* data, std::uint32_t size, std::string& error);
    // The End frame, and nothing after it.
    bool end(std::string& error);

  private:
    ChildAnswer& answer_;
};

}  // namespace imaging
