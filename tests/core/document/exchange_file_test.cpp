// The image exchange file: header layout, reading with every check, writing back in place.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <vector>

#include "core/document/exchange_file.h"
#include "imaging/imaging.h"

namespace core {
namespace {

class Session {
  public:
    Session() : h_(imaging::cNewSession()) { imaging::cSet16BitComponentOptions(h_, true, true); }
    ~Session() { imaging::cDestroySession(h_); }
    operator imaging::Handle() const { return h_; }

  private:
    imaging::Handle h_;
};

// A temp folder with both templates, as the program ships them.
class ExchangeFolder {
  public:
    ExchangeFolder() {
        Session t8, t16;
        imaging::cLoadImage8(t8, nullptr, 0, 16, 16);
        imaging::cLoadImage16(t16, nullptr, 0, 16, 16);
        imaging::cSave(t8, path("template8.tif").toStdString(), imaging::kCodeTiff);
        imaging::cSave(t16, path("template16.tif").toStdString(), imaging::kCodeTiff);
    }
    QString folder() const { return dir_.path(); }
    QString path(const char* name) const {
        return QDir(dir_.path()).filePath(QString::fromLatin1(name));
    }

  private:
    QTemporaryDir dir_;
};

void fillPattern(imaging::Handle h, int w, int hgt) {
    for (int y = 0; y < hgt; ++y)
        for (int x = 0; x < w; ++x)
            imaging::cOpSetPixelColor(h, x, y, static_cast<uint16_t>(x * 1000 + 7),
                                      static_cast<uint16_t>(y * 900 + 3),
                                      static_cast<uint16_t>((x ^ y) * 333));
}

TEST(ExchangeHeader, FieldsOfAn8And16BitPicture) {
    // 8 bits, 11 x 12: rows of 33 bytes padded to 36.
    uint8_t raw[kExchangeHeaderSize];
    encodeExchangeHeader(makeExchangeHeader(11, 12, false, 0), raw);
    const uint8_t expected8[kExchangeHeaderSize] = {
        12, 0,  11, 0, 3, 0,    33, 0,    0, 0, 0,
        0,  0,  0,  0, 0, 0,    0,  0x8C, 1, 0, 0,  // 396 = 11 * 12 * 3
        8,  36, 0,  0, 0, 0xB0, 1,  0,    0,        // stride 36, 432 bytes
        3,  0,  0,  0, 0, 0,    0};
    EXPECT_EQ(std::vector<uint8_t>(raw, raw + kExchangeHeaderSize),
              std::vector<uint8_t>(expected8, expected8 + kExchangeHeaderSize));
    // 16 bits with a profile of 500 bytes: stride in samples, sizes doubled, mode 11.
    const ExchangeHeader h = makeExchangeHeader(11, 12, true, 500);
    EXPECT_EQ(h.rowBytes, 66u);
    EXPECT_EQ(h.imageBytes, 792u);
    EXPECT_EQ(h.rowStride, 33u);
    EXPECT_EQ(h.pixelDataSize, 792u);
    EXPECT_EQ(h.imageMode, 11);
    EXPECT_EQ(h.hasProfile, 1);
    EXPECT_EQ(h.pixelDataOffset(), 538u);
    encodeExchangeHeader(h, raw);
    const ExchangeHeader back = decodeExchangeHeader(raw);
    EXPECT_EQ(back.rowStride, 33u);
    EXPECT_EQ(back.profileSize, 500u);
    EXPECT_EQ(back.bitsPerChannel, 16);
}

class ExchangeRoundTrip : public ::testing::TestWithParam<bool> {};

TEST_P(ExchangeRoundTrip, WrittenFileReadsBackIntoTheSessionMemory) {
    const bool sixteen = GetParam();
    ExchangeFolder folder;
    Session source;
    ASSERT_TRUE(sixteen ? imaging::cLoadImage16(source, nullptr, 0, 23, 14)
                        : imaging::cLoadImage8(source, nullptr, 0, 23, 14));
    fillPattern(source, 23, 14);
    const std::vector<uint8_t> profile = imaging::srgbProfile();
    ASSERT_TRUE(imaging::cLoadICCProfile(source, profile.data(), profile.size()));
    ASSERT_TRUE(writeExchangeFile(folder.path("imgBuf.dat"), source));

    Session slot;
    const auto r = readExchangeFile(folder.folder(), slot);
    ASSERT_TRUE(r.ok()) << r.failure().key.toStdString();
    EXPECT_EQ(r->width, 23);
    EXPECT_EQ(r->bitsPerChannel, sixteen ? 16 : 8);
    EXPECT_EQ(imaging::cGetBits16Ptr(slot) != nullptr, sixteen);
    EXPECT_EQ(imaging::cGetImageICCProfile(slot), profile);
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 23; ++x) {
            uint16_t a[3], b[3];
            imaging::cGetPixelColor(source, x, y, a[0], a[1], a[2]);
            imaging::cGetPixelColor(slot, x, y, b[0], b[1], b[2]);
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(a[c], b[c]) << x << "," << y;
        }
    // The display copy of a 16-bit picture follows its pixels.
    if (sixteen) {
        EXPECT_EQ(imaging::cGetBitsPtr(slot)[0], imaging::cGetBits16Ptr(slot)[23 * 3 * 13] >> 8);
    }

    // Write back: only the pixels change; header and profile stay.
    QFile before(folder.path("imgBuf.dat"));
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray original = before.readAll();
    before.close();
    ASSERT_TRUE(imaging::cOpSetPixelColor(slot, 0, 0, 0xFFFF, 0xFFFF, 0xFFFF));
    ASSERT_TRUE(writeBackExchangeFile(folder.path("imgBuf.dat"), r.value(), slot));
    QFile after(folder.path("imgBuf.dat"));
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    const QByteArray changed = after.readAll();
    ASSERT_EQ(changed.size(), original.size());
    EXPECT_EQ(changed.left(static_cast<int>(r->pixelDataOffset())),
              original.left(static_cast<int>(r->pixelDataOffset())));
    EXPECT_NE(changed, original);
    // A reload after a plug-in must keep the size.
    Session again;
    EXPECT_TRUE(readExchangeFile(folder.folder(), again, std::make_pair(23, 14)).ok());
    EXPECT_EQ(readExchangeFile(folder.folder(), again, std::make_pair(24, 14)).failure().key,
              "ER_SRC_LOADING_INVALID");
}

INSTANTIATE_TEST_SUITE_P(Depths, ExchangeRoundTrip, ::testing::Bool());

// Header edits and what they must give.
struct BadHeaderCase {
    const char* name;
    int offset;
    std::vector<uint8_t> bytes;
    const char* errorKey;
};

class BadHeaders : public ::testing::TestWithParam<BadHeaderCase> {};

TEST_P(BadHeaders, AreRefusedWithTheirMessage) {
    ExchangeFolder folder;
    Session source;
    ASSERT_TRUE(imaging::cLoadImage8(source, nullptr, 0, 12, 12));
    ASSERT_TRUE(writeExchangeFile(folder.path("imgBuf.dat"), source));
    QFile file(folder.path("imgBuf.dat"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray data = file.readAll();
    const BadHeaderCase& c = GetParam();
    for (size_t i = 0; i < c.bytes.size(); ++i)
        data[c.offset + static_cast<int>(i)] = static_cast<char>(c.bytes[i]);
    if (c.offset < 0) data.truncate(-c.offset);
    file.resize(0);
    file.seek(0);
    file.write(data);
    file.close();
    Session slot;
    const auto r = readExchangeFile(folder.folder(), slot);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.failure().key.toStdString(), c.errorKey);
    EXPECT_EQ(imaging::cGetBitsPtr(slot), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadHeaders,
    ::testing::Values(
        BadHeaderCase{"TwelveBitsPerChannel", 22, {12}, "ER_SRC_LOADING_INVALID"},
        BadHeaderCase{"NineColumns", 2, {9, 0}, "ER_SRC_LOADING_INVALID"},
        BadHeaderCase{"NineRows", 0, {9, 0}, "ER_SRC_LOADING_INVALID"},
        // A pixel size larger than the picture would write past its memory.
        BadHeaderCase{"PixelSizeTooLarge", 27, {0, 0, 1, 0}, "ER_SRC_LOADING_INVALID"},
        BadHeaderCase{"StrideWrong", 23, {40}, "ER_SRC_LOADING_INVALID"},
        BadHeaderCase{"HeaderCut", -20, {}, "ER_PLUGIN_CANNOT_READ"},
        BadHeaderCase{"PixelsCut", -300, {}, "ER_PLUGIN_CANNOT_READ"},
        BadHeaderCase{"ProfileLargerThanFile", 34, {0, 0, 0, 1}, "ER_PLUGIN_CANNOT_READ"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExchangeFile, MissingFileOrTemplates) {
    ExchangeFolder folder;
    Session slot;
    EXPECT_EQ(readExchangeFile(folder.folder(), slot).failure().key, "ER_RLUGIN_DATA_NOTFOUND");
    Session source;
    ASSERT_TRUE(imaging::cLoadImage8(source, nullptr, 0, 12, 12));
    ASSERT_TRUE(writeExchangeFile(folder.path("imgBuf.dat"), source));
    ASSERT_TRUE(QFile::remove(folder.path("template16.tif")));
    EXPECT_EQ(readExchangeFile(folder.folder(), slot).failure().key, "ER_PLUGIN_TEMPLATE");
    const Status missing =
        writeBackExchangeFile(folder.path("missing.dat"), ExchangeHeader{}, source);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.failure().key, "ER_RLUGIN_DATA_NOTFOUND");
}

TEST(ExchangeFile, WriteBackOfAPictureOfAnotherSizeIsRefused) {
    ExchangeFolder folder;
    Session source;
    ASSERT_TRUE(imaging::cLoadImage8(source, nullptr, 0, 12, 12));
    ASSERT_TRUE(writeExchangeFile(folder.path("imgBuf.dat"), source));
    Session slot;
    const auto r = readExchangeFile(folder.folder(), slot);
    ASSERT_TRUE(r.ok());
    ASSERT_TRUE(imaging::cSetOpRectangle(slot, 0, 0, 10, 10));
    ASSERT_TRUE(imaging::cOpCrop(slot));
    const Status refused = writeBackExchangeFile(folder.path("imgBuf.dat"), r.value(), slot);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.failure().key, "ER_PLUGIN_CANNOT_WRITE");
}

}  // namespace
}  // namespace core
