#include "core/batch/memory_budget.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include "core/batch/imaging_pictures.h"

namespace {

using core::kMegabyte;

TEST(MemoryBudget, AvailableMemoryIsReadFromMeminfo) {
    const struct {
        const char* text;
        std::optional<int64_t> bytes;
    } cases[] = {
        {"MemTotal:       16318476 kB\nMemFree:  100 kB\nMemAvailable:    8000000 kB\n",
         int64_t(8000000) * 1024},
        {"MemAvailable: 0 kB\n", int64_t(0)},
        {"MemTotal:       16318476 kB\n", std::nullopt},
        {"MemAvailable: lots\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::parseMemAvailable(c.text), c.bytes) << c.text;
    // This machine says.
    EXPECT_TRUE(core::availableMemory().has_value());
}

TEST(MemoryBudget, TheUserValueWinsThenTheEnvironmentThenTheShare) {
    const std::optional<int64_t> available = int64_t(4000) * kMegabyte;
    const struct {
        const char* given;
        const char* environment;
        std::optional<int64_t> available;
        int64_t budget;  // -1: a failure
    } cases[] = {
        {"", "", available, int64_t(3000) * kMegabyte},
        {"", "", std::nullopt, 0},
        {"512", "", available, 512 * kMegabyte},
        {"", "256", available, 256 * kMegabyte},
        {"512", "256", available, 512 * kMegabyte},
        {"0", "", available, -1},
        {"-5", "", available, -1},
        {"", "much", available, -1},
        {"12.5", "", available, -1},
    };
    for (const auto& c : cases) {
        const auto r = core::memoryBudgetFrom(QString::fromLatin1(c.given),
                                              QString::fromLatin1(c.environment), c.available);
        if (c.budget < 0) {
            ASSERT_FALSE(r.ok()) << c.given << "/" << c.environment;
            EXPECT_TRUE(r.failure().detail.contains(c.given[0] ? c.given : c.environment))
                << qPrintable(r.failure().detail);
        } else {
            ASSERT_TRUE(r.ok()) << c.given << "/" << c.environment;
            EXPECT_EQ(r.value(), c.budget) << c.given << "/" << c.environment;
        }
    }
}

TEST(MemoryBudget, AJobTooLargeIsRefusedNamingSizeAndBudget) {
    // A 24-megapixel photograph fits into 2 GB; the 46000 x 46000 bomb of a 257 kB file does not.
    EXPECT_TRUE(core::checkMemoryBudget(6000, 4000, true, 2048 * kMegabyte).ok());
    EXPECT_TRUE(core::checkMemoryBudget(46000, 46000, false, 0).ok());
    const core::Status s = core::checkMemoryBudget(46000, 46000, false, 2048 * kMegabyte);
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.failure().key, "ER_CANNOT_LOAD_OR_SMALL");
    EXPECT_TRUE(s.failure().detail.contains("46000 x 46000")) << qPrintable(s.failure().detail);
    EXPECT_TRUE(s.failure().detail.contains("memory budget of 2048 MB"))
        << qPrintable(s.failure().detail);
    // Deep pictures need more than 8-bit ones of the same size.
    EXPECT_GT(core::pictureJobBytes(100, 100, true), core::pictureJobBytes(100, 100, false));
}

uint32_t crc32(const QByteArray& bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (const char ch : bytes) {
        crc ^= uint8_t(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray chunk(const char* type, const QByteArray& data) {
    QByteArray out(4, '\0');
    qToBigEndian<uint32_t>(uint32_t(data.size()), out.data());
    const QByteArray body = QByteArray(type, 4) + data;
    out += body;
    QByteArray crc(4, '\0');
    qToBigEndian<uint32_t>(crc32(body), crc.data());
    return out + crc;
}

// A valid one-bit grey PNG of all black pixels: a few kilobytes for a picture of many megabytes.
QByteArray blackPng(uint32_t width, uint32_t height) {
    QByteArray header(13, '\0');
    qToBigEndian<uint32_t>(width, header.data());
    qToBigEndian<uint32_t>(height, header.data() + 4);
    header[8] = 1;  // bit depth
    header[9] = 0;  // grey
    const QByteArray rows(qsizetype(height) * (1 + (width + 7) / 8), '\0');
    // qCompress puts the length before the zlib stream.
    const QByteArray zlib = qCompress(rows, 9).mid(4);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunk("IDAT", zlib) +
           chunk("IEND", {});
}

TEST(MemoryBudget, ADecompressionBombIsRefusedBeforeItIsDecoded) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray bomb = blackPng(8000, 8000);
    ASSERT_LT(bomb.size(), 64 * 1024);
    const QString path = dir.filePath("bomb.png");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bomb);
    f.close();
    const QString small = dir.filePath("small.png");
    QFile g(small);
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    g.write(blackPng(40, 30));
    g.close();

    core::ImagingPictureSource pictures;
    const std::atomic<bool> noStop{false};
    EXPECT_GT(pictures.memoryBudget(), 0);  // the machine's share
    pictures.setMemoryBudget(64 * kMegabyte);
    const auto refused = pictures.load(path, noStop);
    ASSERT_FALSE(refused.ok());
    EXPECT_TRUE(refused.failure().detail.contains("8000 x 8000"))
        << qPrintable(refused.failure().detail);
    EXPECT_TRUE(refused.failure().detail.contains("memory budget of 64 MB"))
        << qPrintable(refused.failure().detail);

    // A picture within the budget loads as before.
    const auto loaded = pictures.load(small, noStop);
    ASSERT_TRUE(loaded.ok()) << qPrintable(loaded.failure().detail);
    EXPECT_EQ(loaded.value()->width(), 40);
    EXPECT_EQ(loaded.value()->height(), 30);
}

}  // namespace
