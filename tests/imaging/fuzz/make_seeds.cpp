// Writes the seed corpus of the fuzz targets: small valid files of every format, made with our
// own writers (and a DNG made with libtiff), one folder per reader.
#include <lcms2.h>
#include <tiffio.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "imaging/codecs.h"
#include "imaging/format_codes.h"
#include "imaging/image.h"
#include "imaging/imaging.h"

namespace {

using imaging::Bytes;
using imaging::Image;

Image pattern(int w, int h, bool sixteen) {
    Image im;
    std::string error;
    im.allocate(w, h, sixteen, error);
    std::vector<std::uint16_t> row(static_cast<std::size_t>(w) * 3);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            row[3 * x] = static_cast<std::uint16_t>(x * 65535 / std::max(1, w - 1));
            row[3 * x + 1] = static_cast<std::uint16_t>(y * 65535 / std::max(1, h - 1));
            row[3 * x + 2] =
                static_cast<std::uint16_t>(32768 + 30000 * std::sin(x * 0.7 + y * 0.3));
        }
        im.putRow16(y, row.data(), 3);
    }
    return im;
}

void save(const std::filesystem::path& dir, const std::string& name, const Bytes& b) {
    std::filesystem::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

bool writeDng(const std::string& path) {
    TIFF* t = TIFFOpen(path.c_str(), "w");
    if (!t) return false;
    const std::uint8_t version[4] = {1, 4, 0, 0};
    const std::uint16_t repeat[2] = {2, 2};
    const std::uint8_t cfa[4] = {0, 1, 1, 2};
    const float matrix[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    TIFFSetField(t, TIFFTAG_SUBFILETYPE, 0);
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, 16);
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, 12);
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 16);
    TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
    TIFFSetField(t, TIFFTAG_PHOTOMETRIC, 32803);
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, 12);
    TIFFSetField(t, TIFFTAG_MAKE, "Velmar");
    TIFFSetField(t, TIFFTAG_DNGVERSION, version);
    TIFFSetField(t, TIFFTAG_UNIQUECAMERAMODEL, "Velmar Seed");
    TIFFSetField(t, TIFFTAG_CFAREPEATPATTERNDIM, repeat);
    TIFFSetField(t, TIFFTAG_CFAPATTERN, 4, cfa);
    TIFFSetField(t, TIFFTAG_COLORMATRIX1, 9, matrix);
    std::vector<std::uint16_t> row(16);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 16; ++x)
            row[x] = static_cast<std::uint16_t>(1000 * (x + y));
        TIFFWriteScanline(t, row.data(), y, 0);
    }
    TIFFClose(t);
    return true;
}

// Colour profiles of the kinds pictures carry: the sRGB profile the program itself embeds, and
// grey, linear RGB and Lab profiles written by lcms2 in both profile versions.
bool writeProfiles(const std::filesystem::path& dir) {
    const std::vector<std::uint8_t> srgb = imaging::srgbProfile();
    save(dir, "srgb.icc", Bytes(srgb.begin(), srgb.end()));
    cmsToneCurve* gamma = cmsBuildGamma(nullptr, 2.2);
    cmsToneCurve* linear = cmsBuildGamma(nullptr, 1.0);
    cmsToneCurve* curves[3] = {linear, linear, linear};
    const cmsCIExyY d65 = {0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE primaries = {{0.64, 0.33, 1.0}, {0.30, 0.60, 1.0}, {0.15, 0.06, 1.0}};
    cmsHPROFILE profiles[] = {cmsCreateGrayProfile(&d65, gamma),
                              cmsCreateRGBProfile(&d65, &primaries, curves),
                              cmsCreateLab4Profile(nullptr)};
    const char* names[] = {"grey", "linear", "lab"};
    bool ok = true;
    for (int i = 0; i < 3; ++i) {
        for (double version : {2.1, 4.3}) {
            cmsSetProfileVersion(profiles[i], version);
            cmsUInt32Number n = 0;
            Bytes bytes;
            if (!profiles[i] || !cmsSaveProfileToMem(profiles[i], nullptr, &n)) {
                ok = false;
                continue;
            }
            bytes.resize(n);
            if (!cmsSaveProfileToMem(profiles[i], bytes.data(), &n)) ok = false;
            save(dir, std::string(names[i]) + (version < 3 ? "-v2.icc" : "-v4.icc"), bytes);
        }
        if (profiles[i]) cmsCloseProfile(profiles[i]);
    }
    cmsFreeToneCurve(gamma);
    cmsFreeToneCurve(linear);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds FOLDER\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    struct Writer {
        const char* reader;
        int format;
        bool (*encode)(const Image&, const imaging::EncodeOptions&, Bytes&, std::string&);
    };
    const Writer writers[] = {{"Bmp", imaging::kFormatBmp, imaging::encodeBmp},
                              {"Jpeg", imaging::kFormatJpeg, imaging::encodeJpeg},
                              {"Jpeg", imaging::kFormatJpegProgressive, imaging::encodeJpeg},
                              {"Png", imaging::kFormatPng, imaging::encodePng},
                              {"Tiff", imaging::kFormatTiff, imaging::encodeTiff},
                              {"Psd", imaging::kFormatPsd, imaging::encodePsd},
                              {"Jpeg2000", imaging::kFormatJp2, imaging::encodeJpeg2000}};
    int n = 0;
    for (const Writer& w : writers) {
        for (bool sixteen : {false, true}) {
            for (int psd = 0; psd <= 1; ++psd) {
                Image im = pattern(13 + n % 5, 7 + n % 3, sixteen);
                imaging::EncodeOptions o;
                o.format = w.format;
                o.write16 = sixteen;
                o.psdCompression = psd;
                o.lossyFraction = psd ? 0.8 : 1.0;
                o.jpegQuality = psd ? 75 : 95;
                Bytes bytes;
                std::string error;
                if (!w.encode(im, o, bytes, error)) {
                    std::fprintf(stderr, "%s: %s\n", w.reader, error.c_str());
                    return 1;
                }
                const std::string name = "seed" + std::to_string(n++);
                save(root / w.reader, name, bytes);
                save(root / "Image", name, bytes);
            }
        }
    }
    std::filesystem::create_directories(root / "Raw");
    if (!writeDng((root / "Raw" / "seed.dng").string())) return 1;
    std::filesystem::copy_file(root / "Raw" / "seed.dng", root / "Image" / "seed.dng",
                               std::filesystem::copy_options::overwrite_existing);
    if (!writeProfiles(root / "Profile")) {
        std::fprintf(stderr, "Profile: lcms2 could not write a profile\n");
        return 1;
    }
    // The thumbnail load starts from the JPEG files (and any other file it is given).
    std::filesystem::copy(root / "Jpeg", root / "Thumbnail");
    return 0;
}
