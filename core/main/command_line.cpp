#include "core/main/command_line.h"

#include <QDir>
#include <QFileInfo>

namespace core {

namespace {

const QString kPluginSwitch = QStringLiteral("-plugin");
const QString kQuietSwitch = QStringLiteral("-q");

bool isFile(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// The program folder + argument when that names a file, else the argument itself when it does.
QString existingFile(const QString& argument, const QString& programFolder) {
    if (argument.isEmpty()) return {};
    if (QFileInfo(argument).isRelative()) {
        const QString inProgram = QDir(programFolder).filePath(argument);
        if (isFile(inProgram)) return inProgram;
    }
    return isFile(argument) ? argument : QString();
}

}  // namespace

CommandLine parseCommandArgument(const QString& argument, const QString& programFolder) {
    CommandLine line;
    const QStringList pieces = argument.split(u' ');
    QStringList rest;
    for (const QString& piece : pieces) {
        if (piece == kPluginSwitch) {
            line.pluginMode = true;
        } else if (piece == kQuietSwitch) {
            line.quiet = true;
        } else {
            rest << piece;
        }
    }
    QString file = existingFile(argument, programFolder);
    // A switch before or after a picture ("-q photo.jpg"): the picture is what is left.
    if (file.isEmpty() && rest.size() != pieces.size())
        file = existingFile(rest.join(u' ').trimmed(), programFolder);
    if (!file.isEmpty()) {
        line.pluginMode = false;
        line.quiet = false;
        // The file's path as stored on disk (the file system keeps the letter case exactly).
        line.fileName = QDir::cleanPath(QFileInfo(file).absoluteFilePath());
    }
    return line;
}

CommandLine parseRawCommandLine(const QString& rawCommandLine, const QString& executablePath,
                                const QString& programFolder) {
    QString rest = rawCommandLine;
    if (!executablePath.isEmpty()) {
        rest.remove(u'"' + executablePath + u'"', Qt::CaseInsensitive);
        rest.remove(executablePath, Qt::CaseInsensitive);
    }
    rest = rest.trimmed();
    if (rest.size() >= 2 && rest.startsWith(u'"') && rest.endsWith(u'"'))
        rest = rest.mid(1, rest.size() - 2);
    return parseCommandArgument(rest, programFolder);
}

CommandLine parseCommandLine(const QStringList& arguments, const QString& programFolder) {
    return parseCommandArgument(arguments.join(u' ').trimmed(), programFolder);
}

}  // namespace core
