/* Includes the public header as C and calls the shared library through it. */
#include <stdio.h>
#include <string.h>

#include "dnr.h"

static int failures = 0;
#define CHECK(cond)                                                   \
    do {                                                              \
        if (!(cond)) {                                                \
            fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #cond); \
            ++failures;                                               \
        }                                                             \
    } while (0)

int main(void) {
    /* A 2 by 2 8-bit picture: rows of 6 bytes padded to 8. */
    uint8_t pixels[16];
    ProcessingParams params;
    uint16_t r = 0, g = 0, b = 0;
    memset(pixels, 0, sizeof pixels);
    pixels[0] = 10; /* blue of the bottom-left pixel */
    pixels[1] = 20;
    pixels[2] = 30;

    memset(&params, 0, sizeof params);
    params.Magic = DNR_IMAGE_MAGIC;
    params.Bits = pixels;
    params.Width = 2;
    params.Height = 2;
    params.BytesPerSample = 1;

    CHECK(GetRGB((const ImageDesc*)&params, 0, 0, 1, &r, &g, &b) == 0);
    CHECK(r == 7680 && g == 5120 && b == 2560);
    CHECK(Grainwash2(&params) == 1);
    CHECK(Grainwash2(NULL) == 0);
    CHECK(Abort() == 1);
    CHECK(CalculateLostDetails() == 0);
    params.BytesPerSample = -1;
    CHECK(Grainwash2(&params) == 0);

    if (failures == 0) printf("C interface: all checks passed\n");
    return failures == 0 ? 0 : 1;
}
