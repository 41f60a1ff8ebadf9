#include "imaging_test_support.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace imaging::test {

ScratchDir::ScratchDir() {
    std::string templ = (std::filesystem::temp_directory_path() / "vf-imaging-XXXXXX").string();
    std::vector<char> buf(templ.begin(), templ.end());
    buf.push_back('\0');
    path_ = ::mkdtemp(buf.data());
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

RgbPicture makePattern(int width, int height, bool sixteen) {
    RgbPicture p;
    p.width = width;
    p.height = height;
    p.rgb.resize(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double fx = static_cast<double>(x) / std::max(1, width - 1);
            const double fy = static_cast<double>(y) / std::max(1, height - 1);
            const double v[3] = {fx, fy, 0.5 + 0.5 * std::sin(6.0 * fx + 4.0 * fy)};
            for (int c = 0; c < 3; ++c) {
                std::uint16_t s = static_cast<std::uint16_t>(std::lround(v[c] * 65535.0));
                // A 16-bit picture gets values an 8-bit one cannot hold.
                if (!sixteen)
                    s = static_cast<std::uint16_t>((s >> 8) * 257);
                else
                    s = static_cast<std::uint16_t>(s ^ ((x + y + c) & 0x5));
                p.rgb[(static_cast<std::size_t>(y) * width + x) * 3 + c] = s;
            }
        }
    }
    return p;
}

bool loadPattern(Handle h, const RgbPicture& p, bool sixteen) {
    if (sixteen) {
        std::vector<std::uint16_t> bgr(p.rgb.size());
        for (std::size_t i = 0; i < p.rgb.size(); i += 3) {
            bgr[i] = p.rgb[i + 2];
            bgr[i + 1] = p.rgb[i + 1];
            bgr[i + 2] = p.rgb[i];
        }
        return cLoadImage16(h, bgr.data(), bgr.size() * 2, p.width, p.height);
    }
    const std::size_t stride = ((static_cast<std::size_t>(p.width) * 3 + 3) / 4) * 4;
    std::vector<std::uint8_t> bits(stride * p.height, 0);
    for (int y = 0; y < p.height; ++y) {
        std::uint8_t* row = bits.data() + stride * (p.height - 1 - y);
        for (int x = 0; x < p.width; ++x)
            for (int c = 0; c < 3; ++c)
                row[3 * x + c] = static_cast<std::uint8_t>(p.at(x, y, 2 - c) >> 8);
    }
    return cLoadImage8(h, bits.data(), bits.size(), p.width, p.height);
}

RgbPicture sessionPixels(Handle h) {
    RgbPicture p;
    ImageInfo info;
    if (!cGetImageInfo(h, info)) return p;
    p.width = info.width;
    p.height = info.height;
    p.rgb.resize(static_cast<std::size_t>(p.width) * p.height * 3);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            std::uint16_t r, g, b;
            cGetPixelColor(h, x, y, r, g, b);
            std::uint16_t* o = &p.rgb[(static_cast<std::size_t>(y) * p.width + x) * 3];
            o[0] = r;
            o[1] = g;
            o[2] = b;
        }
    return p;
}

std::string runCommand(const std::string& command, int* status) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        if (status) *status = -1;
        return out;
    }
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
        out.append(buf, n);
    const int rc = ::pclose(pipe);
    if (status) *status = rc;
    return out;
}

bool magickPixels(const std::string& path, RgbPicture& out) {
    int status = 0;
    std::istringstream size(
        runCommand("identify -format '%w %h\\n' '" + path + "[0]' 2>/dev/null", &status));
    if (status != 0 || !(size >> out.width >> out.height)) return false;
    const std::string raw =
        runCommand("convert '" + path +
                       "[0]' -alpha off -colorspace sRGB -depth 16 -endian MSB rgb:- 2>/dev/null",
                   &status);
    if (status != 0 || raw.size() != static_cast<std::size_t>(out.width) * out.height * 6)
        return false;
    out.rgb.resize(raw.size() / 2);
    for (std::size_t i = 0; i < out.rgb.size(); ++i)
        out.rgb[i] = static_cast<std::uint16_t>((static_cast<std::uint8_t>(raw[2 * i]) << 8) |
                                                static_cast<std::uint8_t>(raw[2 * i + 1]));
    return true;
}

std::string exiftoolTag(const std::string& path, const std::string& tag) {
    std::string s = runCommand("exiftool -s3 -" + tag + " '" + path + "' 2>/dev/null");
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
        s.pop_back();
    return s;
}

int maxDifference(const RgbPicture& a, const RgbPicture& b) {
    if (a.width != b.width || a.height != b.height || a.rgb.size() != b.rgb.size()) return -1;
    int worst = 0;
    for (std::size_t i = 0; i < a.rgb.size(); ++i)
        worst = std::max(worst, std::abs(a.rgb[i] - b.rgb[i]));
    return worst;
}

double meanDifference(const RgbPicture& a, const RgbPicture& b) {
    if (a.rgb.size() != b.rgb.size() || a.rgb.empty()) return 1e9;
    double sum = 0;
    for (std::size_t i = 0; i < a.rgb.size(); ++i)
        sum += std::abs(a.rgb[i] - b.rgb[i]);
    return sum / a.rgb.size();
}

std::string dataPath(const std::string& relative) {
    return std::string(VF_TEST_DATA) + "/" + relative;
}

std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& data) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
}

}  // namespace imaging::test
