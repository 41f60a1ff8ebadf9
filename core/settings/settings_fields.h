// The one table of the settings fields: where each field of the stored block lives, its type,
// default and range, how the stored value relates to its control, which control and tab edit it,
// and what the engine record takes from it. The block's codec, its defaults, the batch's engine
// record, the range checks and the lookup by name are all driven from this table; the tuning panel
// is generated from it too.
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/errors/result.h"
#include "core/settings/settings_block.h"
#include "dnr.h"

namespace core {

enum class FieldType {
    Int,       // a 32-bit signed integer
    IntArray,  // count integers
    Text,      // a length byte and count bytes
};

// How the stored value relates to what its control shows.
enum class StoredAs {
    Value,            // the control's position or number as it is
    SliderMinus100,   // the slider position minus 100 (0..200 stored as -100..100)
    Checked,          // 1 = checked, pressed or down
    Permille,         // per mille of the level detected on the picture
    ItemIndex,        // the index of the chosen list item
    ItemIndexTimes4,  // the chosen list item's index times 4
    TimesThousand,    // the angle in degrees times 1000
    TenThousandths,   // a position in 1/10 000 of (size - 1)
    DecimalColour,    // a colour as decimal text
    Text,             // text as typed
    Carried,          // no control: written back unchanged
};

// Where a field's handling departs from "copy it, check it against its range". The code that
// applies the rule is written by hand; the table only says which rule applies.
enum class FieldRule {
    Plain,
    Version,               // the format version; never edited
    Reserved,              // carried unchanged
    NoiseFactor,           // relative to the detected level; scaled to each picture's noise
    DerivedWhenNegative,   // shadow/highlight factor: negative derives it from the mid-tone scale
    DetectedWhenNegative,  // auto-contrast darkest/brightest: negative means detect
    HighNoiseMethod,       // 1 = the high-noise method (noise mode 6); other values read as 0
    NoiseReductionSwitch,  // the engine's switch is on only while the noise level is above 0
    PreviewOnly,           // a map or display switch; a final run never shows it
    CropGroup,             // read by the crop and resize stage
    CaptionAndFrame,       // read by the caption and frame stage
    FontNamePadded,        // stored padded with spaces to its capacity
    Equalizer,             // curve points and counts; taken as stored, the curve editor checks
};

enum class SettingsTab {
    None,
    Noise,
    Sharpening,
    RedEye,
    Colours,
    Brightness,
    ChromaticAberration,
    Crop,
    Text,  // caption and frame
    Distortions,
    Curves,
};

struct SettingsField {
    const char* name;  // the field's name, as the settings are addressed by name
    size_t offset;     // in the stored block
    FieldType type;
    size_t count;             // Int: 1; IntArray: elements; Text: capacity in bytes
    int32_t defaultValue;     // Int, and every element of an IntArray
    const char* defaultText;  // Text
    bool ranged;              // false: any stored value is taken
    int32_t minimum;          // the stored range, when ranged
    int32_t maximum;
    StoredAs stored;
    FieldRule rule;
    SettingsTab tab;
    const char* control;   // the control that edits it; empty when none
    const char* labelKey;  // the language key of the control's own caption; empty when none
    int32_t* (*ints)(SettingsBlock&);      // Int and IntArray
    std::string* (*text)(SettingsBlock&);  // Text
    // Copies the stored value (count integers) into the engine record's field of the same
    // meaning; null when the field does not reach the engine or reaches it only by a rule. Both
    // fills of the engine record (the batch's and the interactive one) start from these copies.
    void (*toEngine)(ProcessingParams&, const int32_t* values);

    // Bytes in the stored block.
    constexpr size_t storedSize() const { return type == FieldType::Text ? 1 + count : 4 * count; }
};

// Every field, in stored order.
std::span<const SettingsField> settingsFields();

// The field of that name (ASCII case ignored), or null.
const SettingsField* findSettingsField(std::string_view name);

// Reading and writing one field of a block by its table entry. index: the element of an
// IntArray.
int32_t fieldInt(const SettingsField& field, const SettingsBlock& block, size_t index = 0);
const int32_t* fieldInts(const SettingsField& field, const SettingsBlock& block);
const std::string& fieldText(const SettingsField& field, const SettingsBlock& block);

// Whether a stored value is acceptable for the field: within its range, or negative where the
// field's rule gives negative values a meaning.
bool acceptsValue(const SettingsField& field, int32_t value);

// Sets an integer field (every element of an IntArray) after the range check; a text field
// takes text up to its capacity. Failure "ER_SETTING_VALUE" names the field and the range.
Status setFieldValue(const SettingsField& field, SettingsBlock& block, int32_t value);
Status setFieldText(const SettingsField& field, SettingsBlock& block, const std::string& text);

// The fields whose stored values are outside their ranges.
std::vector<const SettingsField*> fieldsOutOfRange(const SettingsBlock& block);

}  // namespace core
