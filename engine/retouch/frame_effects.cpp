#include "frame_effects.h"

#include <algorithm>
#include <cmath>

#include "luminance.h"
#include "picture_planes.h"
#include "pixel_paint.h"
#include "plane.h"
#include "progress.h"
#include "smooth_profile.h"
#include "smooth_step.h"
#include "velmar_blur.h"

namespace dnr {
namespace {

using Colour = int32_t[3];  // 16-bit scale, blue, green, red

struct Box {
    int32_t x0, y0, x1, y1;  // inclusive
};

constexpr int32_t kBevelGrey = 0xFF00;

void blendPixel(const View& out, int32_t x, int32_t y, const Colour& colour, int32_t opacity) {
    for (int c = 0; c < 3; ++c)
        blendChannel(out, x, y, c, colour[c], opacity);
}

// The picture pixel shown at output position (x, y), moved inside the picture.
void pictureColour(const View& picture, const FrameLayout& l, int64_t x, int64_t y,
                   Colour& colour) {
    const auto px = static_cast<int32_t>(std::clamp<int64_t>(x - l.marginX, 0, picture.width - 1));
    const auto py = static_cast<int32_t>(std::clamp<int64_t>(y - l.marginY, 0, picture.height - 1));
    for (int c = 0; c < 3; ++c)
        colour[c] = static_cast<int32_t>(picture.sample(px, py, c));
}

// How many rings around box fit inside the output, at most band.
int32_t fittingRings(const View& out, const Box& b, int32_t band) {
    const int64_t fit = std::min({int64_t{b.x0}, int64_t{b.y0}, int64_t{out.width} - 1 - b.x1,
                                  int64_t{out.height} - 1 - b.y1}) +
                        1;
    return static_cast<int32_t>(std::clamp<int64_t>(fit, 0, band));
}

// Visits every pixel on or outside box that lies within count rings of it, with its distance
// from the box: straight out along the sides, rounded at the corners.
template <typename PerPixel>
void forRingPixels(const View& out, const Box& b, int32_t count, PerPixel&& perPixel) {
    if (count <= 0 || b.x1 < b.x0 || b.y1 < b.y0) return;
    const int32_t xa = std::max(0, b.x0 - count + 1);
    const int32_t xb = std::min(out.width - 1, b.x1 + count - 1);
    const int32_t ya = std::max(0, b.y0 - count + 1);
    const int32_t yb = std::min(out.height - 1, b.y1 + count - 1);
    for (int32_t y = ya; y <= yb; ++y) {
        const int32_t dy = y < b.y0 ? b.y0 - y : y > b.y1 ? y - b.y1 : 0;
        for (int32_t x = xa; x <= xb; ++x) {
            if (dy == 0 && y > b.y0 && y < b.y1 && x > b.x0 && x < b.x1) {
                x = b.x1 - 1;  // the inside of the box is left to the picture
                continue;
            }
            const int32_t dx = x < b.x0 ? b.x0 - x : x > b.x1 ? x - b.x1 : 0;
            const double d = dx > 0 && dy > 0 ? std::sqrt(double(dx) * dx + double(dy) * dy)
                                              : double(std::max(dx, dy));
            if (d < count) perPixel(x, y, d);
        }
    }
}

// A shadow falling to the lower right: rings around the picture rectangle pulled in at the left
// and the top.
void drawShadow(const View& out, const FrameLayout& l, const Colour& shade) {
    const int32_t t = l.band;
    const int32_t k = 2 * t / 3;
    const Box b{l.left + 2 * k - 1, l.bottom - 1, l.right + 1, l.top - 2 * k + 1};
    forRingPixels(out, b, fittingRings(out, b, t), [&](int32_t x, int32_t y, double d) {
        blendPixel(out, x, y, shade, ringOpacity(d, t, 60));
    });
}

// The picture mirrored across its edges into the band, fading into the frame colour.
void drawFadeOut(const View& picture, const View& out, const FrameLayout& l) {
    if (l.right < l.left || l.top < l.bottom) return;
    const int32_t t = l.band;
    const Box b{l.left - 1, l.bottom - 1, l.right + 1, l.top + 1};
    forRingPixels(out, b, fittingRings(out, b, t), [&](int32_t x, int32_t y, double d) {
        int64_t sx = x < l.left    ? 2 * int64_t{l.left} - 1 - x
                     : x > l.right ? 2 * int64_t{l.right} + 1 - x
                                   : x;
        int64_t sy = y < l.bottom ? 2 * int64_t{l.bottom} - 1 - y
                     : y > l.top  ? 2 * int64_t{l.top} + 1 - y
                                  : y;
        sx = std::clamp<int64_t>(sx, l.left, l.right);
        sy = std::clamp<int64_t>(sy, l.bottom, l.top);
        Colour colour;
        pictureColour(picture, l, sx, sy, colour);
        blendPixel(out, x, y, colour, ringOpacity(d, t, 100));
    });
}

// A bevel: light grey blended into the lower and right sides, its complement into the upper
// and left ones, shifted toward lighter on dark frames and darker on light ones.
void draw3dFrame(const View& out, const FrameLayout& l, int32_t percent, bool smooth) {
    const int32_t d = percent <= 29 ? 30 : percent > 70 ? -30 : 0;
    const Colour grey{kBevelGrey, kBevelGrey, kBevelGrey};
    const int32_t t = l.band;
    auto put = [&](int64_t x, int64_t y, int32_t opacity) {
        if (x >= 0 && y >= 0 && x < out.width && y < out.height)
            blendPixel(out, int32_t(x), int32_t(y), grey, std::clamp(opacity, -100, 100));
    };
    for (int32_t i = 0; i < t; ++i) {
        const double factor = smooth ? 2.0 * smoothProfile(double(t - i) / t * 0.5) : 1.0;
        const auto top = static_cast<int32_t>((d - 13) * factor);
        const auto left = static_cast<int32_t>((d - 20) * factor);
        const auto bottom = static_cast<int32_t>((d + 13) * factor);
        const auto right = static_cast<int32_t>((d + 20) * factor);
        const int64_t x0 = int64_t{l.left} - 1 - i, x1 = int64_t{l.right} + 1 + i;
        const int64_t y0 = int64_t{l.bottom} - 1 - i, y1 = int64_t{l.top} + 1 + i;
        for (int64_t x = std::max<int64_t>(x0, 0); x <= std::min<int64_t>(x1, out.width - 1); ++x) {
            put(x, y1, top);
            put(x, y0, bottom);
        }
        for (int64_t y = std::max<int64_t>(y0 + 1, 0);
             y <= std::min<int64_t>(y1 - 1, out.height - 1); ++y) {
            put(x0, y, left);
            put(x1, y, right);
        }
    }
}

// The picture rectangle enlarged by the band, clipped to the output.
Box bandBox(const View& out, const FrameLayout& l) {
    return {std::max(0, l.left - l.band), std::max(0, l.bottom - l.band),
            static_cast<int32_t>(std::min<int64_t>(int64_t{l.right} + l.band, out.width - 1)),
            static_cast<int32_t>(std::min<int64_t>(int64_t{l.top} + l.band, out.height - 1))};
}

// The band shows the picture itself, blurred.
bool drawBlurredBand(const View& picture, const View& out, const FrameLayout& l, double unit) {
    const int32_t radius =
        static_cast<int32_t>(double(std::max(picture.width, picture.height)) * unit * 3 + 0.99999);
    PlaneSet planes;
    // Outside the pipeline: no progress reaches a run's callback.
    progress::setSuppressed(true);
    bool ok = copyPictureToPlanes(planes, picture);
    for (int c = 0; c < 3 && ok; ++c)
        ok = velmarBlur(planes.planes[c], nullptr, radius, BlurVariant::Average);
    progress::setSuppressed(false);
    if (!ok) return false;
    const Box b = bandBox(out, l);
    for (int32_t y = b.y0; y <= b.y1; ++y) {
        const int32_t py = std::clamp(l.pictureY(y), 0, picture.height - 1);
        for (int32_t x = b.x0; x <= b.x1; ++x) {
            const int32_t px = std::clamp(l.pictureX(x), 0, picture.width - 1);
            for (int c = 0; c < 3; ++c)
                putSample(out, x, y, c, planes.planes[c].row(py)[px]);
        }
    }
    return true;
}

// The band shows the picture in grey at half brightness.
void drawGreyBand(const View& picture, const View& out, const FrameLayout& l) {
    const Box b = bandBox(out, l);
    for (int32_t y = b.y0; y <= b.y1; ++y)
        for (int32_t x = b.x0; x <= b.x1; ++x) {
            Colour colour;
            pictureColour(picture, l, x, y, colour);
            const int32_t grey = luminanceOf(colour[2], colour[1], colour[0]) / 2;
            for (int c = 0; c < 3; ++c)
                putSample(out, x, y, c, grey);
        }
}

// The picture only inside the ellipse inscribed in its rectangle, with a soft edge of the band's
// width.
void drawOval(const View& picture, const View& out, const FrameLayout& l) {
    if (l.right < l.left || l.top < l.bottom) return;
    const int64_t halfW = std::max<int64_t>(1, (int64_t{l.right} - l.left + 1) / 2);
    const int64_t halfH = std::max<int64_t>(1, (int64_t{l.top} - l.bottom + 1) / 2);
    const int64_t r = std::max(halfW, halfH);
    // Both axes scaled to the larger one, in 1/1024 steps.
    const int64_t scaleX = r * 1024 / halfW, scaleY = r * 1024 / halfH;
    const int64_t rim = r * r;
    const int64_t inner = std::max<int64_t>(r - l.band, 0) * std::max<int64_t>(r - l.band, 0);
    const int64_t centreX2 = int64_t{l.left} + l.right, centreY2 = int64_t{l.bottom} + l.top;
    for (int32_t y = std::max(l.bottom, 0); y <= std::min(l.top, out.height - 1); ++y) {
        const int64_t dy = (2 * int64_t{y} - centreY2) * scaleY;  // 1/2048 pixel
        for (int32_t x = std::max(l.left, 0); x <= std::min(l.right, out.width - 1); ++x) {
            const int64_t dx = (2 * int64_t{x} - centreX2) * scaleX;
            const int64_t v = (dx * dx + dy * dy) >> 22;  // squared pixels
            if (v > rim) continue;                        // the frame colour stays
            Colour colour;
            pictureColour(picture, l, x, y, colour);
            if (v <= inner) {
                for (int c = 0; c < 3; ++c)
                    putSample(out, x, y, c, colour[c]);
                continue;
            }
            const auto a = static_cast<int32_t>(65535 * (rim - v) / (rim - inner + 1));
            blendPixel(out, x, y, colour, smoothStep(a) * 100 / 65536);
        }
    }
}

}  // namespace

int32_t ringOpacity(double distance, int32_t band, int32_t maxPercent) {
    if (band <= 0) return 0;
    return static_cast<int32_t>(smoothProfile((band - distance) / band) * maxPercent);
}

bool drawFrameEffect(const AddTextParams& p, const View& picture, const View& out,
                     const FrameLayout& l) {
    // Brightness of the frame colour, 0..255 and in percent.
    const int32_t level =
        luminanceOf(std::clamp(p.FrameRed, 0, 255), std::clamp(p.FrameGreen, 0, 255),
                    std::clamp(p.FrameBlue, 0, 255));
    const int32_t percent = level * 256 * 100 / 65535;
    switch (p.FrameEffect) {
        case kFrameShadow: {
            // On a nearly black frame a black shadow would not show: mid grey instead.
            const int32_t s = level <= 10 ? 0x8000 : 0;
            const Colour shade{s, s, s};
            drawShadow(out, l, shade);
            return true;
        }
        case kFrame3d:
        case kFrameSmooth3d:
            draw3dFrame(out, l, percent, p.FrameEffect == kFrameSmooth3d);
            return true;
        case kFrameFadeOut:
            drawFadeOut(picture, out, l);
            return true;
        case kFrameSlightBlur:
            return drawBlurredBand(picture, out, l, 0.005);
        case kFrameNormalBlur:
            return drawBlurredBand(picture, out, l, 0.015);
        case kFrameStrongBlur:
            return drawBlurredBand(picture, out, l, 0.065);
        case kFrameBlackWhite:
            drawGreyBand(picture, out, l);
            return true;
        case kFrameOval:
            drawOval(picture, out, l);
            return true;
        default:
            return true;  // no band
    }
}

}  // namespace dnr
