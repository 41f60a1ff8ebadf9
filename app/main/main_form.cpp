#include "app/main/main_form.h"

#include "app/i18n/window_translation.h"
#include "core/i18n/language.h"

namespace app {

TMainForm::TMainForm(const core::Language& language, QWidget* parent)
    : QMainWindow(parent), language_(language), ui_(buildMainFormLayout(this)) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Velmar Filter"));
    assignHelpKeywords(this);
    translateWindow(this, language_);
}

void TMainForm::setTuningMode(bool on) {
    ui_.layers->setCurrentWidget(on ? ui_.layer1 : ui_.layer2);
}

}  // namespace app
