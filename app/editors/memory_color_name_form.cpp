#include "app/editors/memory_color_name_form.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/editors/memory_colour_list.h"
#include "core/i18n/language.h"
#include "core/main/message_box.h"

namespace app {

TFormInputMCName::TFormInputMCName(const core::Language& language, core::MessageAsker& asker,
                                   const core::TMemoryColorsArray& colors,
                                   std::optional<size_t> renaming, QWidget* parent)
    : QDialog(parent), language_(language), asker_(asker), colors_(colors), renaming_(renaming) {
    setObjectName(QStringLiteral("FormInputMCName"));
    const auto text = [&](const char* key) { return language.message(QString::fromLatin1(key)); };
    setWindowTitle(text(renaming ? "ALS_NAVPANEL_RENAME" : "ALS_ADD_COLOR"));
    GroupBox1 = new QGroupBox(text("ALS_COLOR_NAME"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    edColorName = new QLineEdit(GroupBox1);
    edColorName->setObjectName(QStringLiteral("edColorName"));
    edColorName->setMaxLength(core::kMaxColorNameLength);
    edColorName->setMinimumWidth(edColorName->fontMetrics().horizontalAdvance(QLatin1Char('M')) *
                                 18);
    auto* groupLayout = new QVBoxLayout(GroupBox1);
    groupLayout->addWidget(edColorName);
    btSave = new QPushButton(text("ALS_FRM_SAVE"), this);
    btSave->setObjectName(QStringLiteral("btSave"));
    btSave->setDefault(true);  // Enter saves
    btCancel = new QPushButton(text("ALS_FRM_CANCEL"), this);
    btCancel->setObjectName(QStringLiteral("btCancel"));
    btCancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btSave);
    buttons->addWidget(btCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);
    connect(btSave, &QPushButton::clicked, this, &TFormInputMCName::btSaveClick);
    connect(btCancel, &QPushButton::clicked, this, &TFormInputMCName::btCancelClick);
}

QString TFormInputMCName::name() const {
    return edColorName->text();
}

void TFormInputMCName::showEvent(QShowEvent* event) {
    edColorName->clear();
    // A new name for an entry starts from its old one.
    if (renaming_ && *renaming_ < colors_.size())
        edColorName->setText(core::colorName(colors_[*renaming_]));
    edColorName->setFocus();
    QDialog::showEvent(event);
}

void TFormInputMCName::btSaveClick() {
    const core::NameCheck check = core::checkColorName(colors_, name(), renaming_);
    if (check != core::NameCheck::Ok) {
        core::showError(asker_, language_, core::nameCheckText(check));
        return;
    }
    accept();
}

}  // namespace app
