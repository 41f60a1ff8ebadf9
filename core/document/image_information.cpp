#include "core/document/image_information.h"

#include <QFileInfo>
#include <QStringList>
#include <cmath>

namespace core {

namespace {

QString lower(const TextLookup& lookup, const char* key) {
    return lookup(QString::fromLatin1(key)).toLower();
}

}  // namespace

QString keyAsText(const QString& key) {
    return key;
}

QString exposureText(double seconds, const TextLookup& lookup) {
    QString value;
    if (seconds >= 1.0)
        value = QString::number(seconds, 'f', 2);
    else if (seconds <= 0.0000001)
        value = QStringLiteral("~0");
    else
        value = QStringLiteral("1/") + QString::number(1.0 / seconds, 'f', 2);
    return value + lookup(QStringLiteral("ALS_SECONDS_SHORT_1"));
}

QString apertureText(double fNumber) {
    return QString::number(fNumber, 'f', 1);
}

QString flashText(int flash, const TextLookup& lookup) {
    QStringList parts;
    parts << lower(lookup, (flash & 1) ? "ALS_ON" : "ALS_OFF");
    switch ((flash >> 1) & 3) {
        case 1:
            parts << lower(lookup, "ALS_UNKNOWN");
            break;
        case 2:
            parts << lower(lookup, "ALS_FLASH_NOSTROBE");
            break;
        case 3:
            parts << lower(lookup, "ALS_FLASH_STROBE");
            break;
        default:
            break;
    }
    switch ((flash >> 3) & 3) {
        case 1:
            parts << lower(lookup, "ALS_FLASH_FORCED");
            break;
        case 2:
            parts << lower(lookup, "ALS_FLASH_SURPRESSED");
            break;
        case 3:
            parts << lower(lookup, "ALS_FLASH_AUTO");
            break;
        default:
            break;
    }
    if (flash & 0x20) parts << lower(lookup, "ALS_FLASH_NO");
    if (flash & 0x40) parts << lower(lookup, "ALS_FLASH_REDEYE");
    return parts.join(QStringLiteral(", "));
}

QString depthText(int bitsPerPixel, const TextLookup& lookup) {
    const QString perChannel = lookup(QStringLiteral("ALS_B_PER_CHANNEL"));
    if (bitsPerPixel % 3 == 0)
        return QString::number(bitsPerPixel / 3) + QLatin1Char(' ') + perChannel;
    return QStringLiteral("%1 %2 (%3 %4)")
        .arg(QString::number(bitsPerPixel), lookup(QStringLiteral("ALS_B_PER_PIXEL")),
             QString::number(bitsPerPixel / 3.0, 'f', 2), perChannel);
}

QString megapixelText(int width, int height) {
    const double tenths = std::round(static_cast<double>(width) * height / 100000.0);
    return QString::number(tenths / 10.0, 'f', 1);
}

ImageInformation describePicture(int width, int height, int bitsPerPixel,
                                 const imaging::ExifSummary& exif, int64_t fileSize, int formatCode,
                                 const TextLookup& lookup) {
    ImageInformation info;
    info.width = width;
    info.height = height;
    info.make = QString::fromStdString(exif.make).trimmed();
    info.model = QString::fromStdString(exif.model).trimmed();
    info.date = QString::fromStdString(exif.dateTime);
    if (exif.exposureTime > 0) info.exposure = exposureText(exif.exposureTime, lookup);
    const int iso = exif.iso < 0 ? 0 : exif.iso;
    if (iso > 0) info.iso = QString::number(iso);
    if (exif.fNumber > 0) info.aperture = apertureText(exif.fNumber);
    if (exif.flash >= 0) {
        info.flash = flashText(exif.flash, lookup);
        info.flashFired = (exif.flash & 1) != 0;
    }

    const QString crlf = QStringLiteral("\r\n");
    auto entry = [&](const char* key, const QString& value) {
        return lookup(QString::fromLatin1(key)) + QLatin1Char('=') + value + QLatin1Char(';') +
               crlf;
    };
    QString line;
    if (!info.make.isEmpty())
        line += entry("ALS_CAMERA", info.model.isEmpty() ? info.make
                                                         : info.make + QStringLiteral(" (") +
                                                               info.model + QLatin1Char(')'));
    if (!info.iso.isEmpty()) line += entry("ISO", info.iso);
    if (!info.flash.isEmpty()) line += entry("ALS_FLASH", info.flash);
    if (!info.exposure.isEmpty()) line += entry("ALS_SHUTTER_SPEED", info.exposure);
    if (!info.aperture.isEmpty()) line += entry("ALS_APERTURE", info.aperture);
    if (!info.date.isEmpty()) line += entry("ALS_DATE", info.date);
    const QString size = QString::number(width) + QLatin1Char('x') + QString::number(height);
    line += lookup(QStringLiteral("ALS_SIZE")) + QLatin1Char('=') + size;
    info.metadataLine = line;
    info.statusLine = QString(line).replace(crlf, QStringLiteral(" ")).trimmed();

    QString sizeLine = megapixelText(width, height) + lookup(QStringLiteral("ALS_MEGAPIXELS")) +
                       QLatin1Char(' ') + size;
    if (fileSize >= 0) {
        QString name = QString::fromStdString(imaging::cGetFormatName(formatCode));
        if (name.isEmpty())
            name = lookup(QStringLiteral("ALS_UNKNOWN")) + QLatin1Char(' ') +
                   lookup(QStringLiteral("ALS_FORMAT"));
        sizeLine += QStringLiteral("; ") +
                    QString::number(static_cast<double>(fileSize) / (1024.0 * 1024.0), 'f', 1) +
                    QStringLiteral("M ") + name;
    }
    sizeLine += QStringLiteral("; ") + depthText(bitsPerPixel, lookup);
    info.sizeLine = sizeLine;
    return info;
}

ImageInformation describeSession(imaging::Handle session, bool ignoreExif,
                                 const TextLookup& lookup) {
    imaging::ImageInfo image;
    imaging::cGetImageInfo(session, image);
    const imaging::ExifSummary exif =
        ignoreExif ? imaging::ExifSummary{}
                   : imaging::summariseExif(imaging::cGetImageEXIF_Info(session));
    const int bits = imaging::cGetBits16Ptr(session) ? 48 : 24;
    return describePicture(image.width, image.height, bits, exif, -1, 0, lookup);
}

bool describeFile(imaging::Handle helperSession, const QString& path, bool ignoreExif,
                  ImageInformation& out, const TextLookup& lookup) {
    imaging::FileInfo file;
    if (!imaging::cGetImageFileInfoEx(helperSession, QFile::encodeName(path).toStdString(), file))
        return false;
    const QFileInfo fi(path);
    const imaging::ExifSummary exif =
        ignoreExif ? imaging::ExifSummary{} : imaging::summariseExif(file.exif);
    out = describePicture(file.width, file.height, file.bitsPerPixel, exif,
                          fi.exists() ? fi.size() : -1, file.formatCode, lookup);
    return true;
}

}  // namespace core
