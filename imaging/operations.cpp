// The session operations that change a picture's pixels or geometry.
#include "imaging/imaging.h"
#include "imaging/session.h"
#include "imaging/transforms.h"

namespace imaging {

bool cOpIncreaseBitsPerPixel(Handle h, int bitsPerPixel) {
    Session* s = findSession(h);
    if (!s) return false;
    Image& im = s->image;
    if (im.empty()) return fail(s, "The session holds no picture.");
    if (bitsPerPixel == 24) return true;  // every picture is at least 24 bits a pixel here
    if (bitsPerPixel != 48)
        return fail(s, "Pictures can be brought to 24 or 48 bits a pixel only.");
    if (im.sixteen) return true;
    try {
        std::vector<std::uint16_t> wide(static_cast<std::size_t>(im.width) * im.height * 3);
        for (int y = 0; y < im.height; ++y) {
            const std::uint8_t* src = im.row8(y);
            std::uint16_t* dst = wide.data() + static_cast<std::size_t>(y) * im.width * 3;
            for (std::size_t i = 0; i < static_cast<std::size_t>(im.width) * 3; ++i)
                dst[i] = static_cast<std::uint16_t>(src[i] * 257);
        }
        im.bits16.swap(wide);
        im.sixteen = true;
    } catch (const std::bad_alloc&) {
        return fail(s, "Not enough memory to widen the picture to 16 bits.");
    }
    return true;
}

bool cOpRotateFine(Handle h, double degrees) {
    Session* s = findSession(h);
    if (!s) return false;
    if (s->image.empty()) return fail(s, "The session holds no picture.");
    std::string error;
    if (!rotateFine(s->image, degrees, error)) return fail(s, error);
    return true;
}

bool cOpResizeEx(Handle h, int width, int height, int filter) {
    Session* s = findSession(h);
    if (!s) return false;
    if (s->image.empty()) return fail(s, "The session holds no picture.");
    std::string error;
    if (!resize(s->image, width, height, filter, error)) return fail(s, error);
    return true;
}

bool cSetOpRectangle(Handle h, int left, int top, int right, int bottom) {
    Session* s = findSession(h);
    if (!s) return false;
    if (right < left || bottom < top) return fail(s, "The rectangle is empty.");
    s->rect = OpRectangle{left, top, right, bottom, true};
    return true;
}

bool cOpCrop(Handle h) {
    Session* s = findSession(h);
    if (!s) return false;
    if (s->image.empty()) return fail(s, "The session holds no picture.");
    if (!s->rect.set) return fail(s, "No rectangle was set for cropping.");
    std::string error;
    if (!crop(s->image, s->rect.left, s->rect.top, s->rect.right, s->rect.bottom, error))
        return fail(s, error);
    s->rect = OpRectangle{};
    return true;
}

}  // namespace imaging
