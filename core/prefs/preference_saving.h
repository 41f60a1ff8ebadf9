// Saving the preferences window: the cache folders and their clearing, the record's fields, and
// what the main window must redo because of the change.
#pragma once

#include <QString>

#include "core/prefs/preference_controls.h"

namespace core {

class RegistryKey;

// Everything the window edits, as it showed on opening or as the user left it.
struct PreferenceState {
    PreferenceControls controls;
    QString thumbnailCacheFolder;
    QString fileSettingsCacheFolder;
    bool operator==(const PreferenceState&) const = default;
};

struct PreferenceEffects {
    bool captionChanged = false;            // apply the new caption template
    bool brightnessControlChanged = false;  // switch the brightness controls
    bool overlaysChanged = false;           // opacity or histogram colour: redraw them
    bool resamplingChanged = false;         // the full views resample differently
    bool statusToDefault = false;           // the status bar shows no hints: its default text
    bool thumbnailCacheCleared = false;
    bool fileSettingsCacheCleared = false;
    bool operator==(const PreferenceEffects&) const = default;
};

// The window's state on opening: the record's values and the caches' current folders.
PreferenceState openingPreferences(const ProgramOptions& options, const QString& thumbnailCache,
                                   const QString& fileSettingsCache);

// Saves the chosen state: a moved cache folder clears the old folder's cache and is stored
// ("ImageCachePath", "FileSettingsCachePath"); the controls go into the record; a cache switched
// off is cleared. A null key stores no folders.
PreferenceEffects savePreferences(const PreferenceState& opened, const PreferenceState& chosen,
                                  ProgramOptions& options, RegistryKey* key);

}  // namespace core
