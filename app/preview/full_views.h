// The viewing mode's two full views as one: the zoom box cmbZoom and the zoom commands, the
// frames mode, both views scrolling and dragging together, comparing the output with the
// source by pressing on it, and a new layout whenever a pane or a picture changes. The
// arithmetic lives in core::FullViewsState; this binds it to the widgets.
#pragma once

#include <QObject>
#include <QPoint>
#include <QTimer>
#include <functional>

#include "core/i18n/text_lookup.h"
#include "core/preview/full_views_state.h"

class QAction;
class QComboBox;
class QLabel;
class QStackedWidget;
class QToolBar;

namespace app {

class FullView;

struct FullViewsSetup {
    FullView* source = nullptr;
    FullView* output = nullptr;
    QWidget* sourcePane = nullptr;  // the view with its caption, hidden in single-frame mode
    QWidget* outputPane = nullptr;
    QStackedWidget* layers = nullptr;  // the mode's layers; the viewing layer holds the views
    QWidget* viewingLayer = nullptr;
    QLabel* sourceCaption = nullptr;   // stxtRight
    QLabel* outputCaption = nullptr;   // stxtLeft
    QToolBar* toolBar = nullptr;       // takes cmbZoom when there is one
    QAction* toolBarBefore = nullptr;  // cmbZoom goes before this action; null: at the end
    QString zoomLabel;                 // shown before cmbZoom in the tool bar ("Zoom:")
    QComboBox* cmbZoomPreview = nullptr;
    core::TextLookup lookup;
    std::function<bool()> busy;
    // An image is open and the zoom commands apply (viewing mode, or a region tab).
    std::function<bool()> zoomAllowed;
    // The source caption: "ALS_SOURCE: name (size line)" and the plug-in note.
    std::function<QString()> sourceCaptionText;
    std::function<int()> accelerator;  // 1..10
};

class FullViews : public QObject {
    Q_OBJECT
  public:
    FullViews(const FullViewsSetup& setup, QObject* parent);

    QComboBox* cmbZoom() const { return cmbZoom_; }
    const core::FullViewsState& state() const { return state_; }
    core::FramesMode framesMode() const { return framesMode_; }
    bool doubleFrames() const { return doubleFrames_; }

    // The QActions this binds: "menuScaleMore", "menuScaleLess" (and the tool bar's buttons,
    // which share them), "menuFramesSingle", "menuFramesDouble".
    void bindCommands(QAction* scaleMore, QAction* scaleLess, QAction* framesSingle,
                      QAction* framesDouble);

    // A zoom of the shown views.
    void zoom(core::ZoomChange change);
    // cmbZoom's item: sets the code and recomputes.
    void selectZoomItem(int index);
    void menuScaleMoreClick();
    void menuScaleLessClick();
    // Both frames side by side, or one (the output when there is one, else the source).
    void setDoubleFrames(bool both);
    // Smooth drawing for the resampling preference (0 nearest, 1 bilinear, 2 Mitchell).
    void setResampling(int resampling);

  signals:
    void zoomed(double scale);
    // One frame or both was chosen.
    void framesChanged();

  private:
    void stepZoom(bool in);
    void relayoutSoon();
    void applyFramesMode();
    void shareWidthEqually();
    void viewScrolled(core::ViewSide side, QPoint position);
    void pressed(core::ViewSide side, QPoint point, Qt::MouseButtons buttons);
    void moved(QPoint point);
    void released(core::ViewSide side, Qt::MouseButton button);
    void updateZoomBox();
    void updateZoomBoxEnabled();
    void modeChanged();
    bool tuningMode() const;
    bool outputPresent() const;
    FullView* viewOf(core::ViewSide side) const;

    FullViewsSetup setup_;
    core::FullViewsState state_;
    core::FramesMode framesMode_ = core::FramesMode::Both;
    bool doubleFrames_ = true;
    QComboBox* cmbZoom_ = nullptr;
    QAction* zoomBoxAction_ = nullptr;  // cmbZoom's place in the tool bar
    QAction* zoomLabelAction_ = nullptr;
    QAction* scaleMore_ = nullptr;
    QAction* scaleLess_ = nullptr;
    QAction* framesSingle_ = nullptr;
    QAction* framesDouble_ = nullptr;
    QTimer relayout_;
    bool following_ = false;
    core::ViewSide dragSide_ = core::ViewSide::Source;
    QString outputCaptionBeforeCompare_;
    bool comparing_ = false;
};

}  // namespace app
