// The crop tab's behaviour: the crop view's frame and angle kept in the tuning state, the frame
// fitted again when the size choice changes (after checking the new proportion fits the view),
// straightening by the buttons, by the wheel (which clicks them) and by dragging, the view's two
// zooms, the output line and the kind buttons' captions.
#pragma once

#include <QImage>
#include <QObject>
#include <functional>

#include "core/crop/crop_controls.h"
#include "core/preview/preview_run.h"
#include "core/settings/tuning_state.h"

class QLabel;

namespace core {
class Language;
class MessageAsker;
}  // namespace core

namespace app {

class CropView;
class TuningPages;

struct CropTabSetup {
    core::TuningState& tuning;
    TuningPages* pages;
    CropView* view;
    QLabel* outputLine;  // stxtOutput
    const core::Language& language;
    core::MessageAsker& asker;
    std::function<bool()> busy;
    // True while the tuning view shows the crop tab.
    std::function<bool()> cropTabShown;
    // The open picture's size; 0 x 0 when none is open.
    std::function<core::PixelSize()> pictureSize;
    std::function<void()> requestProcessing;
};

class CropTab : public QObject {
    Q_OBJECT
  public:
    CropTab(const CropTabSetup& setup, QObject* parent = nullptr);

    core::CropControls controls() const;

    // A new picture: no frame and no angle, the orientation by its shape, the frame fitted.
    void pictureOpened();
    // The state's crop values were replaced (settings applied): the frame is kept for the
    // picture it was made on, else fitted again.
    void valuesApplied();
    // A queue item was taken back for editing: its crop group, with the stored frame kept unless
    // the item fits its frame to each picture.
    void queueItemApplied(const core::SettingsBlock& item);
    // The straightened picture of the crop tab's preview.
    void showPicture(const QImage& straightened);

    // sbRotateCropLeft / sbRotateCropRight: -0.5 and +0.5 degree; nothing while the crop is off
    // or the program is busy.
    void turn(double degrees);

    // What the crop tab's preview does after the engine: straightens the working picture by the
    // angle. Runs on the engine thread.
    std::function<void(imaging::Handle, ProcessingParams&)> afterEngine() const;

    // Shows the output line and the captions as the values stand.
    void refreshTexts();

  signals:
    // sbRealCrop: the cropped picture full-screen at its print size (offered while the crop is on).
    void realSizeRequested();

  private:
    void store(const core::CropControls& controls);
    void choiceChanged();
    void fitAgain();
    void showFrame();
    void enableControls();

    core::TuningState& tuning_;
    TuningPages* pages_;
    CropView* view_;
    QLabel* outputLine_;
    const core::Language& language_;
    core::MessageAsker& asker_;
    std::function<bool()> busy_;
    std::function<bool()> cropTabShown_;
    std::function<core::PixelSize()> pictureSize_;
    std::function<void()> requestProcessing_;
};

}  // namespace app
