// The folders the program reads and writes. Shipped resources are read from the program folder
// (the executable's folder); the files the program writes live there too when it is writable (a
// portable install), otherwise in the per-user data folder.
#pragma once

#include <QString>

namespace core {

class ProgramFolders {
  public:
    // Explicit folders, as tests use them.
    ProgramFolders(const QString& programFolder, const QString& dataFolder);
    // The folders for a program installed in programFolder.
    static ProgramFolders forProgramFolder(const QString& programFolder);

    const QString& program() const { return program_; }
    const QString& data() const { return data_; }

    QString languageFile(const QString& languageName) const;  // "library/languages/<name>.lng"
    QString helpFolder(const QString& languageName) const;    // falls back to the English one
    QString sampleImage() const;                              // "images/sample.jpg"

    QString settingsFile() const;         // "vr.dat"
    QString optionsFile() const;          // "vri.dat"
    QString queueFile() const;            // "vrq.dat"
    QString memoryColoursFile() const;    // "mc.dat"
    QString tempFolder() const;           // "temp"
    QString presetsFolder() const;        // "presets"
    QString pluginsFolder() const;        // "ImportPlugins"
    QString defaultOutputFolder() const;  // "images/filtered", for results

  private:
    QString program_;
    QString data_;
};

// True when a file can be created in the folder.
bool isWritableFolder(const QString& folder);

}  // namespace core
