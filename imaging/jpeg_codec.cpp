// JPEG through libjpeg(-turbo): baseline and progressive, grey, RGB and CMYK, scaled decoding for
// thumbnails; the colour profile travels in APP2 markers.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

#include "imaging/codecs.h"
#include "imaging/format_codes.h"

namespace imaging {

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool damaged;     // scan data was cut short or had to be resynchronised
    bool endedEarly;  // the data ran out where a marker was due (libjpeg's warning text below)
    char endMessage[JMSG_LENGTH_MAX];
};

void errorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void emitMessage(j_common_ptr cinfo, int level) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (level >= 0) return;  // trace messages
    // Scan data that stops early decodes to grey; treat it as the damage it is. The end of the
    // file alone is only damage when a scan is missing, which the decoder decides afterwards.
    const int code = cinfo->err->msg_code;
    if (code == JWRN_HIT_MARKER || code == JWRN_MUST_RESYNC) err->damaged = true;
    if (code == JWRN_JPEG_EOF && !err->endedEarly) {
        err->endedEarly = true;
        (*cinfo->err->format_message)(cinfo, err->endMessage);
    }
}

// Called by libjpeg between rows and, for progressive pictures, between the passes that take in
// the scans: the one place a long decode can give up. The error path cleans up.
struct StopMonitor {
    jpeg_progress_mgr pub;
    const DecodeOptions* options;
    ErrorManager* err;
};

void checkStop(j_common_ptr cinfo) {
    auto* m = reinterpret_cast<StopMonitor*>(cinfo->progress);
    if (m->options->stopped()) {
        std::snprintf(m->err->message, sizeof m->err->message, "%s", kStoppedText);
        std::longjmp(m->err->jump, 1);
    }
}

void initErrors(ErrorManager& err) {
    jpeg_std_error(&err.pub);
    err.pub.error_exit = errorExit;
    err.pub.emit_message = emitMessage;
    err.message[0] = 0;
    err.damaged = false;
    err.endedEarly = false;
    err.endMessage[0] = 0;
}

// Whether every scan of the picture was read. A progressive picture is whole when every
// coefficient of every component was refined to its last bit; a sequential one when each
// component had its scan (one scan with all of them, or one scan each).
bool allScansRead(const jpeg_decompress_struct& c) {
    if (c.progressive_mode) {
        if (!c.coef_bits) return false;
        for (int ci = 0; ci < c.num_components; ++ci)
            for (int k = 0; k < DCTSIZE2; ++k)
                if (c.coef_bits[ci][k] != 0) return false;
        return true;
    }
    return c.comps_in_scan == c.num_components || c.input_scan_number >= c.num_components;
}

// Everything the decoder needs that must survive a longjmp lives here, outside the frame that
// calls setjmp.
struct DecodeState {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    std::vector<std::uint8_t> row;
    std::vector<std::uint8_t> rgb;
    StopMonitor monitor;
    bool created = false;
};

bool readHeader(DecodeState& s, const std::uint8_t* d, std::size_t n) {
    jpeg_create_decompress(&s.cinfo);
    s.created = true;
    jpeg_mem_src(&s.cinfo, d, static_cast<unsigned long>(n));
    jpeg_save_markers(&s.cinfo, JPEG_APP0 + 2, 0xFFFF);
    jpeg_save_markers(&s.cinfo, JPEG_COM, 0xFFFF);
    return jpeg_read_header(&s.cinfo, TRUE) == JPEG_HEADER_OK;
}

// Runs the libjpeg calls of a decode; returns 0 on success, 1 after a libjpeg error.
int decodeSteps(DecodeState& s, const std::uint8_t* d, std::size_t n, const DecodeOptions& o,
                Image& image, std::string& error, bool& ok) {
    if (setjmp(s.err.jump)) return 1;
    ok = false;
    if (!readHeader(s, d, n)) return 0;
    jpeg_decompress_struct& c = s.cinfo;
    const bool cmyk = c.jpeg_color_space == JCS_CMYK || c.jpeg_color_space == JCS_YCCK;
    const bool grey = c.num_components == 1;
    // Colour pictures come out of the decoder in the picture's own blue-green-red order, straight
    // into its rows: the same samples as red-green-blue, without a copy of each row.
    const bool direct = !cmyk && !grey;
    c.out_color_space = cmyk ? JCS_CMYK : (grey ? JCS_GRAYSCALE : JCS_EXT_BGR);
    if (o.fitWidth > 0 && o.fitHeight > 0) {
        // The smallest eighth-step scale whose result still covers the box.
        for (unsigned num = 1; num <= 8; ++num) {
            const unsigned long w = (c.image_width * num + 7) / 8;
            const unsigned long h = (c.image_height * num + 7) / 8;
            if (w >= static_cast<unsigned long>(o.fitWidth) ||
                h >= static_cast<unsigned long>(o.fitHeight) || num == 8) {
                c.scale_num = num;
                c.scale_denom = 8;
                break;
            }
        }
    }
    jpeg_calc_output_dimensions(&c);
    if (!image.allocate(static_cast<int>(c.output_width), static_cast<int>(c.output_height), false,
                        error))
        return 0;
    image.formatCode = c.progressive_mode ? kFormatJpegProgressive : kFormatJpeg;
    image.sourceBitsPerPixel = grey ? 8 : 24;
    JOCTET* icc = nullptr;
    unsigned int iccLen = 0;
    if (jpeg_read_icc_profile(&c, &icc, &iccLen) && icc) {
        image.icc.assign(icc, icc + iccLen);
        std::free(icc);
    }
    for (jpeg_saved_marker_ptr m = c.marker_list; m; m = m->next)
        if (m->marker == JPEG_COM) image.comment.assign(m->data, m->data + m->data_length);
    // Adobe writes CMYK inverted; the saw_Adobe_marker flag tells.
    const bool inverted = cmyk && c.saw_Adobe_marker;
    if (o.stop) {
        s.monitor.pub.progress_monitor = checkStop;
        s.monitor.options = &o;
        s.monitor.err = &s.err;
        c.progress = &s.monitor.pub;
    }
    jpeg_start_decompress(&c);
    if (!direct) s.row.assign(static_cast<std::size_t>(c.output_width) * c.output_components, 0);
    s.rgb.assign(static_cast<std::size_t>(c.output_width) * 3, 0);
    std::uint8_t* rgb = s.rgb.data();
    int lastPercent = -1;
    while (c.output_scanline < c.output_height) {
        const int y = static_cast<int>(c.output_scanline);
        JSAMPROW rowPtr = direct ? image.row8(y) : s.row.data();
        if (jpeg_read_scanlines(&c, &rowPtr, 1) != 1) break;
        if (cmyk) {
            for (unsigned x = 0; x < c.output_width; ++x) {
                unsigned cc = s.row[4 * x], mm = s.row[4 * x + 1], yy = s.row[4 * x + 2],
                         kk = s.row[4 * x + 3];
                if (!inverted) {
                    cc = 255 - cc;
                    mm = 255 - mm;
                    yy = 255 - yy;
                    kk = 255 - kk;
                }
                rgb[3 * x] = static_cast<std::uint8_t>((cc * kk + 127) / 255);
                rgb[3 * x + 1] = static_cast<std::uint8_t>((mm * kk + 127) / 255);
                rgb[3 * x + 2] = static_cast<std::uint8_t>((yy * kk + 127) / 255);
            }
            image.putRow8(y, rgb, 3);
        } else if (grey) {
            image.putRow8(y, s.row.data(), 1);
        }
        if (o.progress) {
            const int p = static_cast<int>(100LL * (y + 1) / c.output_height);
            if (p != lastPercent) o.progress(lastPercent = p);
        }
    }
    // The progression state lives until jpeg_finish_decompress frees it.
    const bool progressiveWhole = c.progressive_mode && allScansRead(c);
    if (s.err.damaged) {
        error = "The JPEG file is truncated or damaged.";
        return 0;
    }
    const bool progressive = c.progressive_mode;
    jpeg_finish_decompress(&c);
    if (s.err.damaged) {
        error = "The JPEG file is truncated or damaged.";
        return 0;
    }
    if (s.err.endedEarly) {
        // A file that lacks only its end-of-image marker holds the whole picture (viewers show
        // it); one that also lacks a scan would come out grey or blurred.
        if (!(progressive ? progressiveWhole : allScansRead(c))) {
            error = "The JPEG file is truncated or damaged.";
            return 0;
        }
        if (o.warnings)
            o.warnings->push_back(std::string("The JPEG file ends without its end-of-image "
                                              "marker; all of its picture data is there (") +
                                  s.err.endMessage + ").");
    }
    ok = true;
    return 0;
}

struct EncodeState {
    jpeg_compress_struct cinfo;
    ErrorManager err;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    bool created = false;
};

int encodeSteps(EncodeState& s, const Image& image, const EncodeOptions& o) {
    if (setjmp(s.err.jump)) return 1;
    jpeg_compress_struct& c = s.cinfo;
    jpeg_create_compress(&c);
    s.created = true;
    jpeg_mem_dest(&c, &s.buffer, &s.size);
    c.image_width = static_cast<JDIMENSION>(image.width);
    c.image_height = static_cast<JDIMENSION>(image.height);
    c.input_components = 3;
    c.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&c);
    int q = o.jpegQuality < 1 ? 1 : (o.jpegQuality > 100 ? 100 : o.jpegQuality);
    jpeg_set_quality(&c, q, TRUE);
    if (q >= 90) {
        // Full-resolution colour at high qualities: fine colour detail is what they are for.
        for (int i = 0; i < 3; ++i)
            c.comp_info[i].h_samp_factor = c.comp_info[i].v_samp_factor = 1;
    }
    c.optimize_coding = o.jpegOptimize ? TRUE : FALSE;
    c.smoothing_factor = o.jpegSmoothing < 0 ? 0 : (o.jpegSmoothing > 100 ? 100 : o.jpegSmoothing);
    if (o.format == kFormatJpegProgressive) jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    if (o.embedIcc && !image.icc.empty())
        jpeg_write_icc_profile(&c, image.icc.data(), static_cast<unsigned>(image.icc.size()));
    int lastPercent = -1;
    while (c.next_scanline < c.image_height) {
        const int y = static_cast<int>(c.next_scanline);
        JSAMPROW row = const_cast<JSAMPROW>(image.row8(y));
        jpeg_write_scanlines(&c, &row, 1);
        if (o.progress) {
            const int p = static_cast<int>(100LL * (y + 1) / image.height);
            if (p != lastPercent) o.progress(lastPercent = p);
        }
    }
    jpeg_finish_compress(&c);
    return 0;
}

}  // namespace

bool probeJpeg(const std::uint8_t* d, std::size_t n, FileFacts& f, std::string& error) {
    auto s = std::make_unique<DecodeState>();
    initErrors(s->err);
    s->cinfo.err = &s->err.pub;
    bool ok = false;
    int failed = 0;
    {
        // setjmp must sit in a frame that outlives the libjpeg calls.
        struct Probe {
            static int run(DecodeState& st, const std::uint8_t* dd, std::size_t nn, bool& res) {
                if (setjmp(st.err.jump)) return 1;
                res = readHeader(st, dd, nn);
                return 0;
            }
        };
        failed = Probe::run(*s, d, n, ok);
    }
    if (failed || !ok) {
        error = failed ? std::string("JPEG: ") + s->err.message : "Not a JPEG file.";
        if (s->created) jpeg_destroy_decompress(&s->cinfo);
        return false;
    }
    f.width = static_cast<int>(s->cinfo.image_width);
    f.height = static_cast<int>(s->cinfo.image_height);
    f.bitsPerPixel = 8 * s->cinfo.num_components;
    if (s->cinfo.num_components == 4) f.bitsPerPixel = 24;
    f.formatCode = s->cinfo.progressive_mode ? kFormatJpegProgressive : kFormatJpeg;
    jpeg_destroy_decompress(&s->cinfo);
    return true;
}

bool decodeJpeg(const std::uint8_t* d, std::size_t n, const DecodeOptions& o, Image& image,
                std::string& error) {
    auto s = std::make_unique<DecodeState>();
    initErrors(s->err);
    s->cinfo.err = &s->err.pub;
    bool ok = false;
    const int failed = decodeSteps(*s, d, n, o, image, error, ok);
    if (failed)
        error = std::string("The JPEG file is damaged: ") + s->err.message;
    else if (!ok && error.empty())
        error = "Not a JPEG file.";
    if (s->created) jpeg_destroy_decompress(&s->cinfo);
    if (failed || !ok) image.clear();
    return !failed && ok;
}

bool encodeJpeg(const Image& image, const EncodeOptions& o, Bytes& out, std::string& error) {
    if (image.width > 65500 || image.height > 65500) {
        error = "The picture is too large for a JPEG file (at most 65500 pixels a side).";
        return false;
    }
    auto s = std::make_unique<EncodeState>();
    initErrors(s->err);
    s->cinfo.err = &s->err.pub;
    const int failed = encodeSteps(*s, image, o);
    if (failed)
        error = std::string("JPEG: ") + s->err.message;
    else
        out.assign(s->buffer, s->buffer + s->size);
    if (s->created) jpeg_destroy_compress(&s->cinfo);
    std::free(s->buffer);
    return !failed;
}

}  // namespace imaging
