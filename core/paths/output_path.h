// Where the batch run saves the result of a queued picture.
#pragma once

#include <QString>

#include "core/settings/program_options.h"

namespace core {

// The output path of a source picture under the output options: the folder by the folder kind
// (ProgramOptions::kOutputTo...; the user folder is defaultUserFolder when the options leave it
// empty), the name prefix + source name without
// extension + suffix trimmed of blanks, and the format's extension in lower case. Empty when no
// path can be formed.
QString outputPath(const QString& sourcePath, const ProgramOptions& options,
                   const QString& defaultUserFolder);

// True when the output would replace the picture itself: the same path, or one that differs only
// in case (a file system that ignores case, or a link to the picture).
bool outputIsSource(const QString& source, const QString& output);

}  // namespace core
