#include "app/editors/colour_range_list_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/editors/colour_range_window.h"
#include "core/i18n/language.h"

namespace app {

namespace {

QString message(const core::Language& language, const char* key) {
    return language.message(QString::fromLatin1(key));
}

}  // namespace

std::vector<RangeSwatches> drawRangeSwatches(const core::ColourRangeList& ranges) {
    const QSize side(TFormEditSavedCCR::kSwatchSide, TFormEditSavedCCR::kSwatchSide);
    std::vector<RangeSwatches> swatches;
    swatches.reserve(ranges.size());
    for (const core::ColorRangeItem& range : ranges)
        swatches.push_back({core::DrawStrip(side, range, true).toImage(side.width()),
                            core::DrawStrip(side, range, false).toImage(side.width())});
    return swatches;
}

TEditSavedCCRRow::TEditSavedCCRRow(const core::Language& language, int32_t index,
                                   const RangeSwatches& swatches, bool current, QWidget* parent)
    : QWidget(parent), index_(index), current_(current) {
    setFixedHeight(TFormEditSavedCCR::kRowHeight);
    const QSize side(TFormEditSavedCCR::kSwatchSide, TFormEditSavedCCR::kSwatchSide);
    lbNumber = new QLabel(QString::number(core::rangeNumber(index)), this);
    lbNumber->setObjectName(QStringLiteral("lbNumber"));
    lbNumber->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lbNumber->setMinimumWidth(lbNumber->fontMetrics().horizontalAdvance(QStringLiteral("000")));
    imSource = new RangePicture(side, this);
    imSource->setObjectName(QStringLiteral("imSource"));
    imSource->setPicture(swatches.source);
    imArrow = new QLabel(QStringLiteral("\u2192"), this);
    imArrow->setObjectName(QStringLiteral("imArrow"));
    QFont arrowFont = imArrow->font();
    arrowFont.setPointSizeF(arrowFont.pointSizeF() * 1.8);
    imArrow->setFont(arrowFont);
    imOutput = new RangePicture(side, this);
    imOutput->setObjectName(QStringLiteral("imOutput"));
    imOutput->setPicture(swatches.output);
    btDelete = new QPushButton(message(language, "ALS_FRM_DELETE"), this);
    btDelete->setObjectName(QStringLiteral("btDelete"));
    btDelete->setToolTip(message(language, "ALS_CCR_DELETE_TT"));
    btDelete->setAutoDefault(false);

    const QString hint = message(language, current ? "ALS_CCR_CURRENT" : "ALS_CCR_EDITTHIS");
    for (RangePicture* swatch : {imSource, imOutput}) {
        swatch->setToolTip(hint);
        swatch->setCursor(Qt::PointingHandCursor);
        connect(swatch, &RangePicture::pressed, this, [this](QPoint, Qt::MouseButton button) {
            if (button == Qt::LeftButton) emit swatchClicked();
        });
    }
    if (current) {
        // The range being edited stands out.
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, p.color(QPalette::Highlight).lighter(170));
        setPalette(p);
        setToolTip(hint);
    }

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(8);
    layout->addWidget(lbNumber);
    layout->addWidget(imSource);
    layout->addWidget(imArrow);
    layout->addWidget(imOutput);
    layout->addStretch();
    layout->addWidget(btDelete);
}

TFormEditSavedCCR::TFormEditSavedCCR(const core::Language& language, core::ColourRangeList& ranges,
                                     int32_t current, std::vector<RangeSwatches> swatches,
                                     QWidget* parent)
    : QDialog(parent),
      language_(language),
      ranges_(ranges),
      current_(current),
      swatches_(std::move(swatches)) {
    setObjectName(QStringLiteral("FormEditSavedCCR"));
    setWindowTitle(message(language, "ALS_CCR_CAPTION"));
    swatches_.resize(ranges_.size());

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ScrollBox1->verticalScrollBar()->setSingleStep(kRowHeight);
    Grid = new QWidget;
    Grid->setObjectName(QStringLiteral("Grid"));
    rows_ = new QVBoxLayout(Grid);
    rows_->setContentsMargins(0, 0, 0, 0);
    rows_->setSpacing(0);
    rows_->addStretch();
    ScrollBox1->setWidget(Grid);
    // Exactly five rows show.
    ScrollBox1->setFixedHeight(kVisibleRows * kRowHeight + 2 * ScrollBox1->frameWidth());
    ScrollBox1->setMinimumWidth(340);

    btDeleteAll = new QPushButton(message(language, "ALS_FRM_DELETE_ALL"), this);
    btDeleteAll->setObjectName(QStringLiteral("btDeleteAll"));
    btDeleteAll->setAutoDefault(false);
    btExit = new QPushButton(message(language, "ALS_FRM_CLOSE"), this);
    btExit->setObjectName(QStringLiteral("btExit"));
    btExit->setAutoDefault(false);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(btDeleteAll);
    bottom->addStretch();
    bottom->addWidget(btExit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ScrollBox1);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btDeleteAll, &QPushButton::clicked, this, &TFormEditSavedCCR::btDeleteAllClick);
    connect(btExit, &QPushButton::clicked, this, &TFormEditSavedCCR::btExitClick);
    rebuild();
}

std::vector<TEditSavedCCRRow*> TFormEditSavedCCR::rows() const {
    std::vector<TEditSavedCCRRow*> out;
    for (int i = 0; i < rows_->count(); ++i)
        if (auto* row = qobject_cast<TEditSavedCCRRow*>(rows_->itemAt(i)->widget()))
            out.push_back(row);
    return out;
}

void TFormEditSavedCCR::rebuild() {
    const int scrolled = ScrollBox1->verticalScrollBar()->value();
    for (TEditSavedCCRRow* row : rows()) {
        rows_->removeWidget(row);
        delete row;
    }
    const std::vector<int32_t> order = core::rangeListOrder(ranges_.size());
    for (size_t r = 0; r < order.size(); ++r) {
        const int32_t index = order[r];
        auto* row = new TEditSavedCCRRow(language_, index, swatches_[size_t(index)],
                                         index == current_, Grid);
        row->setObjectName(QStringLiteral("row%1").arg(r));
        connect(row, &TEditSavedCCRRow::swatchClicked, this, [this, index] { rowClicked(index); });
        connect(row->btDelete, &QPushButton::clicked, this,
                [this, index] { deleteClicked(index); });
        rows_->insertWidget(int(r), row);
    }
    btDeleteAll->setEnabled(!ranges_.empty());
    Grid->adjustSize();
    ScrollBox1->verticalScrollBar()->setValue(scrolled);
}

void TFormEditSavedCCR::rowClicked(int32_t index) {
    if (index < 0 || index >= int32_t(ranges_.size())) return;
    if (index != current_) {
        current_ = index;
        emit rangeChosen(index);
    }
    accept();
}

void TFormEditSavedCCR::deleteClicked(int32_t index) {
    const std::optional<core::RangeListChange> change = core::deleteRange(ranges_, current_, index);
    if (!change) return;
    swatches_.erase(swatches_.begin() + index);
    current_ = change->current;
    rebuild();
    emit rangeDeleted(*change);
    if (change->editingEnds) accept();
}

void TFormEditSavedCCR::btDeleteAllClick() {
    const core::RangeListChange change = core::deleteAllRanges(ranges_);
    swatches_.clear();
    current_ = change.current;
    rebuild();
    emit allDeleted();
    accept();
}

}  // namespace app
