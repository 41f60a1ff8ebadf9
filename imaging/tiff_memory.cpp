#include "imaging/tiff_memory.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace imaging {

tmsize_t MemoryFile::read(thandle_t h, void* buf, tmsize_t size) {
    auto* f = static_cast<MemoryFile*>(h);
    const std::uint8_t* base = f->data_ ? f->data_ : f->owned_.data();
    const std::uint64_t total = f->data_ ? f->size_ : f->owned_.size();
    if (size <= 0 || f->pos_ >= total) return 0;
    const std::uint64_t n =
        std::min<std::uint64_t>(static_cast<std::uint64_t>(size), total - f->pos_);
    std::memcpy(buf, base + f->pos_, n);
    f->pos_ += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t MemoryFile::write(thandle_t h, void* buf, tmsize_t size) {
    auto* f = static_cast<MemoryFile*>(h);
    if (f->data_ || size < 0) return -1;
    const std::uint64_t end = f->pos_ + static_cast<std::uint64_t>(size);
    if (end > f->owned_.size()) f->owned_.resize(end);
    std::memcpy(f->owned_.data() + f->pos_, buf, static_cast<std::size_t>(size));
    f->pos_ = end;
    return size;
}

toff_t MemoryFile::seek(thandle_t h, toff_t off, int whence) {
    auto* f = static_cast<MemoryFile*>(h);
    const std::uint64_t total = f->data_ ? f->size_ : f->owned_.size();
    std::uint64_t base = whence == SEEK_CUR ? f->pos_ : (whence == SEEK_END ? total : 0);
    const std::uint64_t target = base + off;
    if (target > (std::uint64_t{1} << 40)) return static_cast<toff_t>(-1);
    f->pos_ = target;
    return target;
}

int MemoryFile::close(thandle_t) {
    return 0;
}

toff_t MemoryFile::size(thandle_t h) {
    auto* f = static_cast<MemoryFile*>(h);
    return f->data_ ? f->size_ : f->owned_.size();
}

int MemoryFile::map(thandle_t, void**, toff_t*) {
    return 0;
}
void MemoryFile::unmap(thandle_t, void*, toff_t) {}

}  // namespace imaging
