#include "app/editors/colour_range_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/i18n/language.h"

namespace app {

namespace {

QString message(const core::Language& language, const char* key) {
    return language.message(QString::fromLatin1(key));
}

}  // namespace

RangePicture::RangePicture(QSize size, QWidget* parent) : QWidget(parent) {
    setFixedSize(size);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void RangePicture::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void RangePicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    if (!picture_.isNull()) p.drawImage(QPoint(0, 0), picture_);
}

void RangePicture::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->position().toPoint(), event->button());
}

void RangePicture::mouseMoveEvent(QMouseEvent* event) {
    emit moved(event->position().toPoint(), event->buttons());
}

void RangePicture::leaveEvent(QEvent*) {
    emit left();
}

FWChangeColorRange::FWChangeColorRange(const core::Language& language, QWidget* parent)
    : QDockWidget(parent), language_(language) {
    setObjectName(QStringLiteral("FWChangeColorRange"));
    setWindowTitle(message(language, "ALS_CCR_WINDOW"));
    // A tool window of its own: it floats, and only its buttons end the editing.
    setFeatures(QDockWidget::DockWidgetMovable);
    setAllowedAreas(Qt::NoDockWidgetArea);
    runner_ = [](DrawJob job, std::function<void(core::RangeWindowPictures)> done) { done(job()); };

    auto* content = new QWidget(this);
    content->setObjectName(QStringLiteral("pnCCRContent"));
    ImSourceCCR = new RangePicture(kStripSize, content);
    ImSourceCCR->setObjectName(QStringLiteral("ImSourceCCR"));
    ImSourceCCR->setToolTip(message(language, "ALS_CCR_RESET_BY_CLICK_TT"));
    ImSourceCCR->setCursor(Qt::PointingHandCursor);
    ImOutputCCR = new RangePicture(kStripSize, content);
    ImOutputCCR->setObjectName(QStringLiteral("ImOutputCCR"));
    ImPaleteCCR = new RangePicture(kPaletteSize, content);
    ImPaleteCCR->setObjectName(QStringLiteral("ImPaleteCCR"));
    ImPaleteCCR->setToolTip(message(language, "ALS_CCR_PALETTE_TT"));
    ImPaleteCCR->setCursor(Qt::CrossCursor);

    auto* toleranceCaption = new QLabel(message(language, "ALS_TOLERANCE"), content);
    SlideBar_ColorTol = new QSlider(Qt::Horizontal, content);
    SlideBar_ColorTol->setObjectName(QStringLiteral("SlideBar_ColorTol"));
    SlideBar_ColorTol->setRange(0, 100);
    Label_ColorTol = new QLabel(content);
    Label_ColorTol->setObjectName(QStringLiteral("Label_ColorTol"));
    Label_ColorTol->setMinimumWidth(
        Label_ColorTol->fontMetrics().horizontalAdvance(QStringLiteral("100")) + 4);
    Label_ColorTol->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    btCCRZooMinus = new QToolButton(content);
    btCCRZooMinus->setObjectName(QStringLiteral("btCCRZooMinus"));
    btCCRZooMinus->setText(QStringLiteral("\u2212"));
    btCCRZooMinus->setToolTip(message(language, "ALS_ZOOM_OUT"));
    btCCRZoomplus = new QToolButton(content);
    btCCRZoomplus->setObjectName(QStringLiteral("btCCRZoomplus"));
    btCCRZoomplus->setText(QStringLiteral("+"));
    btCCRZoomplus->setToolTip(message(language, "ALS_ZOOM_IN"));
    sbXcludeInvert = new QToolButton(content);
    sbXcludeInvert->setObjectName(QStringLiteral("sbXcludeInvert"));
    sbXcludeInvert->setCheckable(true);
    sbXcludeInvert->setText(message(language, "ALS_CCR_AREAS_INCLUDE"));

    auto* memoryCaption = new QLabel(message(language, "ALS_MEMORY_COLORS"), content);
    cbMemoryColors = new QComboBox(content);
    cbMemoryColors->setObjectName(QStringLiteral("cbMemoryColors"));
    cbMemoryColors->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbMemoryColors->setMinimumContentsLength(12);

    CCR_Sb_Save = new QPushButton(message(language, "ALS_FRM_SAVE"), content);
    CCR_Sb_Save->setObjectName(QStringLiteral("CCR_Sb_Save"));
    CCR_Sb_Save->setAutoDefault(false);
    CCR_Sb_Cancel = new QPushButton(message(language, "ALS_FRM_CANCEL"), content);
    CCR_Sb_Cancel->setObjectName(QStringLiteral("CCR_Sb_Cancel"));
    CCR_Sb_Cancel->setAutoDefault(false);

    auto* pictures = new QHBoxLayout;
    pictures->setSpacing(4);
    pictures->addWidget(ImSourceCCR);
    pictures->addWidget(ImOutputCCR);
    pictures->addSpacing(4);
    pictures->addWidget(ImPaleteCCR);
    pictures->addStretch();

    auto* controls = new QGridLayout;
    controls->setHorizontalSpacing(6);
    controls->addWidget(toleranceCaption, 0, 0);
    auto* tolerance = new QHBoxLayout;
    tolerance->addWidget(SlideBar_ColorTol, 1);
    tolerance->addWidget(Label_ColorTol);
    tolerance->addSpacing(8);
    tolerance->addWidget(btCCRZooMinus);
    tolerance->addWidget(btCCRZoomplus);
    controls->addLayout(tolerance, 0, 1);
    controls->addWidget(memoryCaption, 1, 0);
    controls->addWidget(cbMemoryColors, 1, 1);
    controls->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(sbXcludeInvert);
    buttons->addStretch();
    buttons->addWidget(CCR_Sb_Save);
    buttons->addWidget(CCR_Sb_Cancel);

    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(pictures);
    layout->addLayout(controls);
    layout->addLayout(buttons);
    setWidget(content);

    connect(ImSourceCCR, &RangePicture::pressed, this, [this](QPoint, Qt::MouseButton button) {
        if (button == Qt::LeftButton) emit targetResetRequested();
    });
    connect(ImPaleteCCR, &RangePicture::pressed, this,
            [this](QPoint at, Qt::MouseButton button) { paletteAt(at, button); });
    connect(ImPaleteCCR, &RangePicture::moved, this,
            [this](QPoint at, Qt::MouseButtons buttons) { paletteAt(at, buttons); });
    connect(ImPaleteCCR, &RangePicture::left, this, [this] {
        hovering_ = false;
        pendingHover_.reset();
        ImOutputCCR->setPicture(output_);
    });
    connect(SlideBar_ColorTol, &QSlider::valueChanged, this, [this](int value) {
        showTolerance(value);
        emit toleranceChanged(value);
    });
    connect(btCCRZoomplus, &QToolButton::clicked, this, [this] {
        if (!zoom_.zoomIn()) return;
        refreshZoomButtons();
        redraw(true);
    });
    connect(btCCRZooMinus, &QToolButton::clicked, this, [this] {
        if (!zoom_.zoomOut()) return;
        refreshZoomButtons();
        redraw(true);
    });
    connect(sbXcludeInvert, &QToolButton::clicked, this,
            [this](bool down) { emit areasIncludeChanged(down); });
    connect(cbMemoryColors, &QComboBox::activated, this, [this](int index) {
        if (index > 0) emit memoryColourChosen(index - 1);
    });
    connect(CCR_Sb_Save, &QPushButton::clicked, this, [this] { emit saveClicked(); });
    connect(CCR_Sb_Cancel, &QPushButton::clicked, this, [this] { emit cancelClicked(); });
    refreshZoomButtons();
    showTolerance(0);
    resetMemoryColour();
}

void FWChangeColorRange::setRange(const core::ColorRangeItem& range) {
    range_ = range;
    const QSignalBlocker blockSlider(SlideBar_ColorTol);
    SlideBar_ColorTol->setValue(range.Tolerance);
    showTolerance(SlideBar_ColorTol->value());
    sbXcludeInvert->setChecked(range.AreasInclude == 1);
}

void FWChangeColorRange::setMemoryColours(const QStringList& names) {
    cbMemoryColors->clear();
    cbMemoryColors->addItem(QString());
    cbMemoryColors->addItems(names);
    resetMemoryColour();
}

void FWChangeColorRange::resetMemoryColour() {
    if (cbMemoryColors->count() == 0) cbMemoryColors->addItem(QString());
    cbMemoryColors->setCurrentIndex(0);
}

void FWChangeColorRange::setSaveEnabled(bool on) {
    CCR_Sb_Save->setEnabled(on);
}

void FWChangeColorRange::showTolerance(int tolerance) {
    Label_ColorTol->setText(QString::number(tolerance));
}

void FWChangeColorRange::refreshZoomButtons() {
    btCCRZoomplus->setEnabled(zoom_.canZoomIn());
    btCCRZooMinus->setEnabled(zoom_.canZoomOut());
}

void FWChangeColorRange::clearPalette() {
    palette_ = {};
    ImPaleteCCR->setPicture({});
}

void FWChangeColorRange::paletteAt(QPoint at, Qt::MouseButtons buttons) {
    if (!QRect(QPoint(0, 0), ImPaleteCCR->size()).contains(at) || palette_.isNull()) return;
    const std::optional<core::Rgb16> picked = core::PickPaletteColour(palette_, at.x(), at.y());
    if (!picked) return;
    if (buttons & Qt::LeftButton) {
        emit targetPicked(*picked);
        return;
    }
    if (buttons != Qt::NoButton) return;
    // No button down: the output strip shows what this colour would give.
    hovering_ = true;
    pendingHover_ = at;
    if (!busy_) next();
}

void FWChangeColorRange::redraw(bool skipSource) {
    pendingRedraw_ = pendingRedraw_ ? (*pendingRedraw_ && skipSource) : skipSource;
    if (!busy_) next();
}

void FWChangeColorRange::run(DrawJob job, std::function<void(core::RangeWindowPictures)> done) {
    busy_ = true;
    runner_(std::move(job), [this, done = std::move(done)](core::RangeWindowPictures pictures) {
        done(std::move(pictures));
        busy_ = false;
        next();
    });
}

void FWChangeColorRange::next() {
    if (pendingRedraw_) {
        const bool skipSource = *pendingRedraw_;
        pendingRedraw_.reset();
        const core::RangeWindowSizes sizes{ImSourceCCR->size(), ImOutputCCR->size(),
                                           ImPaleteCCR->size()};
        const core::ColorRangeItem range = range_;
        const int32_t zoom = zoom_.value();
        run(
            [sizes, skipSource, range, zoom] {
                return core::DrawRangeWindow(sizes, true, skipSource, range.Tolerance, range, zoom);
            },
            [this](core::RangeWindowPictures p) {
                const int visible = ImSourceCCR->width();
                if (!p.source.isNull()) ImSourceCCR->setPicture(p.source.toImage(visible));
                output_ = p.output.toImage(ImOutputCCR->width());
                if (!hovering_) ImOutputCCR->setPicture(output_);
                palette_ = std::move(p.palette);
                ImPaleteCCR->setPicture(palette_.toImage());
            });
        return;
    }
    if (pendingHover_) {
        const QPoint at = *pendingHover_;
        pendingHover_.reset();
        const QSize size = ImOutputCCR->size();
        const core::ColorRangeItem range = range_;
        run(
            [size, range, palette = palette_, at] {
                core::RangeWindowPictures p;
                p.output = core::PreviewPaletteColour(size, range, palette, at.x(), at.y());
                return p;
            },
            [this](core::RangeWindowPictures p) {
                if (hovering_ && !p.output.isNull())
                    ImOutputCCR->setPicture(p.output.toImage(ImOutputCCR->width()));
            });
    }
}

}  // namespace app
