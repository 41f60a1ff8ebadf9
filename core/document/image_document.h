// The open picture: the session slots, how it was opened, what was detected on it, its quarter
// turns and whether its result still waits to be saved. Views observe it through its signals.
//
// Threads: the picture operations (open, rotate, save, the display copies) are plain calls that
// assume nothing about the calling thread; the program runs them on its engine thread, one at a
// time, while the window reads the state only between them. Signals are emitted on the calling
// thread, so window receivers get them queued. The clipboard itself belongs to the GUI thread
// (core/document/clipboard_picture.h): the window hands a pasted QImage to openPicture and puts
// clipboardImage on the clipboard.
#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <array>
#include <optional>

#include "core/document/exchange_file.h"
#include "core/document/image_information.h"
#include "core/document/image_slots.h"
#include "core/document/picture_saving.h"
#include "core/document/quarter_turns.h"
#include "core/errors/result.h"
#include "dnr.h"

namespace core {

// The pseudo-names of pictures that come from no file.
inline constexpr char kClipboardName[] = "clipboard";
inline constexpr char kPluginName[] = "plugin";

struct NoiseLevels {
    int32_t overall = 1;
    int32_t shadows = 1;
    int32_t highlights = 1;
    bool operator==(const NoiseLevels&) const = default;
};

// The levels the engine found, in its order (shadows, midtones, highlights), each clamped to
// 1..200.
NoiseLevels clampedNoiseLevels(const int32_t detected[3]);

struct DocumentOptions {
    SessionSetup sessions;
    bool ignoreExif = false;        // no metadata in the information texts
    TextLookup lookup = keyAsText;  // for the information texts
};

class ImageDocument : public QObject {
    Q_OBJECT

  public:
    enum class LoadState { Empty, Loading, Loaded, Failed };
    Q_ENUM(LoadState)

    explicit ImageDocument(const DocumentOptions& options = {}, QObject* parent = nullptr);
    ~ImageDocument() override;

    ImageSlots& pictureSlots() { return slots_; }
    const ImageSlots& pictureSlots() const { return slots_; }
    imaging::Handle handle(ImageSlot slot) const { return slots_.handle(slot); }
    void setIgnoreExif(bool ignore) { options_.ignoreExif = ignore; }
    void setLookup(const TextLookup& lookup) { options_.lookup = lookup; }

    // ---- opening and closing --------------------------------------------------------------
    // Opens a picture file into the source slot, detects its noise, computes its information and
    // clears the output. Failures (the source slot is then empty): "ER_SRC_LOADING_NOTFOUND",
    // "ER_SRC_LOADING_NOTSUPPORTED", "ER_SRC_LOADING_INVALID" (detail: the quoted name, then on
    // a new line the imaging layer's reason), "ER_SRC_LOADING_SMALL" (detail: the quoted name).
    Status open(const QString& path, const imaging::ProgressCallback& progress = {});
    // A pasted picture, named "clipboard"; "ER_SRC_LOADING_INVALID" or "ER_SRC_LOADING_SMALL"
    // with an empty name.
    Status openPicture(const QImage& picture);
    // The exchange image of plug-in mode (exchange_file.h has the failures). After a filter
    // plug-in (reload), the picture must keep its size and the file name stays the one the
    // plug-in worked on; the source then counts as modified by the plug-in.
    Status openExchange(const QString& tempFolder, bool reload = false);
    // Replaces the source or the output by the picture of the temp folder's exchange file (a
    // merge's result, or the earlier picture an undo brings back); the file name, comment, EXIF
    // and IPTC data stay. The source is then taken as newly opened (noise detected, output
    // cleared) and modified says whether it carries a result made outside the tuning; a new
    // output counts as not saved. Failures as readExchangeFile's; the slot is then empty.
    Status reloadFromExchange(const QString& tempFolder, ImageSlot slot, bool modified);
    // Writes the output (the source when there is no output) back into the exchange file; once
    // written, the result no longer counts as unsaved (the host has it).
    Status writeBack(const QString& exchangePath);
    // Empties every picture slot but the template and the navigator's.
    void close();

    LoadState loadState() const { return state_; }
    bool isOpen() const { return state_ == LoadState::Loaded; }
    QString fileName() const { return fileName_; }
    bool fromFile() const;
    bool is16Bit() const { return sixteen_; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool modifiedByPlugin() const { return modifiedByPlugin_; }

    // ---- what was detected ----------------------------------------------------------------
    NoiseLevels noiseLevels() const { return noise_; }
    // Runs the engine's automatic contrast detection on the record the parameter model filled
    // for this picture and keeps its darkest and brightest levels clamped to 0..100 (0 and 100
    // when the detection fails). The record is the caller's; copying the levels into the
    // settings is the parameter model's.
    void detectAutoContrast(ProcessingParams& params);
    int32_t darkest() const { return darkest_; }
    int32_t brightest() const { return brightest_; }
    const ImageInformation& information() const { return information_; }
    // The red-eye tab is shown only when the flash fired (unknown counts as fired).
    bool redEyeTabShown() const { return isOpen() && information_.flashFired; }

    // ---- turning --------------------------------------------------------------------------
    int rotation() const { return rotation_; }
    // One quarter turn (-1 counter-clockwise, +1 clockwise) of the source and, when present, the
    // output and the source's display copy; the reduced copy and the caption and crop previews
    // are dropped. Emits turned() so that marks on the picture can follow. "ALS_DLL_EXCEPTION"
    // when the imaging layer cannot turn (nothing is turned then).
    Status rotate(int direction);

    // ---- the result -----------------------------------------------------------------------
    bool hasOutput() const { return !slots_.isEmpty(ImageSlot::Output); }
    // A full run wrote the output slot: the result now waits to be saved.
    void setOutputProduced();
    void clearOutput();
    // Set by a full run, cleared only by a save that succeeded, by clearing the output and by
    // closing. A cancelled or failed save keeps it, so the question at exit still comes.
    bool hasUnsavedResult() const { return unsaved_; }

    // The name the save dialog proposes.
    QString proposedSaveName() const;
    // Saves the output (the source when there is no output) with the source's metadata and
    // profile (picture_saving.h has the failures).
    Status save(const SaveRequest& request, const imaging::ProgressCallback& progress = {});

    // ---- pictures for the window ----------------------------------------------------------
    // The slot as 8-bit RGB for drawing; null when the slot is empty.
    QImage displayImage(ImageSlot slot) const;
    // The output at its own depth for the clipboard; null when there is no output.
    QImage clipboardImage() const;

  signals:
    void loadStateChanged(core::ImageDocument::LoadState state);
    // The picture of a slot was replaced, turned or emptied.
    void pictureChanged(core::ImageSlot slot);
    void unsavedResultChanged(bool unsaved);
    // The picture was turned by one quarter in the direction; oldWidth x oldHeight was its size
    // before (turnedPoint moves marks with it).
    void turned(int direction, int oldWidth, int oldHeight);

  private:
    Status finishOpen(const QString& name);
    void failOpen();
    void setState(LoadState state);
    void setUnsaved(bool unsaved);
    void dropDerivedSlots();
    void detectNoise();

    DocumentOptions options_;
    ImageSlots slots_;
    LoadState state_ = LoadState::Empty;
    QString fileName_;
    bool sixteen_ = false;
    int width_ = 0;
    int height_ = 0;
    int rotation_ = 0;
    bool unsaved_ = false;
    bool modifiedByPlugin_ = false;
    NoiseLevels noise_;
    int32_t darkest_ = 0;
    int32_t brightest_ = 100;
    ImageInformation information_;
    std::optional<ExchangeHeader> exchangeHeader_;
};

}  // namespace core
