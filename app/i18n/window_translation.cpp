#include "app/i18n/window_translation.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVariant>

#include "core/i18n/language.h"

namespace app {

namespace {

constexpr char kHelpKeywordProperty[] = "helpKeyword";

QString translated(const core::Language& language, const QString& text) {
    return text.isEmpty() ? text : language.lookup(text);
}

void translateAction(QAction* action, const core::Language& language) {
    action->setText(translated(language, action->text()));
    action->setToolTip(translated(language, action->toolTip()));
    action->setStatusTip(translated(language, action->statusTip()));
    if (QMenu* menu = action->menu()) menu->setTitle(translated(language, menu->title()));
}

void translateOne(QWidget* widget, const core::Language& language) {
    widget->setToolTip(translated(language, widget->toolTip()));
    widget->setStatusTip(translated(language, widget->statusTip()));
    if (widget->isWindow()) widget->setWindowTitle(translated(language, widget->windowTitle()));
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(translated(language, button->text()));
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(translated(language, label->text()));
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        group->setTitle(translated(language, group->title()));
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setPlaceholderText(translated(language, edit->placeholderText()));
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        for (int i = 0; i < combo->count(); ++i)
            combo->setItemText(i, translated(language, combo->itemText(i)));
    } else if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setTabText(i, translated(language, tabs->tabText(i)));
            tabs->setTabToolTip(i, translated(language, tabs->tabToolTip(i)));
        }
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setText(translated(language, list->item(i)->text()));
    } else if (auto* tree = qobject_cast<QTreeWidget*>(widget)) {
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            for (int c = 0; c < (*it)->columnCount(); ++c)
                (*it)->setText(c, translated(language, (*it)->text(c)));
    } else if (auto* menu = qobject_cast<QMenu*>(widget)) {
        menu->setTitle(translated(language, menu->title()));
    }
    // Actions belong to the widget that shows them; one action shown twice is translated once.
    for (QAction* action : widget->actions())
        if (!action->property("vfTranslated").toBool()) {
            translateAction(action, language);
            action->setProperty("vfTranslated", true);
        }
}

void translateTree(QWidget* widget, const core::Language& language) {
    translateOne(widget, language);
    for (QObject* child : widget->children())
        if (auto* w = qobject_cast<QWidget*>(child)) translateTree(w, language);
}

void clearActionMarks(QWidget* widget) {
    for (QAction* action : widget->actions())
        action->setProperty("vfTranslated", QVariant());
    for (QObject* child : widget->children())
        if (auto* w = qobject_cast<QWidget*>(child)) clearActionMarks(w);
}

void assignKeywordsTree(QWidget* widget) {
    if (!widget->property(kHelpKeywordProperty).isValid()) {
        QString key;
        auto* button = qobject_cast<QAbstractButton*>(widget);
        if (button && button->isCheckable() && !button->text().isEmpty())
            key = button->text();
        else if (!widget->toolTip().isEmpty())
            key = widget->toolTip();
        if (!key.isEmpty())
            widget->setProperty(kHelpKeywordProperty, QString(QLatin1Char('#') + key));
    }
    for (QObject* child : widget->children())
        if (auto* w = qobject_cast<QWidget*>(child)) assignKeywordsTree(w);
}

}  // namespace

void translateWindow(QWidget* window, const core::Language& language) {
    translateTree(window, language);
    clearActionMarks(window);
}

void assignHelpKeywords(QWidget* window) {
    assignKeywordsTree(window);
}

QString helpKeyword(const QWidget* control) {
    return control->property(kHelpKeywordProperty).toString();
}

}  // namespace app
