#include "core/prefs/preference_saving.h"

#include "core/main/program_registry.h"
#include "core/main/registry_key.h"
#include "core/prefs/cache_clearing.h"
#include "core/prefs/cache_folders.h"
#include "core/prefs/hint_mode.h"

namespace core {

PreferenceState openingPreferences(const ProgramOptions& options, const QString& thumbnailCache,
                                   const QString& fileSettingsCache) {
    return {preferenceControls(options), plainFolder(thumbnailCache),
            plainFolder(fileSettingsCache)};
}

PreferenceEffects savePreferences(const PreferenceState& opened, const PreferenceState& chosen,
                                  ProgramOptions& options, RegistryKey* key) {
    PreferenceEffects effects;
    const QString thumbnails = plainFolder(chosen.thumbnailCacheFolder);
    const QString fileSettings = plainFolder(chosen.fileSettingsCacheFolder);

    // A moved cache leaves nothing behind in its old folder; the new folder's files stay.
    if (!thumbnails.isEmpty() && thumbnails != plainFolder(opened.thumbnailCacheFolder)) {
        clearThumbnailCache(opened.thumbnailCacheFolder);
        effects.thumbnailCacheCleared = true;
        if (key) key->writeString(QString::fromLatin1(kValueImageCachePath), thumbnails);
    }
    if (!fileSettings.isEmpty() && fileSettings != plainFolder(opened.fileSettingsCacheFolder)) {
        clearFileSettingsCache(opened.fileSettingsCacheFolder, key);
        effects.fileSettingsCacheCleared = true;
        if (key) key->writeString(QString::fromLatin1(kValueFileSettingsCachePath), fileSettings);
    }

    applyPreferenceControls(chosen.controls, options);
    if (!options.useThumbnailCache) {
        clearThumbnailCache(thumbnails);
        effects.thumbnailCacheCleared = true;
    }
    if (!options.useFileSettingsCache) {
        clearFileSettingsCache(fileSettings, key);
        effects.fileSettingsCacheCleared = true;
    }

    const PreferenceControls& was = opened.controls;
    const PreferenceControls& now = chosen.controls;
    effects.captionChanged = now.captionTemplate != was.captionTemplate;
    effects.brightnessControlChanged = now.brightnessControlRow != was.brightnessControlRow;
    effects.overlaysChanged =
        now.opacityRow != was.opacityRow || now.histogramColourRow != was.histogramColourRow;
    effects.resamplingChanged = now.resamplingRow != was.resamplingRow;
    effects.statusToDefault = !showsStatusHints(options.hintMode);
    return effects;
}

}  // namespace core
