#include "app/settings/tuning_pages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

#include "app/settings/tab_design.h"

namespace app {

namespace {

constexpr int kMaxUserSize = 99999;

QString sliderNumber(const char* name) {
    return QString::fromLatin1(name).mid(8);
}

}  // namespace

TuningPages::TuningPages(QWidget* parent) : QTabWidget(parent) {
    setObjectName(QStringLiteral("PageControl"));
    for (const TabDesign& tab : tabDesigns()) {
        auto* scroll = new QScrollArea;
        scroll->setObjectName(QString::fromLatin1(tab.sheet));
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        auto* inner = new QWidget;
        auto* grid = new QGridLayout(inner);
        grid->setColumnStretch(1, 1);
        int row = 0;
        QButtonGroup* radios = nullptr;
        for (const ControlDesign& c : tab.controls) {
            const QString name = QString::fromLatin1(c.name);
            const QString caption = QString::fromLatin1(c.caption);
            QWidget* widget = nullptr;
            if (c.kind != ControlKind::Radio) radios = nullptr;
            switch (c.kind) {
                case ControlKind::Slider: {
                    const QString n = sliderNumber(c.name);
                    auto* help = new QLabel(caption);
                    help->setObjectName(c.helpLabel > 0
                                            ? QStringLiteral("Label_hlp%1").arg(c.helpLabel)
                                            : QStringLiteral("Label_sld%1").arg(n));
                    auto* slider = new QSlider(Qt::Horizontal);
                    slider->setMinimumWidth(140);
                    slider->setTickPosition(QSlider::NoTicks);
                    auto* value = new QLabel;
                    value->setObjectName(QStringLiteral("Label_val") + n);
                    value->setMinimumWidth(44);
                    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                    grid->addWidget(help, row, 0);
                    grid->addWidget(slider, row, 1);
                    grid->addWidget(value, row, 2);
                    controls_.insert(help->objectName(), help);
                    controls_.insert(value->objectName(), value);
                    help->setBuddy(slider);
                    widget = slider;
                    break;
                }
                case ControlKind::Check:
                    widget = new QCheckBox(caption);
                    grid->addWidget(widget, row, 0, 1, 3);
                    break;
                case ControlKind::Radio: {
                    auto* radio = new QRadioButton(caption);
                    if (!radios) radios = new QButtonGroup(inner);
                    radios->addButton(radio);
                    widget = radio;
                    grid->addWidget(widget, row, 0, 1, 3);
                    break;
                }
                case ControlKind::SpeedButton:
                case ControlKind::Button: {
                    auto* button = new QPushButton(caption);
                    button->setCheckable(c.kind == ControlKind::SpeedButton);
                    widget = button;
                    grid->addWidget(widget, row, 0, 1, 2, Qt::AlignLeft);
                    break;
                }
                case ControlKind::Combo:
                case ControlKind::LineEdit:
                case ControlKind::Number:
                case ControlKind::Swatch: {
                    if (!caption.isEmpty()) {
                        auto* label = new QLabel(caption);
                        grid->addWidget(label, row, 0);
                    }
                    if (c.kind == ControlKind::Combo) {
                        auto* combo = new QComboBox;
                        for (const char* const* item = c.items; item && *item; ++item)
                            combo->addItem(QString::fromLatin1(*item));
                        widget = combo;
                    } else if (c.kind == ControlKind::LineEdit) {
                        widget = new QLineEdit;
                    } else if (c.kind == ControlKind::Number) {
                        auto* spin = new QSpinBox;
                        spin->setRange(0, kMaxUserSize);
                        widget = spin;
                    } else {
                        auto* swatch = new QLabel;
                        swatch->setFixedSize(24, 24);
                        swatch->setAutoFillBackground(true);
                        swatch->setFrameShape(QFrame::Box);
                        widget = swatch;
                    }
                    if (caption.isEmpty())
                        grid->addWidget(widget, row, 0, 1, 3);
                    else
                        grid->addWidget(widget, row, 1, 1, 2);
                    break;
                }
            }
            widget->setObjectName(name);
            controls_.insert(name, widget);
            ++row;
        }
        grid->setRowStretch(row, 1);
        scroll->setWidget(inner);
        addTab(scroll, QString::fromLatin1(tab.caption));
    }
}

QSlider* TuningPages::slider(int number) const {
    return control<QSlider>(QStringLiteral("SlideBar%1").arg(number));
}

QLabel* TuningPages::valueLabel(int number) const {
    return control<QLabel>(QStringLiteral("Label_val%1").arg(number));
}

QLabel* TuningPages::helpLabel(int number) const {
    return control<QLabel>(QStringLiteral("Label_hlp%1").arg(number));
}

QWidget* TuningPages::page(const QString& sheet) const {
    for (int i = 0; i < count(); ++i)
        if (widget(i)->objectName() == sheet) return widget(i);
    return nullptr;
}

QString TuningPages::currentSheet() const {
    return currentWidget() ? currentWidget()->objectName() : QString();
}

}  // namespace app
