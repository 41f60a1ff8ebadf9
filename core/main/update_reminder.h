// The update reminder: on the 1st and the 16th of a month, once 16 days have passed since the
// program was installed, the user is asked once that day whether to look for updates.
#pragma once

#include <QDate>
#include <optional>

#include "core/main/registry_key.h"

namespace core {

inline constexpr int kDaysBeforeFirstReminder = 16;

struct UpdateReminder {
    bool ask = false;                    // ask "ALS_SEARCH_UPDATES_QUEST" ("ALS_UPDATES", Yes/No)
    std::optional<int> newUpdateSearch;  // the value to store in "Update_search", when it changes
};

// installDate invalid: the day of installation is not known, so the reminder waits.
UpdateReminder decideUpdateReminder(const QDate& today, const QDate& installDate, int updateSearch);

// The day the program was installed, kept in "InstallDate"; when the value is missing (a key
// from before it was kept) today is stored and returned.
QDate installDate(RegistryKey& key, const QDate& today);

// Decides with the key's values and stores the new "Update_search"; true when to ask.
bool runUpdateReminder(RegistryKey& key, const QDate& today);

}  // namespace core
