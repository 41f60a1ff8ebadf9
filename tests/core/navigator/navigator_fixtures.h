// Small pictures and folders the navigator tests make for themselves.
#pragma once

#include <QColor>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>

namespace navtest {

// A picture of four flat quadrants (red, green / blue, yellow), saved as JPEG.
inline QImage quadrants(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    const QColor colours[4] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, colours[(y >= height / 2) * 2 + (x >= width / 2)]);
    return image;
}

inline bool writeJpeg(const QString& path, int width = 64, int height = 48) {
    return quadrants(width, height).save(path, "JPG", 95);
}

inline bool setModified(const QString& path, const QDateTime& time) {
    QFile file(path);
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(time, QFileDevice::FileModificationTime);
}

inline QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeText(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The colour at a fraction of the picture, compared loosely (JPEG).
inline bool near(const QImage& image, double fx, double fy, const QColor& expected) {
    const QColor c = image.pixelColor(int(fx * image.width()), int(fy * image.height()));
    return std::abs(c.red() - expected.red()) < 40 && std::abs(c.green() - expected.green()) < 40 &&
           std::abs(c.blue() - expected.blue()) < 40;
}

}  // namespace navtest
