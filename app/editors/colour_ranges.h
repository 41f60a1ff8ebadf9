// The main window's colour ranges: the range being edited with its floating window, the colours
// tab's two buttons (SB_ShowLastColorRange, down while the window is open, and sbEditSavedCCR,
// which opens the range list), and the list. The window opens for a range made from a colour
// picked in the preview, for the newest range, or for one chosen in the list; it shows only in
// the tuning mode on the colours tab, and leaving the tuning mode ends the editing. Every change
// is stored into the settings' ranges at once and asks for a preview; the engine calls (drawing,
// memory colours) run on the engine thread.
#pragma once

#include <QObject>
#include <QPointer>

#include "core/editors/colour_range_editing.h"

class QAbstractButton;

namespace app {

class TMainForm;
class FWChangeColorRange;
class TFormEditSavedCCR;

class ColourRanges : public QObject {
    Q_OBJECT
  public:
    explicit ColourRanges(TMainForm& form);

    FWChangeColorRange* window() const { return window_; }
    // The range list while it is open.
    TFormEditSavedCCR* list() const;
    const core::ColourRangeEditing& editing() const { return editing_; }
    // A range is being edited: the window is open (hidden while another tab is shown).
    bool windowOpen() const { return editing_.active(); }
    int32_t editedIndex() const { return editing_.index(); }

    // A colour sampled in the preview: a new range around it, edited at once.
    void newRange(const core::Rgb16& picked);
    // Begins editing the range at index (the window opens or shows it); false for none.
    bool edit(int32_t index);
    // The edited range changed by a pick in the preview (a colour included or excluded, an area
    // added); false when that range is no longer the one edited.
    bool replaceRange(int32_t index, const core::ColorRangeItem& range);
    // Save: the editing ends and the range stays as stored. Cancel: it ends and the range is
    // put back as it was (a new one goes again).
    void endEditing();
    void cancelEditing();
    // Opens the list once its pictures are drawn; false when refused (busy, no ranges).
    bool showList();
    // The ranges were replaced behind the editing (another picture, loaded settings, a reset):
    // the editing ends without asking for a preview. Called before every preview.
    void checkEditedRange();

  signals:
    // The editing began or ended: the preview's tools follow.
    void editingChanged();
    // The list's pictures are drawn and it is open.
    void listShown();

  private:
    bool begin(int32_t index, bool isNew);
    void finish(bool request);
    void stored();
    void listChanged();
    void refreshVisibility();
    void refreshButtons();
    void placeWindow();
    void chooseMemoryColour(int position);
    void connectWindow();
    void connectList();
    bool locked() const;

    TMainForm& form_;
    FWChangeColorRange* window_ = nullptr;
    QPointer<TFormEditSavedCCR> list_;
    bool listPending_ = false;
    core::ColourRangeEditing editing_;
    QStringList memoryNames_;  // as the window's box lists them, newest first
    QAbstractButton* showLast_ = nullptr;
    QAbstractButton* listButton_ = nullptr;
    bool placed_ = false;
};

}  // namespace app
