#include "core/document/picture_image.h"

#include <QPainter>
#include <cstring>
#include <vector>

#include "imaging/image.h"

namespace core {

namespace {

bool sessionSize(imaging::Handle session, int& width, int& height) {
    imaging::ImageInfo info;
    if (!session || !imaging::cGetImageInfo(session, info) || info.width <= 0 || info.height <= 0)
        return false;
    width = info.width;
    height = info.height;
    return true;
}

QImage fromSixteen(const uint16_t* bits, int width, int height, bool reduce) {
    QImage out(width, height, reduce ? QImage::Format_RGB888 : QImage::Format_RGBX64);
    if (out.isNull()) return {};
    const size_t stride = imaging::stride16Samples(width);
    for (int y = 0; y < height; ++y) {
        const uint16_t* in = bits + size_t(y) * stride;
        if (reduce) {
            uchar* line = out.scanLine(y);
            for (int x = 0; x < width; ++x) {
                line[3 * x] = uchar(in[3 * x + 2] >> 8);
                line[3 * x + 1] = uchar(in[3 * x + 1] >> 8);
                line[3 * x + 2] = uchar(in[3 * x] >> 8);
            }
        } else {
            auto* line = reinterpret_cast<uint16_t*>(out.scanLine(y));
            for (int x = 0; x < width; ++x) {
                line[4 * x] = in[3 * x + 2];
                line[4 * x + 1] = in[3 * x + 1];
                line[4 * x + 2] = in[3 * x];
                line[4 * x + 3] = 0xFFFF;
            }
        }
    }
    return out;
}

QImage fromEight(const uint8_t* bits, int width, int height) {
    QImage out(width, height, QImage::Format_RGB888);
    if (out.isNull()) return {};
    const size_t stride = imaging::stride8(width);
    for (int y = 0; y < height; ++y) {
        // Stored rows count from the bottom.
        const uint8_t* in = bits + size_t(height - 1 - y) * stride;
        uchar* line = out.scanLine(y);
        for (int x = 0; x < width; ++x) {
            line[3 * x] = in[3 * x + 2];
            line[3 * x + 1] = in[3 * x + 1];
            line[3 * x + 2] = in[3 * x];
        }
    }
    return out;
}

QImage onWhite(const QImage& image, QImage::Format format) {
    if (!image.hasAlphaChannel()) return image.convertToFormat(format);
    QImage out(image.size(), format);
    if (out.isNull()) return {};
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.drawImage(0, 0, image);
    painter.end();
    return out;
}

}  // namespace

QImage displayImage(imaging::Handle session) {
    int width = 0, height = 0;
    if (!sessionSize(session, width, height)) return {};
    if (const uint16_t* wide = imaging::cGetBits16Ptr(session))
        return fromSixteen(wide, width, height, true);
    const uint8_t* bits = imaging::cGetBitsPtr(session);
    return bits ? fromEight(bits, width, height) : QImage();
}

QImage pictureImage(imaging::Handle session) {
    int width = 0, height = 0;
    if (!sessionSize(session, width, height)) return {};
    if (const uint16_t* wide = imaging::cGetBits16Ptr(session))
        return fromSixteen(wide, width, height, false);
    const uint8_t* bits = imaging::cGetBitsPtr(session);
    return bits ? fromEight(bits, width, height) : QImage();
}

Status loadPictureImage(imaging::Handle session, const QImage& image) {
    imaging::cUnload(session);
    if (image.isNull()) return failure("ER_SRC_LOADING_INVALID");
    const int width = image.width();
    const int height = image.height();
    bool loaded = false;
    if (image.depth() > 32) {
        const QImage rgb = onWhite(image, QImage::Format_RGBX64);
        if (rgb.isNull()) return failure("ER_SRC_LOADING_INVALID");
        std::vector<uint16_t> pixels(imaging::stride16Samples(width) * size_t(height));
        for (int y = 0; y < height; ++y) {
            const auto* in = reinterpret_cast<const uint16_t*>(rgb.constScanLine(y));
            uint16_t* out = pixels.data() + size_t(y) * imaging::stride16Samples(width);
            for (int x = 0; x < width; ++x) {
                out[3 * x] = in[4 * x + 2];
                out[3 * x + 1] = in[4 * x + 1];
                out[3 * x + 2] = in[4 * x];
            }
        }
        loaded = imaging::cLoadImage16(session, pixels.data(), pixels.size() * sizeof(uint16_t),
                                       width, height);
    } else {
        const QImage rgb = onWhite(image, QImage::Format_RGB888);
        if (rgb.isNull()) return failure("ER_SRC_LOADING_INVALID");
        const size_t stride = imaging::stride8(width);
        std::vector<uint8_t> pixels(stride * size_t(height));
        for (int y = 0; y < height; ++y) {
            const uchar* in = rgb.constScanLine(y);
            uint8_t* out = pixels.data() + size_t(height - 1 - y) * stride;
            for (int x = 0; x < width; ++x) {
                out[3 * x] = in[3 * x + 2];
                out[3 * x + 1] = in[3 * x + 1];
                out[3 * x + 2] = in[3 * x];
            }
        }
        loaded = imaging::cLoadImage8(session, pixels.data(), pixels.size(), width, height);
    }
    if (!loaded) {
        const QString reason = QString::fromStdString(imaging::cGetLastError(session));
        imaging::cUnload(session);
        return failure("ER_SRC_LOADING_INVALID", reason);
    }
    return {};
}

}  // namespace core
