#include "core/main/registry_key.h"

#include <QSettings>

namespace core {

RegistryKey::RegistryKey(QString iniFile, QString keyPath)
    : iniFile_(std::move(iniFile)), keyPath_(std::move(keyPath)) {
    keyPath_.replace(u'\\', u'/');
    while (keyPath_.startsWith(u'/'))
        keyPath_.remove(0, 1);
}

QString RegistryKey::defaultIniFile() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Velmar"),
                     QStringLiteral("VelmarFilter"))
        .fileName();
}

bool RegistryKey::exists() const {
    QSettings s(iniFile_, QSettings::IniFormat);
    if (s.status() != QSettings::NoError) return false;
    s.beginGroup(keyPath_);
    return !s.childKeys().isEmpty() || !s.childGroups().isEmpty();
}

bool RegistryKey::create(const std::vector<std::pair<QString, QString>>& initialValues) {
    if (exists()) return true;
    if (initialValues.empty()) return false;
    QSettings s(iniFile_, QSettings::IniFormat);
    if (s.status() != QSettings::NoError) return false;
    s.beginGroup(keyPath_);
    for (const auto& [name, value] : initialValues)
        s.setValue(name, value);
    s.endGroup();
    s.sync();
    return s.status() == QSettings::NoError && exists();
}

int32_t RegistryKey::readInt(const QString& name, int32_t defaultValue) const {
    QSettings s(iniFile_, QSettings::IniFormat);
    s.beginGroup(keyPath_);
    if (!s.contains(name)) return defaultValue;
    bool ok = false;
    const int value = s.value(name).toString().trimmed().toInt(&ok);
    return ok ? int32_t(value) : defaultValue;
}

QString RegistryKey::readString(const QString& name, const QString& defaultValue) const {
    QSettings s(iniFile_, QSettings::IniFormat);
    s.beginGroup(keyPath_);
    if (!s.contains(name)) return defaultValue;
    return s.value(name).toString();
}

bool RegistryKey::hasValue(const QString& name) const {
    QSettings s(iniFile_, QSettings::IniFormat);
    s.beginGroup(keyPath_);
    return s.contains(name);
}

QStringList RegistryKey::valueNames() const {
    QSettings s(iniFile_, QSettings::IniFormat);
    s.beginGroup(keyPath_);
    return s.childKeys();
}

bool RegistryKey::write(const QString& name, const QString& value) {
    if (!exists()) return false;
    QSettings s(iniFile_, QSettings::IniFormat);
    s.beginGroup(keyPath_);
    s.setValue(name, value);
    s.endGroup();
    s.sync();
    return s.status() == QSettings::NoError;
}

bool RegistryKey::writeInt(const QString& name, int32_t value) {
    return write(name, QString::number(value));
}

bool RegistryKey::writeString(const QString& name, const QString& value) {
    return write(name, value);
}

bool RegistryKey::removeValue(const QString& name) {
    if (!hasValue(name)) return true;
    QSettings s(iniFile_, QSettings::IniFormat);
    s.beginGroup(keyPath_);
    s.remove(name);
    s.endGroup();
    s.sync();
    return s.status() == QSettings::NoError;
}

}  // namespace core
