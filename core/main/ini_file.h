// A small reader of INI text as the skin files use it: "[Section]" lines, "Key=Value" lines and
// ";" comments. Sections and keys are found without regard to case and the first occurrence wins;
// a line that is neither is skipped, so one damaged line costs only itself.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace core {

class IniFile {
  public:
    // The text as the file holds it (UTF-8; a byte-order mark is skipped).
    static IniFile parse(const QByteArray& text);
    // None when the file does not exist or cannot be read.
    static std::optional<IniFile> read(const QString& path);

    bool has(const QString& section, const QString& key) const;
    // The value, trimmed and without enclosing double quotes; the default when the key is missing.
    QString text(const QString& section, const QString& key, const QString& fallback) const;
    // A decimal number (or hexadecimal after "$" or "0x") within 32 bits; anything else, or a
    // missing key, gives the default.
    int32_t integer(const QString& section, const QString& key, int32_t fallback) const;

    QStringList sections() const;
    // The lines that were neither a section, a key, a comment nor blank (1-based line numbers).
    const std::vector<int>& skippedLines() const { return skipped_; }

  private:
    struct Entry {
        QString section;
        QString key;
        QString value;
    };
    const Entry* find(const QString& section, const QString& key) const;

    std::vector<Entry> entries_;
    QStringList sections_;
    std::vector<int> skipped_;
};

// A number as an INI integer: optional sign, decimal or "$"/"0x" hexadecimal, 32 bits.
std::optional<int32_t> parseIniInteger(const QString& text);

}  // namespace core
