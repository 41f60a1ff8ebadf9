#include "core/main/skin_choice.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace core {

namespace {

const QString kSkins = QStringLiteral("skins");
const QString kStyleFile = QStringLiteral("style.ini");

QString indexIn(const QString& folder) {
    return QDir(QDir(folder).filePath(kSkins)).filePath(kStyleFile);
}

}  // namespace

QString skinsFolder(const ProgramFolders& folders) {
    return QDir(folders.program()).filePath(kSkins);
}

QString skinIndexFile(const ProgramFolders& folders) {
    const QString own = indexIn(folders.data());
    return QFileInfo(own).isFile() ? own : indexIn(folders.program());
}

CurrentSkin currentSkin(const ProgramFolders& folders) {
    return findSkin(skinIndexFile(folders), skinsFolder(folders));
}

QStringList availableSkins(const ProgramFolders& folders) {
    QStringList names;
    const QDir skins(skinsFolder(folders));
    for (const QString& name : skins.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        if (QFileInfo(QDir(skins.filePath(name)).filePath(kStyleFile)).isFile()) names << name;
    return names;
}

Status storeSkinChoice(const ProgramFolders& folders, const QString& name) {
    if (!name.isEmpty() && !isPlainFileName(name)) return failure("ER_CANNOT_SAVE", name);
    const QString index = indexIn(folders.data());
    if (!QDir().mkpath(QFileInfo(index).path()))
        return failure("ER_CANNOT_CREATE_FOLDER", QFileInfo(index).path());
    QSaveFile file(index);
    const QByteArray text = "[Current]\r\nDir_path=" + name.toUtf8() + "\r\n";
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        return failure("ER_CANNOT_SAVE", index);
    return {};
}

}  // namespace core
