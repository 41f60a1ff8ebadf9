// The caption a picture gets: the template's fields filled from the caption text, the picture's
// date and time and its shooting data, as the four insert switches allow.
#pragma once

#include <QString>

#include "core/caption/caption_source.h"
#include "core/caption/picture_date.h"
#include "core/settings/settings_block.h"

namespace core::caption {

struct CaptionSwitches {
    bool text = false;
    bool date = false;
    bool time = false;
    bool info = false;
};

CaptionSwitches switchesOf(const SettingsBlock& block);

// The batch draws a caption unless all four switches are off.
bool batchBuildsCaption(const CaptionSwitches& switches);
// The Text tab draws one when the text switch is on with some text, or another switch is on.
bool interactiveBuildsCaption(const CaptionSwitches& switches, const QString& captionText);

// The caption string, trimmed; empty when nothing is left to show.
QString buildCaption(const CaptionSource& source, const QString& captionTemplate,
                     const QString& captionText, const CaptionSwitches& switches,
                     const PictureDate& date);

}  // namespace core::caption
