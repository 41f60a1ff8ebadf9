// Noise reduction through Grainwash2: full runs of a 24-megapixel picture and preview runs of a
// 1000 by 700 region, cold and served from the caches.
//
//   cmake -S . -B build-bench -DVF_BUILD_BENCH=ON -DVF_BUILD_TESTS=OFF
//   cmake --build build-bench --target noise_bench -j2 && build-bench/noise_bench
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "bench_pictures.h"

namespace {

constexpr int32_t kFullWidth = 6000;
constexpr int32_t kFullHeight = 4000;
constexpr int32_t kPreviewWidth = 1000;
constexpr int32_t kPreviewHeight = 700;

// Pictures are made once per size and depth.
bench::BenchPicture& picture(int32_t w, int32_t h, bool is16) {
    static std::map<std::tuple<int32_t, int32_t, bool>, std::unique_ptr<bench::BenchPicture>> made;
    auto& p = made[{w, h, is16}];
    if (!p) p = std::make_unique<bench::BenchPicture>(bench::makeNoisyPicture(w, h, is16));
    return *p;
}

void fullRun(benchmark::State& state, int32_t mode) {
    const bool is16 = state.range(0) == 16;
    bench::BenchPicture& pic = picture(kFullWidth, kFullHeight, is16);
    for (auto _ : state) {
        state.PauseTiming();
        pic.restore();
        bench::emptyEngineCaches();
        ProcessingParams p = bench::defaultRecord(pic, mode, 1);
        state.ResumeTiming();
        if (Grainwash2(&p) != 1) state.SkipWithError("Grainwash2 failed");
    }
    state.counters["MP/s"] = benchmark::Counter(pic.megapixels() * double(state.iterations()),
                                                benchmark::Counter::kIsRate);
}

void BM_FullRunNormal(benchmark::State& state) {
    fullRun(state, 2);
}
void BM_FullRunHighNoise(benchmark::State& state) {
    fullRun(state, 6);
}
// Wall and process CPU time (all threads) in milliseconds.
void timedInMilliseconds(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
}
void bothDepthsThreeTimes(benchmark::internal::Benchmark* b) {
    timedInMilliseconds(b->Arg(16)->Arg(8)->Iterations(3));
}
BENCHMARK(BM_FullRunNormal)->Apply(bothDepthsThreeTimes);
BENCHMARK(BM_FullRunHighNoise)->Apply(bothDepthsThreeTimes);

enum class PreviewCase { Cold, NoiseLevelChanged, ColourChanged };

// A preview run as the program makes it after a slider move. Cold: every cache empty.
// NoiseLevelChanged: the level alternates between two values, so the smoothed planes come from
// the cache and noise map, threshold and blend are repeated. ColourChanged: only saturation and
// sharpening alternate, so the whole noise reduction comes from the result cache.
void preview(benchmark::State& state, int32_t mode, PreviewCase which) {
    bench::BenchPicture& pic = picture(kPreviewWidth, kPreviewHeight, true);
    bench::emptyEngineCaches();
    int64_t n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        pic.restore();
        if (which == PreviewCase::Cold) bench::emptyEngineCaches();
        ProcessingParams p = bench::defaultRecord(pic, mode, 0);
        if (which == PreviewCase::NoiseLevelChanged) p.NoiseLevel += n % 2;
        if (which == PreviewCase::ColourChanged) {
            p.Saturation = int32_t(n % 2) * 10;
            p.SharpenAmount = int32_t(n % 2) * 20;
        }
        ++n;
        state.ResumeTiming();
        if (Grainwash2(&p) != 1) state.SkipWithError("Grainwash2 failed");
    }
}

void BM_PreviewCold(benchmark::State& s) {
    preview(s, 2, PreviewCase::Cold);
}
void BM_PreviewNoiseLevelChanged(benchmark::State& s) {
    preview(s, 2, PreviewCase::NoiseLevelChanged);
}
void BM_PreviewColourChanged(benchmark::State& s) {
    preview(s, 2, PreviewCase::ColourChanged);
}
void BM_PreviewHighNoiseCold(benchmark::State& s) {
    preview(s, 6, PreviewCase::Cold);
}
void BM_PreviewHighNoiseLevelChanged(benchmark::State& s) {
    preview(s, 6, PreviewCase::NoiseLevelChanged);
}
BENCHMARK(BM_PreviewCold)->Apply(timedInMilliseconds);
BENCHMARK(BM_PreviewNoiseLevelChanged)->Apply(timedInMilliseconds);
BENCHMARK(BM_PreviewColourChanged)->Apply(timedInMilliseconds);
BENCHMARK(BM_PreviewHighNoiseCold)->Apply(timedInMilliseconds);
BENCHMARK(BM_PreviewHighNoiseLevelChanged)->Apply(timedInMilliseconds);

}  // namespace

BENCHMARK_MAIN();
