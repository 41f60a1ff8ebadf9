// Small pictures and files the document tests make for themselves.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QString>
#include <cstdint>

#include "imaging/imaging.h"

namespace core::test {

inline QString dataFile(const char* relative) {
    return QStringLiteral(VF_TEST_DATA "/") + QLatin1String(relative);
}

// The build tree's folder (the language folder is "<build>/library/languages").
inline QString buildFolder() {
    return QStringLiteral(VF_LANGUAGE_FOLDER "/../..");
}

// A session destroyed with the scope.
class Session {
  public:
    Session() : h_(imaging::cNewSession()) { imaging::cSet16BitComponentOptions(h_, true, true); }
    ~Session() { imaging::cDestroySession(h_); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    operator imaging::Handle() const { return h_; }

  private:
    imaging::Handle h_;
};

// The colour of pixel (x, y) of the pattern: every pixel differs.
inline void patternColour(int x, int y, uint16_t& r, uint16_t& g, uint16_t& b) {
    r = uint16_t((x * 2039) & 0xFFFF);
    g = uint16_t((y * 3011) & 0xFFFF);
    b = uint16_t(((x + 3 * y) * 977) & 0xFFFF);
}

// Fills the session with a width x height pattern at the depth.
inline bool makePattern(imaging::Handle h, int width, int height, bool sixteen) {
    if (!(sixteen ? imaging::cLoadImage16(h, nullptr, 0, width, height)
                  : imaging::cLoadImage8(h, nullptr, 0, width, height)))
        return false;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint16_t r, g, b;
            patternColour(x, y, r, g, b);
            if (!imaging::cOpSetPixelColor(h, x, y, r, g, b)) return false;
        }
    return true;
}

// Writes a pattern picture file (PNG keeps 8 and 16 bits exactly).
inline bool writePatternFile(const QString& path, int width, int height, bool sixteen) {
    Session s;
    return makePattern(s, width, height, sixteen) &&
           imaging::cSave(s, QFile::encodeName(path).toStdString(), imaging::kCodePng);
}

inline QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// The GUI application the clipboard needs, made once (on the offscreen platform).
inline void ensureGuiApplication() {
    if (QCoreApplication::instance()) return;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    static int argc = 1;
    static char name[] = "core_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
}

}  // namespace core::test
