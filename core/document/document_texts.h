// The texts the window shows for the document: status bar texts while it works, the window
// caption, and the messages of its failures. Every text is a language key turned into words by
// the lookup (core/document/image_information.h).
#pragma once

#include <QString>

#include "core/document/image_information.h"
#include "core/errors/result.h"

namespace core {

// "<loading> \"name\"" for a file, "<reading data>" for the clipboard and the exchange image.
QString loadingText(const QString& fileName, bool fromFile, const TextLookup& lookup = keyAsText);
// The loading text, "... " and the wait text.
QString loadingStatus(const QString& fileName, bool fromFile, const TextLookup& lookup = keyAsText);
// The loading text, "... " and the repainting text.
QString repaintingStatus(const QString& fileName, bool fromFile,
                         const TextLookup& lookup = keyAsText);
// The metadata line on one line, or the ready text when there is none.
QString readyStatus(const ImageInformation& information, const TextLookup& lookup = keyAsText);
// "<rotating> (source)... <wait>" or with the output.
QString rotationStatus(bool output, const TextLookup& lookup = keyAsText);
QString savingStatus(const TextLookup& lookup = keyAsText);
QString closingStatus(const TextLookup& lookup = keyAsText);

// "<program> - name (size line)", then ", <modified by a plug-in>" while the source holds a
// filter plug-in's result.
QString windowTitle(const QString& programTitle, const QString& fileName, const QString& sizeLine,
                    bool modifiedByPlugin, const TextLookup& lookup = keyAsText);

// The message of a document failure as the user reads it. Keys whose text has "%s"
// placeholders get the detail's first line (a quoted name) in the first one ("ER_SRC_LOADING_SMALL"
// also the minimum sides); further detail lines follow on lines of their own. Other keys: the
// text, a space, CR LF and the detail.
QString documentMessage(const Failure& failure, const TextLookup& lookup = keyAsText);
// A failed open while the navigator holds further pictures: the message and, on a new line, the
// question whether to go on with the next one.
QString withNextPictureQuestion(const QString& message, const TextLookup& lookup = keyAsText);

}  // namespace core
