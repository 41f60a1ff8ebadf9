#include "core/document/document_texts.h"

#include <QStringList>

#include "core/document/picture_loading.h"
#include "core/i18n/language.h"

namespace core {

namespace {

QString text(const TextLookup& lookup, const char* key) {
    return lookup(QString::fromLatin1(key));
}

QString waiting(const QString& what, const TextLookup& lookup) {
    return what + QStringLiteral("... ") + text(lookup, "ALS_WAIT");
}

const QString kLineBreak = QStringLiteral("\r\n");

}  // namespace

QString loadingText(const QString& fileName, bool fromFile, const TextLookup& lookup) {
    if (!fromFile) return text(lookup, "ALS_READING_DATA");
    return text(lookup, "ALS_LOADING_DATA") + QStringLiteral(" \"") + fileName + QLatin1Char('"');
}

QString loadingStatus(const QString& fileName, bool fromFile, const TextLookup& lookup) {
    return waiting(loadingText(fileName, fromFile, lookup), lookup);
}

QString repaintingStatus(const QString& fileName, bool fromFile, const TextLookup& lookup) {
    return loadingText(fileName, fromFile, lookup) + QStringLiteral("... ") +
           text(lookup, "ALS_CANVAS_REPAINTING");
}

QString readyStatus(const ImageInformation& information, const TextLookup& lookup) {
    return information.statusLine.isEmpty() ? text(lookup, "ALS_READY") : information.statusLine;
}

QString rotationStatus(bool output, const TextLookup& lookup) {
    const QString part = text(lookup, output ? "ALS_OUTPUT" : "ALS_SOURCE").toLower();
    return waiting(
        text(lookup, "ALS_IMG_ROTATION") + QStringLiteral(" (") + part + QLatin1Char(')'), lookup);
}

QString savingStatus(const TextLookup& lookup) {
    return waiting(text(lookup, "ALS_SAVING_RESULT"), lookup);
}

QString closingStatus(const TextLookup& lookup) {
    return waiting(text(lookup, "ALS_REMOVING_IMG_DATA"), lookup);
}

QString windowTitle(const QString& programTitle, const QString& fileName, const QString& sizeLine,
                    bool modifiedByPlugin, const TextLookup& lookup) {
    QString title = programTitle + QStringLiteral(" - ") + fileName + QStringLiteral(" (") +
                    sizeLine + QLatin1Char(')');
    if (modifiedByPlugin) title += QStringLiteral(", ") + text(lookup, "ALS_MODIFIED_BY_PLUGIN");
    return title;
}

QString documentMessage(const Failure& failure, const TextLookup& lookup) {
    const QString pattern = lookup(failure.key);
    if (!pattern.contains(QStringLiteral("%s"))) {
        if (failure.detail.isEmpty()) return pattern;
        return pattern + QLatin1Char(' ') + kLineBreak + failure.detail;
    }
    const qsizetype lineEnd = failure.detail.indexOf(kLineBreak);
    const QString first = lineEnd < 0 ? failure.detail : failure.detail.left(lineEnd);
    QStringList values{first};
    if (failure.key == QLatin1String("ER_SRC_LOADING_SMALL"))
        values << QString::number(kMinimumOpenSide) << QString::number(kMinimumOpenSide);
    QString message = fillPlaceholders(pattern, values);
    if (lineEnd >= 0) message += failure.detail.mid(lineEnd);
    return message;
}

QString withNextPictureQuestion(const QString& message, const TextLookup& lookup) {
    return message + kLineBreak + text(lookup, "ER_SRC_LOADING_END");
}

}  // namespace core
