// The main window in the current skin: applied once when the window is made, and again when
// another skin (or the plain look) is chosen.
#include <QDebug>

#include "app/main/main_form.h"
#include "app/main/skin.h"
#include "core/main/skin_choice.h"

namespace app {

void TMainForm::installSkin() {
    const SkinApplied applied = applySkin(this, core::currentSkin(folders_));
    // A header picture that cannot be read keeps the built-in header; say which file it was.
    for (const QString& picture : applied.unreadablePictures)
        qWarning().noquote() << "skin header picture cannot be read:" << picture;
}

core::Status TMainForm::chooseSkin(const QString& name) {
    const core::Status stored = core::storeSkinChoice(folders_, name);
    if (!stored) return stored;
    revertSkin(this);
    installSkin();
    return {};
}

}  // namespace app
