// Peak memory of one full 24-megapixel Grainwash2 run, against the size of the working planes
// (three planes of 16-bit samples). The caller's own pixel buffers are counted out: the peak is
// measured from the resident size just before the run.
//
//   build-bench/noise_peak_memory [16|8] [2|6]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "bench_pictures.h"

namespace {

// A field of /proc/self/status in kilobytes.
long statusKilobytes(const char* field) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::strlen(field) + 1);
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    const bool is16 = argc < 2 || std::atoi(argv[1]) != 8;
    const int mode = argc < 3 ? 2 : std::atoi(argv[2]);
    bench::BenchPicture pic = bench::makeNoisyPicture(6000, 4000, is16);
    pic.pristine.clear();
    pic.pristine.shrink_to_fit();
    ProcessingParams p = bench::defaultRecord(pic, mode, 1);

    // Reset the peak to the present resident size (Linux 4.0 and later).
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = statusKilobytes("VmRSS:");
    const int ok = Grainwash2(&p);
    const long peak = statusKilobytes("VmHWM:");
    const double planes = 3.0 * 6000 * 4000 * 2 / 1024;
    std::printf(
        "%d-bit, NoiseMode %d: %s; resident before %ld MiB, peak %ld MiB; the run added %.0f MiB = "
        "%.2f times the working planes (%.0f MiB)\n",
        is16 ? 16 : 8, mode, ok ? "done" : "failed", before / 1024, peak / 1024,
        (peak - before) / 1024.0, (peak - before) / planes, planes / 1024);
    return ok ? 0 : 1;
}
