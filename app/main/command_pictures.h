// The pictures of the tool buttons, the step bar, the tab markers and the equalizer buttons,
// drawn at run time: simple shapes on a transparent ground, readable on light and dark skins.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

#include "core/main/step_bar.h"

namespace app {

// The picture of a tool button by its name ("tbImgUp", "tbRotateLeft", ...); a null icon for a
// name without one.
QIcon toolButtonIcon(const QString& name);

// Picture of one step of the work bar in one state.
QPixmap stepPicture(core::Step step, core::StepState state);

// The marker of a tab sheet: a filled green dot while its stage is in use, a grey ring otherwise.
QIcon tabMarkerIcon(bool inUse);

// The equalizer buttons: a bent curve while the curve is shaped, a flat line otherwise.
QIcon equalizerIcon(bool shaped);

}  // namespace app
