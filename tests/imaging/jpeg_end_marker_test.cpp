// A JPEG file whose only fault is a missing end-of-image marker holds the whole picture and is
// read with a warning; one that also lacks picture data is refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "imaging/imaging.h"
#include "imaging_test_support.h"

namespace imaging {
namespace {

using test::SessionGuard;
using Bytes = std::vector<std::uint8_t>;

Bytes withoutEndMarker(Bytes b) {
    EXPECT_TRUE(b.size() > 2 && b[b.size() - 2] == 0xFF && b.back() == 0xD9);
    b.resize(b.size() - 2);
    return b;
}

// The file up to (not including) its last start-of-scan marker. Inside scan data every 0xFF
// is followed by a stuffed 0x00, so 0xFF 0xDA is always a marker.
Bytes beforeLastScan(const Bytes& b) {
    for (std::size_t i = b.size() - 1; i > 0; --i)
        if (b[i - 1] == 0xFF && b[i] == 0xDA) return Bytes(b.begin(), b.begin() + long(i - 1));
    ADD_FAILURE() << "no scan found";
    return b;
}

struct EndCase {
    const char* name;
    int format;
    std::function<Bytes(const Bytes&)> damage;
    bool loads;
    bool warns;
    bool wholePicture;  // decodes to exactly the pixels of the intact file
};

TEST(ImagingJpegEnd, OnlyAMissingEndMarkerIsAccepted) {
    const EndCase cases[] = {
        {"baseline intact", kCodeJpeg, [](const Bytes& b) { return b; }, true, false, true},
        {"baseline without its end marker", kCodeJpeg, withoutEndMarker, true, true, true},
        {"baseline without its end marker and the last 64 bytes", kCodeJpeg,
         [](const Bytes& b) {
             Bytes cut = withoutEndMarker(b);
             cut.resize(cut.size() - 64);
             return cut;
         },
         false, false, false},
        {"progressive without its end marker", kCodeJpegProgressive, withoutEndMarker, true, true,
         true},
        {"progressive without its last scan", kCodeJpegProgressive, beforeLastScan, false, false,
         false},
        // A file that ends after a complete scan with its marker is valid, if less detailed.
        {"progressive ending early with its end marker", kCodeJpegProgressive,
         [](const Bytes& b) {
             Bytes cut = beforeLastScan(b);
             cut.push_back(0xFF);
             cut.push_back(0xD9);
             return cut;
         },
         true, false, false},
    };
    test::ScratchDir dir;
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.name);
        SessionGuard s;
        ASSERT_TRUE(test::loadPattern(s, test::makePattern(256, 160, false), false));
        const std::string intact = dir.file("intact.jpg");
        ASSERT_TRUE(cSave(s, intact, c.format)) << cGetLastError(s);
        SessionGuard whole;
        ASSERT_TRUE(cLoadImage(whole, intact)) << cGetLastError(whole);
        EXPECT_TRUE(cGetWarnings(whole).empty());

        const std::string damaged = dir.file("damaged.jpg");
        test::writeBytes(damaged, c.damage(test::readBytes(intact)));
        SessionGuard t;
        ASSERT_EQ(cLoadImage(t, damaged), c.loads) << cGetLastError(t);
        if (!c.loads) {
            EXPECT_EQ(cGetLastError(t), "The JPEG file is truncated or damaged.");
            continue;
        }
        const std::vector<std::string> warnings = cGetWarnings(t);
        if (c.warns) {
            ASSERT_EQ(warnings.size(), 1u);
            EXPECT_NE(warnings[0].find("ends without its end-of-image marker"), std::string::npos)
                << warnings[0];
            // libjpeg-turbo's own words are kept.
            EXPECT_NE(warnings[0].find("Premature end of JPEG file"), std::string::npos)
                << warnings[0];
        } else {
            EXPECT_TRUE(warnings.empty());
        }
        if (c.wholePicture) {
            EXPECT_EQ(test::maxDifference(test::sessionPixels(t), test::sessionPixels(whole)), 0);
        }
        // The next load of the session starts without the old warnings.
        ASSERT_TRUE(cLoadImage(t, intact));
        EXPECT_TRUE(cGetWarnings(t).empty());
    }
}

}  // namespace
}  // namespace imaging
