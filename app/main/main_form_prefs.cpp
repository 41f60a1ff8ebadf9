// The preferences command: the window edits the main window's own record, and saving makes the
// main window follow what changed.
#include <QAction>

#include "app/files/pref_form.h"
#include "app/main/control_hints.h"
#include "app/main/main_form.h"
#include "app/main/main_form_commands.h"
#include "app/preview/full_views.h"
#include "core/document/document_texts.h"
#include "core/i18n/text_lookup.h"

namespace app {

void MainFormCommands::showPreferences() {
    if (form_.busy()) return;
    auto* prefs =
        new TPrefForm(form_.language_, form_.folders_, form_.registryFile_, form_.options_, &form_);
    prefs->setAttribute(Qt::WA_DeleteOnClose);
    auto* hints = findChild<ControlHints*>(QStringLiteral("ControlHints"));
    connect(prefs, &TPrefForm::hintModeChosen, this, [hints](int mode) {
        if (hints) hints->setHintMode(mode);
    });
    connect(prefs, &QDialog::accepted, this, [this, prefs] {
        const core::PreferenceEffects& effects = prefs->effects();
        const core::ProgramOptions& options = form_.options_;
        form_.document_.setIgnoreExif(options.ignoreExif != 0);
        if (effects.resamplingChanged && form_.fullViews_)
            form_.fullViews_->setResampling(options.resampling);
        if (effects.statusToDefault)
            form_.setStatus(form_.document_.isOpen() && !form_.busy()
                                ? core::readyStatus(form_.document_.information(),
                                                    core::languageLookup(form_.language_))
                                : form_.text("ALS_READY"));
        // The caption, the overlays and the histogram are drawn by the preview run.
        if ((effects.captionChanged || effects.overlaysChanged) && form_.document_.isOpen() &&
            form_.tuningMode())
            form_.requestProcessing();
    });
    prefs->open();
}

}  // namespace app
