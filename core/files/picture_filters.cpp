#include "core/files/picture_filters.h"

#include "core/paths/output_formats.h"

namespace core {

namespace {

struct FilterRow {
    const char* description;
    const char* pattern;
};

// After the two looked-up rows; a kind's pattern may repeat another's, as cameras share them.
constexpr FilterRow kOpenKinds[] = {
    {"Bitmaps", "*.bmp"},
    {"JPEG", "*.jpg;*.jpeg"},
    {"TIFF", "*.tiff;*.tif"},
    {"Graphics Interchange Format", "*.gif"},
    {"Adobe Photoshop", "*.psd"},
    {"Digital NeGative", "*.dng"},
    {"Foveon X3F", "*.x3f"},
    {"FujiFilm RAF", "*.raf"},
    {"Canon Raw", "*.crw;*.cr2;*.tiff"},
    {"Kodak PDC formats", "*.dcr;*.tif;*.tiff"},
    {"Leica Digilux 2 RAW", "*.raw"},
    {"Minolta Raw", "*.mrw"},
    {"Nikon NEF", "*.nef"},
    {"Olympus Raw", "*.orf"},
    {"Panasonic DMC-LC1 RAW", "*.raw"},
    {"Pentax *ist D PEF", "*.pef"},
    {"Raw formats", "*.raw"},
    {"Sony Raw", "*.srf"},
    {"Sony PMP", "*.pmp"},
};

constexpr const char* kAllSupported =
    "*.bmp;*.jpg;*.jpeg;*.tiff;*.tif;*.gif;*.raw;*.mrw;*.orf;*.nef;*.crw;*.cr2;*.pef;*.psd;"
    "*.dng;*.x3f;*.dcr;*.srf;*.pmp;*.raf";

QString entry(const QString& description, const QString& pattern, bool namePattern) {
    QString text = description;
    if (namePattern) text += QStringLiteral(" (") + pattern + QLatin1Char(')');
    return text + QLatin1Char('|') + pattern;
}

}  // namespace

QString openPictureFilter(const TextLookup& lookup) {
    QStringList entries;
    entries << entry(lookup(QStringLiteral("ALS_ALL_SUPPORTED")),
                     QString::fromLatin1(kAllSupported), false);
    entries << entry(lookup(QStringLiteral("ALS_ALL_FILES")), QStringLiteral("*.*"), true);
    for (const FilterRow& row : kOpenKinds)
        entries << entry(QString::fromLatin1(row.description), QString::fromLatin1(row.pattern),
                         true);
    return entries.join(QLatin1Char('|'));
}

QString savePictureFilter() {
    QStringList entries;
    for (int i = 0; i < kProgramFormatCount; ++i)
        entries << QString::fromLatin1(kOutputFormats[size_t(i)].text) + QStringLiteral("|*.") +
                       QString::fromLatin1(kOutputFormats[size_t(i)].extension);
    return entries.join(QLatin1Char('|'));
}

int saveFilterIndex(int formatIndex) {
    const int index = validFormatIndex(formatIndex);
    return (index < kProgramFormatCount ? index : kDefaultFormatIndex) + 1;
}

int saveFormatIndex(int filterIndex) {
    return filterIndex >= 1 && filterIndex <= kProgramFormatCount ? filterIndex - 1
                                                                  : kDefaultFormatIndex;
}

bool saveFilterShowsJpegQuality(int filterIndex) {
    return filterIndex >= 2 && filterIndex <= 4;
}

QStringList qtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString pattern = parts[i + 1].trimmed();
        // A description that shows its pattern keeps showing it as written there.
        const QString named = QStringLiteral("(") + pattern + QLatin1Char(')');
        if (description.endsWith(named, Qt::CaseInsensitive)) {
            pattern = description.right(named.size()).mid(1, pattern.size());
            description = description.chopped(named.size()).trimmed();
        }
        QStringList patterns = pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            p = p.trimmed();
            if (p == QLatin1String("*.*")) p = QStringLiteral("*");
        }
        patterns.removeDuplicates();
        filters << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters;
}

QStringList jpegQualityTexts() {
    // The steps of the JPEG quality scale and their share of it, as the lists have always shown.
    static const char* const kTexts[] = {"7 (52%)",  "8 (62%)",  "9 (71%)",
                                         "10 (81%)", "11 (91%)", "12 (100%)"};
    QStringList texts;
    for (const char* text : kTexts)
        texts << QString::fromLatin1(text);
    return texts;
}

}  // namespace core
