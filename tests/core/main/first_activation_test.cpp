// The first activation's plan from the start state and the stored values.
#include "core/main/first_activation.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/main/program_registry.h"

namespace {

TEST(FirstActivation, RestoresTheStoredStateAndReopensTheLastFile) {
    QTemporaryDir dir;
    const QString last = dir.filePath("last.jpg");
    {
        QFile f(last);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    core::RegistryKey key = core::programRegistryKey(dir.filePath("settings.ini"));
    ASSERT_TRUE(key.create({{"LastFile", last}, {"InstallDate", "2026-01-01"}}));

    core::StartState state;
    state.key = {false, true};
    core::ProgramOptions& o = state.records.options;
    o.mainMaximized = 0;
    o.mainWidth = 1200;
    o.mainHeight = 800;
    o.mainLeft = 40;
    o.mainTop = 30;
    o.floatingWindows[3] = {2500, 100, 300, 200, 1};
    o.helpPanelVisible = 0;

    const auto plan =
        core::planFirstActivation(state, key, QRect(0, 0, 1920, 1080), QDate(2026, 12, 16), {},
                                  [](const QString&) { return true; });
    EXPECT_FALSE(plan.mainWindow.maximized);
    EXPECT_EQ(plan.mainWindow.size, QSize(1200, 800));
    EXPECT_EQ(plan.mainWindow.topLeft, QPoint(40, 30));
    EXPECT_FALSE(plan.floatingWindows[0]);
    EXPECT_EQ(plan.floatingWindows[3], QRect(1620, 100, 300, 200));
    EXPECT_FALSE(plan.showHelpPage);
    EXPECT_TRUE(plan.askUpdateReminder);
    EXPECT_EQ(key.readInt("Update_search", 0), 1);
    EXPECT_EQ(plan.open.what, core::OpenAtStart::LastFile);
    EXPECT_EQ(plan.open.path, last);
    EXPECT_FALSE(plan.closeWhenOpenFails);
}

TEST(FirstActivation, PluginModeOpensTheExchangeImageAndClosesWhenItFails) {
    QTemporaryDir dir;
    core::RegistryKey key = core::programRegistryKey(dir.filePath("settings.ini"));
    ASSERT_TRUE(key.create({{"InstallDate", "2026-12-01"}}));
    core::StartState state;
    state.commandLine.pluginMode = true;
    const auto plan =
        core::planFirstActivation(state, key, QRect(0, 0, 1920, 1080), QDate(2026, 12, 16), {}, {});
    EXPECT_TRUE(plan.mainWindow.maximized);  // the defaults
    EXPECT_TRUE(plan.showHelpPage);
    EXPECT_FALSE(plan.askUpdateReminder);  // installed 15 days ago
    EXPECT_EQ(plan.open.what, core::OpenAtStart::ExchangeImage);
    EXPECT_TRUE(plan.closeWhenOpenFails);
}

}  // namespace
