#include "core/batch/memory_budget.h"

#include <QFile>
#include <QList>
#include <limits>

namespace core {

namespace {

// Bytes per pixel of each part of a job.
constexpr int64_t kDecoderRowBytes8 = 4;    // the decoder's expanded rows, 8 bits with alpha
constexpr int64_t kDecoderRowBytes16 = 8;   // the same at 16 bits
constexpr int64_t kPictureBytes8 = 4;       // blue, green, red, rows padded to 4 bytes
constexpr int64_t kPictureBytes16 = 6 + 4;  // 16-bit samples and the 8-bit display copy
// The engine's planes of 16-bit samples: the input, smoothed and result sets it keeps (three
// planes each), the noise map and two working planes.
constexpr int64_t kEnginePlanes = 12;
constexpr int64_t kEngineBytes = kEnginePlanes * 2;

QString megabytes(int64_t bytes) {
    return QString::number((bytes + kMegabyte - 1) / kMegabyte);
}

Result<int64_t> parseMegabytes(const QString& text, const QString& origin) {
    bool ok = false;
    const qlonglong mb = text.trimmed().toLongLong(&ok);
    if (!ok || mb <= 0 || mb > std::numeric_limits<int64_t>::max() / kMegabyte)
        return failure("ER_UNKNOWN",
                       QStringLiteral("%1 must be a number of megabytes above 0, not \"%2\"")
                           .arg(origin, text));
    return int64_t(mb) * kMegabyte;
}

}  // namespace

int64_t pictureJobBytes(int64_t width, int64_t height, bool sixteenBit) {
    if (width <= 0 || height <= 0) return 0;
    const int64_t perPixel = sixteenBit ? kDecoderRowBytes16 + kPictureBytes16 + kEngineBytes
                                        : kDecoderRowBytes8 + kPictureBytes8 + kEngineBytes;
    // Sides come from 32-bit header fields, so the product cannot overflow 64 bits.
    return width * height * perPixel;
}

std::optional<int64_t> parseMemAvailable(const QByteArray& meminfo) {
    for (const QByteArray& line : meminfo.split('\n')) {
        if (!line.startsWith("MemAvailable:")) continue;
        const QList<QByteArray> parts = line.mid(13).simplified().split(' ');
        bool ok = false;
        const qlonglong kb = parts.value(0).toLongLong(&ok);
        if (!ok || kb < 0) return std::nullopt;
        return int64_t(kb) * 1024;
    }
    return std::nullopt;
}

std::optional<int64_t> availableMemory() {
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (!meminfo.open(QIODevice::ReadOnly)) return std::nullopt;
    // The file reports a size of 0; read it as a stream.
    return parseMemAvailable(meminfo.readAll());
}

Result<int64_t> memoryBudgetFrom(const QString& megabytesGiven, const QString& environment,
                                 std::optional<int64_t> available) {
    if (!megabytesGiven.isEmpty())
        return parseMegabytes(megabytesGiven, QStringLiteral("the memory budget"));
    if (!environment.isEmpty())
        return parseMegabytes(environment, QString::fromLatin1(kMemoryBudgetVariable));
    if (!available) return int64_t(0);
    return *available / 100 * kDefaultBudgetPercent;
}

Result<int64_t> memoryBudget(const QString& megabytesGiven) {
    return memoryBudgetFrom(megabytesGiven, qEnvironmentVariable(kMemoryBudgetVariable),
                            availableMemory());
}

Status checkMemoryBudget(int64_t width, int64_t height, bool sixteenBit, int64_t budget) {
    const int64_t needed = pictureJobBytes(width, height, sixteenBit);
    if (budget <= 0 || needed <= budget) return {};
    return failure("ER_CANNOT_LOAD_OR_SMALL",
                   QStringLiteral("the picture is %1 x %2 pixels and needs about %3 MB of memory, "
                                  "more than the memory budget of %4 MB")
                       .arg(width)
                       .arg(height)
                       .arg(megabytes(needed), megabytes(budget)));
}

}  // namespace core
