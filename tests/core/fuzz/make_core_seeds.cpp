// Writes the seed corpus of the core file fuzz targets with the program's own writers: queue
// files, settings record files, exchange files and language files, one folder per target.
// make_core_seeds FOLDER [LANGUAGE_TEXT...]
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdio>
#include <vector>

#include "core/document/exchange_file.h"
#include "core/i18n/language_file.h"
#include "core/queue/queue_file.h"
#include "core/settings/record_file.h"
#include "imaging/imaging.h"

namespace {

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

core::QueueParams item(int n) {
    core::QueueParams q;
    q.Settings = core::defaultSettingsBlock();
    q.ExpertMode = static_cast<uint8_t>(n & 1);
    q.SourcePath = "/photos/seed" + std::to_string(n) + ".jpg";
    q.Rotation = static_cast<uint8_t>(n % 4);
    q.Settings.CaptionText = "Caption " + std::to_string(n);
    q.Settings.SharpenAmount = 10 * n;
    if (n >= 1) q.NoiseAreas.push_back({30000, 0x8000, 0x8010, static_cast<int16_t>(-20 + n)});
    if (n >= 2) {
        core::ColorRangeItem range;
        range.Colors = {100, 200, 300, 400, 500, 600, 700, 800, 900};
        range.Tolerance = 12;
        range.Areas.push_back({0, 500, 500, 200, 100});
        range.Areas.push_back({1, 100, 900, 50, 50});
        range.AreaCount = static_cast<int32_t>(range.Areas.size());
        range.AreasInclude = 1;
        q.ColorRanges.push_back(range);
        q.RedEyes.push_back({400, 300, 20, 20, 80, 90});
    }
    return q;
}

bool fail(const char* what) {
    std::fprintf(stderr, "make_core_seeds: %s\n", what);
    return false;
}

bool queueSeeds(const QDir& dir) {
    for (int count = 0; count <= 3; ++count) {
        std::vector<core::QueueParams> items;
        for (int n = 0; n < count; ++n)
            items.push_back(item(n + count));
        if (!core::writeRecordFile(items, dir.filePath(QStringLiteral("queue%1").arg(count))).ok())
            return fail("queue file");
    }
    return true;
}

bool settingsSeeds(const QDir& dir) {
    core::SettingsBlock block = core::defaultSettingsBlock();
    if (!core::saveSettingsBlock(dir.filePath(QStringLiteral("settings0")), block).ok())
        return fail("settings block");
    block.FontName = "Sans";
    block.NoiseEqualizerCount = 5;
    if (!core::saveSettingsBlock(dir.filePath(QStringLiteral("settings1")), block).ok())
        return fail("settings block");
    if (!core::saveProgramOptions(dir.filePath(QStringLiteral("options0")),
                                  core::defaultProgramOptions())
             .ok())
        return fail("program options");
    if (!core::writeRecordFile({item(2)}, dir.filePath(QStringLiteral("record0"))).ok())
        return fail("settings record");
    return true;
}

bool exchangeSeeds(const QDir& dir) {
    int n = 0;
    for (bool sixteen : {false, true}) {
        for (bool profile : {false, true}) {
            const imaging::Handle s = imaging::cNewSession();
            const int w = 10 + n, h = 11;
            bool loaded;
            if (sixteen) {
                std::vector<uint16_t> px(static_cast<size_t>(w) * h * 3);
                for (size_t i = 0; i < px.size(); ++i)
                    px[i] = static_cast<uint16_t>(i * 977);
                loaded = imaging::cLoadImage16(s, px.data(), px.size() * 2, w, h);
            } else {
                loaded = imaging::cLoadImage8(s, nullptr, 0, w, h);
            }
            if (!loaded) return fail("exchange picture");
            if (profile) {
                const std::vector<uint8_t> srgb = imaging::srgbProfile();
                imaging::cLoadICCProfile(s, srgb.data(), srgb.size());
            }
            if (!core::writeExchangeFile(dir.filePath(QStringLiteral("exchange%1").arg(n)), s).ok())
                return fail("exchange file");
            imaging::cDestroySession(s);
            ++n;
        }
    }
    return true;
}

bool languageSeeds(const QDir& dir, int argc, char** argv) {
    const QByteArray sample =
        "FILE=File\r\nER_SRC_LOADING_INVALID=The picture %1 cannot be "
        "read.\r\n&Open %1=&Open %1\r\n";
    if (!writeBytes(dir.filePath(QStringLiteral("language0")), core::scrambleLanguageText(sample)))
        return fail("language file");
    // The shipped texts, cut to their start so that a seed stays small.
    for (int i = 2; i < argc; ++i) {
        QFile text(QString::fromLocal8Bit(argv[i]));
        if (!text.open(QIODevice::ReadOnly)) return fail("language text");
        if (!writeBytes(dir.filePath(QStringLiteral("language%1").arg(i - 1)),
                        core::scrambleLanguageText(text.read(4000))))
            return fail("language file");
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_core_seeds FOLDER [LANGUAGE_TEXT...]\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const char* name : {"Queue", "Settings", "Exchange", "Language"})
        root.mkpath(QString::fromLatin1(name));
    const bool ok = queueSeeds(QDir(root.filePath(QStringLiteral("Queue")))) &&
                    settingsSeeds(QDir(root.filePath(QStringLiteral("Settings")))) &&
                    exchangeSeeds(QDir(root.filePath(QStringLiteral("Exchange")))) &&
                    languageSeeds(QDir(root.filePath(QStringLiteral("Language"))), argc, argv);
    return ok ? 0 : 1;
}
