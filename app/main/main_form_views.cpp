// The main window's full views of the viewing mode: binds the zoom box, the zoom and frames
// commands and the source caption to the window's document and options.
#include <QFileInfo>
#include <QToolBar>

#include "app/main/main_form.h"
#include "app/main/main_form_commands.h"
#include "app/main/tool_bars.h"
#include "app/preview/full_views.h"
#include "app/preview/pointer_tools.h"
#include "core/i18n/language.h"
#include "core/preview/full_view_texts.h"
#include "core/preview/preview_tabs.h"

namespace app {

void TMainForm::installFullViews() {
    // The views and their tool bar need at least this much room.
    setMinimumSize(730, 540);
    FullViewsSetup setup;
    setup.source = ui_.imageSource;
    setup.output = ui_.imageOutput;
    setup.sourcePane = ui_.imageSource->parentWidget();
    setup.outputPane = ui_.imageOutput->parentWidget();
    setup.layers = ui_.layers;
    setup.viewingLayer = ui_.layer2;
    setup.sourceCaption = ui_.stxtRight;
    setup.outputCaption = ui_.stxtLeft;
    // The view band: "Zoom:" and the zoom box before the zoom buttons.
    const ToolBars& bars = commands_->toolBars();
    if (bars.view) {
        setup.toolBar = bars.view;
        QAction* zoomOut = ui_.menu[QStringLiteral("menuScaleLess")];
        setup.toolBarBefore = zoomOut && bars.view->actions().contains(zoomOut) ? zoomOut : nullptr;
        setup.zoomLabel =
            core::languageLookup(language_)(QStringLiteral("ALS_ZOOM_SHORT")) + QLatin1Char(':');
    } else {
        setup.toolBar = ui_.toolBar;
    }
    setup.cmbZoomPreview = ui_.cmbZoomPreview;
    setup.lookup = core::languageLookup(language_);
    setup.busy = [this] { return busy(); };
    setup.zoomAllowed = [this] {
        if (!document_.isOpen()) return false;
        if (!tuningMode()) return true;
        const auto tab = core::tabOfSheet(ui_.pages->currentSheet());
        return tab && !core::isWholeImageTab(*tab);
    };
    setup.sourceCaptionText = [this] { return sourceCaption(); };
    setup.accelerator = [this] { return options_.accelerator; };
    fullViews_ = new FullViews(setup, this);
    fullViews_->bindCommands(
        ui_.menu[QStringLiteral("menuScaleMore")], ui_.menu[QStringLiteral("menuScaleLess")],
        ui_.menu[QStringLiteral("menuFramesSingle")], ui_.menu[QStringLiteral("menuFramesDouble")]);
    fullViews_->setResampling(options_.resampling);
    // In the tuning mode one frame is the output preview alone, filling the area; the region
    // follows the pane's new size.
    connect(fullViews_, &FullViews::framesChanged, this, [this] {
        showCropViewOrPreviews();
        pointer_->refreshPickFromSource();
    });
}

QString TMainForm::sourceCaption() const {
    return core::sourceViewCaption(QFileInfo(document_.fileName()).fileName(),
                                   document_.information().sizeLine, document_.modifiedByPlugin(),
                                   core::languageLookup(language_));
}

}  // namespace app
