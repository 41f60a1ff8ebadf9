// Applying a skin to a window or control: header pictures and label colours of the main window,
// the title bars of its floating tool windows where Qt draws them, and the look of every tool
// button. Each change keeps the widget's own style sheet, so revertSkin brings the plain look
// back exactly; applying again first reverts, so a newly chosen skin replaces the old one.
#pragma once

#include <QString>
#include <QStringList>

#include "core/main/skin_file.h"

class QWidget;

namespace app {

struct SkinApplied {
    int buttons = 0;                 // tool buttons styled
    QStringList headers;             // object names of the header labels given a picture
    QStringList unreadablePictures;  // header pictures that exist but are no picture; kept plain
};

// Does nothing when the skin was not found. Header pictures are set only when c is the main
// window ("MainForm").
SkinApplied applySkin(QWidget* c, const core::CurrentSkin& skin);

// Takes back every change applySkin made to c and the widgets inside it.
void revertSkin(QWidget* c);

// The style sheet that gives a tool button the skin's drawing style and colours.
QString toolButtonStyleSheet(const core::SkinButtons& buttons);

}  // namespace app
