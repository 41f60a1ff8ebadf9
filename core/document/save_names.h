// The names a result is saved under from the save command: the proposed name and the extension
// rules applied to the name the user chose.
#pragma once

#include <QString>

namespace core {

// The current file's name without folder and extension, followed by "_dnr" (the pseudo-names
// "clipboard" and "plugin" are used as they stand).
QString proposedSaveName(const QString& currentFile);

// Appends "." and the format's extension (upper case, as the format list stores it) unless the
// name already ends in it in lower or upper case. formatIndex is an index of kOutputFormats; an
// index outside the table is taken as the default format.
QString withFormatExtension(const QString& path, int formatIndex);

// The path the save command writes for the name chosen in the dialog: an existing chosen file
// loses its extension before the format's extension is appended. When that extension already is
// the format's in any letter case the chosen name stays as it is, so that choosing an existing
// "x.Tif" replaces that file rather than writing a second "x.TIF" beside it on a case-sensitive
// file system.
QString chosenSavePath(const QString& chosen, int formatIndex);

}  // namespace core
