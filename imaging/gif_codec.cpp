// GIF through giflib: the first frame, placed on the logical screen; transparent pixels and the
// uncovered screen become white.
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include <gif_lib.h>

#include "imaging/codecs.h"
#include "imaging/format_codes.h"

namespace imaging {
namespace {

// giflib has no text for some error codes and then returns null.
const char* gifErrorText(int code) {
    const char* text = GifErrorString(code);
    return text ? text : "unknown GIF error";
}

struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos;
};

int readGif(GifFileType* gif, GifByteType* out, int length) {
    auto* r = static_cast<Reader*>(gif->UserData);
    if (length <= 0) return 0;
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(length), r->size - r->pos);
    std::memcpy(out, r->data + r->pos, n);
    r->pos += n;
    return static_cast<int>(n);
}

struct GifCloser {
    void operator()(GifFileType* g) const {
        int err = 0;
        if (g) DGifCloseFile(g, &err);
    }
};

using GifPtr = std::unique_ptr<GifFileType, GifCloser>;

// Opens the file and reads its screen descriptor; null (with the reason) when that fails or
// the screen has no size.
GifPtr openGif(Reader& r, std::string& error) {
    int err = 0;
    GifPtr gif(DGifOpen(&r, readGif, &err));
    if (!gif) {
        error = std::string("Not a readable GIF file: ") + gifErrorText(err);
        return nullptr;
    }
    if (gif->SWidth <= 0 || gif->SHeight <= 0) {
        error = "The GIF file has an invalid size.";
        return nullptr;
    }
    return gif;
}

}  // namespace

bool probeGif(const std::uint8_t* d, std::size_t n, FileFacts& f, std::string& error) {
    Reader r{d, n, 0};
    const GifPtr gif = openGif(r, error);
    if (!gif) return false;
    f.width = gif->SWidth;
    f.height = gif->SHeight;
    f.bitsPerPixel = 8;
    f.formatCode = kFormatGif;
    return true;
}

bool decodeGif(const std::uint8_t* d, std::size_t n, const DecodeOptions&, Image& image,
               std::string& error) {
    Reader r{d, n, 0};
    const GifPtr gif = openGif(r, error);
    if (!gif) return false;
    GifFileType* g = gif.get();
    // Read records up to the first frame only: later frames are not needed.
    int transparent = -1;
    GifRecordType type;
    do {
        if (DGifGetRecordType(g, &type) == GIF_ERROR) {
            error = std::string("The GIF file is damaged: ") + gifErrorText(g->Error);
            return false;
        }
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* ext = nullptr;
            if (DGifGetExtension(g, &code, &ext) == GIF_ERROR) {
                error = std::string("The GIF file is damaged: ") + gifErrorText(g->Error);
                return false;
            }
            if (code == GRAPHICS_EXT_FUNC_CODE && ext && ext[0] >= 4) {
                GraphicsControlBlock gcb;
                DGifExtensionToGCB(ext[0], ext + 1, &gcb);
                transparent = gcb.TransparentColor;
            }
            while (ext) {
                if (DGifGetExtensionNext(g, &ext) == GIF_ERROR) {
                    error = std::string("The GIF file is damaged: ") + gifErrorText(g->Error);
                    return false;
                }
            }
        } else if (type == TERMINATE_RECORD_TYPE) {
            error = "The GIF file holds no picture.";
            return false;
        }
    } while (type != IMAGE_DESC_RECORD_TYPE);
    if (DGifGetImageDesc(g) == GIF_ERROR) {
        error = std::string("The GIF file is damaged: ") + gifErrorText(g->Error);
        return false;
    }
    const GifImageDesc& desc = g->Image;
    const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : g->SColorMap;
    if (!map || desc.Width <= 0 || desc.Height <= 0 || desc.Left < 0 || desc.Top < 0 ||
        desc.Left > g->SWidth - desc.Width || desc.Top > g->SHeight - desc.Height) {
        error = "The GIF frame is invalid.";
        return false;
    }
    if (!image.allocate(g->SWidth, g->SHeight, false, error)) return false;
    image.formatCode = kFormatGif;
    image.sourceBitsPerPixel = 8;
    std::vector<GifPixelType> frame(static_cast<std::size_t>(desc.Width) * desc.Height);
    if (desc.Interlace) {
        static const int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = kStart[pass]; y < desc.Height; y += kStep[pass])
                if (DGifGetLine(g, &frame[static_cast<std::size_t>(y) * desc.Width], desc.Width) ==
                    GIF_ERROR) {
                    error = std::string("The GIF file is damaged or truncated: ") +
                            gifErrorText(g->Error);
                    image.clear();
                    return false;
                }
    } else {
        for (int y = 0; y < desc.Height; ++y)
            if (DGifGetLine(g, &frame[static_cast<std::size_t>(y) * desc.Width], desc.Width) ==
                GIF_ERROR) {
                error =
                    std::string("The GIF file is damaged or truncated: ") + gifErrorText(g->Error);
                image.clear();
                return false;
            }
    }
    std::vector<std::uint8_t> row(static_cast<std::size_t>(g->SWidth) * 3);
    for (int y = 0; y < g->SHeight; ++y) {
        std::memset(row.data(), 0xFF, row.size());
        const int fy = y - desc.Top;
        if (fy >= 0 && fy < desc.Height) {
            for (int fx = 0; fx < desc.Width; ++fx) {
                const int idx = frame[static_cast<std::size_t>(fy) * desc.Width + fx];
                if (idx == transparent || idx >= map->ColorCount) continue;
                std::uint8_t* o = &row[3 * static_cast<std::size_t>(desc.Left + fx)];
                o[0] = map->Colors[idx].Red;
                o[1] = map->Colors[idx].Green;
                o[2] = map->Colors[idx].Blue;
            }
        }
        image.putRow8(y, row.data(), 3);
    }
    return true;
}

}  // namespace imaging
