#include "core/queue/add_to_queue.h"

#include <QFileInfo>
#include <algorithm>

#include "core/crop/crop_tables.h"
#include "core/crop/crop_texts.h"
#include "core/i18n/language.h"
#include "core/i18n/text_lookup.h"
#include "core/queue/queue_model.h"

namespace core {

namespace {

constexpr int32_t kMaxUserSide = 99999;

int ask(MessageAsker& asker, const Language& texts, const char* key, const QStringList& values,
        uint32_t style) {
    MessageBoxRequest request;
    request.text = fillPlaceholders(texts.message(QString::fromLatin1(key)), values);
    request.title = texts.message(QStringLiteral("ALS_QUEUE"));
    request.style = style;
    return asker.ask(request);
}

bool captionSwitchedOn(const SettingsBlock& s) {
    const bool text =
        s.InsertText != 0 && !QString::fromStdString(s.CaptionText).trimmed().isEmpty();
    return text || s.InsertDate != 0 || s.InsertTime != 0 || s.InsertInfo != 0;
}

QString side(int32_t value) {
    const int32_t v = std::clamp(value, 0, kMaxUserSide);
    return v == 0 ? QStringLiteral("?") : QString::number(v);
}

QString tableProportion(std::span<const CropTableRow> table, int32_t index,
                        const QString& rowText) {
    if (index != 0) return rowText;
    const CropTableRow& first = table[0];
    return QStringLiteral("%1:%2").arg(first.proportionLong).arg(first.proportionShort);
}

// The table rows brought into their tables, and a user size that gives no proportion switching
// the crop off.
void clampCropChoice(SettingsBlock& s) {
    if (s.CropPaperIndex < 0 || s.CropPaperIndex >= kPaperRows) s.CropPaperIndex = 0;
    if (s.CropWebIndex < 0 || s.CropWebIndex >= int32_t(webTable().size())) s.CropWebIndex = 0;
    if (s.CropSizeKind == 2) {
        const int32_t w = std::clamp(s.CropUserWidth, 0, kMaxUserSide);
        const int32_t h = std::clamp(s.CropUserHeight, 0, kMaxUserSide);
        if (s.CropUserResizeOn == 0 || (w == 0 && h == 0)) s.CropOn = 0;
    }
}

}  // namespace

AddPrecheck checkBeforeAdding(bool tuningMode, bool pictureFromFile, MessageAsker& asker,
                              const Language& texts) {
    if (!tuningMode) {
        const int answer =
            ask(asker, texts, "ALS_NAVPANEL_QUEUE_QUEST", {}, kButtonsYesNoCancel | kIconQuestion);
        if (answer == kResultYes) return AddPrecheck::ShowPreview;
        if (answer != kResultNo) return AddPrecheck::Stop;
    }
    if (!pictureFromFile) {
        showError(asker, texts, texts.message(QStringLiteral("ER_QUEUE_NOTALLOWED")));
        return AddPrecheck::Stop;
    }
    return AddPrecheck::GoOn;
}

QString queueCropProportionText(const SettingsBlock& settings, const Language& texts) {
    SettingsBlock s = settings;
    clampCropChoice(s);
    const TextLookup lookup = languageLookup(texts);
    switch (s.CropSizeKind) {
        case 0:
            return tableProportion(paperTable(), s.CropPaperIndex,
                                   paperRowText(s.CropPaperIndex, lookup));
        case 1:
            return tableProportion(webTable(), s.CropWebIndex, webRowText(s.CropWebIndex, lookup));
        default:
            if (s.CropUserResizeOn == 0) return {};
            if (std::clamp(s.CropUserWidth, 0, kMaxUserSide) == 0 &&
                std::clamp(s.CropUserHeight, 0, kMaxUserSide) == 0)
                return {};
            return side(s.CropUserWidth) + u':' + side(s.CropUserHeight);
    }
}

AddToQueueOutcome addToQueue(std::vector<QueueParams>& queue, const AddToQueueRequest& request,
                             MessageAsker& asker, const Language& texts) {
    AddToQueueOutcome outcome;
    SettingsBlock copy = request.settings;
    // Pictures added in simple mode, and every picture added with others, take their shadow and
    // highlight noise from their own detected levels; many pictures also their own contrast.
    if (!request.expertMode || request.many) {
        copy.ShadowsNoiseFactor = -1;
        copy.HighlightsNoiseFactor = -1;
    }
    if (request.many) {
        copy.AutoContrastDarkest = -1;
        copy.AutoContrastBrightest = -1;
        if (captionSwitchedOn(copy)) {
            const int answer =
                ask(asker, texts, "ALS_TEXT_QUEUE_QUEST",
                    {QString::number(copy.CropImageWidth), QString::number(copy.CropImageHeight)},
                    kButtonsYesNoCancel | kIconQuestion);
            if (answer == kResultNo) {
                copy.InsertText = copy.InsertDate = copy.InsertTime = copy.InsertInfo = 0;
            } else if (answer != kResultYes) {
                return outcome;
            }
        }
        const QString proportion = queueCropProportionText(copy, texts);
        clampCropChoice(copy);
        if (copy.CropOn != 0) {
            const int answer = ask(asker, texts, "ALS_CRP_QUEUE_QUEST", {proportion},
                                   kButtonsYesNoCancel | kIconQuestion);
            if (answer == kResultYes) {
                copy.CropFitEachImage = 1;
            } else if (answer == kResultNo) {
                copy.CropOn = 0;
            } else {
                return outcome;
            }
        }
    }

    AddCommand command([&asker, &texts](const QString&) {
        MessageBoxRequest r;
        r.text = texts.message(QStringLiteral("ALS_FRM_Q_UPDATE_QUEST"));
        r.title = texts.message(QStringLiteral("ALS_FRM_Q_UPDATE"));
        r.style = kButtonsYesNo | kIconQuestion;
        return asker.ask(r) == kResultYes;
    });
    const ImageMarks* marks = request.many ? nullptr : &request.marks;
    for (const QString& path : request.paths) {
        switch (addQueueItem(queue, path, request.expertMode, copy, marks, command)) {
            case AddResult::Added:
                ++outcome.added;
                break;
            case AddResult::Replaced:
                ++outcome.added;
                ++outcome.replaced;
                break;
            case AddResult::SkippedMissing:
            case AddResult::SkippedDuplicate:
                ++outcome.skipped;
                break;
        }
    }
    outcome.succeeded = true;
    return outcome;
}

}  // namespace core
