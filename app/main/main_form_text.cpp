// The main window's Text tab: the caption preview's tools and the Ctrl keys that move the
// caption and change its font size while the tab shows a caption.
#include <QShortcut>

#include "app/main/main_form.h"
#include "app/settings/text_tab.h"
#include "core/preview/preview_tabs.h"

namespace app {

void TMainForm::installTextTab() {
    textTab_ =
        new TextTab(TextTabSetup{tuning_, ui_.pages, ui_.imagePreviewOutput,
                                 [this] { return settingsLocked(); },
                                 [this] {
                                     const auto tab = core::tabOfSheet(ui_.pages->currentSheet());
                                     return tuningMode() && tab && *tab == core::PreviewTab::Text;
                                 },
                                 [this] { requestProcessing(); }},
                    this);
    connect(this, &TMainForm::previewShown, textTab_, &TextTab::previewShown);
    for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp,
                              Qt::Key_PageDown}) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::ControlModifier | key), this);
        connect(shortcut, &QShortcut::activated, this, [this, key] { textTab_->captionKey(key); });
    }
}

}  // namespace app
