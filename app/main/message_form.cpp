#include "app/main/message_form.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <cmath>

#include "core/i18n/language.h"

namespace app {

namespace {

constexpr int kStandardButtonWidth = 75;
constexpr int kStandardButtonHeight = 25;

QStyle::StandardPixmap iconPixmap(core::MessageIcon icon) {
    switch (icon) {
        case core::MessageIcon::Error:
            return QStyle::SP_MessageBoxCritical;
        case core::MessageIcon::Question:
            return QStyle::SP_MessageBoxQuestion;
        case core::MessageIcon::Warning:
            return QStyle::SP_MessageBoxWarning;
        default:
            return QStyle::SP_MessageBoxInformation;
    }
}

}  // namespace

TMessageForm::TMessageForm(const core::MessageBoxLayout& layout, QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("TMessageForm"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(layout.title.isEmpty() && owner ? owner->windowTitle() : layout.title);
    setModal(true);

    auto* top = new QHBoxLayout;
    top->setSpacing(14);
    if (layout.icon != core::MessageIcon::None) {
        auto* icon = new QLabel;
        icon->setObjectName(QStringLiteral("Image1"));
        icon->setPixmap(style()->standardIcon(iconPixmap(layout.icon)).pixmap(32, 32));
        icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
        top->addWidget(icon);
    }
    auto* text =
        new QLabel(QString(layout.text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    text->setObjectName(QStringLiteral("lblText"));
    text->setWordWrap(true);
    text->setMinimumWidth(320);
    text->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    top->addWidget(text, 1);

    auto* rows = new QVBoxLayout;
    const QSize size(static_cast<int>(std::lround(kStandardButtonWidth * layout.widthFactor)),
                     static_cast<int>(std::lround(kStandardButtonHeight * layout.heightFactor)));
    size_t next = 0;
    QPushButton* focus = nullptr;
    for (int rowSize : layout.rowSizes) {
        auto* row = new QHBoxLayout;
        row->addStretch(1);
        for (int i = 0; i < rowSize && next < layout.buttons.size(); ++i, ++next) {
            const core::MessageButton& b = layout.buttons[next];
            auto* button = new QPushButton(b.caption);
            button->setObjectName(QStringLiteral("Button%1").arg(next + 1));
            button->setFixedSize(size);
            button->setAutoDefault(false);
            const int result = b.result;
            connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
            if (static_cast<int>(next) == layout.defaultButton) {
                focus = button;
                button->setDefault(true);
            }
            row->addWidget(button);
        }
        rows->addLayout(row);
    }
    auto* all = new QVBoxLayout(this);
    all->setContentsMargins(14, 14, 14, 12);
    all->setSpacing(14);
    all->addLayout(top);
    all->addLayout(rows);
    if (focus) focus->setFocus();
    if (layout.cancelButton >= 0 &&
        static_cast<size_t>(layout.cancelButton) < layout.buttons.size())
        cancelResult_ = layout.buttons[layout.cancelButton].result;
}

void TMessageForm::reject() {
    if (cancelResult_ >= 0) done(cancelResult_);
}

int WindowAsker::ask(const core::MessageBoxRequest& request) {
    const core::MessageBoxLayout layout = core::layoutMessageBox(request, texts_);
    QWidget* owner = QApplication::activeWindow();
    if (layout.stayOnTop && owner) {
        if (owner->isMinimized()) owner->showNormal();
        owner->raise();
        owner->activateWindow();
    }
    TMessageForm box(layout, owner);
    if (layout.playSound) QApplication::beep();
    box.exec();
    return box.result();
}

}  // namespace app
