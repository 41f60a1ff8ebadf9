// TFullScreenForm: the open picture on the whole screen, on black, without a frame. In the viewing
// mode it shows the source or the result and steps through the folder and turns the picture; on
// the Colours, Brightness and Distortions tabs it processes a screen-sized copy with the current
// settings and the page keys change the slider that had the focus; on the Crop tab it shows the
// cropped picture fitted or at its print size. What it decides comes from core/fullscreen; all
// picture work is posted to the main window's engine thread.
#pragma once

#include <QDialog>
#include <QImage>
#include <QMetaObject>
#include <optional>

#include "core/fullscreen/full_screen_keys.h"
#include "core/fullscreen/full_screen_mode.h"
#include "core/fullscreen/real_size.h"
#include "core/fullscreen/selectable_sliders.h"

class QLabel;

namespace app {

class FullScreenView;
class TMainForm;

class TFullScreenForm : public QDialog {
    Q_OBJECT
  public:
    TFullScreenForm(TMainForm& main, core::CropDisplayKind cropKind);
    ~TFullScreenForm() override;

    core::FullScreenMode mode() const { return mode_; }
    core::CropDisplayKind cropKind() const { return cropKind_; }
    core::ShownKind shownKind() const { return shown_; }
    const std::optional<core::SelectableSlider>& selectedSlider() const { return slider_; }
    // A picture is being prepared, processed or drawn.
    bool busy() const { return pending_ > 0; }
    FullScreenView* view() const { return ImageFSView; }
    QLabel* statusLabel() const { return Label1; }
    // How often the screen copy was processed (each slider step processes it once).
    int adjustmentRuns() const { return adjustmentRuns_; }

    // The screen the real print size is measured on; by default the window's screen.
    void setScreenMetrics(const core::ScreenMetrics& metrics) { metrics_ = metrics; }

  signals:
    // A Show finished drawing this kind.
    void pictureShown(core::ShownKind kind);

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void activate();
    void prepareScreenCopy();
    // Show(requested): draws the kind and, when assign is set, makes it the kind shown.
    void showKind(core::ShownKind requested, bool assign = true);
    void finishShow(core::ShownKind kind, const QImage& picture, bool assign, const QString& hint);
    void runAdjustment(core::ShownKind kind, bool assign, const QString& hint);
    QString hintFor(core::ShownKind kind) const;
    void display(const QImage& picture);
    void placeView();
    void statusOn(const char* key);
    void statusOff();
    void command(core::FullScreenKey key, Qt::KeyboardModifiers modifiers);
    void sliderStep(bool up, Qt::KeyboardModifiers modifiers);
    QString text(const char* key) const;
    core::ScreenMetrics screenMetrics() const;

    TMainForm& main_;
    core::FullScreenMode mode_;
    core::CropDisplayKind cropKind_;
    std::optional<core::SelectableSlider> slider_;
    std::optional<core::ScreenMetrics> metrics_;
    core::ShownKind shown_ = core::ShownKind::Source;
    int pending_ = 0;
    bool held_ = false;
    Qt::MouseButtons buttons_;
    bool firstActivation_ = true;
    bool prepared_ = false;
    QImage screenCopy_;  // the unprocessed copy of the tuning view
    QImage processed_;   // that copy processed; null: to be processed again
    QImage shownPicture_;
    int adjustmentRuns_ = 0;
    QMetaObject::Connection stepDone_;

    QWidget* Panel1 = nullptr;
    FullScreenView* ImageFSView = nullptr;
    QLabel* Label1 = nullptr;
};

}  // namespace app
