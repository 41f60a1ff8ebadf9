// The document's thirteen imaging sessions, each with a fixed role, and the small operations on
// them that every part of the program shares.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "imaging/imaging.h"

namespace core {

enum class ImageSlot : int {
    Template = 0,        // 16-bit picture for converting single colours through a profile
    Source = 1,          // the picture as opened, full size
    Output = 2,          // the result of the last full run, full size
    PreviewRegion = 3,   // the rectangle of the source the preview shows
    PreviewResult = 4,   // the processed preview rectangle
    DialogPreview = 5,   // picture dialogs and the full-screen preview
    ReducedCopy = 6,     // the reduced picture under the caption preview
    CropWork = 7,        // crop tab working picture
    DisplaySource = 8,   // the source with the output's crop and frame, so both views line up
    CaptionPreview = 9,  // the Text tab's preview
    CropWork2 = 10,      // crop tab working picture
    CropPreview = 11,    // crop tab preview
    Navigator = 12,      // navigator thumbnails
};
inline constexpr int kImageSlotCount = 13;

struct SessionSetup {
    QString monitorProfilePath;  // the automatic profile; empty: sRGB
    bool autoRotate = true;      // turn pictures upright by their EXIF orientation
};

// Applies the options every picture session of the program starts with: 16-bit components kept,
// the automatic profile, profiles saved, formats detected, camera raw (1, 1), JPEG quality 100,
// PSD compressed.
void setUpSession(imaging::Handle session, const SessionSetup& setup);

// Owns the sessions. Slots 1..12 exist from construction; slot 0 only after loadTemplate
// succeeded. A slot is empty when its session holds no picture. Not thread-safe: the engine
// thread uses it while the window only reads results handed over to it.
class ImageSlots {
  public:
    explicit ImageSlots(const SessionSetup& setup = {});
    ~ImageSlots();
    ImageSlots(const ImageSlots&) = delete;
    ImageSlots& operator=(const ImageSlots&) = delete;

    // Loads the 16-bit template picture into slot 0; when the file is missing or does not load,
    // slot 0 has no session (handle 0).
    bool loadTemplate(const QString& path);

    imaging::Handle handle(ImageSlot slot) const { return handles_[index(slot)]; }
    bool isEmpty(ImageSlot slot) const;
    int width(ImageSlot slot) const;
    int height(ImageSlot slot) const;
    // A 16-bit pixel memory exists.
    bool is16Bit(ImageSlot slot) const;
    void unload(ImageSlot slot);
    // Replaces the target's session by a duplicate of the source's; false (target left empty)
    // when the copy cannot be made.
    bool duplicate(ImageSlot from, ImageSlot to);
    // Sets the monitor profile as the automatic profile of every session (before drawing).
    void setMonitorProfile(const QString& path);
    const SessionSetup& setup() const { return setup_; }

  private:
    static size_t index(ImageSlot slot) { return static_cast<size_t>(slot); }

    SessionSetup setup_;
    std::array<imaging::Handle, kImageSlotCount> handles_{};
};

// The pixel memory the engine's ImageDesc takes: the 16-bit memory with BytesPerSample 2 when it
// exists (and wanted), else the 8-bit memory with 1. Null pixels for an empty session.
struct SlotPixels {
    void* bits = nullptr;
    int32_t bytesPerSample = 0;
    int32_t width = 0;
    int32_t height = 0;
};
SlotPixels slotPixels(imaging::Handle session, bool want16 = true);

// Converts the session's pixels with the whole profile file; false when the file is missing,
// empty or cannot be read completely, or the conversion fails.
bool convertToProfileFile(imaging::Handle session, const QString& profilePath,
                          const imaging::ProgressCallback& progress = {});

// Reads the profile of one session and attaches it to the other (attach) or converts the
// other's pixels with it.
bool transferProfile(imaging::Handle from, imaging::Handle to, bool attach);

}  // namespace core
