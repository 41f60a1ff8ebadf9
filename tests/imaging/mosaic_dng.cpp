#include "mosaic_dng.h"

#include <tiffio.h>

#include <cstdint>
#include <vector>

namespace imaging::test {

bool writeMosaicDng(const std::string& path) {
    TIFF* t = TIFFOpen(path.c_str(), "w");
    if (!t) return false;
    const int w = 64, h = 48;
    const std::uint8_t version[4] = {1, 4, 0, 0};
    const std::uint16_t repeat[2] = {2, 2};
    const std::uint8_t pattern[4] = {0, 1, 1, 2};
    const float matrix[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    const float neutral[3] = {1, 1, 1};
    TIFFSetField(t, TIFFTAG_SUBFILETYPE, 0);
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, w);
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, h);
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 16);
    TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
    TIFFSetField(t, TIFFTAG_PHOTOMETRIC, 32803);  // colour filter array
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, h);
    TIFFSetField(t, TIFFTAG_MAKE, "Velmar");
    TIFFSetField(t, TIFFTAG_MODEL, "Mosaic");
    TIFFSetField(t, TIFFTAG_DNGVERSION, version);
    TIFFSetField(t, TIFFTAG_UNIQUECAMERAMODEL, "Velmar Mosaic");
    TIFFSetField(t, TIFFTAG_CFAREPEATPATTERNDIM, repeat);
    TIFFSetField(t, TIFFTAG_CFAPATTERN, 4, pattern);
    TIFFSetField(t, TIFFTAG_COLORMATRIX1, 9, matrix);
    TIFFSetField(t, TIFFTAG_ASSHOTNEUTRAL, 3, neutral);
    TIFFSetField(t, TIFFTAG_CALIBRATIONILLUMINANT1, 21);
    std::vector<std::uint16_t> row(w);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int colour = pattern[(y & 1) * 2 + (x & 1)];  // 0 red, 1 green, 2 blue
            const bool left = x < w / 2;
            const int lit = left ? 0 : 2;
            row[x] = static_cast<std::uint16_t>(colour == lit ? 40000 : 4000);
        }
        if (TIFFWriteScanline(t, row.data(), y, 0) < 0) {
            TIFFClose(t);
            return false;
        }
    }
    TIFFClose(t);
    return true;
}

}  // namespace imaging::test
