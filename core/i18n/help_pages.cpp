#include "core/i18n/help_pages.h"

#include <array>

namespace core {

namespace {

struct Pages {
    HelpState state;
    const char* f1;
    const char* panel;
    const char* sheet;  // the tab sheet that selects it in the tuning view
};

constexpr std::array<Pages, 12> kPages = {{
    {HelpState::Viewing, "index.html", "workflow.html", ""},
    {HelpState::ColoursTab, "shortcuts/index_tab_colors.html", "tab_colors.html", "tsColor"},
    {HelpState::ChromaticAberrationTab, "shortcuts/index_tab_ca.html", "tab_ca.html", "tsCA"},
    {HelpState::BrightnessTab, "shortcuts/index_tab_brightness.html", "tab_brightness.html",
     "tsBrightness"},
    {HelpState::NoiseTab, "shortcuts/index_tab_noise.html", "tab_noise.html", "tsNoiseReduction"},
    {HelpState::RedEyeTab, "shortcuts/index_tab_redeye.html", "tab_redeye.html", "tsRedeye"},
    {HelpState::SharpeningTab, "shortcuts/index_tab_sharpening.html", "tab_sharpening.html",
     "tsSharpening"},
    {HelpState::TextTab, "shortcuts/index_tab_text.html", "tab_text.html", "tsText"},
    {HelpState::CropTab, "shortcuts/index_tab_crop.html", "tab_crop.html", "tsCrop"},
    {HelpState::DistortionsTab, "shortcuts/index_tab_distortions.html", "tab_distortions.html",
     "tsDistortions"},
    {HelpState::PluginCommands, "shortcuts/index_effects.html", "effects.html", ""},
    {HelpState::NavigatorCommands, "shortcuts/index_navigation.html", "navigation.html", ""},
}};

}  // namespace

QString helpPage(HelpState state, HelpVariant variant) {
    for (const Pages& p : kPages)
        if (p.state == state)
            return QString::fromLatin1(variant == HelpVariant::F1 ? p.f1 : p.panel);
    return QString::fromLatin1(kPages[0].f1);
}

HelpState helpStateFor(bool tuningView, const QString& activeSheet) {
    if (!tuningView) return HelpState::Viewing;
    for (const Pages& p : kPages)
        if (*p.sheet && activeSheet == QLatin1String(p.sheet)) return p.state;
    return HelpState::Viewing;
}

bool helpNeedsNavigation(const QString& currentLocation, const QString& keyword) {
    return keyword.size() > 1 && !currentLocation.contains(keyword);
}

}  // namespace core
