// JPEG 2000 through OpenJPEG: JP2 files and bare codestreams, grey, RGB and RGBA of any
// precision (above 8 bits kept as 16 when asked); written as JP2, lossless or at a kept quality,
// with the colour profile in the colour box.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include <openjpeg.h>

#include "imaging/codecs.h"
#include "imaging/format_codes.h"

namespace imaging {

namespace {

struct MemoryStream {
    const std::uint8_t* data = nullptr;
    Bytes* out = nullptr;
    std::size_t size = 0;
    std::size_t pos = 0;
};

OPJ_SIZE_T streamRead(void* buffer, OPJ_SIZE_T n, void* user) {
    auto* m = static_cast<MemoryStream*>(user);
    if (m->pos >= m->size) return static_cast<OPJ_SIZE_T>(-1);
    const std::size_t k = std::min<std::size_t>(n, m->size - m->pos);
    std::memcpy(buffer, m->data + m->pos, k);
    m->pos += k;
    return k;
}
OPJ_OFF_T streamSkip(OPJ_OFF_T n, void* user) {
    auto* m = static_cast<MemoryStream*>(user);
    const std::size_t total = m->out ? m->out->size() : m->size;
    if (n < 0) {
        if (static_cast<std::size_t>(-n) > m->pos) return -1;
        m->pos -= static_cast<std::size_t>(-n);
        return n;
    }
    if (m->out) {
        m->pos += static_cast<std::size_t>(n);
        if (m->pos > m->out->size()) m->out->resize(m->pos);
        return n;
    }
    const std::size_t k =
        std::min<std::size_t>(static_cast<std::size_t>(n), total - std::min(total, m->pos));
    m->pos += k;
    return static_cast<OPJ_OFF_T>(k);
}
OPJ_BOOL streamSeek(OPJ_OFF_T n, void* user) {
    auto* m = static_cast<MemoryStream*>(user);
    if (n < 0) return OPJ_FALSE;
    if (m->out) {
        if (static_cast<std::size_t>(n) > m->out->size())
            m->out->resize(static_cast<std::size_t>(n));
    } else if (static_cast<std::size_t>(n) > m->size) {
        return OPJ_FALSE;
    }
    m->pos = static_cast<std::size_t>(n);
    return OPJ_TRUE;
}
OPJ_SIZE_T streamWrite(void* buffer, OPJ_SIZE_T n, void* user) {
    auto* m = static_cast<MemoryStream*>(user);
    if (m->pos + n > m->out->size()) m->out->resize(m->pos + n);
    std::memcpy(m->out->data() + m->pos, buffer, n);
    m->pos += n;
    return n;
}

void quietMessage(const char*, void*) {}
void keepMessage(const char* msg, void* user) {
    auto* s = static_cast<std::string*>(user);
    if (s->empty() && msg) {
        *s = msg;
        while (!s->empty() && (s->back() == '\n' || s->back() == ' '))
            s->pop_back();
    }
}

struct CodecCloser {
    void operator()(opj_codec_t* c) const {
        if (c) opj_destroy_codec(c);
    }
};
struct StreamCloser {
    void operator()(opj_stream_t* s) const {
        if (s) opj_stream_destroy(s);
    }
};
struct ImageCloser {
    void operator()(opj_image_t* i) const {
        if (i) opj_image_destroy(i);
    }
};
using CodecPtr = std::unique_ptr<opj_codec_t, CodecCloser>;
using StreamPtr = std::unique_ptr<opj_stream_t, StreamCloser>;
using OpjImagePtr = std::unique_ptr<opj_image_t, ImageCloser>;

StreamPtr readStream(MemoryStream& m) {
    StreamPtr s(opj_stream_create(64 * 1024, OPJ_TRUE));
    if (!s) return s;
    opj_stream_set_user_data(s.get(), &m, nullptr);
    opj_stream_set_user_data_length(s.get(), m.size);
    opj_stream_set_read_function(s.get(), streamRead);
    opj_stream_set_skip_function(s.get(), streamSkip);
    opj_stream_set_seek_function(s.get(), streamSeek);
    return s;
}

// Opens the codec and reads the header; decodes the pixels too unless headerOnly.
bool openAndRead(const std::uint8_t* d, std::size_t n, bool headerOnly, OpjImagePtr& image,
                 int& formatCode, std::string& error) {
    const bool jp2 = n >= 12 && std::memcmp(d + 4, "jP  ", 4) == 0;
    formatCode = jp2 ? kFormatJp2 : kFormatJ2k;
    CodecPtr codec(opj_create_decompress(jp2 ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K));
    std::string message;
    opj_set_error_handler(codec.get(), keepMessage, &message);
    opj_set_warning_handler(codec.get(), quietMessage, nullptr);
    opj_set_info_handler(codec.get(), quietMessage, nullptr);
    opj_dparameters_t params;
    opj_set_default_decoder_parameters(&params);
    if (!opj_setup_decoder(codec.get(), &params)) {
        error = "JPEG 2000 decoder set-up failed.";
        return false;
    }
    opj_codec_set_threads(codec.get(), 1);
    MemoryStream m{d, nullptr, n, 0};
    StreamPtr stream = readStream(m);
    opj_image_t* raw = nullptr;
    if (!stream || !opj_read_header(stream.get(), codec.get(), &raw)) {
        image.reset(raw);
        error = "Not a readable JPEG 2000 file. " + message;
        return false;
    }
    image.reset(raw);
    if (headerOnly) return true;
    const std::uint64_t w = raw->x1 - raw->x0, h = raw->y1 - raw->y0;
    if (raw->x1 <= raw->x0 || raw->y1 <= raw->y0 || w * h > maxPixelCount()) {
        error = "The JPEG 2000 picture is too large or empty.";
        return false;
    }
    if (!opj_decode(codec.get(), stream.get(), raw) ||
        !opj_end_decompress(codec.get(), stream.get())) {
        error = "The JPEG 2000 file is damaged or truncated. " + message;
        return false;
    }
    return true;
}

}  // namespace

bool probeJpeg2000(const std::uint8_t* d, std::size_t n, FileFacts& f, std::string& error) {
    OpjImagePtr image;
    int code = 0;
    if (!openAndRead(d, n, true, image, code, error)) return false;
    f.width = static_cast<int>(image->x1 - image->x0);
    f.height = static_cast<int>(image->y1 - image->y0);
    f.bitsPerPixel = 0;
    for (OPJ_UINT32 c = 0; c < image->numcomps && c < 4; ++c)
        f.bitsPerPixel += static_cast<int>(image->comps[c].prec);
    f.formatCode = code;
    return f.width > 0 && f.height > 0;
}

bool decodeJpeg2000(const std::uint8_t* d, std::size_t n, const DecodeOptions& o, Image& image,
                    std::string& error) {
    OpjImagePtr j;
    int code = 0;
    if (!openAndRead(d, n, false, j, code, error)) return false;
    const int numComps = static_cast<int>(j->numcomps);
    if (numComps < 1 || numComps > 16) {
        error = "Unsupported number of JPEG 2000 components.";
        return false;
    }
    const int colourComps = numComps >= 3 ? 3 : 1;
    const bool alpha = numComps == 2 || numComps == 4;
    const int channels = colourComps + (alpha ? 1 : 0);
    const int W = static_cast<int>(j->x1 - j->x0), H = static_cast<int>(j->y1 - j->y0);
    int maxPrec = 0;
    for (int c = 0; c < channels; ++c) {
        const opj_image_comp_t& comp = j->comps[c];
        if (!comp.data || comp.dx == 0 || comp.dy == 0 || comp.prec < 1 || comp.prec > 31 ||
            comp.w == 0 || comp.h == 0) {
            error = "The JPEG 2000 picture has an invalid component.";
            return false;
        }
        maxPrec = std::max(maxPrec, static_cast<int>(comp.prec));
    }
    const bool sixteen = maxPrec > 8 && o.keep16;
    if (!image.allocate(W, H, sixteen, error)) return false;
    image.formatCode = code;
    image.sourceBitsPerPixel = maxPrec * colourComps;
    if (j->icc_profile_buf && j->icc_profile_len)
        image.icc.assign(j->icc_profile_buf, j->icc_profile_buf + j->icc_profile_len);
    std::vector<std::uint16_t> row(static_cast<std::size_t>(W) * channels);
    for (int y = 0; y < H; ++y) {
        for (int c = 0; c < channels; ++c) {
            const int compIndex = c < colourComps ? c : colourComps;
            const opj_image_comp_t& comp = j->comps[compIndex];
            const std::int64_t maxV = (std::int64_t{1} << comp.prec) - 1;
            const std::int64_t offset = comp.sgnd ? (std::int64_t{1} << (comp.prec - 1)) : 0;
            // Components may be subsampled; sample each at the nearest stored position.
            const std::uint32_t cy =
                std::min<std::uint32_t>(static_cast<std::uint32_t>(y) / comp.dy, comp.h - 1);
            for (int x = 0; x < W; ++x) {
                const std::uint32_t cx =
                    std::min<std::uint32_t>(static_cast<std::uint32_t>(x) / comp.dx, comp.w - 1);
                std::int64_t v = static_cast<std::int64_t>(
                                     comp.data[static_cast<std::size_t>(cy) * comp.w + cx]) +
                                 offset;
                v = std::clamp<std::int64_t>(v, 0, maxV);
                row[static_cast<std::size_t>(x) * channels + c] =
                    static_cast<std::uint16_t>((v * 65535 + maxV / 2) / maxV);
            }
        }
        image.putRow16(y, row.data(), channels);
        if (o.progress && (y % 64 == 0 || y + 1 == H))
            o.progress(static_cast<int>(100LL * (y + 1) / H));
    }
    return true;
}

bool encodeJpeg2000(const Image& image, const EncodeOptions& o, Bytes& out, std::string& error) {
    const bool sixteen = image.sixteen && o.write16;
    const int prec = sixteen ? 16 : 8;
    opj_image_cmptparm_t comps[3];
    std::memset(comps, 0, sizeof comps);
    for (auto& c : comps) {
        c.dx = c.dy = 1;
        c.w = static_cast<OPJ_UINT32>(image.width);
        c.h = static_cast<OPJ_UINT32>(image.height);
        c.prec = static_cast<OPJ_UINT32>(prec);
        c.sgnd = 0;
    }
    OpjImagePtr j(opj_image_create(3, comps, OPJ_CLRSPC_SRGB));
    if (!j) {
        error = "Not enough memory for the JPEG 2000 encoder.";
        return false;
    }
    j->x0 = j->y0 = 0;
    j->x1 = static_cast<OPJ_UINT32>(image.width);
    j->y1 = static_cast<OPJ_UINT32>(image.height);
    std::vector<std::uint16_t> rgb16(static_cast<std::size_t>(image.width) * 3);
    std::vector<std::uint8_t> rgb8(static_cast<std::size_t>(image.width) * 3);
    for (int y = 0; y < image.height; ++y) {
        const std::size_t base = static_cast<std::size_t>(y) * image.width;
        if (sixteen)
            image.getRowRgb16(y, rgb16.data());
        else
            image.getRowRgb8(y, rgb8.data());
        for (int x = 0; x < image.width; ++x)
            for (int c = 0; c < 3; ++c)
                j->comps[c].data[base + x] = sixteen ? rgb16[3 * static_cast<std::size_t>(x) + c]
                                                     : rgb8[3 * static_cast<std::size_t>(x) + c];
    }
    // The profile buffer stays ours: the encoder copies it.
    Bytes icc = o.embedIcc ? image.icc : Bytes{};
    if (!icc.empty()) {
        j->icc_profile_buf = icc.data();
        j->icc_profile_len = static_cast<OPJ_UINT32>(icc.size());
    }
    opj_cparameters_t params;
    opj_set_default_encoder_parameters(&params);
    params.tcp_numlayers = 1;
    params.cp_disto_alloc = 1;
    const bool lossless = o.lossyFraction >= 1.0;
    params.irreversible = lossless ? 0 : 1;
    params.tcp_mct = 1;
    // Lossy: the kept quality fraction maps to a compression rate (0.5 -> 20:1, 0.98 -> about 4:1).
    params.tcp_rates[0] =
        lossless ? 0.0f
                 : static_cast<float>(
                       std::max(1.5, 1.0 / std::pow(std::max(o.lossyFraction, 0.01), 3.0) * 2.5));
    int levels = 5;
    while (levels > 0 && ((image.width >> levels) < 1 || (image.height >> levels) < 1))
        --levels;
    params.numresolution = levels + 1;
    CodecPtr codec(opj_create_compress(OPJ_CODEC_JP2));
    std::string message;
    opj_set_error_handler(codec.get(), keepMessage, &message);
    opj_set_warning_handler(codec.get(), quietMessage, nullptr);
    opj_set_info_handler(codec.get(), quietMessage, nullptr);
    bool ok = opj_setup_encoder(codec.get(), &params, j.get());
    out.clear();
    MemoryStream m{nullptr, &out, 0, 0};
    StreamPtr stream(opj_stream_create(64 * 1024, OPJ_FALSE));
    if (ok && stream) {
        opj_stream_set_user_data(stream.get(), &m, nullptr);
        opj_stream_set_write_function(stream.get(), streamWrite);
        opj_stream_set_skip_function(stream.get(), streamSkip);
        opj_stream_set_seek_function(stream.get(), streamSeek);
        ok = opj_start_compress(codec.get(), j.get(), stream.get()) &&
             opj_encode(codec.get(), stream.get()) && opj_end_compress(codec.get(), stream.get());
    } else {
        ok = false;
    }
    j->icc_profile_buf = nullptr;
    j->icc_profile_len = 0;
    if (!ok) {
        error = "JPEG 2000: " + (message.empty() ? std::string("the encoder failed") : message);
        return false;
    }
    if (o.progress) o.progress(100);
    return true;
}

}  // namespace imaging
