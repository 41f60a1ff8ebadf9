#include "app/main/skin.h"

#include <QDockWidget>
#include <QImage>
#include <QLabel>
#include <QToolButton>
#include <QVariant>
#include <QWidget>

#include "core/main/skin_map.h"

namespace app {

namespace {

// The widget's own style sheet from before the skin; its presence marks a skinned widget.
constexpr const char* kPlainSheet = "vfPlainStyleSheet";

const char* const kMainHeaders[] = {"stxtRight", "stxtLeft"};
const char* const kPreviewHeaders[] = {"stxtSource", "stxtOutput"};
const char* const kFloatingWindows[] = {"EqSaturation", "EqBrightness", "EqSharpening",
                                        "EqNoiseReduction", "FWChangeColorRange"};

QString css(uint32_t value) {
    return core::colourOfValue(value).name(QColor::HexRgb);
}

QString cssUrl(const QString& path) {
    QString quoted = path;
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    quoted.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QStringLiteral("url(\"%1\")").arg(quoted);
}

void setSkinSheet(QWidget* w, const QString& sheet) {
    if (!w->property(kPlainSheet).isValid()) w->setProperty(kPlainSheet, w->styleSheet());
    w->setStyleSheet(sheet);
}

void skinHeaders(QWidget* form, const char* const* names, int count, const QString& picture,
                 uint32_t colour, SkinApplied& applied) {
    for (int i = 0; i < count; ++i) {
        auto* label = form->findChild<QLabel*>(QString::fromLatin1(names[i]));
        if (!label) continue;
        setSkinSheet(label, QStringLiteral("QLabel { border-image: %1 0 0 0 0 stretch stretch; "
                                           "color: %2; padding: 3px; }")
                                .arg(cssUrl(picture), css(colour)));
        applied.headers << label->objectName();
    }
}

// A header picture is used only when it reads as a picture; otherwise the built-in look stays.
bool readable(const QString& picture, SkinApplied& applied) {
    if (picture.isEmpty()) return false;
    if (QImage(picture).isNull()) {
        applied.unreadablePictures << picture;
        return false;
    }
    return true;
}

void skinFloatingCaptions(QWidget* form, const QString& picture, uint32_t colour) {
    // Only a docked tool window's title bar is drawn by Qt; a free window's frame belongs to
    // the window manager and keeps its look.
    for (const char* name : kFloatingWindows) {
        auto* dock = form->findChild<QDockWidget*>(QString::fromLatin1(name));
        if (!dock) continue;
        setSkinSheet(dock, QStringLiteral("QDockWidget { color: %2; } QDockWidget::title { "
                                          "border-image: %1 0 0 0 0 stretch stretch; "
                                          "padding: 3px; }")
                               .arg(cssUrl(picture), css(colour)));
    }
}

}  // namespace

QString toolButtonStyleSheet(const core::SkinButtons& b) {
    const QString face = css(b.color), down = css(b.colorDown), light = css(b.lightColor),
                  shadow = css(b.shadowColor), hot = css(b.hotColor);
    const auto vertical = [](const QString& stops) {
        return QStringLiteral("qlineargradient(x1:0, y1:0, x2:0, y2:1, %1)").arg(stops);
    };
    QString normal, pressed, hover;
    switch (b.drawingStyle()) {
        case 0:  // flat: the edge shows only under the pointer
            normal = QStringLiteral("background: %1; border: 1px solid transparent;").arg(face);
            hover = QStringLiteral("border: 1px solid %1;").arg(shadow);
            pressed = QStringLiteral("background: %1; border: 1px solid %2;").arg(down, shadow);
            break;
        case 1:  // raised: light upper-left edge, shadow lower-right; pressed turns it round
            normal = QStringLiteral(
                         "background: %1; border-style: solid; border-width: 2px; "
                         "border-color: %2 %3 %3 %2;")
                         .arg(face, light, shadow);
            pressed = QStringLiteral("background: %1; border-color: %2 %3 %3 %2;")
                          .arg(down, shadow, light);
            break;
        case 2:  // soft: a gentle gradient from the highlight, rounded corners
            normal =
                QStringLiteral("background: %1; border: 1px solid %2; border-radius: 3px;")
                    .arg(vertical(QStringLiteral("stop:0 %1, stop:1 %2").arg(light, face)), shadow);
            pressed = QStringLiteral("background: %1;")
                          .arg(vertical(QStringLiteral("stop:0 %1, stop:1 %2").arg(down, face)));
            break;
        case 4:  // round
            normal = QStringLiteral("background: %1; border: 1px solid %2; border-radius: 8px;")
                         .arg(face, shadow);
            pressed = QStringLiteral("background: %1;").arg(down);
            break;
        case 5:  // glass: a lit upper half over a deeper lower half
            normal = QStringLiteral("background: %1; border: 1px solid %2; border-radius: 4px;")
                         .arg(vertical(QStringLiteral("stop:0 %1, stop:0.5 %2, stop:0.51 %3, "
                                                      "stop:1 %2")
                                           .arg(light, face, down)),
                              shadow);
            pressed = QStringLiteral("background: %1;")
                          .arg(vertical(QStringLiteral("stop:0 %1, stop:1 %2").arg(down, face)));
            break;
        default:  // 3, standard: a plain face inside a thin shadow line
            normal = QStringLiteral("background: %1; border: 1px solid %2;").arg(face, shadow);
            hover = QStringLiteral("border: 1px solid %1;").arg(light);
            pressed = QStringLiteral("background: %1;").arg(down);
            break;
    }
    return QStringLiteral(
               "QToolButton { %1 padding: 3px; } "
               "QToolButton:hover { color: %2; %3 } "
               "QToolButton:pressed, QToolButton:checked { %4 }")
        .arg(normal, hot, hover, pressed);
}

SkinApplied applySkin(QWidget* c, const core::CurrentSkin& skin) {
    SkinApplied applied;
    if (!c || !skin.found()) return applied;
    revertSkin(c);

    if (c->objectName() == QLatin1String("MainForm")) {
        const QString main = skin.headerMainPicture();
        if (readable(main, applied))
            skinHeaders(c, kMainHeaders, 2, main, skin.file.headerMainColor, applied);
        const QString preview = skin.headerPreviewPicture();
        if (readable(preview, applied)) {
            skinHeaders(c, kPreviewHeaders, 2, preview, skin.file.headerPreviewColor, applied);
            skinFloatingCaptions(c, preview, skin.file.headerPreviewColor);
        }
    }

    const QString buttonSheet = toolButtonStyleSheet(skin.file.buttons);
    if (auto* button = qobject_cast<QToolButton*>(c)) {
        setSkinSheet(button, buttonSheet);
        ++applied.buttons;
    }
    const QList<QToolButton*> buttons = c->findChildren<QToolButton*>();
    for (auto it = buttons.rbegin(); it != buttons.rend(); ++it) {
        setSkinSheet(*it, buttonSheet);
        ++applied.buttons;
    }
    return applied;
}

void revertSkin(QWidget* c) {
    if (!c) return;
    QList<QWidget*> widgets = c->findChildren<QWidget*>();
    widgets.prepend(c);
    for (QWidget* w : widgets) {
        const QVariant plain = w->property(kPlainSheet);
        if (!plain.isValid()) continue;
        w->setStyleSheet(plain.toString());
        w->setProperty(kPlainSheet, QVariant());
    }
}

}  // namespace app
