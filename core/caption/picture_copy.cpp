#include "core/caption/picture_copy.h"

#include <QString>
#include <cstring>
#include <utility>

namespace core::caption {

size_t pixelBytes(const PixelView& v) {
    if (v.BytesPerSample == 2) return size_t(v.Width) * size_t(v.Height) * 6;
    return ((size_t(v.Width) * 3 + 3) & ~size_t(3)) * size_t(v.Height);
}

PictureCopy::PictureCopy(PictureCopy&& other) noexcept
    : bytes_(std::move(other.bytes_)),
      session_(std::exchange(other.session_, 0)),
      view_(other.view_) {
    if (!session_) view_.Bits = bytes_.data();
}

PictureCopy& PictureCopy::operator=(PictureCopy&& other) noexcept {
    if (this != &other) {
        if (session_) imaging::cDestroySession(session_);
        bytes_ = std::move(other.bytes_);
        session_ = std::exchange(other.session_, 0);
        view_ = other.view_;
        if (!session_) view_.Bits = bytes_.data();
    }
    return *this;
}

PictureCopy::~PictureCopy() {
    if (session_) imaging::cDestroySession(session_);
}

Result<PictureCopy> PictureCopy::make(const PixelView& source, QSize size, int filter) {
    auto fail = [](const QString& why) { return failure("ALS_DLL_EXCEPTION", why); };
    if (!source.Bits || source.Width <= 0 || source.Height <= 0 ||
        (source.BytesPerSample != 1 && source.BytesPerSample != 2))
        return fail(QStringLiteral("the picture has no pixels"));
    PictureCopy copy;
    const size_t bytes = pixelBytes(source);
    if (size == QSize(source.Width, source.Height)) {
        copy.bytes_.resize(bytes);
        std::memcpy(copy.bytes_.data(), source.Bits, bytes);
        copy.view_ = source;
        copy.view_.Bits = copy.bytes_.data();
        return copy;
    }
    copy.session_ = imaging::cNewSession();
    if (!copy.session_) return fail(QString::fromStdString(imaging::cGetLastError(0)));
    const bool wide = source.BytesPerSample == 2;
    const bool loaded =
        wide ? imaging::cLoadImage16(copy.session_, static_cast<const uint16_t*>(source.Bits),
                                     bytes, source.Width, source.Height)
             : imaging::cLoadImage8(copy.session_, static_cast<const uint8_t*>(source.Bits), bytes,
                                    source.Width, source.Height);
    if (!loaded || !imaging::cOpResizeEx(copy.session_, size.width(), size.height(), filter))
        return fail(QString::fromStdString(imaging::cGetLastError(copy.session_)));
    void* bits = wide ? static_cast<void*>(imaging::cGetBits16Ptr(copy.session_))
                      : static_cast<void*>(imaging::cGetBitsPtr(copy.session_));
    if (!bits) return fail(QStringLiteral("the reduced picture has no pixels"));
    copy.view_ = {bits, size.width(), source.BytesPerSample, size.height()};
    return copy;
}

}  // namespace core::caption
