// The stored values in an INI file: key paths as groups, defaults for what is missing, and
// writes only into a key that exists.
#include "core/main/registry_key.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "core/main/program_registry.h"

namespace {

class RegistryKeyTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString ini() const { return dir.filePath("VelmarFilter.ini"); }
};

TEST_F(RegistryKeyTest, AMissingKeyGivesTheDefaultsAndTakesNoWrites) {
    core::RegistryKey key = core::programRegistryKey(ini());
    EXPECT_FALSE(key.exists());
    EXPECT_EQ(key.readInt("Language", 255), 255);
    EXPECT_EQ(key.readString("LastFile", "none").toStdString(), "none");
    EXPECT_FALSE(key.writeInt("NormalClose", 1));
    EXPECT_FALSE(key.writeString("LastFile", "/pictures/a.jpg"));
    EXPECT_FALSE(key.exists());
    EXPECT_FALSE(QFile::exists(ini()));
}

TEST_F(RegistryKeyTest, ACreatedKeyKeepsItsValuesUnderTheKeyPath) {
    core::RegistryKey key = core::programRegistryKey(ini());
    ASSERT_TRUE(key.create({{"openFolder", "/opt/vf"}, {"saveFolder", "/opt/vf"}}));
    EXPECT_TRUE(key.exists());
    EXPECT_TRUE(key.writeInt("NormalClose", 1));
    EXPECT_TRUE(key.writeString("LastFile", "/pictures/a b, c.jpg"));

    // Read back afresh, by another object and straight from the file.
    core::RegistryKey again = core::programRegistryKey(ini());
    EXPECT_EQ(again.readInt("NormalClose", 0), 1);
    EXPECT_EQ(again.readString("LastFile", {}).toStdString(), "/pictures/a b, c.jpg");
    EXPECT_EQ(again.readString("openFolder", {}).toStdString(), "/opt/vf");
    QSettings raw(ini(), QSettings::IniFormat);
    EXPECT_EQ(raw.value("Software/Velmar/VelmarFilter/3/NormalClose").toInt(), 1);
    EXPECT_EQ(raw.value("Software/Velmar/VelmarFilter/3/saveFolder").toString().toStdString(),
              "/opt/vf");
}

TEST_F(RegistryKeyTest, AKeyIsNeverCreatedEmptyAndOtherKeysStayApart) {
    core::RegistryKey key = core::programRegistryKey(ini());
    EXPECT_FALSE(key.create({}));
    EXPECT_FALSE(key.exists());

    core::RegistryKey plugins = core::pluginPathRegistryKey(ini());
    ASSERT_TRUE(plugins.create({{"PathesToPlugins", "/a;/b;"}}));
    // The plug-in key sits beside the program's key, not inside it, and makes it no key.
    EXPECT_FALSE(key.exists());
    EXPECT_EQ(key.readString("PathesToPlugins", "-").toStdString(), "-");
    EXPECT_EQ(plugins.readString("PathesToPlugins", {}).toStdString(), "/a;/b;");
}

TEST_F(RegistryKeyTest, ValuesThatAreNotIntegersReadAsTheDefault) {
    core::RegistryKey key = core::programRegistryKey(ini());
    ASSERT_TRUE(key.create({{"Language", "two"}, {"NormalClose", " 1 "}}));
    EXPECT_EQ(key.readInt("Language", 255), 255);
    EXPECT_EQ(key.readInt("NormalClose", 0), 1);
    EXPECT_TRUE(key.hasValue("Language"));
    EXPECT_TRUE(key.removeValue("Language"));
    EXPECT_FALSE(key.hasValue("Language"));
    EXPECT_TRUE(key.removeValue("Language"));
    EXPECT_EQ(key.valueNames(), QStringList{"NormalClose"});
}

TEST_F(RegistryKeyTest, BackslashKeyPathsNameTheSameKey) {
    core::RegistryKey slashes(ini(), "Software/Velmar/VelmarFilter/3");
    core::RegistryKey backslashes(ini(), "\\Software\\Velmar\\VelmarFilter\\3");
    ASSERT_TRUE(backslashes.create({{"Update_search", "1"}}));
    EXPECT_EQ(slashes.readInt("Update_search", 0), 1);
}

TEST_F(RegistryKeyTest, DialogFoldersDefaultToTheProgramFolder) {
    core::RegistryKey key = core::programRegistryKey(ini());
    EXPECT_EQ(core::readDialogFolder(key, core::DialogFolder::Open, "/opt/vf").toStdString(),
              "/opt/vf");
    EXPECT_FALSE(core::writeDialogFolder(key, core::DialogFolder::Save, "/photos"));
    ASSERT_TRUE(key.create({{"openFolder", "/opt/vf"}}));
    EXPECT_TRUE(core::writeDialogFolder(key, core::DialogFolder::Save, "/photos"));
    EXPECT_EQ(key.readString("saveFolder", {}).toStdString(), "/photos");
    EXPECT_EQ(core::lastFolderValueName(7).toStdString(), "LastFolder7");
}

TEST(RegistryKeyDefault, TheUserFileIsNamedAfterTheOrganisationAndTheProgram) {
    const QString file = core::RegistryKey::defaultIniFile();
    EXPECT_TRUE(file.endsWith("/Velmar/VelmarFilter.ini")) << qPrintable(file);
}

}  // namespace
