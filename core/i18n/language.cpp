#include "core/i18n/language.h"

#include <QFile>
#include <QLocale>
#include <QStringList>

#include "core/i18n/language_file.h"

namespace core {

namespace {

const QString kDecoration = QStringLiteral(",%;:=<>!? ()[]{}&@.");
const QString kLineBreak = QStringLiteral(" \"*\" ");
const QString kEmptyText = QStringLiteral("\"_\"");

bool isDecoration(QChar c) {
    return kDecoration.contains(c);
}

// A number sign or an at sign as the second character controls the case of the first letter;
// the first such sign is removed before display.
QString removeMarkers(QString s) {
    if (s.size() >= 2) {
        if (s[1] == u'#')
            s.remove(s.indexOf(u'#'), 1);
        else if (s[1] == u'@')
            s.remove(s.indexOf(u'@'), 1);
    }
    return s;
}

QString breakLines(QString s) {
    return s.replace(kLineBreak, QStringLiteral("\r\n")).trimmed();
}

}  // namespace

bool Language::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray content = file.readAll();
    if (content.isEmpty() || content[0] != char(1)) return false;
    setText(QString::fromUtf8(unscrambleLanguageFile(content)));
    return true;
}

void Language::setText(const QString& text) {
    lines_.clear();
    const QStringList lines = text.split(u'\n');
    for (QString line : lines) {
        if (line.endsWith(u'\r')) line.chop(1);
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0) continue;
        const QString key = line.left(eq).trimmed().toUpper();
        if (!key.isEmpty() && !lines_.contains(key)) lines_.insert(key, line.mid(eq + 1));
    }
}

QString Language::lookup(const QString& text, bool removeMarkersToo) const {
    QString key;
    key.reserve(text.size());
    for (QChar c : text)
        if (!isDecoration(c)) key += c;
    key = key.trimmed().toUpper();

    QString result = text;
    if (loaded()) {
        const auto it = lines_.constFind(key);
        if (it != lines_.constEnd() && !it->isEmpty()) {
            qsizetype start = text.size();
            while (start > 0 && isDecoration(text[start - 1]))
                --start;
            result = *it + text.mid(start);
        }
    }
    result = result.trimmed();
    if (removeMarkersToo) result = removeMarkers(result);
    if (result == kEmptyText) result.clear();
    return result;
}

QString Language::message(const QString& key) const {
    return breakLines(lookup(key, true));
}

QString Language::caseLookup(const QString& key, bool upper) const {
    QString s = breakLines(lookup(key, false));
    if (s.isEmpty()) return s;
    const bool keepCase = s.size() >= 2 && (s[1] == u'@' || (!upper && s[1] == u'#'));
    if (!keepCase) {
        const QLocale locale;
        const QString first = upper ? locale.toUpper(s.left(1)) : locale.toLower(s.left(1));
        s.replace(0, 1, first);
    }
    return removeMarkers(s);
}

QString fillPlaceholders(const QString& pattern, const QStringList& values) {
    QString out;
    out.reserve(pattern.size());
    qsizetype next = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'%' && i + 1 < pattern.size()) {
            if (pattern[i + 1] == u's') {
                if (next < values.size()) out += values[next];
                ++next;
                ++i;
                continue;
            }
            if (pattern[i + 1] == u'%') {
                out += u'%';
                ++i;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

QString Language::capitalised(const QString& key) const {
    return caseLookup(key, true);
}

QString Language::lowerCase(const QString& key) const {
    return caseLookup(key, false);
}

}  // namespace core
