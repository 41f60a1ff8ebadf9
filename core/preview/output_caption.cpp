#include "core/preview/output_caption.h"

#include <QStringList>
#include <initializer_list>

namespace core {

namespace {

struct CaptionStage {
    PreviewTab tab;
    const char* key;
};

// In the caption's order.
constexpr std::array<CaptionStage, kPreviewTabCount> kStages = {{
    {PreviewTab::Noise, "ALS_NOISE"},
    {PreviewTab::RedEye, "ALS_REDEYE"},
    {PreviewTab::Brightness, "ALS_BRIGHTNESS"},
    {PreviewTab::Colors, "ALS_COLORS"},
    {PreviewTab::CA, "ALS_CHROMATIC_ABERATION"},
    {PreviewTab::Sharpening, "ALS_SHARPENING"},
    {PreviewTab::Distortions, "ALS_DISTORTIONS"},
    {PreviewTab::Crop, "ALS_CROP_AND_RESIZE"},
    {PreviewTab::Text, "ALS_FRAMES_AND_TEXT"},
}};

bool oneOf(PreviewTab t, std::initializer_list<PreviewTab> tabs) {
    for (PreviewTab x : tabs)
        if (x == t) return true;
    return false;
}

}  // namespace

bool stageAppliedOnTab(PreviewTab stageTab, PreviewTab activeTab) {
    using T = PreviewTab;
    switch (stageTab) {
        case T::Noise:
        case T::Sharpening:
            return oneOf(activeTab, {T::Noise, T::Sharpening});
        case T::RedEye:
            return oneOf(activeTab, {T::Noise, T::Sharpening, T::RedEye, T::CA});
        case T::Brightness:
        case T::Colors:
            return activeTab != T::RedEye;
        case T::CA:
            return oneOf(activeTab, {T::Noise, T::Sharpening, T::CA});
        case T::Distortions:
            return oneOf(activeTab, {T::Colors, T::Brightness, T::Distortions, T::Crop, T::Text});
        case T::Crop:
            return oneOf(activeTab, {T::Crop, T::Text});
        case T::Text:
            return activeTab == T::Text;
    }
    return false;
}

QString outputCaption(const TextLookup& texts, const TabMarkers& markers, bool tuningMode,
                      PreviewTab activeTab) {
    QStringList names;
    for (const CaptionStage& stage : kStages) {
        const TabMarker& m = markers[static_cast<std::size_t>(stage.tab)];
        if (!m.visible || !m.inUse) continue;
        if (tuningMode && !stageAppliedOnTab(stage.tab, activeTab)) continue;
        names << texts(stage.key).trimmed();
    }
    const QString list = names.isEmpty() ? texts("ALS_NONE") : names.join(QStringLiteral("; "));
    return texts("ALS_FILTERS_APPLIED") + QStringLiteral(": ") + list;
}

}  // namespace core
