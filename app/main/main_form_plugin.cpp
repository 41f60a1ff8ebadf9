// Plug-in mode: the program started by a host application ("-plugin") works on the host's
// picture in the exchange file and hands the result back into it; with "-q" it runs at once and
// closes without a question.
#include <QDir>
#include <QTimer>

#include "app/main/main_form.h"
#include "app/main/main_form_commands.h"
#include "app/settings/tuning_binder.h"
#include "core/document/document_texts.h"
#include "core/i18n/language.h"
#include "core/i18n/text_lookup.h"

namespace app {

void TMainForm::setPluginMode(bool quiet) {
    pluginMode_ = true;
    pluginQuiet_ = quiet;
    // The host's picture is handed back at its own size: no crop, and only the commands the
    // enabling table leaves to a host's picture.
    tuning_.cropTabHidden = true;
    binder_->refresh();
    commands_->setPluginMode(true);
}

void TMainForm::pluginRunEnded(bool produced) {
    if (pluginQuiet_) {
        if (produced)
            writeBackToHost();
        else
            QTimer::singleShot(counter_.interval(), this, &QWidget::close);
        return;
    }
    if (!produced) return;
    const QString question = language_.message(QStringLiteral("ALS_QUEST_SAVE_PLUGINS"))
                                 .replace(QStringLiteral("%s"), QStringLiteral("Velmar Filter"));
    core::MessageBoxRequest request;
    request.text = question;
    request.title = language_.message(QStringLiteral("ALS_SAVING_RESULT"));
    request.style = core::kButtonsYesNo | core::kIconQuestion;
    if (asker_.ask(request) == core::kResultYes) writeBackToHost();
}

void TMainForm::writeBackToHost() {
    core::ImageDocument* document = &document_;
    const QString exchange =
        QDir(folders_.tempFolder()).filePath(QString::fromLatin1(core::kExchangeFileName));
    scheduler_.setLongOperation(true);
    updateCommands();
    executor_->post(
        this,
        [document, exchange](const core::EngineJobContext&) {
            return document->writeBack(exchange);
        },
        [this](core::Status written) {
            scheduler_.setLongOperation(false);
            updateCommands();
            if (written) {
                close();
                return;
            }
            showError(core::documentMessage(written.failure(), core::languageLookup(language_)));
            if (pluginQuiet_) close();
        });
}

}  // namespace app
