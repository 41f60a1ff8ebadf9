// One key of the user's stored values, kept in an INI file: the key path is the INI group
// ("Software/Velmar/VelmarFilter/3") and its values are the group's entries. Every access opens
// the file afresh, as every registry access opened its key afresh. Reads give the caller's
// default when the key or the value is missing; writes never create the key.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <utility>
#include <vector>

namespace core {

class RegistryKey {
  public:
    // iniFile: the file that holds every key (tests use a temporary one).
    RegistryKey(QString iniFile, QString keyPath);

    // The per-user INI file of the organisation "Velmar" and the application "VelmarFilter".
    static QString defaultIniFile();

    const QString& iniFile() const { return iniFile_; }
    const QString& keyPath() const { return keyPath_; }

    // A key exists while it holds a value or a sub-key; an INI file has no empty groups.
    bool exists() const;
    // Makes the key exist with these values (existing values stay); false when the file cannot
    // be written. A key is never created empty.
    bool create(const std::vector<std::pair<QString, QString>>& initialValues);

    // Missing values, and values that are not integers, give the default.
    int32_t readInt(const QString& name, int32_t defaultValue) const;
    QString readString(const QString& name, const QString& defaultValue) const;
    bool hasValue(const QString& name) const;
    QStringList valueNames() const;

    // False when the key does not exist or the file cannot be written.
    bool writeInt(const QString& name, int32_t value);
    bool writeString(const QString& name, const QString& value);
    // True when the value is gone afterwards.
    bool removeValue(const QString& name);

  private:
    bool write(const QString& name, const QString& value);
    QString iniFile_;
    QString keyPath_;
};

}  // namespace core
