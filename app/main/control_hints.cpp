#include "app/main/control_hints.h"

#include <QApplication>
#include <QEvent>
#include <QToolTip>

#include "core/prefs/hint_mode.h"

namespace app {

ControlHints::ControlHints(int32_t hintMode, QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("ControlHints"));
    setHintMode(hintMode);
    qApp->installEventFilter(this);
}

ControlHints::~ControlHints() {
    qApp->removeEventFilter(this);
}

void ControlHints::setHintMode(int32_t hintMode) {
    shown_ = core::showsControlHints(hintMode);
    if (!shown_) QToolTip::hideText();
}

bool ControlHints::eventFilter(QObject* watched, QEvent* event) {
    if (!shown_ && event->type() == QEvent::ToolTip) return true;
    return QObject::eventFilter(watched, event);
}

}  // namespace app
