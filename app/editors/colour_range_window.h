// FWChangeColorRange: the floating colour-range window shown while a colour range is edited. Three
// pictures show the range: the source strip (its picked colours; a click resets the target), the
// output strip (the same colours corrected) and the palette, whose colour under the pointer is
// previewed in the output strip and taken as the new target by a press or a drag. Below them the
// tolerance, the palette's zoom, the areas switch, the memory colours and save and cancel. The
// window holds a copy of the range only to draw it; what a change means is its owner's business.
#pragma once

#include <QDockWidget>
#include <QImage>
#include <functional>
#include <optional>

#include "core/editors/colour_range_editing.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QToolButton;

namespace core {
class Language;
}

namespace app {

// A picture of a fixed size that reports the pointer over it.
class RangePicture : public QWidget {
    Q_OBJECT
  public:
    RangePicture(QSize size, QWidget* parent = nullptr);
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }

  signals:
    void pressed(QPoint at, Qt::MouseButton button);
    // Moves with the buttons held at the time.
    void moved(QPoint at, Qt::MouseButtons buttons);
    void left();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    QImage picture_;
};

class FWChangeColorRange : public QDockWidget {
    Q_OBJECT
  public:
    // Runs an engine drawing job and hands its pictures to done, in this window's thread. The
    // default runs it at once; the main window runs it where all engine work runs.
    using DrawJob = std::function<core::RangeWindowPictures()>;
    using DrawRunner =
        std::function<void(DrawJob job, std::function<void(core::RangeWindowPictures)> done)>;

    explicit FWChangeColorRange(const core::Language& language, QWidget* parent = nullptr);
    void setDrawRunner(DrawRunner runner) { runner_ = std::move(runner); }

    // The range to show, and the slider and switch set to it without a change signal.
    void setRange(const core::ColorRangeItem& range);
    const core::ColorRangeItem& range() const { return range_; }
    // The memory colours' names in the order the box lists them, after its blank first item;
    // the blank is selected.
    void setMemoryColours(const QStringList& names);
    // Selects the blank item (no memory colour).
    void resetMemoryColour();
    void setSaveEnabled(bool on);
    const core::PaletteZoom& zoom() const { return zoom_; }
    // The palette as last drawn; empty before the first drawing arrived.
    const core::RangeBitmap& palette() const { return palette_; }
    // Drawing jobs still out.
    bool drawing() const { return busy_; }

    // Redraws all three pictures from the range (the source strip too unless skipSource).
    void redraw(bool skipSource);
    // The whole display follows the range again.
    void btResetCCRClick() { redraw(false); }
    // Forgets the palette picture shown (a new range is about to be drawn).
    void clearPalette();

    RangePicture* ImSourceCCR = nullptr;
    RangePicture* ImOutputCCR = nullptr;
    RangePicture* ImPaleteCCR = nullptr;
    QSlider* SlideBar_ColorTol = nullptr;
    QLabel* Label_ColorTol = nullptr;
    QToolButton* btCCRZoomplus = nullptr;
    QToolButton* btCCRZooMinus = nullptr;
    QToolButton* sbXcludeInvert = nullptr;
    QComboBox* cbMemoryColors = nullptr;
    QPushButton* CCR_Sb_Save = nullptr;
    QPushButton* CCR_Sb_Cancel = nullptr;

    static constexpr QSize kStripSize{36, 150};
    static constexpr QSize kPaletteSize{240, 150};

  signals:
    // A press or a drag with the left button picked this palette colour.
    void targetPicked(const core::Rgb16& colour);
    // The source strip was clicked: back to the range's own colour.
    void targetResetRequested();
    void toleranceChanged(int tolerance);
    void areasIncludeChanged(bool include);
    // An entry of the memory-colour box was chosen: its position in the box after the blank.
    void memoryColourChosen(int position);
    void saveClicked();
    void cancelClicked();

  private:
    void paletteAt(QPoint at, Qt::MouseButtons buttons);
    void run(DrawJob job, std::function<void(core::RangeWindowPictures)> done);
    void next();
    void refreshZoomButtons();
    void showTolerance(int tolerance);

    const core::Language& language_;
    DrawRunner runner_;
    core::ColorRangeItem range_;
    core::PaletteZoom zoom_;
    core::RangeBitmap palette_;
    QImage output_;  // the output strip from the target, shown again when a preview ends
    // One drawing at a time: the newest whole redraw and the newest preview wait behind it.
    bool busy_ = false;
    std::optional<bool> pendingRedraw_;   // skipSource of the waiting redraw
    std::optional<QPoint> pendingHover_;  // a palette point to preview
    bool hovering_ = false;
};

}  // namespace app
