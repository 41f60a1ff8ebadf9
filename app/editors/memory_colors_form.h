// TFormMemoryColors: the memory-colour list as rows of a grid in a scroll box, five rows high.
// A row applies its colour (name button or swatch), moves up or down on screen, is renamed or
// deleted; the add section stores the colour picked in the picture under a new name. Every
// change goes through the store, which writes "mc.dat" at once. Applying is the main window's
// business: the form asks for it and closes once it is done.
#pragma once

#include <QDialog>
#include <QFrame>
#include <optional>
#include <vector>

#include "core/editors/memory_colour_list.h"
#include "core/errors/result.h"

class QCheckBox;
class QPushButton;
class QScrollArea;
class QToolButton;
class QVBoxLayout;

namespace core {
class Language;
class MessageAsker;
class MemoryColorStore;
}  // namespace core

namespace app {

class TFormInputMCName;

// A colour sample that can be clicked.
class ColorSwatch : public QFrame {
    Q_OBJECT
  public:
    explicit ColorSwatch(QWidget* parent = nullptr);
    void setColor(const core::Rgb16& rgb);
    QColor color() const { return color_; }
  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QColor color_;
};

// One entry's controls.
class TMemoryColorsRow : public QWidget {
    Q_OBJECT
  public:
    TMemoryColorsRow(const core::Language& language, const core::MemoryColor& color,
                     size_t storedIndex, bool applyOffered, QWidget* parent = nullptr);
    size_t storedIndex() const { return storedIndex_; }

    QPushButton* btName = nullptr;
    ColorSwatch* pnColor = nullptr;
    QToolButton* btUp = nullptr;
    QToolButton* btDown = nullptr;
    QToolButton* btRename = nullptr;
    QPushButton* btDelete = nullptr;

  private:
    size_t storedIndex_;
};

// The rows, rebuilt whole after every change.
class TMemoryColorsGrid : public QWidget {
    Q_OBJECT
  public:
    explicit TMemoryColorsGrid(QWidget* parent = nullptr);
    QVBoxLayout* rows() const { return rows_; }

  private:
    QVBoxLayout* rows_;
};

struct MemoryColorsView {
    bool newestFirst = true;            // from the colours tab; stored order for a pick
    std::optional<core::Rgb16> picked;  // in sRGB: shown and added; none hides the add section
    bool applyOffered = false;          // a picked colour (or black and white) to correct
};

class TFormMemoryColors : public QDialog {
    Q_OBJECT
  public:
    TFormMemoryColors(const core::Language& language, core::MessageAsker& asker,
                      core::MemoryColorStore& store, const MemoryColorsView& view,
                      QWidget* parent = nullptr);

    const MemoryColorsView& view() const { return view_; }
    // The rows from the top down.
    std::vector<TMemoryColorsRow*> rows() const;
    // The name dialog while it is open.
    TFormInputMCName* nameDialog() const { return nameDialog_; }
    // Refuses further applying while one is being worked out; the main window closes the form
    // when it is done, or lets it go on when it failed.
    void setApplying(bool on);

    QScrollArea* ScrollBox1 = nullptr;
    TMemoryColorsGrid* Grid = nullptr;
    QCheckBox* cbIgnoreBrightness = nullptr;
    QPushButton* btMCExit = nullptr;
    QWidget* pnAdd = nullptr;
    ColorSwatch* pnPickedColor = nullptr;
    QPushButton* btMCAdd = nullptr;

    static constexpr int kRowHeight = 30;
    static constexpr int kVisibleRows = 5;

  signals:
    void applyRequested(size_t storedIndex, bool keepBrightness);

  public slots:
    void btMCAddClick();
    void btMCExitClick() { QDialog::reject(); }
    // Only the close button or an applied entry closes the form.
    void reject() override {}

  private:
    void rebuildGrid();
    void moveClick(size_t storedIndex, core::RowMove move);
    void renameClick(size_t storedIndex);
    void deleteClick(size_t storedIndex);
    void applyClick(size_t storedIndex);
    void saved(const core::Status& status);

    const core::Language& language_;
    core::MessageAsker& asker_;
    core::MemoryColorStore& store_;
    MemoryColorsView view_;
    TFormInputMCName* nameDialog_ = nullptr;
    bool applying_ = false;
};

}  // namespace app
