// TFormInputMCName: asks for a memory colour's name, for a new entry or a new name of one. It
// closes only through its save or cancel button; save checks the name against the list first.
#pragma once

#include <QDialog>
#include <optional>

#include "core/editors/memory_colour_record.h"

class QGroupBox;
class QLineEdit;
class QPushButton;

namespace core {
class Language;
class MessageAsker;
}  // namespace core

namespace app {

class TFormInputMCName : public QDialog {
    Q_OBJECT
  public:
    // colors: the list the name must be free in (it must outlive the dialog); renaming: the
    // entry whose own name counts as free.
    TFormInputMCName(const core::Language& language, core::MessageAsker& asker,
                     const core::TMemoryColorsArray& colors, std::optional<size_t> renaming,
                     QWidget* parent = nullptr);

    // The name the dialog closed with.
    QString name() const;

    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* edColorName = nullptr;
    QPushButton* btSave = nullptr;
    QPushButton* btCancel = nullptr;

  public slots:
    void btSaveClick();
    // Esc and the title bar do not close it; cancel does.
    void reject() override {}
    void btCancelClick() { QDialog::reject(); }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    const core::Language& language_;
    core::MessageAsker& asker_;
    const core::TMemoryColorsArray& colors_;
    std::optional<size_t> renaming_;
};

}  // namespace app
