// The main window's full-screen command: opens the full-screen preview over it.
#include "app/fullscreen/full_screen_form.h"
#include "app/main/main_form.h"
#include "app/settings/tuning_pages.h"
#include "core/fullscreen/full_screen_mode.h"
#include "core/preview/preview_tabs.h"

namespace app {

bool TMainForm::openFullScreen(int cropDisplayKind) {
    // The crop tab keeps its choice in the settings as it is made; only the kind is stored here.
    fullScreenCropKind_ = cropDisplayKind == 1 ? 1 : 0;
    return openFullScreen();
}

bool TMainForm::openFullScreen() {
    // A preview run does not hold the picture: the preview's work queues behind it.
    if (!document_.isOpen()) return false;
    // One at a time; a closed one may still wait for its deletion.
    for (const TFullScreenForm* open : findChildren<TFullScreenForm*>(Qt::FindDirectChildrenOnly))
        if (open->isVisible()) return false;
    if (!core::fullScreenMayOpen(settingsLocked(), tuningMode(),
                                 core::tabOfSheet(ui_.pages->currentSheet()), document_.width(),
                                 document_.height()))
        return false;
    auto* form =
        new TFullScreenForm(*this, static_cast<core::CropDisplayKind>(fullScreenCropKind_));
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->show();
    return true;
}

}  // namespace app
