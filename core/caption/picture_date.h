// The date and time a caption shows: the moment the picture was taken as its EXIF data gives it,
// else the file's modification time, else now.
#pragma once

#include <QDateTime>
#include <QString>

namespace core::caption {

struct PictureDate {
    QString dateText;  // the system's short date
    QString timeText;  // the system's long time
    QDateTime dateTime;
};

// The texts of a moment in the system's formats.
QString shortDateText(const QDate& date);
QString longTimeText(const QTime& time);

// The EXIF form "YYYY:MM:DD HH:MM:SS"; invalid when a part is not a number, the year, month or
// day is zero, or the parts name no real moment.
QDateTime exifDateTime(const QString& exifDateText);

// file: the picture's file, or empty for a picture that has none (clipboard, plug-in). The EXIF
// date serves only for a file; otherwise the file's modification time when it exists; else now.
PictureDate pictureDate(const QString& file, const QString& exifDateText,
                        const QDateTime& now = QDateTime::currentDateTime());

}  // namespace core::caption
