// A skin: the index file "style.ini" in the folder "skins" names the skin's folder, and that
// folder's own "style.ini" holds the header pictures, header text colours and the tool-button
// look. Missing files end the lookup quietly (the windows keep their built-in look); missing or
// unreadable keys take their defaults.
#pragma once

#include <QString>
#include <cstdint>

#include "core/main/ini_file.h"

namespace core {

inline constexpr uint32_t kDefaultHeaderColour = 16777215;  // white

struct SkinButtons {
    int32_t style = 0;  // the "Style" value as written; drawingStyle() maps it
    uint32_t color = 0;
    uint32_t colorDown = 0;
    uint32_t lightColor = 0;
    uint32_t shadowColor = 0;
    uint32_t hotColor = 0;

    int drawingStyle() const;
    bool operator==(const SkinButtons&) const = default;
};

struct SkinFile {
    QString headerMain = QStringLiteral("Default");
    uint32_t headerMainColor = kDefaultHeaderColour;
    QString headerPreview = QStringLiteral("Default");
    uint32_t headerPreviewColor = kDefaultHeaderColour;
    SkinButtons buttons;

    bool operator==(const SkinFile&) const = default;
};

// The values of a skin's "style.ini". A header colour that is no plain colour value (negative,
// or above 0xFFFFFF) keeps the default, as a missing one does.
SkinFile readSkinFile(const IniFile& ini);

// How far the lookup of the current skin got.
enum class SkinLookup {
    Found,
    NoIndexFile,   // "skins/style.ini" is missing
    NoSkinFolder,  // "Dir_path" names no folder inside "skins" (or is no plain folder name)
    NoSkinFile,    // the skin's folder holds no "style.ini"
};

struct CurrentSkin {
    SkinLookup lookup = SkinLookup::NoIndexFile;
    QString name;    // "Dir_path" as read
    QString folder;  // the skin's folder, when found
    SkinFile file;

    bool found() const { return lookup == SkinLookup::Found; }
    // The header picture's path when the skin's folder holds that file, otherwise empty.
    QString headerMainPicture() const;
    QString headerPreviewPicture() const;
};

// The skin that the index file names; skin folders are looked for inside skinsFolder.
CurrentSkin findSkin(const QString& indexFile, const QString& skinsFolder);

// True for a name that stays inside its folder: not empty, no "/" or "\", not "." or "..".
bool isPlainFileName(const QString& name);

}  // namespace core
