// TFormEditSavedCCR: the colour ranges of the current settings as rows of a scroll box, newest
// first, five rows high. A row shows the range's number, its source colours, an arrow and its
// corrected colours; clicking the colours of another range makes it the one edited, the delete
// button removes that range. The form changes the list itself by the list's rules and tells its
// owner what happened; it closes only through its buttons or a row action.
#pragma once

#include <QDialog>
#include <QImage>
#include <vector>

#include "core/editors/colour_range_editing.h"

class QLabel;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

namespace core {
class Language;
}

namespace app {

class RangePicture;

// A range's two strips as its row shows them.
struct RangeSwatches {
    QImage source;
    QImage output;
};
// Both strips of every range at the row's swatch size; an engine drawing job.
std::vector<RangeSwatches> drawRangeSwatches(const core::ColourRangeList& ranges);

class TEditSavedCCRRow : public QWidget {
    Q_OBJECT
  public:
    TEditSavedCCRRow(const core::Language& language, int32_t index, const RangeSwatches& swatches,
                     bool current, QWidget* parent = nullptr);
    int32_t index() const { return index_; }
    bool isCurrent() const { return current_; }

    QLabel* lbNumber = nullptr;
    RangePicture* imSource = nullptr;
    QLabel* imArrow = nullptr;
    RangePicture* imOutput = nullptr;
    QPushButton* btDelete = nullptr;

  signals:
    void swatchClicked();

  private:
    int32_t index_;
    bool current_;
};

class TFormEditSavedCCR : public QDialog {
    Q_OBJECT
  public:
    // ranges is the settings' list, changed in place; current the range being edited or -1.
    TFormEditSavedCCR(const core::Language& language, core::ColourRangeList& ranges,
                      int32_t current, std::vector<RangeSwatches> swatches,
                      QWidget* parent = nullptr);

    int32_t current() const { return current_; }
    // The rows from the top down.
    std::vector<TEditSavedCCRRow*> rows() const;

    QScrollArea* ScrollBox1 = nullptr;
    QWidget* Grid = nullptr;
    QPushButton* btDeleteAll = nullptr;
    QPushButton* btExit = nullptr;

    static constexpr int kSwatchSide = 54;
    static constexpr int kRowHeight = kSwatchSide + 8;
    static constexpr int kVisibleRows = 5;

  signals:
    // Another range is to be edited; the form closes.
    void rangeChosen(int32_t index);
    // One range was deleted from the list: where the current one is now, and whether the
    // editing ends (no range left; the form closes then).
    void rangeDeleted(const core::RangeListChange& change);
    // Every range was deleted; the form closes.
    void allDeleted();

  public slots:
    void btDeleteAllClick();
    void btExitClick() { QDialog::reject(); }
    // Only the buttons or a row close the form.
    void reject() override {}

  private:
    void rebuild();
    void rowClicked(int32_t index);
    void deleteClicked(int32_t index);

    const core::Language& language_;
    core::ColourRangeList& ranges_;
    int32_t current_;
    std::vector<RangeSwatches> swatches_;
    QVBoxLayout* rows_ = nullptr;
};

}  // namespace app
