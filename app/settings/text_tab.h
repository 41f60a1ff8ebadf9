// The Text tab's behaviour: the font and colour choices, the font size buttons and keys, the
// alignment buttons' positions, and the caption preview: the preview picture prepared like the
// final output (straightened, cropped, brought to the screen's size) with the caption and the
// frame drawn, and the caption dragged in the preview to a new place. Each change requests
// processing once.
#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QRect>
#include <functional>
#include <memory>
#include <optional>

#include "core/caption/caption_and_frame.h"
#include "core/preview/preview_run.h"
#include "core/settings/tuning_state.h"

namespace app {

class PictureView;
class TuningPages;

struct TextTabSetup {
    core::TuningState& tuning;
    TuningPages* pages;
    PictureView* preview;  // ImagePreviewOutput
    std::function<bool()> busy;
    // True while the tuning view shows the Text tab.
    std::function<bool()> textTabShown;
    std::function<void()> requestProcessing;
};

// What the caption preview was drawn with, filled on the engine thread and read after the
// preview is shown.
struct CaptionPreviewResult {
    bool captionDrawn = false;
    QRect captionRect;  // the caption's mask on the preview picture, rows from the top
};

class TextTab : public QObject {
    Q_OBJECT
  public:
    TextTab(const TextTabSetup& setup, QObject* parent = nullptr);

    // Asked when sbFont is clicked: the chosen font, or none when the choice was cancelled.
    using FontChooser = std::function<std::optional<QFont>(const QFont& current)>;
    // Asked for sbColorText, sbColor and sbColorInner (the button's name is given).
    using ColourChooser =
        std::function<std::optional<QColor>(const QColor& current, const QString& button)>;
    void setFontChooser(FontChooser chooser) { chooseFont_ = std::move(chooser); }
    void setColourChooser(ColourChooser chooser) { chooseColour_ = std::move(chooser); }

    // The caption preview after the engine, for the settings as they stand: the preview picture
    // prepared like the output of a source of sourceWidth x sourceHeight, fitted to the screen,
    // then caption and frame. Runs on the engine thread.
    std::function<void(imaging::Handle, ProcessingParams&)> afterEngine(
        core::caption::CaptionRequest caption, int32_t sourceWidth, int32_t sourceHeight,
        QSize screen);
    // The preview was shown (its picture is in the preview view).
    void previewShown();

    bool captionDrawn() const { return shown_.captionDrawn; }
    QRect captionRect() const { return shown_.captionRect; }

    // Ctrl with an arrow key or Page Up / Page Down; true when it was taken.
    bool captionKey(int qtKey);
    // sbIncreaseFont / sbDecreaseFont.
    void changeFontSize(int step);

  private:
    void chooseFont();
    void chooseColour(const QString& button, uint32_t core::CaptionColours::*member);
    void setPosition(int32_t x, int32_t y);
    void pressed(QPoint at);
    void released(QPoint at);

    core::TuningState& tuning_;
    TuningPages* pages_;
    PictureView* preview_;
    std::function<bool()> busy_;
    std::function<bool()> textTabShown_;
    std::function<void()> requestProcessing_;
    FontChooser chooseFont_;
    ColourChooser chooseColour_;

    std::shared_ptr<CaptionPreviewResult> pending_;  // written by the running preview
    CaptionPreviewResult shown_;
    std::optional<QPoint> dragFrom_;
};

}  // namespace app
