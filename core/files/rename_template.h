// Name templates for renaming files: text with tags for the old name, a running number and the
// parts of the shooting date, expanded into a new file name in the file's own folder.
#pragma once

#include <QDateTime>
#include <QString>
#include <array>
#include <optional>

namespace core::renaming {

struct TemplateTag {
    const char* tag;             // "[name]"
    const char* descriptionKey;  // its text in the tag list
};

// The tags in the order of the tag list.
const std::array<TemplateTag, 9>& templateTags();

// The predefined templates of the template list, in order; the first is the default.
const std::array<const char*, 7>& predefinedTemplates();
inline constexpr const char* kDefaultTemplate =
    "[year4].[month].[day]_[hours].[minutes].[seconds]_[name]";

// A template holds at most this many characters; an expanded name keeps at most as many.
inline constexpr int kMaxTemplateLength = 255;
// The longest file name the file system takes, in bytes, extension included.
inline constexpr int kMaxNameBytes = 255;

// The characters no new name keeps: " ' * / : < > ? \ | (and NUL, which no name can hold).
bool isForbiddenNameCharacter(QChar c);

// The number of digits of count (at least 1), and value padded with "0" to that width.
int counterWidth(int count);
QString counterText(int value, int count);

// Splits a file name at its last dot ("a.b.jpg": "a.b" and ".jpg"); a name whose only dot is its
// first character has no extension.
struct NameParts {
    QString stem;
    QString extension;  // with its dot, or empty
};
NameParts splitName(const QString& fileName);

// The longest start of text (whole characters only) whose bytes on disk, as the file names of
// this system are written, number at most maxBytes.
QString cutToBytes(const QString& text, int maxBytes);
// Bytes of text in a file name.
int nameBytes(const QString& text);

// Replaces every tag (letter case ignored) in the order counter, name, year4, year2, month, day,
// hours, minutes, seconds; text brought in by a tag is itself open to the tags after it.
QString replaceTags(const QString& pattern, const QString& counter, const QString& name,
                    const QDateTime& date);

// The first 255 characters of an expanded name without its forbidden characters.
QString cleanName(const QString& expanded);

// The example the window shows: the trimmed template for a file called name, dated now, as a
// name without extension.
QString exampleName(const QString& pattern, const QString& counter, const QString& name,
                    const QDateTime& now = QDateTime::currentDateTime());

// How a real file is dated: the EXIF shooting date unless ignoreExif, else its modification
// time, else (no such file) now.
struct Dating {
    bool ignoreExif = false;
    QDateTime now = QDateTime::currentDateTime();
};

// The EXIF shooting date of an image file, invalid when it has none that names a date.
QDateTime exifDateOfFile(const QString& path);
QDateTime fileDate(const QString& path, const Dating& dating);

// The text form in which a date is remembered (it gives back the same moment to the second),
// and the way back (invalid when the text is no such date).
QString dateToText(const QDateTime& date);
QDateTime dateFromText(const QString& text);

// The new full path of the file at path under the template. dateText: a remembered date (one
// that does not read as a date is ignored); none: the file is dated now. The new name is cut so
// that it fits the file system with its extension (and its " [n]"); an empty result keeps the old
// name. avoidCollision: when the new path differs from the old one (letter case ignored) and a
// file of that path exists, " [1]", " [2]" ... is put before the extension until the path is free.
QString expandedPath(const QString& pattern, const QString& counter, const QString& path,
                     bool avoidCollision, const std::optional<QString>& dateText = std::nullopt,
                     const Dating& dating = {});

// Whether two paths name the same file for renaming (letter case ignored).
bool samePath(const QString& a, const QString& b);

}  // namespace core::renaming
