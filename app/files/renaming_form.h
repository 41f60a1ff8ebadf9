// TFormRenaming: renames a set of files by a name template. The window edits the template (a
// list of predefined ones, a list of tags to add), shows an example and the new name of every
// file; Apply stores the template and closes, and renameFiles() below then renames the files.
//
// For the navigator (or any other caller), one call does all of it:
//
//     const auto report = app::renameFiles(parent, language, asker, options, checkedPaths);
//     if (report) for (const auto& r : report->renamed) ...  // r.oldPath -> r.newPath
//
// It opens the window modally over parent on the files (in the order given, at most 32000); on
// Apply with a template that is not empty it renames them in that order, asking through asker
// ("ALS_NAVPANEL_CANNOT_RENAME_QUEST", Yes/No) about each file that cannot be renamed, with the
// reason. It returns none when the window was cancelled, else what became of every file. The
// template is kept in options.renamingTemplate (the caller stores the options as it does the
// others). The caller re-reads its folder afterwards and follows a renamed file it has open.
#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>
#include <optional>

#include "core/files/rename_loop.h"
#include "core/files/rename_preview.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace core {
class Language;
class MessageAsker;
struct ProgramOptions;
}  // namespace core

namespace app {

class TFormRenaming : public QDialog {
    Q_OBJECT
  public:
    // options: its renaming template is shown first and follows every change of the field.
    TFormRenaming(const core::Language& language, core::ProgramOptions& options,
                  const QStringList& paths, QWidget* parent = nullptr);
    ~TFormRenaming() override;

    // The files the window lists (and renameFiles renames), in order.
    QStringList files() const { return preview_.paths(); }
    const core::renaming::RenamePreview& preview() const { return preview_; }

    // Columns of ListView1; the last two are hidden.
    enum Column { kOldName = 0, kNewName = 1, kPath = 2, kDate = 3 };

    QLabel* Label1 = nullptr;  // caption of the template field
    QComboBox* cmbTemplate = nullptr;
    QLabel* Label3 = nullptr;  // caption of the example
    QLabel* Label2 = nullptr;  // the example
    QComboBox* cmbTags = nullptr;
    QPushButton* btAddToTemplate = nullptr;
    QTreeWidget* ListView1 = nullptr;
    QLabel* Label10 = nullptr;  // "ALS_ORIGINAL_NAME:"
    QLabel* Label12 = nullptr;
    QLabel* Label11 = nullptr;  // "ALS_NEW_NAME:"
    QLabel* Label13 = nullptr;
    QPushButton* btApply = nullptr;
    QPushButton* btCancel = nullptr;

  public slots:
    // The template text changed: the example, every row's new name and the stored template.
    void cmbTemplateChange();
    void cmbTemplateSelect(int index);
    void btAddToTemplateClick();
    void ListView1Click(QTreeWidgetItem* item);

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void fillRows();
    void showSelected(QTreeWidgetItem* item);
    // The drop-down shows each template with its example while it is open.
    void templateListOpened();
    void templateListClosed();

    const core::Language& language_;
    core::ProgramOptions& options_;
    core::renaming::RenamePreview preview_;
    bool shown_ = false;
};

// Opens the window and renames; see the top of this file.
std::optional<core::renaming::RenameReport> renameFiles(
    QWidget* parent, const core::Language& language, core::MessageAsker& asker,
    core::ProgramOptions& options, const QStringList& paths,
    const std::function<void(int handled, int total)>& progress = {});

}  // namespace app
