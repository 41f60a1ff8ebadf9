// File names as the system holds them: bytes, usually but not always UTF-8 (a name written in
// Latin-1 on an older system). A QString made from such bytes must give the same bytes back, or
// the file "does not exist". Bytes that are not part of valid UTF-8 are carried as the lone
// surrogates U+DC80..U+DCFF, one per byte, and turned back into that byte on the way out. Qt's
// own file classes cannot do this, so paths that may hold such names go through these helpers.
#pragma once

#include <QByteArray>
#include <QString>

namespace core {

QString decodePath(const QByteArray& bytes);
QByteArray encodePath(const QString& path);

// The system's calls on such paths.
bool pathExists(const QString& path);
// Makes the folder and the folders above it; true when it exists afterwards.
bool makeFolders(const QString& folder);

}  // namespace core
