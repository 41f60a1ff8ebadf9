#include "imaging/transforms.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "imaging/imaging.h"
#include "imaging/sample_depth.h"

namespace imaging {

namespace {

// Copies every output pixel from the source position a mapping gives.
template <PixelSample Sample, typename Map>
void copyMapped(const Image& in, Image& out, Map map) {
    for (int y = 0; y < out.height; ++y) {
        Sample* d = rowOf<Sample>(out, y);
        for (int x = 0; x < out.width; ++x) {
            int sx, sy;
            map(x, y, sx, sy);
            const Sample* s = rowOf<Sample>(in, sy) + 3 * static_cast<std::size_t>(sx);
            d[3 * x] = s[0];
            d[3 * x + 1] = s[1];
            d[3 * x + 2] = s[2];
        }
    }
}

// Puts a finished picture in place of the old one's pixels (its metadata stays).
void replacePixels(Image& image, Image& out) {
    out.refreshDisplay();
    image.bits8.swap(out.bits8);
    image.bits16.swap(out.bits16);
    image.width = out.width;
    image.height = out.height;
}

// The picture rebuilt at a new size, every pixel copied from where the mapping says.
template <typename Map>
bool remap(Image& image, int outW, int outH, Map map, std::string& error) {
    Image out;
    if (!out.allocate(outW, outH, image.sixteen, error)) return false;
    if (image.sixteen)
        copyMapped<std::uint16_t>(image, out, map);
    else
        copyMapped<std::uint8_t>(image, out, map);
    replacePixels(image, out);
    return true;
}

// Filter kernels over a distance in source pixels.
double mitchell(double x) {
    constexpr double B = 1.0 / 3.0, C = 1.0 / 3.0;
    x = std::fabs(x);
    if (x < 1.0)
        return ((12 - 9 * B - 6 * C) * x * x * x + (-18 + 12 * B + 6 * C) * x * x + (6 - 2 * B)) /
               6.0;
    if (x < 2.0)
        return ((-B - 6 * C) * x * x * x + (6 * B + 30 * C) * x * x + (-12 * B - 48 * C) * x +
                (8 * B + 24 * C)) /
               6.0;
    return 0.0;
}
double triangle(double x) {
    x = std::fabs(x);
    return x < 1.0 ? 1.0 - x : 0.0;
}

struct Contribution {
    int first = 0;
    std::vector<double> weights;
};

// Which source samples (and how much) make each output sample along one axis.
std::vector<Contribution> contributions(int inSize, int outSize, int filter) {
    std::vector<Contribution> result(static_cast<std::size_t>(outSize));
    const double scale = static_cast<double>(inSize) / outSize;
    for (int o = 0; o < outSize; ++o) {
        Contribution& c = result[static_cast<std::size_t>(o)];
        const double centre = (o + 0.5) * scale - 0.5;
        if (filter == kFilterNearest) {
            c.first = std::clamp(static_cast<int>(std::floor((o + 0.5) * scale)), 0, inSize - 1);
            c.weights = {1.0};
            continue;
        }
        const double radius = filter == kFilterBilinear ? 1.0 : 2.0;
        const double stretch = std::max(1.0, scale);  // widen the kernel when shrinking
        const int lo = static_cast<int>(std::floor(centre - radius * stretch));
        const int hi = static_cast<int>(std::ceil(centre + radius * stretch));
        std::vector<double> w;
        double sum = 0;
        const int first = std::max(lo, 0);
        const int last = std::min(hi, inSize - 1);
        for (int i = first; i <= last; ++i) {
            const double d = (i - centre) / stretch;
            const double v = filter == kFilterBilinear ? triangle(d) : mitchell(d);
            w.push_back(v);
            sum += v;
        }
        if (w.empty() || sum == 0.0) {
            c.first = std::clamp(static_cast<int>(std::lround(centre)), 0, inSize - 1);
            c.weights = {1.0};
            continue;
        }
        for (double& v : w)
            v /= sum;
        c.first = first;
        c.weights = std::move(w);
    }
    return result;
}

// Bilinear samples of a picture turned clockwise by the angle of cosine c and sine s about its
// centre, onto the centre of out; what falls outside the picture is white.
template <PixelSample Sample>
void rotateInto(const Image& in, Image& out, double c, double s) {
    const int W = in.width, H = in.height;
    const double cxIn = (W - 1) / 2.0, cyIn = (H - 1) / 2.0;
    const double cxOut = (out.width - 1) / 2.0, cyOut = (out.height - 1) / 2.0;
    const double white = kWhiteSample<Sample>;
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            // Inverse of a clockwise turn (rows grow downwards).
            const double dx = x - cxOut, dy = y - cyOut;
            const double sx = dx * c + dy * s + cxIn;
            const double sy = -dx * s + dy * c + cyIn;
            const int x0 = static_cast<int>(std::floor(sx)), y0 = static_cast<int>(std::floor(sy));
            const double fx = sx - x0, fy = sy - y0;
            double acc[3] = {0, 0, 0};
            for (int k = 0; k < 4; ++k) {
                const int px = x0 + (k & 1), py = y0 + (k >> 1);
                const double w = ((k & 1) ? fx : 1 - fx) * ((k >> 1) ? fy : 1 - fy);
                if (w == 0) continue;
                for (int ch = 0; ch < 3; ++ch) {
                    double v = white;
                    if (px >= 0 && py >= 0 && px < W && py < H)
                        v = rowOf<Sample>(in, py)[3 * px + ch];
                    acc[ch] += w * v;
                }
            }
            for (int ch = 0; ch < 3; ++ch) {
                const double v = std::clamp(acc[ch] + 0.5, 0.0, white);
                rowOf<Sample>(out, y)[3 * x + ch] = static_cast<Sample>(v);
            }
        }
    }
}

// Horizontal pass of a resize: rows [firstRow, endRow) of the picture weighted into floating
// rows of the new width.
template <PixelSample Sample>
void resampleRows(const Image& in, const std::vector<Contribution>& cx, int width, float* horiz,
                  int firstRow, int endRow) {
    for (int y = firstRow; y < endRow; ++y) {
        const Sample* s = rowOf<Sample>(in, y);
        float* d = horiz + static_cast<std::size_t>(y) * width * 3;
        for (int x = 0; x < width; ++x) {
            const Contribution& c = cx[static_cast<std::size_t>(x)];
            double acc[3] = {0, 0, 0};
            for (std::size_t i = 0; i < c.weights.size(); ++i) {
                const std::size_t at = 3 * static_cast<std::size_t>(c.first + static_cast<int>(i));
                for (int ch = 0; ch < 3; ++ch)
                    acc[ch] += c.weights[i] * s[at + ch];
            }
            for (int ch = 0; ch < 3; ++ch)
                d[3 * x + ch] = static_cast<float>(acc[ch]);
        }
    }
}

// The horizontal pass over every row, the rows shared among the machine's cores when there is
// enough work (a shrink to a thumbnail weighs each output sample from dozens of samples). Each
// row is computed by one thread exactly as on its own, so the result does not depend on the
// number of threads.
template <PixelSample Sample>
void resampleAllRows(const Image& in, const std::vector<Contribution>& cx, int width,
                     float* horiz) {
    std::size_t taps = 0;
    for (const Contribution& c : cx)
        taps += c.weights.size();
    const std::uint64_t work = static_cast<std::uint64_t>(taps) * in.height;
    constexpr std::uint64_t kWorkPerThread = 4'000'000;
    const unsigned cores = std::max(1u, std::min(8u, std::thread::hardware_concurrency()));
    const int threads = static_cast<int>(
        std::min<std::uint64_t>({cores, std::max<std::uint64_t>(1, work / kWorkPerThread),
                                 static_cast<std::uint64_t>(in.height)}));
    std::vector<std::thread> helpers;
    const auto rowsOf = [&](int t) {
        return static_cast<int>(std::int64_t{in.height} * t / threads);
    };
    try {
        for (int t = 1; t < threads; ++t)
            helpers.emplace_back(
                [&, t] { resampleRows<Sample>(in, cx, width, horiz, rowsOf(t), rowsOf(t + 1)); });
    } catch (const std::system_error&) {
        // No thread to be had: the rows it would have taken are done here below.
    }
    const int shared = static_cast<int>(helpers.size()) + 1;
    resampleRows<Sample>(in, cx, width, horiz, 0, rowsOf(1));
    if (shared < threads) resampleRows<Sample>(in, cx, width, horiz, rowsOf(shared), in.height);
    for (std::thread& h : helpers)
        h.join();
}

// Vertical pass of a resize: the floating rows weighted into the rows of out, rounded. Each
// output row's sums run along the row, term by term in the same order as one sum at a time.
template <PixelSample Sample>
void resampleColumns(const float* horiz, const std::vector<Contribution>& cy, Image& out) {
    const std::size_t samples = static_cast<std::size_t>(out.width) * 3;
    const double white = kWhiteSample<Sample>;
    std::vector<double> acc(samples);
    for (int y = 0; y < out.height; ++y) {
        const Contribution& c = cy[static_cast<std::size_t>(y)];
        std::fill(acc.begin(), acc.end(), 0.0);
        for (std::size_t i = 0; i < c.weights.size(); ++i) {
            const double w = c.weights[i];
            const float* h =
                horiz + static_cast<std::size_t>(c.first + static_cast<int>(i)) * samples;
            for (std::size_t x = 0; x < samples; ++x)
                acc[x] += w * h[x];
        }
        Sample* d = rowOf<Sample>(out, y);
        for (std::size_t x = 0; x < samples; ++x)
            d[x] = static_cast<Sample>(std::clamp(acc[x] + 0.5, 0.0, white));
    }
}

}  // namespace

int composeOrientations(int first, int then) {
    // Each orientation's turn as a matrix on (x, y), rows growing downwards: x' = a x + b y,
    // y' = c x + d y.
    struct Matrix {
        int a, b, c, d;
        bool operator==(const Matrix&) const = default;
    };
    static constexpr Matrix kTurns[9] = {{1, 0, 0, 1},   {1, 0, 0, 1},   {-1, 0, 0, 1},
                                         {-1, 0, 0, -1}, {1, 0, 0, -1},  {0, 1, 1, 0},
                                         {0, -1, 1, 0},  {0, -1, -1, 0}, {0, 1, -1, 0}};
    const auto valid = [](int o) { return o >= 1 && o <= 8 ? o : 1; };
    const Matrix f = kTurns[valid(first)], t = kTurns[valid(then)];
    const Matrix both{t.a * f.a + t.b * f.c, t.a * f.b + t.b * f.d, t.c * f.a + t.d * f.c,
                      t.c * f.b + t.d * f.d};
    for (int o = 1; o <= 8; ++o)
        if (kTurns[o] == both) return o;
    return 1;  // not reached: the eight turns are closed under composition
}

bool applyOrientation(Image& image, int orientation, std::string& error) {
    if (orientation < 2 || orientation > 8) return true;
    // Each orientation reads the stored pixels with the axes swapped or not, then mirrored
    // across and/or down.
    struct Reading {
        bool transposed, mirrorX, mirrorY;
    };
    static constexpr Reading kReadings[] = {
        {false, true, false},  // 2
        {false, true, true},   // 3
        {false, false, true},  // 4
        {true, false, false},  // 5
        {true, false, true},   // 6
        {true, true, true},    // 7
        {true, true, false},   // 8
    };
    const Reading r = kReadings[orientation - 2];
    const int W = image.width, H = image.height;
    return remap(
        image, r.transposed ? H : W, r.transposed ? W : H,
        [&](int x, int y, int& sx, int& sy) {
            const int u = r.transposed ? y : x;
            const int v = r.transposed ? x : y;
            sx = r.mirrorX ? W - 1 - u : u;
            sy = r.mirrorY ? H - 1 - v : v;
        },
        error);
}

bool rotateFine(Image& image, double degrees, std::string& error) {
    if (!std::isfinite(degrees)) {
        error = "The rotation angle is not a number.";
        return false;
    }
    double a = std::fmod(degrees, 360.0);
    if (a < 0) a += 360.0;
    const double quarters = a / 90.0;
    if (std::fabs(quarters - std::round(quarters)) < 1e-9) {
        switch (static_cast<int>(std::lround(quarters)) % 4) {
            case 1:
                return applyOrientation(image, 6, error);
            case 2:
                return applyOrientation(image, 3, error);
            case 3:
                return applyOrientation(image, 8, error);
            default:
                return true;
        }
    }
    const double rad = a * M_PI / 180.0;
    const double c = std::cos(rad), s = std::sin(rad);
    const int W = image.width, H = image.height;
    const int outW = static_cast<int>(std::ceil(std::fabs(W * c) + std::fabs(H * s) - 1e-6));
    const int outH = static_cast<int>(std::ceil(std::fabs(W * s) + std::fabs(H * c) - 1e-6));
    Image out;
    if (!out.allocate(outW, outH, image.sixteen, error)) return false;
    if (image.sixteen)
        rotateInto<std::uint16_t>(image, out, c, s);
    else
        rotateInto<std::uint8_t>(image, out, c, s);
    replacePixels(image, out);
    return true;
}

bool resizeInto(const Image& image, int width, int height, int filter, Image& out,
                std::string& error) {
    if (width <= 0 || height <= 0) {
        error = "The new size must be positive.";
        return false;
    }
    if (filter != kFilterNearest && filter != kFilterBilinear && filter != kFilterMitchell) {
        error = "Unknown resampling filter " + std::to_string(filter) + ".";
        return false;
    }
    Image result;
    if (width == image.width && height == image.height) {
        result.bits8 = image.bits8;
        result.bits16 = image.bits16;
        result.width = width;
        result.height = height;
        result.sixteen = image.sixteen;
        out = std::move(result);
        return true;
    }
    if (!result.allocate(width, height, image.sixteen, error)) return false;
    const auto cx = contributions(image.width, width, filter);
    const auto cy = contributions(image.height, height, filter);
    // Horizontal pass into floating rows, then vertical pass into the output. Every floating
    // row is written before the vertical pass reads it, so it need not be cleared first.
    std::unique_ptr<float[]> horiz;
    try {
        horiz.reset(new float[static_cast<std::size_t>(width) * 3 * image.height]);
    } catch (const std::bad_alloc&) {
        error = "Not enough memory to resize the picture.";
        return false;
    }
    if (image.sixteen) {
        resampleAllRows<std::uint16_t>(image, cx, width, horiz.get());
        resampleColumns<std::uint16_t>(horiz.get(), cy, result);
    } else {
        resampleAllRows<std::uint8_t>(image, cx, width, horiz.get());
        resampleColumns<std::uint8_t>(horiz.get(), cy, result);
    }
    result.refreshDisplay();
    out = std::move(result);
    return true;
}

bool resize(Image& image, int width, int height, int filter, std::string& error) {
    if (width == image.width && height == image.height && width > 0 && height > 0 &&
        (filter == kFilterNearest || filter == kFilterBilinear || filter == kFilterMitchell))
        return true;
    Image out;
    if (!resizeInto(image, width, height, filter, out, error)) return false;
    image.bits8.swap(out.bits8);
    image.bits16.swap(out.bits16);
    image.width = out.width;
    image.height = out.height;
    return true;
}

bool crop(Image& image, int left, int top, int right, int bottom, std::string& error) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, image.width - 1);
    bottom = std::min(bottom, image.height - 1);
    if (right < left || bottom < top) {
        error = "The crop rectangle lies outside the picture.";
        return false;
    }
    return remap(
        image, right - left + 1, bottom - top + 1,
        [&](int x, int y, int& sx, int& sy) {
            sx = x + left;
            sy = y + top;
        },
        error);
}

}  // namespace imaging
