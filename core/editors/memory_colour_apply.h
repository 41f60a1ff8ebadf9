// Applying a memory colour: the channel shifts that carry the colour picked in the picture to
// the memory colour, and the single-colour conversions between the picture's profile and sRGB
// (the list keeps sRGB) through the document's 16-bit template session.
#pragma once

#include <optional>
#include <vector>

#include "core/editors/memory_colour_record.h"
#include "imaging/imaging.h"

namespace core {

struct ChannelShifts {
    int32_t red = 0;
    int32_t green = 0;
    int32_t blue = 0;
    bool operator==(const ChannelShifts&) const = default;
};

// SetMemoryColor's shifts for the picked colour (as found in the picture) and the memory colour
// (in the picture's profile). Without a picked colour there is nothing to carry (nothing), except
// in black and white, where the engine carries grey to the memory colour: a toning.
std::optional<ChannelShifts> memoryColourShifts(bool bwConversion,
                                                const std::optional<Rgb16>& picked,
                                                const Rgb16& memory, bool keepBrightness);

// One colour converted from one profile into another through pixel (0, 0) of the template
// session. Unchanged without a template session, without either profile, or when a step fails.
// Runs on the engine thread (it uses a session).
Rgb16 convertColour(imaging::Handle templateSession, const std::vector<uint8_t>& fromProfile,
                    const std::vector<uint8_t>& toProfile, const Rgb16& colour);

// A colour picked in the picture, in sRGB; and a memory colour in the picture's profile. A
// picture without a profile passes the colour unchanged.
Rgb16 pictureColourToSrgb(imaging::Handle templateSession, imaging::Handle picture,
                          const Rgb16& colour);
Rgb16 srgbColourToPicture(imaging::Handle templateSession, imaging::Handle picture,
                          const Rgb16& colour);

}  // namespace core
