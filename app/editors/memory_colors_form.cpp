#include "app/editors/memory_colors_form.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/editors/memory_color_name_form.h"
#include "core/editors/memory_colour_store.h"
#include "core/errors/failure_text.h"
#include "core/i18n/language.h"
#include "core/main/message_box.h"

namespace app {

namespace {

QString message(const core::Language& language, const char* key) {
    return language.message(QString::fromLatin1(key));
}

}  // namespace

ColorSwatch::ColorSwatch(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
    setFixedSize(40, TFormMemoryColors::kRowHeight - 8);
}

void ColorSwatch::setColor(const core::Rgb16& rgb) {
    const auto c = core::swatchRgb(rgb);
    color_ = QColor(c[0], c[1], c[2]);
    // A style sheet keeps the colour when the swatch is disabled.
    setStyleSheet(QStringLiteral("QFrame { background-color: %1; border: 1px solid #606060; }")
                      .arg(color_.name()));
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && isEnabled() &&
        rect().contains(event->position().toPoint()))
        emit clicked();
    QFrame::mouseReleaseEvent(event);
}

TMemoryColorsRow::TMemoryColorsRow(const core::Language& language, const core::MemoryColor& color,
                                   size_t storedIndex, bool applyOffered, QWidget* parent)
    : QWidget(parent), storedIndex_(storedIndex) {
    setFixedHeight(TFormMemoryColors::kRowHeight);
    btName = new QPushButton(core::colorName(color), this);
    btName->setObjectName(QStringLiteral("btName"));
    btName->setFlat(true);
    btName->setAutoDefault(false);
    btName->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    // Names read left-aligned, and stay readable where applying is not offered.
    btName->setStyleSheet(
        QStringLiteral("QPushButton { text-align: left; padding-left: 6px; border: none; }"
                       "QPushButton:hover:enabled { text-decoration: underline; }"
                       "QPushButton:disabled { color: palette(text); }"));
    pnColor = new ColorSwatch(this);
    pnColor->setObjectName(QStringLiteral("pnColor"));
    pnColor->setColor(core::colourOf(color));
    btName->setEnabled(applyOffered);
    pnColor->setEnabled(applyOffered);
    if (applyOffered) {
        btName->setToolTip(message(language, "ALS_MC_APPLY"));
        pnColor->setToolTip(message(language, "ALS_MC_APPLY_TT"));
        btName->setCursor(Qt::PointingHandCursor);
        pnColor->setCursor(Qt::PointingHandCursor);
    }
    btUp = new QToolButton(this);
    btUp->setObjectName(QStringLiteral("btUp"));
    btUp->setArrowType(Qt::UpArrow);
    btUp->setToolTip(message(language, "ALS_MOVE_UP"));
    btDown = new QToolButton(this);
    btDown->setObjectName(QStringLiteral("btDown"));
    btDown->setArrowType(Qt::DownArrow);
    btDown->setToolTip(message(language, "ALS_MOVE_DOWN"));
    btRename = new QToolButton(this);
    btRename->setObjectName(QStringLiteral("btRename"));
    btRename->setText(message(language, "ALS_NAVPANEL_RENAME"));
    btDelete = new QPushButton(message(language, "ALS_FRM_DELETE"), this);
    btDelete->setObjectName(QStringLiteral("btDelete"));
    btDelete->setToolTip(message(language, "ALS_MC_DELETE_TT"));
    btDelete->setAutoDefault(false);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(4);
    layout->addWidget(btName, 1);
    layout->addWidget(pnColor);
    layout->addWidget(btUp);
    layout->addWidget(btDown);
    layout->addWidget(btRename);
    layout->addWidget(btDelete);
}

TMemoryColorsGrid::TMemoryColorsGrid(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Grid"));
    rows_ = new QVBoxLayout(this);
    rows_->setContentsMargins(0, 0, 0, 0);
    rows_->setSpacing(0);
    rows_->addStretch();
}

TFormMemoryColors::TFormMemoryColors(const core::Language& language, core::MessageAsker& asker,
                                     core::MemoryColorStore& store, const MemoryColorsView& view,
                                     QWidget* parent)
    : QDialog(parent), language_(language), asker_(asker), store_(store), view_(view) {
    setObjectName(QStringLiteral("FormMemoryColors"));
    setWindowTitle(message(language, "ALS_MEMORY_COLORS"));

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ScrollBox1->verticalScrollBar()->setSingleStep(kRowHeight);
    Grid = new TMemoryColorsGrid;
    ScrollBox1->setWidget(Grid);
    // Exactly five rows show.
    ScrollBox1->setFixedHeight(kVisibleRows * kRowHeight + 2 * ScrollBox1->frameWidth());
    ScrollBox1->setMinimumWidth(440);

    cbIgnoreBrightness = new QCheckBox(message(language, "ALS_MC_IGNORE_BR"), this);
    cbIgnoreBrightness->setObjectName(QStringLiteral("cbIgnoreBrightness"));
    cbIgnoreBrightness->setChecked(true);
    cbIgnoreBrightness->setEnabled(view_.applyOffered);

    pnAdd = new QWidget(this);
    pnAdd->setObjectName(QStringLiteral("pnAdd"));
    pnPickedColor = new ColorSwatch(pnAdd);
    pnPickedColor->setObjectName(QStringLiteral("pnPickedColor"));
    pnPickedColor->setEnabled(false);
    btMCAdd = new QPushButton(message(language, "ALS_MC_ADD"), pnAdd);
    btMCAdd->setObjectName(QStringLiteral("btMCAdd"));
    btMCAdd->setAutoDefault(false);
    auto* addLayout = new QHBoxLayout(pnAdd);
    addLayout->setContentsMargins(0, 0, 0, 0);
    addLayout->addWidget(pnPickedColor);
    addLayout->addWidget(btMCAdd);
    if (view_.picked) pnPickedColor->setColor(*view_.picked);
    pnAdd->setVisible(view_.picked.has_value());

    btMCExit = new QPushButton(message(language, "ALS_FRM_CLOSE"), this);
    btMCExit->setObjectName(QStringLiteral("btMCExit"));
    btMCExit->setAutoDefault(false);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(cbIgnoreBrightness);
    bottom->addStretch();
    bottom->addWidget(pnAdd);
    bottom->addWidget(btMCExit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ScrollBox1);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btMCAdd, &QPushButton::clicked, this, &TFormMemoryColors::btMCAddClick);
    connect(btMCExit, &QPushButton::clicked, this, &TFormMemoryColors::btMCExitClick);
    rebuildGrid();
}

std::vector<TMemoryColorsRow*> TFormMemoryColors::rows() const {
    std::vector<TMemoryColorsRow*> out;
    for (int i = 0; i < Grid->rows()->count(); ++i)
        if (auto* row = qobject_cast<TMemoryColorsRow*>(Grid->rows()->itemAt(i)->widget()))
            out.push_back(row);
    return out;
}

void TFormMemoryColors::setApplying(bool on) {
    applying_ = on;
    setEnabled(!on);
}

void TFormMemoryColors::rebuildGrid() {
    const int scrolled = ScrollBox1->verticalScrollBar()->value();
    for (TMemoryColorsRow* row : rows()) {
        Grid->rows()->removeWidget(row);
        delete row;
    }
    const core::TMemoryColorsArray& colors = store_.colors();
    const std::vector<size_t> order = core::displayOrder(colors.size(), view_.newestFirst);
    for (size_t r = 0; r < order.size(); ++r) {
        const size_t index = order[r];
        auto* row = new TMemoryColorsRow(language_, colors[index], index, view_.applyOffered, Grid);
        row->setObjectName(QStringLiteral("row%1").arg(r));
        // The top row cannot go up, nor the bottom row down.
        row->btUp->setEnabled(r > 0);
        row->btDown->setEnabled(r + 1 < order.size());
        connect(row->btName, &QPushButton::clicked, this, [this, index] { applyClick(index); });
        connect(row->pnColor, &ColorSwatch::clicked, this, [this, index] { applyClick(index); });
        connect(row->btUp, &QToolButton::clicked, this,
                [this, index] { moveClick(index, core::RowMove::Up); });
        connect(row->btDown, &QToolButton::clicked, this,
                [this, index] { moveClick(index, core::RowMove::Down); });
        connect(row->btRename, &QToolButton::clicked, this, [this, index] { renameClick(index); });
        connect(row->btDelete, &QPushButton::clicked, this, [this, index] { deleteClick(index); });
        Grid->rows()->insertWidget(int(r), row);
    }
    Grid->adjustSize();
    ScrollBox1->verticalScrollBar()->setValue(scrolled);
}

void TFormMemoryColors::saved(const core::Status& status) {
    if (!status.ok())
        core::showError(asker_, language_, core::failureText(language_, status.failure()));
    rebuildGrid();
}

void TFormMemoryColors::applyClick(size_t storedIndex) {
    if (!view_.applyOffered || applying_ || storedIndex >= store_.colors().size()) return;
    emit applyRequested(storedIndex, cbIgnoreBrightness->isChecked());
}

void TFormMemoryColors::moveClick(size_t storedIndex, core::RowMove move) {
    if (!core::moveTarget(store_.colors().size(), storedIndex, move, view_.newestFirst)) return;
    saved(store_.move(storedIndex, move, view_.newestFirst));
}

void TFormMemoryColors::deleteClick(size_t storedIndex) {
    if (storedIndex >= store_.colors().size()) return;
    if (core::askMessage(asker_, language_, QStringLiteral("ALS_MC_DELETE_QUEST"),
                         QStringLiteral("ALS_MC_DELETING"),
                         core::kButtonsYesNo) != core::kResultYes)
        return;
    saved(store_.remove(storedIndex));
}

void TFormMemoryColors::renameClick(size_t storedIndex) {
    if (nameDialog_ || storedIndex >= store_.colors().size()) return;
    nameDialog_ = new TFormInputMCName(language_, asker_, store_.colors(), storedIndex, this);
    nameDialog_->setAttribute(Qt::WA_DeleteOnClose);
    connect(nameDialog_, &QDialog::accepted, this,
            [this, storedIndex] { saved(store_.rename(storedIndex, nameDialog_->name())); });
    connect(nameDialog_, &QObject::destroyed, this, [this] { nameDialog_ = nullptr; });
    nameDialog_->open();
}

void TFormMemoryColors::btMCAddClick() {
    if (nameDialog_ || !view_.picked) return;
    nameDialog_ = new TFormInputMCName(language_, asker_, store_.colors(), std::nullopt, this);
    nameDialog_->setAttribute(Qt::WA_DeleteOnClose);
    const core::Rgb16 picked = *view_.picked;
    connect(nameDialog_, &QDialog::accepted, this,
            [this, picked] { saved(store_.add(nameDialog_->name(), picked)); });
    connect(nameDialog_, &QObject::destroyed, this, [this] { nameDialog_ = nullptr; });
    nameDialog_->open();
}

}  // namespace app
