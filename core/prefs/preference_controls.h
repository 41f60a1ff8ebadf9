// The preferences window's controls as plain values, and the mapping between them and the
// preferences record: the window only binds these values to its widgets.
#pragma once

#include <QString>
#include <QStringList>

#include "core/settings/program_options.h"

namespace core {

// The items of the window's lists, as keys or as they stand; the row is the stored choice (the
// accelerator and opacity lists excepted, see below).
QStringList acceleratorChoices();        // "1" ... "10": accelerator = row + 1
QStringList opacityChoices();            // "0", "10", ... "100": opacity in percent = row x 10
QStringList histogramColourChoices();    // colour, grey
QStringList resamplingChoices();         // nearest, bilinear, Mitchell
QStringList brightnessControlChoices();  // equalizer, curve
QStringList hintModeChoices();           // tool tips, status bar, both, none

// The caption template holds at most this many characters.
inline constexpr int kCaptionTemplateLength = 255;

struct PreferenceControls {
    int acceleratorRow = 4;
    int opacityRow = 5;
    int histogramColourRow = 1;
    int resamplingRow = 0;
    int brightnessControlRow = 0;
    int hintModeRow = 2;
    bool ignoreExif = false;
    bool playSound = true;
    bool useThumbnailCache = true;
    bool useFileSettingsCache = true;
    QString captionTemplate;
    bool operator==(const PreferenceControls&) const = default;
};

// The controls showing the record; stored values outside a list show its nearest row.
PreferenceControls preferenceControls(const ProgramOptions& options);
// Writes the controls' values into the record; other fields stay.
void applyPreferenceControls(const PreferenceControls& controls, ProgramOptions& options);

// The caption template the reset button restores.
QString defaultCaptionTemplate();

}  // namespace core
