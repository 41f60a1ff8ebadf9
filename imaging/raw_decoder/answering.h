// The decoder's work on one request: LibRaw on the file, the answer written as frames
// (protocol.h) to a file descriptor. The decoder program answers on its standard output; a
// build with VF_RAW_IN_PROCESS (the fuzz build) runs the same work inside the reading process.
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/raw_decoder/protocol.h"

namespace imaging::raw_decoder {

// False when the answer could not be written (its reader went away).
bool answer(int fd, const raw_protocol::RawRequest& request, const std::uint8_t* data,
            std::size_t size);

}  // namespace imaging::raw_decoder
