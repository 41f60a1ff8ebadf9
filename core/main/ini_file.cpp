#include "core/main/ini_file.h"

#include <QFile>
#include <QFileInfo>
#include <limits>

namespace core {

std::optional<int32_t> parseIniInteger(const QString& text) {
    QString digits = text.trimmed();
    bool negative = false;
    if (digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+'))) {
        negative = digits.front() == QLatin1Char('-');
        digits.remove(0, 1);
    }
    int base = 10;
    if (digits.startsWith(QLatin1Char('$'))) {
        base = 16;
        digits.remove(0, 1);
    } else if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        digits.remove(0, 2);
    }
    if (digits.isEmpty()) return std::nullopt;
    for (const QChar c : digits) {
        const bool ok = base == 10 ? (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
                                   : QStringLiteral("0123456789abcdefABCDEF").contains(c);
        if (!ok) return std::nullopt;  // toLongLong would take spaces and signs inside
    }
    bool ok = false;
    const qint64 magnitude = digits.toLongLong(&ok, base);
    if (!ok) return std::nullopt;
    const qint64 value = negative ? -magnitude : magnitude;
    // Hexadecimal may name all 32 bits ("$FFFFFFFF" is -1), as a colour value is often written.
    if (base == 16 && !negative && value <= 0xFFFFFFFFLL)
        return static_cast<int32_t>(static_cast<uint32_t>(value));
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(value);
}

IniFile IniFile::parse(const QByteArray& bytes) {
    QByteArray text = bytes;
    if (text.startsWith("\xEF\xBB\xBF")) text.remove(0, 3);
    IniFile ini;
    std::optional<QString> section;  // none before the first section and after a damaged header
    const QList<QByteArray> lines = text.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines[i]).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) continue;
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            if (close < 0) {
                // Keys below a broken header must not land in the section above it.
                section.reset();
                ini.skipped_.push_back(i + 1);
                continue;
            }
            section = line.mid(1, close - 1).trimmed();
            if (!ini.sections_.contains(*section, Qt::CaseInsensitive))
                ini.sections_.push_back(*section);
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0 || !section) {
            ini.skipped_.push_back(i + 1);
            continue;
        }
        QString value = line.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
            value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        const QString key = line.left(equals).trimmed();
        if (ini.find(*section, key) == nullptr) ini.entries_.push_back({*section, key, value});
    }
    return ini;
}

std::optional<IniFile> IniFile::read(const QString& path) {
    if (!QFileInfo(path).isFile()) return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return parse(file.readAll());
}

const IniFile::Entry* IniFile::find(const QString& section, const QString& key) const {
    for (const Entry& e : entries_)
        if (e.section.compare(section, Qt::CaseInsensitive) == 0 &&
            e.key.compare(key, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

bool IniFile::has(const QString& section, const QString& key) const {
    return find(section, key) != nullptr;
}

QString IniFile::text(const QString& section, const QString& key, const QString& fallback) const {
    const Entry* e = find(section, key);
    return e ? e->value : fallback;
}

int32_t IniFile::integer(const QString& section, const QString& key, int32_t fallback) const {
    const Entry* e = find(section, key);
    if (!e) return fallback;
    return parseIniInteger(e->value).value_or(fallback);
}

QStringList IniFile::sections() const {
    return sections_;
}

}  // namespace core
