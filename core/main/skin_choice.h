// Which skin the program uses, stored as the index file "style.ini" of the folder "skins". The
// skins themselves are shipped in the program folder; the choice is written where the program
// writes its files (the per-user data folder when the program folder is read-only), and a
// choice found there comes before the shipped index.
#pragma once

#include <QString>
#include <QStringList>

#include "core/errors/result.h"
#include "core/main/skin_file.h"
#include "core/paths/program_folders.h"

namespace core {

QString skinsFolder(const ProgramFolders& folders);  // "skins" of the program folder
// The index file in force: the data folder's when it exists, else the program folder's.
QString skinIndexFile(const ProgramFolders& folders);
CurrentSkin currentSkin(const ProgramFolders& folders);

// The skins that can be chosen: the folders inside "skins" that hold a "style.ini", sorted.
QStringList availableSkins(const ProgramFolders& folders);

// Stores the choice in the data folder's index file; an empty name stores the plain look (an
// index that names no skin). A name that is no plain folder name is refused.
Status storeSkinChoice(const ProgramFolders& folders, const QString& name);

}  // namespace core
