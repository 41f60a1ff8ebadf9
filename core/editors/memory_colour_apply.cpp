#include "core/editors/memory_colour_apply.h"

#include "dnr.h"

namespace core {

std::optional<ChannelShifts> memoryColourShifts(bool bwConversion,
                                                const std::optional<Rgb16>& picked,
                                                const Rgb16& memory, bool keepBrightness) {
    // In black and white the engine corrects from grey whatever was picked.
    if (!picked && !bwConversion) return std::nullopt;
    ProcessingParams record{};
    record.BWConversion = bwConversion ? 1 : 0;
    const Rgb16 p = picked.value_or(Rgb16{32768, 32768, 32768});
    if (SetMemoryColor(&record, p[0], p[1], p[2], memory[0], memory[1], memory[2],
                       keepBrightness ? 1 : 0) != 1)
        return std::nullopt;
    return ChannelShifts{record.RedShift, record.GreenShift, record.BlueShift};
}

Rgb16 convertColour(imaging::Handle templateSession, const std::vector<uint8_t>& fromProfile,
                    const std::vector<uint8_t>& toProfile, const Rgb16& colour) {
    if (templateSession == 0 || fromProfile.empty() || toProfile.empty()) return colour;
    if (!imaging::cOpSetPixelColor(templateSession, 0, 0, colour[0], colour[1], colour[2]) ||
        !imaging::cLoadICCProfile(templateSession, fromProfile.data(), fromProfile.size()) ||
        !imaging::cApplyICCProfileEx(templateSession, toProfile.data(), toProfile.size()))
        return colour;
    Rgb16 out{};
    if (!imaging::cGetPixelColor(templateSession, 0, 0, out[0], out[1], out[2])) return colour;
    return out;
}

Rgb16 pictureColourToSrgb(imaging::Handle templateSession, imaging::Handle picture,
                          const Rgb16& colour) {
    if (templateSession == 0 || picture == 0) return colour;
    return convertColour(templateSession, imaging::cGetImageICCProfile(picture),
                         imaging::srgbProfile(), colour);
}

Rgb16 srgbColourToPicture(imaging::Handle templateSession, imaging::Handle picture,
                          const Rgb16& colour) {
    if (templateSession == 0 || picture == 0) return colour;
    return convertColour(templateSession, imaging::srgbProfile(),
                         imaging::cGetImageICCProfile(picture), colour);
}

}  // namespace core
