#include "core/files/rename_template.h"

#include "core/caption/picture_date.h"
#include "core/files/file_renaming.h"
#include "core/files/path_bytes.h"
#include "imaging/imaging.h"

namespace core::renaming {

namespace {

// The order in which tags are replaced; the list shows them in another order.
constexpr std::array<const char*, 9> kReplacementOrder = {"[counter]", "[name]",    "[year4]",
                                                          "[year2]",   "[month]",   "[day]",
                                                          "[hours]",   "[minutes]", "[seconds]"};

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString tagValue(const QString& tag, const QString& counter, const QString& name,
                 const QDateTime& date) {
    const QDate d = date.date();
    const QTime t = date.time();
    if (tag == QLatin1String("[counter]")) return counter;
    if (tag == QLatin1String("[name]")) return name;
    if (tag == QLatin1String("[year4]"))
        return QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0'));
    if (tag == QLatin1String("[year2]")) return twoDigits(d.year() % 100);
    if (tag == QLatin1String("[month]")) return twoDigits(d.month());
    if (tag == QLatin1String("[day]")) return twoDigits(d.day());
    if (tag == QLatin1String("[hours]")) return twoDigits(t.hour());
    if (tag == QLatin1String("[minutes]")) return twoDigits(t.minute());
    return twoDigits(t.second());
}

// The length of the whole character that starts at i (a surrogate pair counts as one).
qsizetype characterLength(const QString& text, qsizetype i) {
    return QChar::isHighSurrogate(text[i].unicode()) && i + 1 < text.size() &&
                   QChar::isLowSurrogate(text[i + 1].unicode())
               ? 2
               : 1;
}

// The whole characters of text, at most count of them.
QString firstCharacters(const QString& text, int count) {
    qsizetype i = 0;
    for (int n = 0; n < count && i < text.size(); ++n)
        i += characterLength(text, i);
    return text.left(i);
}

QString folderOf(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? QString() : path.left(slash + 1);
}

}  // namespace

const std::array<TemplateTag, 9>& templateTags() {
    static const std::array<TemplateTag, 9> tags = {{
        {"[name]", "ALS_ORIGINAL_NAME"},
        {"[counter]", "ALS_NUM_IN_ORDER"},
        {"[year4]", "ALS_YEAR_4"},
        {"[year2]", "ALS_YEAR_2"},
        {"[month]", "ALS_MONTH"},
        {"[day]", "ALS_DAY"},
        {"[hours]", "ALS_HOURS"},
        {"[minutes]", "ALS_MINUTES"},
        {"[seconds]", "ALS_SECONDS"},
    }};
    return tags;
}

const std::array<const char*, 7>& predefinedTemplates() {
    static const std::array<const char*, 7> templates = {
        kDefaultTemplate,
        "[year4].[month].[day]_[hours][minutes][seconds]_[name]",
        "[year4].[month].[day]_[hours].[minutes]",
        "[year4].[month].[day]_#[counter]",
        "[year4].[month].[day]_[name]",
        "#[counter]",
        "[counter]_[name]",
    };
    return templates;
}

bool isForbiddenNameCharacter(QChar c) {
    switch (c.unicode()) {
        case u'"':
        case u'\'':
        case u'*':
        case u'/':
        case u':':
        case u'<':
        case u'>':
        case u'?':
        case u'\\':
        case u'|':
        case u'\0':
            return true;
        default:
            return false;
    }
}

int counterWidth(int count) {
    int width = 1;
    for (int n = count; n >= 10; n /= 10)
        ++width;
    return width;
}

QString counterText(int value, int count) {
    return QStringLiteral("%1").arg(value, counterWidth(count), 10, QLatin1Char('0'));
}

NameParts splitName(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot <= 0) return {fileName, {}};
    return {fileName.left(dot), fileName.mid(dot)};
}

int nameBytes(const QString& text) {
    return int(encodePath(text).size());
}

QString cutToBytes(const QString& text, int maxBytes) {
    // Fast path: a name that fits as it is.
    if (nameBytes(text) <= maxBytes) return text;
    int bytes = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype n = characterLength(text, i);
        const int more = nameBytes(text.mid(i, n));
        if (bytes + more > maxBytes) break;
        bytes += more;
        i += n;
    }
    return text.left(i);
}

QString replaceTags(const QString& pattern, const QString& counter, const QString& name,
                    const QDateTime& date) {
    QString s = pattern;
    for (const char* tag : kReplacementOrder) {
        const QString t = QLatin1String(tag);
        s.replace(t, tagValue(t, counter, name, date), Qt::CaseInsensitive);
    }
    return s;
}

QString cleanName(const QString& expanded) {
    QString s = firstCharacters(expanded, kMaxTemplateLength);
    s.removeIf(isForbiddenNameCharacter);
    return s;
}

QString exampleName(const QString& pattern, const QString& counter, const QString& name,
                    const QDateTime& now) {
    return cutToBytes(cleanName(replaceTags(pattern.trimmed(), counter, name, now)), kMaxNameBytes);
}

QDateTime exifDateOfFile(const QString& path) {
    const imaging::Handle session = imaging::cNewSession();
    if (!session) return {};
    imaging::FileInfo info;
    QString text;
    if (imaging::cGetImageFileInfoEx(session, encodePath(path).toStdString(), info))
        text = QString::fromStdString(imaging::summariseExif(info.exif).dateTime).trimmed();
    imaging::cDestroySession(session);
    return caption::exifDateTime(text);
}

QDateTime fileDate(const QString& path, const Dating& dating) {
    if (!dating.ignoreExif) {
        const QDateTime exif = exifDateOfFile(path);
        if (exif.isValid()) return exif;
    }
    if (const auto time = modificationTime(path))
        return QDateTime::fromSecsSinceEpoch(time->seconds);
    return dating.now;
}

QString dateToText(const QDateTime& date) {
    return date.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QDateTime dateFromText(const QString& text) {
    return QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

bool samePath(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString expandedPath(const QString& pattern, const QString& counter, const QString& path,
                     bool avoidCollision, const std::optional<QString>& dateText,
                     const Dating& dating) {
    QDateTime date;
    if (dateText) date = dateFromText(*dateText);
    if (!date.isValid()) date = fileDate(path, dating);
    const QString folder = folderOf(path);
    const NameParts old = splitName(path.mid(folder.size()));
    const int room = kMaxNameBytes - nameBytes(old.extension);

    QString name = cleanName(replaceTags(pattern.trimmed(), counter, old.stem, date));
    if (name.isEmpty()) name = old.stem;
    const QString result = folder + cutToBytes(name, room) + old.extension;
    if (!avoidCollision || samePath(result, path) || !pathExists(result)) return result;
    for (int n = 1;; ++n) {
        const QString mark = QStringLiteral(" [%1]").arg(n);
        const QString candidate =
            folder + cutToBytes(name, room - nameBytes(mark)) + mark + old.extension;
        // Cutting may bring a candidate back to the file's own name: it is then no collision.
        if (samePath(candidate, path) || !pathExists(candidate)) return candidate;
    }
}

}  // namespace core::renaming
