// A file in memory for libtiff's client interface: read from caller bytes, or write into a
// growing buffer.
#pragma once

#include <tiffio.h>

#include <cstdint>
#include <string>

#include "imaging/image.h"

namespace imaging {

class MemoryFile {
  public:
    MemoryFile() = default;
    MemoryFile(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    Bytes& buffer() { return owned_; }

    static tmsize_t read(thandle_t h, void* buf, tmsize_t size);
    static tmsize_t write(thandle_t h, void* buf, tmsize_t size);
    static toff_t seek(thandle_t h, toff_t off, int whence);
    static int close(thandle_t h);
    static toff_t size(thandle_t h);
    static int map(thandle_t h, void** base, toff_t* size);
    static void unmap(thandle_t h, void* base, toff_t size);

  private:
    const std::uint8_t* data_ = nullptr;  // read mode when not null
    std::size_t size_ = 0;
    Bytes owned_;
    std::uint64_t pos_ = 0;
};

// Opens libtiff on a memory file; errors are collected into message.
TIFF* openTiffForReading(MemoryFile& file, std::string& message);
TIFF* openTiffForWriting(MemoryFile& file, std::string& message);

}  // namespace imaging
