// The crop tab's texts: the output line under the crop view, the kind buttons' captions with their
// proportions, the table rows as listed, and the preview's size line. Texts come through the
// lookup given (a language key in, its text out).
#pragma once

#include <QString>
#include <functional>

#include "core/crop/crop_controls.h"
#include "core/i18n/text_lookup.h"

namespace core {

// "Crop: 4000x2666 px (3:2); 0.5 degrees": the frame, the proportion for the paper and web kinds
// and the angle with one decimal.
QString cropOutputLine(const CropControls& controls, const TextLookup& text);

struct CropKindCaptions {
    QString paper, web, user;
};

// The captions of the three kind buttons: the current rows' proportions in the current
// orientation, and the user's width and height ("?" when 0 or while user resizing is off).
CropKindCaptions cropKindCaptions(const CropControls& controls, const TextLookup& text);

// The text of a row of the paper or web table as its list shows it.
QString paperRowText(int32_t index, const TextLookup& text);
QString webRowText(int32_t index, const TextLookup& text);

// After a crop in the preview: "4.8 megapixels 2666x1800".
QString croppedSizeText(int32_t width, int32_t height, const TextLookup& text);

}  // namespace core
