#include "core/caption/caption_text.h"

#include <QFileInfo>

#include "core/caption/replace_field.h"

namespace core::caption {

namespace {

struct FieldValues {
    QString date, time, fileName, iso, aperture, shutter, camera;
};

FieldValues valuesOf(const CaptionSource& source, const PictureDate& date) {
    FieldValues v;
    v.date = date.dateText;
    v.time = date.timeText;
    if (!source.file.isEmpty() && !isPseudoName(source.file))
        v.fileName = QFileInfo(source.file).fileName();
    if (!source.iso.isEmpty()) v.iso = QStringLiteral("ISO") + source.iso;
    v.aperture = source.aperture;
    v.shutter = source.exposure;
    v.camera = source.make;
    if (!source.model.isEmpty()) v.camera += QStringLiteral(" (") + source.model + QLatin1Char(')');
    v.camera = v.camera.trimmed();
    return v;
}

QString field(const char* name) {
    return QString::fromLatin1(name);
}

// The fields of the picture's information, each replaced by its value or removed.
QString fillInformation(QString text, const FieldValues& v, bool remove) {
    const QString none;
    text = replaceField(text, field("[filename]"), remove ? none : v.fileName);
    text = replaceField(text, field("[iso]"), remove ? none : v.iso);
    text = replaceField(text, field("[aperture]"), remove ? none : v.aperture);
    text = replaceField(text, field("[shutter]"), remove ? none : v.shutter);
    return replaceField(text, field("[camera]"), remove ? none : v.camera);
}

}  // namespace

CaptionSwitches switchesOf(const SettingsBlock& block) {
    return {block.InsertText != 0, block.InsertDate != 0, block.InsertTime != 0,
            block.InsertInfo != 0};
}

bool batchBuildsCaption(const CaptionSwitches& s) {
    return s.text || s.date || s.time || s.info;
}

bool interactiveBuildsCaption(const CaptionSwitches& s, const QString& captionText) {
    return (s.text && !captionText.isEmpty()) || s.date || s.time || s.info;
}

QString buildCaption(const CaptionSource& source, const QString& captionTemplate,
                     const QString& captionText, const CaptionSwitches& switches,
                     const PictureDate& date) {
    const FieldValues v = valuesOf(source, date);
    QString text;
    if (switches.text) {
        // The caption text may hold fields of its own; they are filled whatever the switches.
        text = replaceField(captionText, field("[date]"), v.date);
        text = replaceField(text, field("[time]"), v.time);
        text = fillInformation(text, v, false);
    }
    QString caption = replaceField(captionTemplate, field("[text]"), text);
    caption = replaceField(caption, field("[date]"), switches.date ? v.date : QString());
    caption = replaceField(caption, field("[time]"), switches.time ? v.time : QString());
    caption = fillInformation(caption, v, !switches.info);
    return caption.trimmed();
}

}  // namespace core::caption
