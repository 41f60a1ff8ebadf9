#include "core/main/skin_file.h"

#include <QDir>
#include <QFileInfo>

#include "core/main/skin_map.h"

namespace core {

namespace {

const QString kStyleFile = QStringLiteral("style.ini");

uint32_t headerColour(const IniFile& ini, const char* key) {
    const int32_t value = ini.integer(QStringLiteral("Headers"), QString::fromLatin1(key),
                                      static_cast<int32_t>(kDefaultHeaderColour));
    if (value < 0 || static_cast<uint32_t>(value) > kMaxColourValue) return kDefaultHeaderColour;
    return static_cast<uint32_t>(value);
}

uint32_t buttonColour(const IniFile& ini, const QString& prefix) {
    const QString section = QStringLiteral("Buttons");
    return packColour(ini.integer(section, prefix + QStringLiteral("_r"), 0),
                      ini.integer(section, prefix + QStringLiteral("_g"), 0),
                      ini.integer(section, prefix + QStringLiteral("_b"), 0));
}

QString pictureIn(const QString& folder, const QString& name) {
    if (folder.isEmpty() || !isPlainFileName(name)) return {};
    const QString path = QDir(folder).filePath(name);
    return QFileInfo(path).isFile() ? path : QString();
}

}  // namespace

bool isPlainFileName(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

int SkinButtons::drawingStyle() const {
    return buttonDrawingStyle(style);
}

SkinFile readSkinFile(const IniFile& ini) {
    SkinFile skin;
    const QString headers = QStringLiteral("Headers");
    skin.headerMain = ini.text(headers, QStringLiteral("Header_main"), skin.headerMain);
    skin.headerMainColor = headerColour(ini, "Header_main_color");
    skin.headerPreview = ini.text(headers, QStringLiteral("Header_preview"), skin.headerPreview);
    skin.headerPreviewColor = headerColour(ini, "Header_preview_color");
    skin.buttons.style = ini.integer(QStringLiteral("Buttons"), QStringLiteral("Style"), 0);
    skin.buttons.color = buttonColour(ini, QStringLiteral("Color"));
    skin.buttons.colorDown = buttonColour(ini, QStringLiteral("ColorDown"));
    skin.buttons.lightColor = buttonColour(ini, QStringLiteral("LightColor"));
    skin.buttons.shadowColor = buttonColour(ini, QStringLiteral("ShadowColor"));
    skin.buttons.hotColor = buttonColour(ini, QStringLiteral("HotColor"));
    return skin;
}

QString CurrentSkin::headerMainPicture() const {
    return found() ? pictureIn(folder, file.headerMain) : QString();
}

QString CurrentSkin::headerPreviewPicture() const {
    return found() ? pictureIn(folder, file.headerPreview) : QString();
}

CurrentSkin findSkin(const QString& indexFile, const QString& skinsFolder) {
    CurrentSkin skin;
    const std::optional<IniFile> index = IniFile::read(indexFile);
    if (!index) {
        skin.lookup = SkinLookup::NoIndexFile;
        return skin;
    }
    skin.name = index->text(QStringLiteral("Current"), QStringLiteral("Dir_path"),
                            QStringLiteral("Default"));
    // The name comes from a file anyone may edit: it must not lead outside "skins".
    const QString folder = QDir(skinsFolder).filePath(skin.name);
    if (!isPlainFileName(skin.name) || !QFileInfo(folder).isDir()) {
        skin.lookup = SkinLookup::NoSkinFolder;
        return skin;
    }
    const std::optional<IniFile> file = IniFile::read(QDir(folder).filePath(kStyleFile));
    if (!file) {
        skin.lookup = SkinLookup::NoSkinFile;
        return skin;
    }
    skin.lookup = SkinLookup::Found;
    skin.folder = QDir::cleanPath(folder);
    skin.file = readSkinFile(*file);
    return skin;
}

}  // namespace core
