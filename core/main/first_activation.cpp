#include "core/main/first_activation.h"

#include "core/main/program_registry.h"
#include "core/main/update_reminder.h"

namespace core {

FirstActivationPlan planFirstActivation(
    const StartState& state, RegistryKey& key, const QRect& availableScreen, const QDate& today,
    const QString& sampleImage, const std::function<bool(const QString&)>& isSupportedPicture) {
    FirstActivationPlan plan;
    const ProgramOptions& options = state.records.options;
    plan.mainWindow = placeMainWindow(options, availableScreen);
    for (size_t i = 0; i < plan.floatingWindows.size(); ++i)
        plan.floatingWindows[i] = placeFloatingWindow(options.floatingWindows[i], availableScreen);
    plan.showHelpPage = options.helpPanelVisible != 0;
    plan.askUpdateReminder = runUpdateReminder(key, today);
    plan.open = decideFirstOpen(state, key.readString(QString::fromLatin1(kValueLastFile), {}),
                                sampleImage, isSupportedPicture);
    plan.closeWhenOpenFails = state.commandLine.pluginMode;
    return plan;
}

}  // namespace core
