// Whole pictures through velmarfilter-cli, file to file: the saved files must stay byte for byte
// what the program wrote before its faster paths (decoding, the EXIF thumbnail, reused memory).
// The fingerprints were taken from the program before those changes, on Debian 12's libraries
// (libjpeg-turbo 2.1, libpng 1.6, libtiff 4.5); another encoder version writes other bytes.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct IdentityCase {
    const char* name;
    const char* source;  // under the test data folder
    QStringList options;
    const char* output;  // name of the saved file in the default output folder
    const char* sha256;
};

QString sha256Of(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QStringLiteral("(cannot read %1)").arg(path);
    return QString::fromLatin1(
        QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex());
}

// Each option list holds whole arguments; the source is appended.
const IdentityCase kCases[] = {
    {"NoisyCropDefaults",
     "cups-noisy-crop.jpg",
     {},
     "filtered/cups-noisy-crop_dnr.jpg",
     "65beb2da3069b78515e9648d480aaf33917da8d06d405d62a248e839ec1b77b4"},
    {"NoisyCropHighNoiseBitmap",
     "cups-noisy-crop.jpg",
     {"--set", "HighNoise=1", "--format", "bmp"},
     "filtered/cups-noisy-crop_dnr.bmp",
     "65908818907788cd43b048f5fe3f756497ec2e9e4077bd40612f6623c3463005"},
    {"NoisyCropProgressive",
     "cups-noisy-crop.jpg",
     {"--format", "jpg-progressive", "--jpeg-quality", "9"},
     "filtered/cups-noisy-crop_dnr.jpg",
     "ee586d8c8d727fddb01d0f32fadfe732532f1f909fa3899ba91e0588833e0009"},
    {"CameraPhotoDefaults",
     "imaging/Kite.jpg",
     {},
     "filtered/Kite_dnr.jpg",
     "b05a4a8809f07a51fb8ddfce9a42c342b9458267182ea80befd7d986ca40e876"},
    {"CameraPhotoTiff",
     "imaging/Kite.jpg",
     {"--format", "tif"},
     "filtered/Kite_dnr.tif",
     "8c8e2524b7db2c3d44f5afd65aa560776416b158c5468863156152f79720a1f1"},
    {"SixteenBitPng",
     "cups-16bit-crop.png",
     {"--format", "png"},
     "filtered/cups-16bit-crop_dnr.png",
     "4601b7cb11424328fc1e4afa4857d47357b6e47399ae11dd15c6596fb27f2270"},
    {"SixteenBitToJpeg",
     "cups-16bit-crop.png",
     {},
     "filtered/cups-16bit-crop_dnr.jpg",
     "347bcd515278bf0e59938b5df8d26852667ba22c9935844b4b25f3f8a8486120"},
    {"ProfileFreePngToTiff",
     "basn2c08.png",
     {"--format", "tif", "--set", "SharpenAmount=80"},
     "filtered/basn2c08_dnr.tif",
     "c24e611575a01eeaf6e85114e9a8db2fe8f380b306d7e31691c85ecbedcf1fa6"},
};

class OutputIdentity : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(OutputIdentity, TheSavedFileIsUnchanged) {
    const IdentityCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString source = QStringLiteral(VF_TEST_DATA "/") + QLatin1String(c.source);
    const QString copy = dir.filePath(QFileInfo(source).fileName());
    ASSERT_TRUE(QFile::copy(source, copy)) << qPrintable(source);

    QProcess p;
    p.start(QStringLiteral(VF_CLI), QStringList(c.options) << copy);
    ASSERT_TRUE(p.waitForFinished(300000));
    ASSERT_EQ(p.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();

    EXPECT_EQ(sha256Of(dir.filePath(QLatin1String(c.output))), QLatin1String(c.sha256));
}

INSTANTIATE_TEST_SUITE_P(Pictures, OutputIdentity, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<IdentityCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
