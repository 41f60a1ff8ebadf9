// The main window's side of editing a queued item: the item's mode, settings and marks replace
// the window's, and its picture opens turned as it was when it was queued.
#include <memory>

#include "app/main/main_form.h"
#include "app/settings/crop_tab.h"
#include "app/settings/tuning_binder.h"
#include "core/queue/queue_model.h"
#include "core/settings/tuning_apply.h"

namespace app {

bool TMainForm::openQueueItem(const core::QueueParams& item) {
    if (busy()) return false;
    if ((item.ExpertMode != 0) != tuning_.expertMode) menuExpertModeClick(item.ExpertMode != 0);
    scheduler_.setApplying(true);
    core::applySettings(tuning_, item.Settings, core::ResetCode::All);
    binder_->refresh();
    scheduler_.setApplying(false);

    // Opening clears the marks of the picture before: the item's are taken once it is open.
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = connect(this, &TMainForm::pictureOpened, this, [this, item, connection](bool ok) {
        disconnect(*connection);
        if (!ok) {
            menuCloseClick();
            return;
        }
        // The item's settings win over any the picture's own remembered settings brought.
        scheduler_.setApplying(true);
        core::applySettings(tuning_, item.Settings, core::ResetCode::All);
        scheduler_.setApplying(false);
        tuning_.noiseAreas = item.NoiseAreas;
        tuning_.colorRanges = item.ColorRanges;
        tuning_.redEyes = item.RedEyes;
        cropTab_->queueItemApplied(item.Settings);
        binder_->refresh();
        updateCommands();
        emit queueItemOpened();
    });
    if (!openScanned(core::itemSourcePath(item), item.Rotation % 4)) {
        disconnect(*connection);
        return false;
    }
    return true;
}

}  // namespace app
