// The texts of the current language: every text the program shows is written as a key ("ALS_..."
// for texts, "ER_..." for errors), often with punctuation around it, and looked up here.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace core {

class Language {
  public:
    // Loads a language file; false when it cannot be read or is not a language file (the texts
    // then stay as they were).
    bool load(const QString& path);
    // Takes "KEY=text" lines of plain text, separated by CR LF (or LF).
    void setText(const QString& text);

    // True when at least one line is known; otherwise every lookup returns its input.
    bool loaded() const { return !lines_.isEmpty(); }

    // The basic lookup: the translation of the text's key followed by the decoration that ends
    // the text, or the text unchanged when there is no translation.
    QString lookup(const QString& text, bool removeMarkers = true) const;
    // For messages, titles and format strings: markers removed, line-break sequences turned
    // into CR LF, trimmed.
    QString message(const QString& key) const;
    // For texts that start a sentence, and for texts that continue one.
    QString capitalised(const QString& key) const;
    QString lowerCase(const QString& key) const;

  private:
    QString caseLookup(const QString& key, bool upper) const;
    QHash<QString, QString> lines_;  // by key in upper case
};

// Fills the "%s" placeholders of a looked-up format text in order ("%%" stands for "%").
QString fillPlaceholders(const QString& pattern, const QStringList& values);

}  // namespace core
