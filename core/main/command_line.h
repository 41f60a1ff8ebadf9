// The program's command line: a picture to open, "-plugin" (run as a host's external editor on
// the exchange file) and "-q" (with "-plugin": process at once and close). A named file always
// wins over the switches.
#pragma once

#include <QString>
#include <QStringList>

namespace core {

struct CommandLine {
    QString fileName;  // absolute, as stored on disk; empty when no existing file was named
    bool pluginMode = false;
    bool quiet = false;

    bool operator==(const CommandLine&) const = default;
};

// From a raw command line that still holds the executable's path (quoted or bare, any case).
CommandLine parseRawCommandLine(const QString& rawCommandLine, const QString& executablePath,
                                const QString& programFolder);

// From the program's arguments without the executable: they are joined with single spaces into
// the one argument that the raw form leaves.
CommandLine parseCommandLine(const QStringList& arguments, const QString& programFolder);

// The same from the joined argument.
CommandLine parseCommandArgument(const QString& argument, const QString& programFolder);

}  // namespace core
