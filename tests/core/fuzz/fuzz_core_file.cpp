// libFuzzer target for one of the files the program reads back, chosen at build time with
// -DVF_FUZZ_FILE=Name: Queue (the queue file), Settings (the settings record files: the
// settings block, the program options and the settings variant of the record file), Exchange
// (the exchange file of the plug-in hand-over) or Language (a language file). The readers take
// a path, so each input is written to a file first. A reader may refuse the file; it must not
// crash, hang or read outside what it was given.
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/document/exchange_file.h"
#include "core/i18n/language.h"
#include "core/queue/queue_file.h"
#include "core/settings/record_file.h"
#include "imaging/codecs.h"
#include "imaging/format_codes.h"
#include "imaging/image.h"
#include "imaging/imaging.h"

#define VF_STR2(a) #a
#define VF_STR(a) VF_STR2(a)

namespace {

QString folder;     // this process's own scratch folder
QString inputPath;  // where each input is written

enum class Target { Queue, Settings, Exchange, Language };
constexpr Target kTarget = Target::VF_FUZZ_FILE;

bool writeBytes(const QString& path, const char* data, std::size_t size) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           f.write(data, static_cast<qint64>(size)) == static_cast<qint64>(size);
}

// The exchange reader loads one of two template pictures and sizes it to the header's picture.
void writeTemplates() {
    for (bool sixteen : {false, true}) {
        imaging::Image im;
        std::string error;
        if (!im.allocate(12, 12, sixteen, error)) std::abort();
        imaging::EncodeOptions o;
        o.format = imaging::kFormatTiff;
        o.write16 = sixteen;
        imaging::Bytes bytes;
        if (!imaging::encodeTiff(im, o, bytes, error)) std::abort();
        const QString name =
            sixteen ? QStringLiteral("template16.tif") : QStringLiteral("template8.tif");
        if (!writeBytes(QDir(folder).filePath(name), reinterpret_cast<const char*>(bytes.data()),
                        bytes.size()))
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    imaging::setMaxPixelCount(std::uint64_t{1} << 22);
    const char* tmp = std::getenv("TMPDIR");
    folder =
        QString::fromUtf8(tmp && *tmp ? tmp : "/tmp") +
        QStringLiteral("/vf-fuzz-%1-%2").arg(QStringLiteral(VF_STR(VF_FUZZ_FILE))).arg(getpid());
    QDir().mkpath(folder);
    inputPath = QDir(folder).filePath(kTarget == Target::Exchange ? QStringLiteral("imgBuf.dat")
                                                                  : QStringLiteral("input"));
    if (kTarget == Target::Exchange) writeTemplates();
    std::atexit([] { QDir(folder).removeRecursively(); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!writeBytes(inputPath, reinterpret_cast<const char*>(data), size)) std::abort();
    switch (kTarget) {
        case Target::Queue: {
            const core::RecordFileContent c =
                core::readQueueFile(inputPath, core::UnreadableFile::Keep);
            // Whatever was read back must encode again.
            (void)core::encodeQueueRecords(c.items);
            (void)core::probeRecordFileVersion(inputPath);
            break;
        }
        case Target::Settings: {
            const core::RecordFileContent c =
                core::readSettingsFile(inputPath, core::UnreadableFile::Keep);
            (void)core::encodeQueueRecords(c.items);
            const core::SettingsBlock block = core::loadSettingsBlock(inputPath);
            (void)core::encodeSettingsBlock(block);
            const core::ProgramOptions options = core::loadProgramOptions(inputPath);
            (void)core::encodeProgramOptions(options);
            break;
        }
        case Target::Exchange: {
            const imaging::Handle session = imaging::cNewSession();
            const auto header = core::readExchangeFile(folder, session);
            // A picture taken in must go back into the same file the same way.
            if (header) (void)core::writeBackExchangeFile(inputPath, header.value(), session);
            imaging::cDestroySession(session);
            break;
        }
        case Target::Language: {
            core::Language language;
            if (language.load(inputPath)) {
                (void)language.message(QStringLiteral("ER_SRC_LOADING_INVALID"));
                (void)language.capitalised(QStringLiteral("FILE"));
                (void)language.lowerCase(QStringLiteral("FILE"));
                (void)core::fillPlaceholders(language.lookup(QStringLiteral("&Open %1")),
                                             {QStringLiteral("x")});
            }
            break;
        }
    }
    return 0;
}
