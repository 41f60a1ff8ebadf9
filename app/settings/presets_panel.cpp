#include "app/settings/presets_panel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QWidget>

namespace app {

QWidget* buildPresetsPanel() {
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("PanelPresets"));
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* box = new QComboBox;
    box->setObjectName(QStringLiteral("cbPresets"));
    // Preset names can be long; the box takes the panel's width instead of growing the column.
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(12);
    layout->addWidget(box, 1);
    return panel;
}

void showPresetsItems(QComboBox* box, const core::PresetsBoxItems& items) {
    const QSignalBlocker block(box);
    box->clear();
    box->addItems(items.shown);
    box->setCurrentIndex(0);
}

}  // namespace app
