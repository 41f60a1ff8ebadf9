#include "core/caption/picture_date.h"

#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

namespace core::caption {

QString shortDateText(const QDate& date) {
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

QString longTimeText(const QTime& time) {
    // Qt's long time format names the time zone ("t"); a caption shows the clock time only.
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*")));
    return QLocale::system().toString(time, format.trimmed());
}

QDateTime exifDateTime(const QString& text) {
    if (text.size() < 19) return {};
    bool allNumbers = true;
    auto part = [&](int first, int length) {
        bool ok = false;
        const int v = text.mid(first, length).toInt(&ok);
        allNumbers = allNumbers && ok;
        return v;
    };
    const int year = part(0, 4), month = part(5, 2), day = part(8, 2);
    const int hour = part(11, 2), minute = part(14, 2), second = part(17, 2);
    if (!allNumbers || year == 0 || month == 0 || day == 0) return {};
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid()) return {};
    return QDateTime(date, time);
}

PictureDate pictureDate(const QString& file, const QString& exifDateText, const QDateTime& now) {
    QDateTime moment = now;
    if (!file.isEmpty()) {
        const QDateTime exif = exifDateTime(exifDateText);
        if (exif.isValid()) {
            moment = exif;
        } else {
            const QFileInfo info(file);
            if (info.exists()) moment = info.lastModified();
        }
    }
    return {shortDateText(moment.date()), longTimeText(moment.time()), moment};
}

}  // namespace core::caption
