// The one-step undo after an exposure merge or a filter plug-in: the picture as it was before,
// kept as "undoBuf.dat" beside the exchange file of the temp folder, and the slot it goes back to.
//
// Threads: keep and restore work on the document's sessions, so they run on the engine thread
// like every picture operation; the window learns whether an undo is available from the results
// it is handed.
#pragma once

#include <QString>

#include "core/document/image_slots.h"
#include "core/errors/result.h"

namespace core {

class ImageDocument;

inline constexpr char kExchangeFileName[] = "imgBuf.dat";
inline constexpr char kUndoFileName[] = "undoBuf.dat";

class UndoCopy {
  public:
    explicit UndoCopy(const QString& tempFolder = {}) : tempFolder_(tempFolder) {}

    void setTempFolder(const QString& folder) { tempFolder_ = folder; }
    const QString& tempFolder() const { return tempFolder_; }
    QString undoPath() const;
    QString exchangePath() const;

    bool available() const { return slot_ != ImageSlot::Template; }
    // The slot the copy goes back to (Template: none).
    ImageSlot slot() const { return slot_; }

    // Writes the picture of the document's slot as the undo copy, replacing an earlier one;
    // whether the source already carried an outside result is restored with it. Fails with
    // "ER_PLUGIN_CANNOT_WRITE"; no undo is available then.
    Status keep(const ImageDocument& document, ImageSlot slot);

    // Forgets the copy and deletes its file.
    void clear();

    // Puts the copy back: it replaces the exchange file and is reloaded into its slot; both files
    // are deleted afterwards and no undo is available any more. "ER_Q_CANNOT_LOAD" when there is
    // no copy or it cannot take the exchange file's place (the picture is unchanged then); the
    // reload's failure when the copy cannot be read (the slot is then empty).
    Status restore(ImageDocument& document);

  private:
    QString tempFolder_;
    ImageSlot slot_ = ImageSlot::Template;
    bool sourceModified_ = false;
};

}  // namespace core
