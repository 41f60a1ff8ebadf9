#include "core/main/update_reminder.h"

#include "core/main/program_registry.h"

namespace core {

namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");

}  // namespace

UpdateReminder decideUpdateReminder(const QDate& today, const QDate& installDate,
                                    int updateSearch) {
    UpdateReminder reminder;
    const bool reminderDay = today.day() == 1 || today.day() == 16;
    if (!reminderDay) {
        if (updateSearch != 0) reminder.newUpdateSearch = 0;
        return reminder;
    }
    const bool oldEnough =
        installDate.isValid() && installDate.daysTo(today) >= kDaysBeforeFirstReminder;
    if (oldEnough && updateSearch == 0) {
        reminder.ask = true;
        reminder.newUpdateSearch = 1;
    }
    return reminder;
}

QDate installDate(RegistryKey& key, const QDate& today) {
    const QString name = QString::fromLatin1(kValueInstallDate);
    const QDate stored = QDate::fromString(key.readString(name, {}), kDateFormat);
    if (stored.isValid()) return stored;
    key.writeString(name, today.toString(kDateFormat));
    return today;
}

bool runUpdateReminder(RegistryKey& key, const QDate& today) {
    const QString name = QString::fromLatin1(kValueUpdateSearch);
    const UpdateReminder reminder =
        decideUpdateReminder(today, installDate(key, today), key.readInt(name, 0));
    if (reminder.newUpdateSearch) key.writeInt(name, *reminder.newUpdateSearch);
    return reminder.ask;
}

}  // namespace core
