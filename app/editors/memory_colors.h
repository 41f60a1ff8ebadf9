// The main window's memory colours: the list (loaded from "mc.dat" when the window is made), the
// colour picked in the picture, the memory-colour window with its two ways in, and applying an
// entry, whose conversion and channel shifts are worked out on the engine thread.
#pragma once

#include <QObject>
#include <QPointer>
#include <optional>

#include "core/editors/memory_colour_store.h"

namespace app {

class TMainForm;
class TFormMemoryColors;

class MemoryColors : public QObject {
    Q_OBJECT
  public:
    explicit MemoryColors(TMainForm& form);

    core::MemoryColorStore& store() { return store_; }

    // From the colours tab's button: the list newest first, no add section; applying is offered
    // only in black and white, where the picked colour does not count.
    TFormMemoryColors* showForList();
    // For a colour picked in the picture (in the picture's profile, and in sRGB): stored order,
    // the add section shows the colour.
    TFormMemoryColors* showForPickedColour(const core::Rgb16& inPicture, const core::Rgb16& srgb);
    // The window while it is open.
    TFormMemoryColors* window() const;

  signals:
    // An entry was applied: the red, green and blue sliders hold the new shifts.
    void applied();
    // The window closed (the preview was requested).
    void closed();

  private:
    TFormMemoryColors* open(bool newestFirst, std::optional<core::Rgb16> srgb);
    void apply(size_t index, bool keepBrightness);

    TMainForm& form_;
    core::MemoryColorStore store_;
    std::optional<core::Rgb16> picked_;  // in the picture's profile, while the window is open
    QPointer<TFormMemoryColors> window_;
};

}  // namespace app
