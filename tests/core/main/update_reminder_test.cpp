// The update reminder: the 1st and the 16th, 16 days after installation, once that day.
#include "core/main/update_reminder.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "core/main/program_registry.h"

namespace {

struct ReminderCase {
    const char* name;
    QDate today;
    QDate installed;
    int updateSearch;
    bool ask;
    std::optional<int> newValue;
};

TEST(UpdateReminder, DaysAndTheStoredFlag) {
    const QDate installed(2026, 3, 5);
    const ReminderCase cases[] = {
        {"the 1st, long after installation", {2026, 6, 1}, installed, 0, true, 1},
        {"the 16th", {2026, 6, 16}, installed, 0, true, 1},
        {"already shown today", {2026, 6, 16}, installed, 1, false, std::nullopt},
        {"another day resets the flag", {2026, 6, 17}, installed, 1, false, 0},
        {"another day, flag already 0", {2026, 6, 2}, installed, 0, false, std::nullopt},
        {"15 days after installation", {2026, 3, 16}, {2026, 3, 1}, 0, false, std::nullopt},
        {"16 days after installation", {2026, 4, 1}, {2026, 3, 16}, 0, true, 1},
        {"installation unknown", {2026, 6, 1}, QDate(), 0, false, std::nullopt},
    };
    for (const ReminderCase& c : cases) {
        SCOPED_TRACE(c.name);
        const core::UpdateReminder r =
            core::decideUpdateReminder(c.today, c.installed, c.updateSearch);
        EXPECT_EQ(r.ask, c.ask);
        EXPECT_EQ(r.newUpdateSearch, c.newValue);
    }
}

TEST(UpdateReminder, RunsOnTheStoredValues) {
    QTemporaryDir dir;
    core::RegistryKey key = core::programRegistryKey(dir.filePath("settings.ini"));
    ASSERT_TRUE(key.create({{"InstallDate", "2026-01-02"}}));
    EXPECT_TRUE(core::runUpdateReminder(key, QDate(2026, 2, 1)));
    EXPECT_EQ(key.readInt("Update_search", -1), 1);
    EXPECT_FALSE(core::runUpdateReminder(key, QDate(2026, 2, 1)));  // once a day
    EXPECT_FALSE(core::runUpdateReminder(key, QDate(2026, 2, 2)));
    EXPECT_EQ(key.readInt("Update_search", -1), 0);
    EXPECT_TRUE(core::runUpdateReminder(key, QDate(2026, 2, 16)));
}

TEST(UpdateReminder, AKeyWithoutInstallationDateStartsCountingToday) {
    QTemporaryDir dir;
    core::RegistryKey key = core::programRegistryKey(dir.filePath("settings.ini"));
    ASSERT_TRUE(key.create({{"NormalClose", "1"}}));
    EXPECT_FALSE(core::runUpdateReminder(key, QDate(2026, 2, 1)));
    EXPECT_EQ(key.readString("InstallDate", {}).toStdString(), "2026-02-01");
    EXPECT_FALSE(core::runUpdateReminder(key, QDate(2026, 2, 16)));  // 15 days
    EXPECT_TRUE(core::runUpdateReminder(key, QDate(2026, 3, 1)));
}

}  // namespace
