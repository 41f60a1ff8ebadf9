#include "core/paths/program_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace core {

namespace {

QString join(const QString& folder, const QString& name) {
    return QDir(folder).filePath(name);
}

}  // namespace

bool isWritableFolder(const QString& folder) {
    if (!QFileInfo(folder).isDir()) return false;
    QTemporaryFile probe(join(folder, QStringLiteral(".write-test-XXXXXX")));
    return probe.open();
}

ProgramFolders::ProgramFolders(const QString& programFolder, const QString& dataFolder)
    : program_(QDir::cleanPath(programFolder)), data_(QDir::cleanPath(dataFolder)) {}

ProgramFolders ProgramFolders::forProgramFolder(const QString& programFolder) {
    if (isWritableFolder(programFolder)) return ProgramFolders(programFolder, programFolder);
    // QStandardPaths follows $XDG_DATA_HOME; the folder is named after the program, not after
    // whichever executable asks.
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return ProgramFolders(programFolder, join(base, QStringLiteral("VelmarFilter")));
}

QString ProgramFolders::languageFile(const QString& languageName) const {
    return join(program_,
                QStringLiteral("library/languages/") + languageName + QStringLiteral(".lng"));
}

QString ProgramFolders::helpFolder(const QString& languageName) const {
    const QString folder = join(program_, QStringLiteral("help/") + languageName);
    return QFileInfo(folder).isDir() ? folder : join(program_, QStringLiteral("help/english"));
}

QString ProgramFolders::sampleImage() const {
    return join(program_, QStringLiteral("images/sample.jpg"));
}
QString ProgramFolders::settingsFile() const {
    return join(data_, QStringLiteral("vr.dat"));
}
QString ProgramFolders::optionsFile() const {
    return join(data_, QStringLiteral("vri.dat"));
}
QString ProgramFolders::queueFile() const {
    return join(data_, QStringLiteral("vrq.dat"));
}
QString ProgramFolders::memoryColoursFile() const {
    return join(data_, QStringLiteral("mc.dat"));
}
QString ProgramFolders::tempFolder() const {
    return join(data_, QStringLiteral("temp"));
}
QString ProgramFolders::presetsFolder() const {
    return join(data_, QStringLiteral("presets"));
}
QString ProgramFolders::pluginsFolder() const {
    return join(data_, QStringLiteral("ImportPlugins"));
}
QString ProgramFolders::defaultOutputFolder() const {
    return join(data_, QStringLiteral("images/filtered"));
}

}  // namespace core
