// The retouching brush: one dab or stroke segment of a round brush in one of its modes, and the
// blur-brush shortcut that strokes from the previous call's point.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "brush_coverage.h"
#include "brush_trail.h"
#include "colour_space.h"
#include "pixel_paint.h"
#include "pixel_view.h"
#include "plane.h"
#include "progress.h"
#include "velmar_blur.h"

namespace dnr {
namespace {

enum BrushMode : int32_t {
    kLighten = 0,
    kBlur = 2,
    kClone = 4,
    kSmudge = 6,
    kPaint = 7,
    kSaturate = 8,
    kDesaturate = 9,
    kMirror = 10,
    kRestore = 11,
};

constexpr int32_t kBlurRadius = 5;
// Centres far outside any picture are pulled in so that no coordinate sum can wrap.
constexpr int32_t kCoordinateLimit = 1 << 24;

struct Rect {
    int32_t left = 0, bottom = 0, right = -1, top = -1;  // inclusive
    bool empty() const { return right < left || top < bottom; }
    int32_t width() const { return right - left + 1; }
    int32_t height() const { return top - bottom + 1; }
    bool contains(int32_t x, int32_t y) const {
        return x >= left && x <= right && y >= bottom && y <= top;
    }
};

Rect clampedRect(int64_t left, int64_t bottom, int64_t right, int64_t top, const View& v) {
    Rect r;
    r.left = int32_t(std::max<int64_t>(left, 0));
    r.bottom = int32_t(std::max<int64_t>(bottom, 0));
    r.right = int32_t(std::min<int64_t>(right, v.width - 1));
    r.top = int32_t(std::min<int64_t>(top, v.height - 1));
    return r;
}

// A copy of part of the picture as it was before this call, so that modes which read other
// pixels do not read their own paint.
class Snapshot {
  public:
    bool take(const View& v, const Rect& r) {
        rect_ = r;
        if (r.empty()) return true;
        if (!planes_.allocate(r.width(), r.height())) return false;
        for (int32_t y = 0; y < r.height(); ++y)
            for (int32_t x = 0; x < r.width(); ++x)
                for (int c = 0; c < 3; ++c)
                    planes_.planes[c].row(y)[x] =
                        static_cast<uint16_t>(v.sample(r.left + x, r.bottom + y, c));
        return true;
    }
    bool has(int64_t x, int64_t y) const {
        return x >= rect_.left && x <= rect_.right && y >= rect_.bottom && y <= rect_.top;
    }
    int32_t sample(int32_t x, int32_t y, int c) const {
        return planes_.planes[c].row(y - rect_.bottom)[x - rect_.left];
    }
    PlaneSet& planes() { return planes_; }

  private:
    Rect rect_;
    PlaneSet planes_;
};

// Blends a colour into one channel with weight coverage / 256 percent; full coverage writes.
void applyWithCoverage(const View& v, int32_t x, int32_t y, int c, int32_t colour,
                       int32_t coverage) {
    const int32_t percent = coverage / 256;
    if (percent >= 100)
        putSample(v, x, y, c, colour);
    else if (percent > 0)
        blendChannel(v, x, y, c, colour, percent);
}

struct Brush {
    const RetouchParams& params;
    View target;
    BrushSegment segment;
    Rect area;
    BrushCoverage coverage;

    template <typename PerPixel>
    void forCovered(PerPixel&& perPixel) const {
        for (int32_t y = area.bottom; y <= area.top; ++y)
            for (int32_t x = area.left; x <= area.right; ++x) {
                const int32_t cov = coverage.at(x, y);
                if (cov > 0) perPixel(x, y, cov);
            }
    }

    // Colours taken from another place of the picture, offset by (dx, dy) in engine rows.
    bool copyFrom(int32_t dx, int32_t dy) const {
        if (dx == 0 && dy == 0) return true;
        Snapshot source;
        if (!source.take(target,
                         clampedRect(int64_t{area.left} + dx, int64_t{area.bottom} + dy,
                                     int64_t{area.right} + dx, int64_t{area.top} + dy, target)))
            return false;
        forCovered([&](int32_t x, int32_t y, int32_t cov) {
            const int64_t sx = int64_t{x} + dx, sy = int64_t{y} + dy;
            if (!source.has(sx, sy)) return;  // nothing to clone from outside the picture
            for (int c = 0; c < 3; ++c)
                applyWithCoverage(target, x, y, c, source.sample(int32_t(sx), int32_t(sy), c), cov);
        });
        return true;
    }

    void lighten() const {
        forCovered([&](int32_t x, int32_t y, int32_t cov) {
            for (int c = 0; c < 3; ++c) {
                const int64_t v = target.sample(x, y, c);
                putSample(target, x, y, c, clamp16(v * (cov / 100 + 256) / 256));
            }
        });
    }

    bool blur() const {
        Snapshot copy;
        if (!copy.take(target, area)) return false;
        // Runs outside the pipeline: its progress must not reach a run's callback.
        progress::setSuppressed(true);
        bool ok = true;
        for (Plane& p : copy.planes().planes)
            ok = ok && velmarBlur(p, nullptr, kBlurRadius, BlurVariant::Box);
        progress::setSuppressed(false);
        if (!ok) return false;
        forCovered([&](int32_t x, int32_t y, int32_t cov) {
            for (int c = 0; c < 3; ++c)
                applyWithCoverage(target, x, y, c, copy.sample(x, y, c), cov);
        });
        return true;
    }

    bool smudge() const {
        // Clone from a quarter radius along the stroke direction (y from the top, as given).
        const double dx = double(params.X0) - params.X1, dy = double(params.Y0) - params.Y1;
        const double length = std::sqrt(dx * dx + dy * dy);
        if (!segment.stroke || length == 0.0) return true;  // no direction, nothing moves
        const auto ox = static_cast<int32_t>(segment.radius * dx / length / 4.0);
        const auto oy = static_cast<int32_t>(segment.radius * dy / length / 4.0);
        return copyFrom(ox, -oy);
    }

    void paint() const {
        const int32_t paint[3] = {clamp16(int64_t{params.PaintBlue} * 256),
                                  clamp16(int64_t{params.PaintGreen} * 256),
                                  clamp16(int64_t{params.PaintRed} * 256)};
        if (params.PaintOn != 1) {
            forCovered([&](int32_t x, int32_t y, int32_t cov) {
                for (int c = 0; c < 3; ++c)
                    applyWithCoverage(target, x, y, c, paint[c], cov);
            });
            return;
        }
        // Colourise: move toward the paint colour, then restore the pixel's own luma.
        forCovered([&](int32_t x, int32_t y, int32_t cov) {
            int64_t old[3], mixed[3];
            for (int c = 0; c < 3; ++c) {
                old[c] = target.sample(x, y, c);
                mixed[c] =
                    (old[c] * (kFullCoverage - cov) + int64_t{paint[c]} * cov) / kFullCoverage;
            }
            const int64_t lumaBefore =
                rgbToYcc(int32_t(old[2]), int32_t(old[1]), int32_t(old[0]), ChromaModel::Plain).y;
            const int64_t lumaMixed = rgbToYcc(int32_t(mixed[2]), int32_t(mixed[1]),
                                               int32_t(mixed[0]), ChromaModel::Plain)
                                          .y;
            for (int c = 0; c < 3; ++c) {
                // A black mix has no colour left to scale: the pixel becomes grey of its luma.
                const int64_t v = lumaMixed > 0 ? mixed[c] * lumaBefore / lumaMixed : lumaBefore;
                putSample(target, x, y, c, clamp16(v));
            }
        });
    }

    void saturate(bool more) const {
        forCovered([&](int32_t x, int32_t y, int32_t cov) {
            const int64_t k = ((more ? cov + kFullCoverage : kFullCoverage - cov) / 100) * 4;
            const Ycc in =
                rgbToYcc(int32_t(target.sample(x, y, 2)), int32_t(target.sample(x, y, 1)),
                         int32_t(target.sample(x, y, 0)), ChromaModel::Plain);
            const int32_t cb = clamp16((in.cb - kChromaZero) * k / 1024 + kChromaZero);
            const int32_t cr = clamp16((in.cr - kChromaZero) * k / 1024 + kChromaZero);
            const Rgb out = yccToRgb(in.y, cb, cr, ChromaModel::Plain);
            putSample(target, x, y, 2, clamp16(out.r));
            putSample(target, x, y, 1, clamp16(out.g));
            putSample(target, x, y, 0, clamp16(out.b));
        });
    }

    bool mirror() const {
        const double vx = double(segment.endX) - segment.startX;
        const double vy = double(segment.endY) - segment.startY;
        const double length2 = vx * vx + vy * vy;
        if (!segment.stroke || length2 == 0.0) return true;  // no axis to mirror across
        Snapshot copy;
        if (!copy.take(target, area)) return false;
        const double length = std::sqrt(length2);
        forCovered([&](int32_t x, int32_t y, int32_t cov) {
            const double wx = double(x) - segment.startX, wy = double(y) - segment.startY;
            const double t = (wx * vx + wy * vy) / length2;
            // The mirror image across the axis through both centres, at the same distance.
            const auto mx = static_cast<int64_t>(std::lround(2.0 * (segment.startX + t * vx) - x));
            const auto my = static_cast<int64_t>(std::lround(2.0 * (segment.startY + t * vy) - y));
            if (!copy.has(mx, my)) return;
            // The pixel's own side counts more the farther it lies from the axis; on the axis
            // both count alike.
            const double side = std::fabs(wx * vy - wy * vx) / length;
            const int64_t own = std::clamp<int64_t>(
                int64_t(1024.0 * (segment.radius + side) / (2.0 * segment.radius)), 512, 1024);
            for (int c = 0; c < 3; ++c) {
                const int64_t colour = (copy.sample(x, y, c) * own +
                                        copy.sample(int32_t(mx), int32_t(my), c) * (1024 - own)) >>
                                       10;
                applyWithCoverage(target, x, y, c, int32_t(colour), cov);
            }
        });
        return true;
    }

    void restore(const std::optional<View>& unretouched) const {
        if (!unretouched || unretouched->width != target.width ||
            unretouched->height != target.height)
            return;  // nothing to restore from
        forCovered([&](int32_t x, int32_t y, int32_t cov) {
            for (int c = 0; c < 3; ++c)
                applyWithCoverage(target, x, y, c, int32_t(unretouched->sample(x, y, c)), cov);
        });
    }
};

int32_t pulledIn(int32_t v) {
    return std::clamp(v, -kCoordinateLimit, kCoordinateLimit);
}

// The previous point of the blur-brush shortcut.
struct BlurTrail {
    bool started = false;
    int32_t x = 0, y = 0;
};
BlurTrail gBlurTrail;

}  // namespace

void forgetBrushTrail() {
    gBlurTrail = BlurTrail{};
}
}  // namespace dnr

extern "C" DNR_API int32_t DNR_CALL Retouching_Draw(const RetouchParams* params) {
    using namespace dnr;
    const AbortIgnored drawingIsNotAborted;
    if (!params) return 0;
    // The record is packed: its fields are read by value, never through references or
    // pointers to members.
    const PixelView targetView = params->Target, unretouchedView = params->Unretouched;
    const auto target = makeView(&targetView);
    if (!target) return 0;

    const int32_t radius = params->Radius, strength = params->Strength;
    BrushSegment s;
    s.stroke = params->Stroke == 1;
    s.radius = std::clamp(radius, 1, kCoordinateLimit);
    s.strength = std::clamp(strength, 0, 100);
    // Rows arrive counted from the top.
    s.endX = pulledIn(params->X0);
    s.endY = pulledIn(target->height - 1 - pulledIn(params->Y0));
    s.startX = s.stroke ? pulledIn(params->X1) : s.endX;
    s.startY = s.stroke ? pulledIn(target->height - 1 - pulledIn(params->Y1)) : s.endY;

    const Rect area = clampedRect(int64_t{std::min(s.startX, s.endX)} - s.radius,
                                  int64_t{std::min(s.startY, s.endY)} - s.radius,
                                  int64_t{std::max(s.startX, s.endX)} + s.radius,
                                  int64_t{std::max(s.startY, s.endY)} + s.radius, *target);
    const Brush brush{*params, *target, s, area, BrushCoverage(s, brushFalloff(s.radius))};
    if (area.empty()) return 1;

    switch (params->Mode) {
        case kLighten:
            brush.lighten();
            return 1;
        case kBlur:
            return brush.blur() ? 1 : 0;
        case kClone:
            return brush.copyFrom(params->CloneDX, -params->CloneDY) ? 1 : 0;
        case kSmudge:
            return brush.smudge() ? 1 : 0;
        case kPaint:
            brush.paint();
            return 1;
        case kSaturate:
        case kDesaturate:
            brush.saturate(params->Mode == kSaturate);
            return 1;
        case kMirror:
            return brush.mirror() ? 1 : 0;
        case kRestore:
            brush.restore(makeView(&unretouchedView));
            return 1;
        default:
            // Modes 1, 3 and 5 (and unknown ones) compute no colour: the picture stays as it is.
            return 1;
    }
}

extern "C" DNR_API int32_t DNR_CALL Blur(const ImageDesc* image, int32_t x, int32_t y,
                                         int32_t radius, int32_t strength, int32_t /*ignored*/) {
    using namespace dnr;
    RetouchParams p{};
    p.Unretouched = {nullptr, 0, -1, 0};
    p.Target = image ? PixelView{image->Bits, image->Width, image->BytesPerSample, image->Height}
                     : PixelView{nullptr, 0, -1, 0};
    p.X0 = x;
    p.Y0 = y;
    p.Stroke = 1;
    p.X1 = gBlurTrail.started ? gBlurTrail.x : x;
    p.Y1 = gBlurTrail.started ? gBlurTrail.y : y;
    p.Radius = radius;
    p.Strength = strength;
    // Fields the shortcut has no value for: the plain blur mode, no clone offset, no paint.
    p.Mode = kBlur;
    gBlurTrail = {true, x, y};
    return Retouching_Draw(&p);
}
