// The fast path (threads over rows and columns, vector kernels) against the plain path: the same
// bytes for every size, depth and setting, the same progress reports, and aborts that still end
// the run. Threads are forced on for every size, with chunks of one row and narrow column strips,
// so that tiny and odd sizes are split among threads as well.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <random>
#include <set>
#include <vector>

#include "bands.h"
#include "colour_space.h"
#include "fast_paths.h"
#include "noise_fixtures.h"
#include "picture_planes.h"
#include "progress.h"
#include "stage_caches.h"
#include "stages.h"
#include "threshold_plane.h"
#include "velmar_blur.h"

namespace dnr {
namespace {

using testing::defaultParams;
using testing::emptyAllCaches;
using testing::Picture;

// Puts the given settings in force for a scope.
class SettingsScope {
  public:
    explicit SettingsScope(const fast::Settings& s) : previous_(fast::setSettings(s)) {}
    ~SettingsScope() { fast::setSettings(previous_); }

  private:
    fast::Settings previous_;
};

fast::Settings plainPath() {
    fast::Settings s;
    s.enabled = false;
    return s;
}

// Three threads (so that no size below divides evenly by chance), every job split.
fast::Settings forcedThreads(int32_t stripColumns, int64_t chunkSamples = 1) {
    fast::Settings s;
    s.threads = 3;
    s.minSamplesForThreads = 0;
    s.chunkSamples = chunkSamples;
    s.stripColumns = stripColumns;
    return s;
}

// Fast settings to compare with the plain path: forced threads with strips of 1, 3 and 32
// columns, and the settings a run gets by default.
std::vector<fast::Settings> fastVariants() {
    return {forcedThreads(1), forcedThreads(3, 7), forcedThreads(32, 50), fast::Settings{}};
}

struct Size {
    int32_t w, h;
};

// 1xN, Nx1, odd widths, sizes that 3 (and 4, the rows the blur takes at once) do not divide.
const Size kSizes[] = {{1, 1},  {1, 23},  {23, 1}, {2, 3},   {5, 7},
                       {33, 9}, {64, 13}, {7, 66}, {101, 37}};

// Random samples over the whole 16-bit range, or 8-bit samples as the engine holds them (x256).
Plane randomPlane(int32_t w, int32_t h, bool eightBit, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> value(0, eightBit ? 255 : 65535);
    Plane p;
    EXPECT_TRUE(p.allocate(w, h));
    for (size_t i = 0; i < p.size(); ++i)
        p.data()[i] = uint16_t(eightBit ? value(rng) << 8 : value(rng));
    return p;
}

std::vector<uint16_t> samplesOf(const Plane& p) {
    return std::vector<uint16_t>(p.data(), p.data() + p.size());
}

std::vector<uint16_t> samplesOf(const PlaneSet& s) {
    std::vector<uint16_t> all;
    for (const Plane& p : s.planes)
        all.insert(all.end(), p.data(), p.data() + p.size());
    return all;
}

// A picture of smooth areas, edges and noise, so that every branch of the filters is taken.
Picture scene(int32_t w, int32_t h, bool is16, unsigned seed) {
    Picture pic(w, h, is16 ? 2 : 1);
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, 900.0);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const bool edge = (x * 3 + y * 2) % 17 < 8;
            const auto jitter = [&](int v) { return std::clamp(int(v + noise(rng)), 0, 65535); };
            // The draws in a fixed order (red, green, blue): the same scene from every compiler.
            const int r = jitter(edge ? 12000 : 60000 - 500 * x);
            const int g = jitter(20000 + 300 * y);
            pic.set16(x, y, {r, g, jitter(edge ? 50000 : 8000 + 400 * x)});
        }
    return pic;
}

const BlurVariant kEveryVariant[] = {BlurVariant::Average,   BlurVariant::EdgeWeighted,
                                     BlurVariant::Agreement, BlurVariant::Minimum,
                                     BlurVariant::Maximum,   BlurVariant::Box};

TEST(FastPaths, BandsDoEveryItemOnceAndCountEveryUnit) {
    for (const fast::Settings& s : fastVariants())
        for (int64_t items : {1, 2, 3, 10, 97}) {
            SettingsScope scope(s);
            std::vector<std::atomic<int>> visits(static_cast<size_t>(items));
            progress::setShare(0, 1000);
            progress::begin(int32_t(items * 2));
            BandJob job;
            job.items = items;
            job.units = items * 2;
            EXPECT_TRUE(runInBands(job, [&](int64_t first, int64_t last) {
                for (int64_t i = first; i < last; ++i)
                    ++visits[size_t(i)];
                return true;
            }));
            for (const auto& v : visits)
                EXPECT_EQ(v.load(), 1) << items;
        }
}

TEST(FastPaths, BandsStopWhenAChunkFails) {
    SettingsScope scope(forcedThreads(1));
    std::atomic<int64_t> ran{0};
    BandJob job;
    job.items = 1000;
    EXPECT_FALSE(runInBands(job, [&](int64_t first, int64_t) {
        ++ran;
        return first != 5;
    }));
    // The threads stop taking chunks once one failed: far from all 1000 ran.
    EXPECT_LT(ran.load(), 1000);
}

TEST(FastPaths, SmoothingGivesThePlainSamples) {
    for (const Size& size : kSizes)
        for (bool eightBit : {false, true})
            for (BlurVariant v : kEveryVariant)
                for (int radius : {1, 6, 40}) {
                    const Plane input = randomPlane(size.w, size.h, eightBit, size.w * 31 + size.h);
                    Plane plain;
                    {
                        SettingsScope scope(plainPath());
                        ASSERT_TRUE(velmarBlur(plain, &input, radius, v));
                    }
                    for (const fast::Settings& s : fastVariants()) {
                        SettingsScope scope(s);
                        Plane fast;
                        ASSERT_TRUE(velmarBlur(fast, &input, radius, v));
                        EXPECT_EQ(samplesOf(fast), samplesOf(plain))
                            << size.w << "x" << size.h << " variant " << int(v) << " radius "
                            << radius << " strips " << s.stripColumns;
                        Plane inPlace;
                        ASSERT_TRUE(inPlace.copyFrom(input));
                        ASSERT_TRUE(velmarBlur(inPlace, nullptr, radius, v));
                        EXPECT_EQ(samplesOf(inPlace), samplesOf(plain))
                            << "in place " << size.w << "x" << size.h << " variant " << int(v);
                    }
                }
}

TEST(FastPaths, BoxWithSixtyFourBitColumnSumsGivesThePlainSamples) {
    // 401 x 401 windows of white pass 32 bits; strips narrower than the window reach across
    // several neighbours.
    Plane input;
    ASSERT_TRUE(input.allocate(300, 310));
    for (int32_t y = 0; y < 310; ++y)
        for (int32_t x = 0; x < 300; ++x)
            input.row(y)[x] = static_cast<uint16_t>((x * 7 + y * 13) % 5 == 0 ? 1234 : 65535);
    Plane plain;
    {
        SettingsScope scope(plainPath());
        ASSERT_TRUE(velmarBlur(plain, &input, 200, BlurVariant::Box));
    }
    for (const fast::Settings& s : fastVariants()) {
        SettingsScope scope(s);
        Plane fast;
        ASSERT_TRUE(velmarBlur(fast, &input, 200, BlurVariant::Box));
        EXPECT_EQ(samplesOf(fast), samplesOf(plain)) << "strips " << s.stripColumns;
    }
}

TEST(FastPaths, EdgeWeightedMeanByDoubleEqualsTheIntegerMeanAtTheExtremes) {
    // The largest numerators and divisors, and quotients just below whole numbers.
    const Plane input = [] {
        Plane p;
        p.allocate(8, 2);
        const uint16_t v[16] = {0,     65535, 0,     65535, 1,     65534, 32768, 32767,
                                65535, 0,     65535, 0,     65534, 1,     32767, 32768};
        std::copy(v, v + 16, p.data());
        return p;
    }();
    for (int radius : {1, 2, 1000}) {
        Plane plain, fast;
        {
            SettingsScope scope(plainPath());
            ASSERT_TRUE(velmarBlur(plain, &input, radius, BlurVariant::EdgeWeighted));
        }
        SettingsScope scope(forcedThreads(1));
        ASSERT_TRUE(velmarBlur(fast, &input, radius, BlurVariant::EdgeWeighted));
        EXPECT_EQ(samplesOf(fast), samplesOf(plain)) << radius;
    }
}

// Planes, thresholds and parameters of the blend stage, run through the four steps of the
// normal filter.
PlaneSet normalFilterSteps(PlaneSet planes, const ProcessingParams& p) {
    PlaneSet smoothed;
    Plane map;
    progress::setShare(0, 1000);
    EXPECT_TRUE(smoothForNoise(planes, smoothed, p));
    EXPECT_TRUE(computeNoiseMap(planes, smoothed, map, p));
    EXPECT_TRUE(smoothNoiseMap(map, p));
    EXPECT_TRUE(blendNoiseReduction(planes, smoothed, map, p));
    return planes;
}

PlaneSet randomLumaChroma(int32_t w, int32_t h, bool eightBit, unsigned seed) {
    PlaneSet set;
    for (int k = 0; k < 3; ++k)
        set.planes[k] = randomPlane(w, h, eightBit, seed + unsigned(k));
    set.rgb = false;
    return set;
}

struct NoiseCase {
    const char* what;
    std::function<void(ProcessingParams&)> tune;
};

NoiseAreaEntry gAreas[2] = {{30000, 0x8200, 0x7E00, 60}, {52000, 0x8000, 0x8000, -40}};

const NoiseCase kNoiseCases[] = {
    {"defaults", [](ProcessingParams&) {}},
    {"half amount", [](ProcessingParams& p) { p.NoiseReductionAmount = 50; }},
    {"no amount", [](ProcessingParams& p) { p.NoiseReductionAmount = 0; }},
    {"negative amount", [](ProcessingParams& p) { p.NoiseReductionAmount = -30; }},
    {"amount above 100", [](ProcessingParams& p) { p.NoiseReductionAmount = 170; }},
    {"low levels", [](ProcessingParams& p) { p.NoiseLevel = p.ShadowsNoiseLevel = 1; }},
    {"high levels", [](ProcessingParams& p) { p.NoiseLevel = p.HighlightsNoiseLevel = 800; }},
    {"noise equalizer",
     [](ProcessingParams& p) { p.NoiseEqualizer[7] = 60, p.NoiseEqualizer[20] = -90; }},
    {"noise areas",
     [](ProcessingParams& p) {
         p.NoiseAreas = gAreas;
         p.NoiseAreaCount = 2;
     }},
    {"map display", [](ProcessingParams& p) { p.ShowNoiseMap = 1, p.FinalRun = 0; }},
};

TEST(FastPaths, NormalNoiseFilterStepsGiveThePlainSamples) {
    for (const Size& size : kSizes)
        for (bool eightBit : {false, true})
            for (const NoiseCase& c : kNoiseCases) {
                const PlaneSet input = randomLumaChroma(size.w, size.h, eightBit, 7);
                Picture unused(1, 1, 2);
                ProcessingParams p = defaultParams(unused);
                p.NoiseLevel = 40;
                p.ShadowsNoiseLevel = 25;
                p.HighlightsNoiseLevel = 90;
                p.FinalRun = 1;
                c.tune(p);
                PlaneSet copy;
                ASSERT_TRUE(copy.copyFrom(input));
                std::vector<uint16_t> plain;
                {
                    SettingsScope scope(plainPath());
                    plain = samplesOf(normalFilterSteps(std::move(copy), p));
                }
                for (const fast::Settings& s : fastVariants()) {
                    SettingsScope scope(s);
                    PlaneSet again;
                    ASSERT_TRUE(again.copyFrom(input));
                    EXPECT_EQ(samplesOf(normalFilterSteps(std::move(again), p)), plain)
                        << c.what << " " << size.w << "x" << size.h << " strips " << s.stripColumns;
                }
            }
}

TEST(FastPaths, ThresholdPlaneGivesThePlainThresholds) {
    for (const NoiseCase& c : kNoiseCases)
        for (const Size& size : kSizes) {
            const PlaneSet set = randomLumaChroma(size.w, size.h, false, 11);
            Picture unused(1, 1, 2);
            ProcessingParams p = defaultParams(unused);
            p.NoiseLevel = 300;
            p.ShadowsNoiseLevel = 7;
            p.HighlightsNoiseLevel = 640;
            c.tune(p);
            Plane plain, fast;
            {
                SettingsScope scope(plainPath());
                ASSERT_TRUE(buildThresholdPlane(set, p, plain));
            }
            SettingsScope scope(forcedThreads(1));
            ASSERT_TRUE(buildThresholdPlane(set, p, fast));
            EXPECT_EQ(samplesOf(fast), samplesOf(plain)) << c.what << " " << size.w;
        }
}

TEST(FastPaths, ColourConversionsGiveThePlainSamples) {
    struct Conversion {
        bool fromRgb;
        ChromaModel from, to;
    };
    const Conversion kConversions[] = {{true, ChromaModel::Plain, ChromaModel::Plain},
                                       {true, ChromaModel::Plain, ChromaModel::Relative},
                                       {false, ChromaModel::Plain, ChromaModel::Relative},
                                       {false, ChromaModel::Relative, ChromaModel::Plain}};
    for (const Size& size : kSizes)
        for (bool eightBit : {false, true})
            for (const Conversion& c : kConversions)
                for (bool backToRgb : {false, true}) {
                    PlaneSet input = randomLumaChroma(size.w, size.h, eightBit, 5);
                    input.rgb = c.fromRgb;
                    input.model = c.from;
                    auto convert = [&](PlaneSet& set) {
                        progress::setShare(0, 1000);
                        EXPECT_TRUE(toLumaChroma(set, true, c.to));
                        if (backToRgb) {
                            EXPECT_TRUE(toRgb(set, false));
                        }
                    };
                    PlaneSet plain, fast;
                    ASSERT_TRUE(plain.copyFrom(input));
                    {
                        SettingsScope scope(plainPath());
                        convert(plain);
                    }
                    for (const fast::Settings& s : fastVariants()) {
                        SettingsScope scope(s);
                        ASSERT_TRUE(fast.copyFrom(input));
                        convert(fast);
                        EXPECT_EQ(samplesOf(fast), samplesOf(plain)) << size.w << "x" << size.h;
                        EXPECT_EQ(fast.rgb, plain.rgb);
                        EXPECT_EQ(fast.model, plain.model);
                    }
                }
}

TEST(FastPaths, CopyInAndWriteBackGiveThePlainBytes) {
    for (const Size& size : kSizes)
        for (bool is16 : {true, false}) {
            const Picture source = scene(size.w, size.h, is16, 3);
            Picture in = source;
            const View view = *makeView(in.bits(), size.w, is16 ? 2 : 1, size.h);
            PlaneSet plain, fast;
            {
                SettingsScope scope(plainPath());
                ASSERT_TRUE(copyPictureToPlanes(plain, view));
            }
            SettingsScope scope(forcedThreads(1));
            ASSERT_TRUE(copyPictureToPlanes(fast, view));
            EXPECT_EQ(samplesOf(fast), samplesOf(plain));

            // Write a changed set back: every byte of the picture but the row padding changes.
            for (Plane& p : fast.planes)
                for (size_t i = 0; i < p.size(); ++i)
                    p.data()[i] = uint16_t(p.data()[i] ^ 0xA5A5);
            Picture plainOut = source, fastOut = source;
            {
                SettingsScope plainScope(plainPath());
                writeBack(*makeView(plainOut.bits(), size.w, is16 ? 2 : 1, size.h), fast);
            }
            writeBack(*makeView(fastOut.bits(), size.w, is16 ? 2 : 1, size.h), fast);
            EXPECT_TRUE(fastOut == plainOut) << size.w << "x" << size.h;
            EXPECT_FALSE(fastOut == source);
        }
}

std::vector<int32_t> gReports;

// A whole run with the given settings: the picture's bytes and the values reported.
struct RunResult {
    Picture picture;
    std::vector<int32_t> reports;
    int32_t result;
};

RunResult runWith(const fast::Settings& s, const Picture& source,
                  const std::function<void(ProcessingParams&)>& tune) {
    SettingsScope scope(s);
    Picture pic = source;
    ProcessingParams p = defaultParams(pic);
    tune(p);
    p.ProgressCallback = [](int32_t v) { gReports.push_back(v); };
    gReports.clear();
    progress::resetReportState();
    emptyAllCaches();
    const int32_t result = Grainwash2(&p);
    return {pic, gReports, result};
}

uint32_t gFakeMilliseconds = 0;

TEST(FastPaths, WholeRunsGiveThePlainBytesAndReports) {
    // Every unit that asks for a report gets one: the reports follow the steps alone.
    const progress::ClockScope clock([]() -> uint32_t { return gFakeMilliseconds += 1000; });
    const Size kRunSizes[] = {{1, 1}, {1, 9}, {9, 1}, {5, 7}, {37, 19}, {64, 41}};
    for (const Size& size : kRunSizes)
        for (bool is16 : {true, false})
            for (int mode : {2, 6})
                for (int finalRun : {1, 0})
                    for (int colour : {0, 1}) {
                        const Picture source = scene(size.w, size.h, is16, 17);
                        auto tune = [&](ProcessingParams& p) {
                            p.NoiseMode = mode;
                            p.FinalRun = finalRun;
                            p.ColorAdjustOn = colour;
                            p.Saturation = 15;
                            p.SharpenAmount = colour ? 30 : 0;
                            p.NoiseLevel = 35;
                        };
                        const RunResult plain = runWith(plainPath(), source, tune);
                        ASSERT_EQ(plain.result, 1);
                        for (const fast::Settings& s : fastVariants()) {
                            const RunResult fast = runWith(s, source, tune);
                            ASSERT_EQ(fast.result, 1);
                            EXPECT_TRUE(fast.picture == plain.picture)
                                << size.w << "x" << size.h << (is16 ? " 16-bit" : " 8-bit")
                                << " mode " << mode << " final " << finalRun << " colour " << colour
                                << " strips " << s.stripColumns;
                            EXPECT_EQ(fast.reports, plain.reports);
                        }
                    }
    progress::resetReportState();
    emptyAllCaches();
}

TEST(FastPaths, ReportsStayBelowOneThousandAndRise) {
    const progress::ClockScope clock([]() -> uint32_t { return gFakeMilliseconds += 1000; });
    const Picture source = scene(90, 70, true, 23);
    const RunResult fast =
        runWith(forcedThreads(32, 40), source, [](ProcessingParams& p) { p.FinalRun = 1; });
    ASSERT_EQ(fast.result, 1);
    ASSERT_FALSE(fast.reports.empty());
    EXPECT_TRUE(std::is_sorted(fast.reports.begin(), fast.reports.end()));
    EXPECT_LT(fast.reports.back(), 1000);
    for (int32_t v : fast.reports)
        EXPECT_EQ(v % 10, 0);
    progress::resetReportState();
    emptyAllCaches();
}

int32_t gAbortAt = 0;
int32_t gAbortedAt = -1;

// An abort asked for from a report ends a threaded run as it ends the plain one: a failed run
// leaves the picture as it was. An abort that comes only during the write-back does not stop the
// run on either path.
TEST(FastPaths, AbortFromAReportEndsAThreadedRunAsThePlainOne) {
    const progress::ClockScope clock([]() -> uint32_t { return gFakeMilliseconds += 1000; });
    const Picture source = scene(80, 60, true, 29);
    for (int mode : {2, 6})
        for (int32_t at : {10, 100, 300, 600, 900}) {
            int32_t results[2] = {-1, -1};
            for (bool fastPath : {false, true}) {
                gAbortAt = at;
                gAbortedAt = -1;
                SettingsScope scope(fastPath ? forcedThreads(3, 30) : plainPath());
                Picture pic = source;
                ProcessingParams p = defaultParams(pic);
                p.NoiseMode = mode;
                p.FinalRun = 1;
                p.ProgressCallback = [](int32_t v) {
                    if (v >= gAbortAt && gAbortedAt < 0) {
                        gAbortedAt = v;
                        Abort();
                    }
                };
                progress::resetReportState();
                emptyAllCaches();
                results[fastPath] = Grainwash2(&p);
                EXPECT_GE(gAbortedAt, at) << mode << " at " << at;
                if (results[fastPath] == 0) {
                    EXPECT_TRUE(pic == source) << mode << " at " << at;
                    EXPECT_EQ(stageCaches().result.key(), 0u);
                }
            }
            EXPECT_EQ(results[1], results[0]) << mode << " at " << at;
        }
    clearAbort();
    progress::resetReportState();
    emptyAllCaches();
}

}  // namespace
}  // namespace dnr
