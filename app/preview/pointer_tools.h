// The pick tools of the preview panes in the tuning mode: the tool buttons of panelOpt15_1, the
// presses with their modifiers on ImagePreviewSource and ImagePreviewOutput, the context menu,
// the eye boxes and the marks they store, and the overlay drawn over both panes. What a press
// means is decided in core (pointer_dispatch.h); sampling calls run on the engine thread.
#pragma once

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <array>
#include <optional>

#include "core/preview/area_shapes.h"
#include "core/preview/pane_mapping.h"
#include "core/preview/pointer_dispatch.h"
#include "core/preview/pointer_marks.h"
#include "core/preview/red_eye_box.h"

class QMenu;
class QMouseEvent;
class QToolButton;
class QAction;

namespace app {

class TMainForm;
class PictureView;
class PreviewOverlay;

class PointerTools : public QObject {
    Q_OBJECT
  public:
    explicit PointerTools(TMainForm& form);

    // The tool button that is down: 0 the drag tool, 1 .. 4 sbPreview_1 .. sbPreview_4.
    int tool() const { return tool_; }
    void setTool(int tool);

    PreviewOverlay* overlay(const PictureView* view) const;
    // The preview's context menu (shown without waiting, so nothing blocks on it).
    QMenu* contextMenu() const { return menu_; }

    // The tab or the mode changed, or expert mode was switched: back to the drag tool, shapes
    // and frames hidden, the tool buttons and the pick lists' buttons set up for the tab.
    void refresh();

    // A new output preview and its caption: shown, or kept aside while the output pane shows
    // the source (a comparison held, or the fringe colour picked in single-frame mode).
    void showOutput(const QImage& picture);
    void showOutputCaption(const QString& caption);
    // On the CA tab with only the output pane, the pane shows the source while the fringe colour
    // tool is down; asked again whenever the tool or the frames mode changes.
    void refreshPickFromSource();

  signals:
    // A pick, mark or sample was stored in the tuning state (after its engine call returned).
    void marksChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Press {
        PictureView* view = nullptr;
        QPoint pane;  // pane pixels
        core::PictureSize paneSize;
    };
    struct EyeDrawing {
        Press press;
        Qt::MouseButton button = Qt::RightButton;
        core::EyeBox box;
    };

    void buildPanel();
    void buildMenu();
    bool allowed() const;
    std::optional<core::PreviewTab> tab() const;
    std::optional<Press> pressAt(PictureView* view, QPoint widgetPoint) const;
    core::PicturePoint mapped(const Press& press) const;

    bool pressed(PictureView* view, QMouseEvent* event);
    bool moved(PictureView* view, QMouseEvent* event);
    bool released(PictureView* view, QMouseEvent* event);
    void perform(core::PointerAction action, const Press& press);
    void showMenu(const Press& press, QPoint globalPoint);

    void samplePick(core::PointerAction action, const Press& press);
    // An area of the edited colour range: started at a press, following the pointer, stored
    // (or dropped) at the next press.
    void startArea(core::AreaKind kind, const Press& press);
    void followArea(PictureView* view, QPoint widgetPoint);
    void finishArea(bool store);
    // The colour-range window is open: a range is being edited.
    bool rangeWindowOpen() const;
    void finishEyeBox(const EyeDrawing& drawing);
    void hideShapes();
    void hideFrames();
    void refreshPickButtons();
    void refreshCursor();
    void changed(bool request);

    TMainForm& form_;
    std::array<PreviewOverlay*, 2> overlays_{};  // source, output
    QWidget* panel_ = nullptr;
    std::array<QToolButton*, 5> toolButtons_{};
    std::array<core::PointerAction, 5> toolActions_{};
    struct PickButtons {
        core::PickList list;
        QToolButton* reset = nullptr;
        QToolButton* undo = nullptr;
    };
    std::array<PickButtons, 3> pickButtons_{};
    QMenu* menu_ = nullptr;
    std::array<QAction*, 12> menuItems_{};
    std::optional<Press> menuPress_;
    int tool_ = core::kDragTool;
    std::optional<EyeDrawing> eye_;
    // The curve editors' live markers: one reading of the picture at a time on the engine
    // thread; a pointer that moved meanwhile is read once that one is done.
    void showCurveValues(const Press& press);
    bool valuesPending_ = false;
    bool pointerOver_ = false;
    std::optional<Press> nextValues_;
    struct AreaDrawing {
        PictureView* view = nullptr;
        core::PictureSize paneSize;
        core::AreaDrawing drawing;
    };
    std::optional<AreaDrawing> area_;
    void showSourceInOutput();

    // The output pane shows the source preview while a comparison is held (the output caption
    // shows the source's then) and while the fringe colour is picked in single-frame mode; the
    // output preview and caption wait here.
    bool comparing_ = false;
    bool pickingFromSource_ = false;
    std::optional<QImage> heldOutput_;
    QString heldCaption_;
};

}  // namespace app
