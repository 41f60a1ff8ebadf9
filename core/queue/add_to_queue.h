// Adding pictures to the queue from the main window: the current picture with its marks and
// quarter turns, or many pictures (a folder's list, the navigator's checked files) with the
// settings alone. The questions go through a MessageAsker, so tests give the answers.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "core/main/message_box.h"
#include "core/queue/queue_params.h"

namespace core {

class Language;

// Before anything is added: whether the window goes on, first shows the preview (the settings
// were never tried on the picture; nothing is added then), or stops.
enum class AddPrecheck { GoOn, ShowPreview, Stop };

// In the viewing mode the user is asked whether to see the preview first; a picture that did
// not come from a file (pasted, a host's picture) cannot be queued and is refused with a message.
AddPrecheck checkBeforeAdding(bool tuningMode, bool pictureFromFile, MessageAsker& asker,
                              const Language& texts);

struct AddToQueueRequest {
    bool many = false;       // the list form: settings only, noise and contrast derived per picture
    QStringList paths;       // one: the current picture; many: the list in its order
    SettingsBlock settings;  // as collected from the controls
    bool expertMode = false;
    ImageMarks marks;  // the current picture's (adding one only)
};

struct AddToQueueOutcome {
    bool succeeded = false;  // false when the user cancelled a question; nothing was added then
    int added = 0;           // items appended, replacements included
    int replaced = 0;        // of those, items that took the place of a queued one
    int skipped = 0;         // missing files and duplicates the user kept
};

// The proportion the add-many crop question names: the paper or web row's text (for the first
// row, which resizes nothing, the table's proportion "3:2" or "4:3"), or the user's width:height
// with "?" for a missing side. Empty for a user size that gives no proportion.
QString queueCropProportionText(const SettingsBlock& settings, const Language& texts);

// Adds the pictures of the request to queue, asking about the caption and the crop for many
// pictures and, once per command, whether queued pictures are replaced. Writing the queue file
// is the caller's.
AddToQueueOutcome addToQueue(std::vector<QueueParams>& queue, const AddToQueueRequest& request,
                             MessageAsker& asker, const Language& texts);

}  // namespace core
