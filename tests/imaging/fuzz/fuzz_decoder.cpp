// libFuzzer target for one picture reader, chosen at build time with -DVF_FUZZ_READER=Name
// (Bmp, Jpeg, Png, Tiff, Gif, Jpeg2000, Psd, Raw, Image for the by-content dispatch together
// with the metadata reader). The reader may fail; it must not crash, hang or read outside the
// bytes it is given.
#include <cstddef>
#include <cstdint>
#include <string>

#include "imaging/codecs.h"
#include "imaging/image.h"
#include "imaging/metadata.h"

#define VF_CONCAT2(a, b) a##b
#define VF_CONCAT(a, b) VF_CONCAT2(a, b)

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Small pictures only: a header may claim any size, and the fuzzer's memory is limited.
    imaging::setMaxPixelCount(std::uint64_t{1} << 22);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    imaging::DecodeOptions options;
    options.keep16 = (size & 1) != 0;
    imaging::Image image;
    std::string error;
    if (VF_CONCAT(imaging::decode, VF_FUZZ_READER)(data, size, options, image, error) &&
        !image.empty()) {
        // Touch the corners so that a wrong layout shows.
        volatile std::uint8_t sink = image.row8(0)[0];
        sink = image.row8(image.height - 1)[image.width * 3 - 1];
        (void)sink;
    }
    imaging::FileFacts facts;
    VF_CONCAT(imaging::probe, VF_FUZZ_READER)(data, size, facts, error);
#ifdef VF_FUZZ_METADATA
    imaging::Image meta;
    imaging::metadata::read(data, size, meta);
    imaging::metadata::orientation(meta);
#endif
    return 0;
}
