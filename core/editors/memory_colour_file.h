// "mc.dat": the memory colours one record after another. Read whole; written whole through the
// checked replacement, so a failed write (a full disk) leaves the previous file as it was.
#pragma once

#include <QString>

#include "core/editors/memory_colour_record.h"
#include "core/errors/result.h"

namespace core {

struct MemoryColorsRead {
    TMemoryColorsArray colors;  // the whole records before any damage or cut-off end
    bool ok = true;             // false: the file exists but could not be read (list empty)
};

// A missing file is an empty list. Trailing bytes that make no whole record, and everything from
// a damaged record on, are left out.
MemoryColorsRead loadMemoryColors(const QString& path);

// Rewrites the file with every record in list order; an empty list deletes the file. Fails with
// "ER_CANNOT_SAVE" and the reason.
Status saveMemoryColors(const QString& path, const TMemoryColorsArray& colors);

}  // namespace core
