#include "app/main/main_form_layout.h"

#include <QHBoxLayout>
#include <QStatusBar>
#include <QVBoxLayout>

namespace app {

namespace {

constexpr int kThumbnailHeight = 150;
constexpr const char* kZoomItems[] = {"25%",  "50%",  "100%", "150%", "200%",
                                      "250%", "300%", "350%", "400%"};

PictureView* pictureView(const char* name) {
    auto* view = new PictureView;
    view->setObjectName(QString::fromLatin1(name));
    view->setBackgroundRole(QPalette::Dark);
    return view;
}

QLabel* caption(const char* name) {
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QWidget* column(QLabel* title, QWidget* body) {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(title);
    layout->addWidget(body, 1);
    return box;
}

}  // namespace

MainFormLayout buildMainFormLayout(QMainWindow* window) {
    MainFormLayout l;
    l.menu = buildMainMenu(window);

    l.toolBar = window->addToolBar(QStringLiteral("Edit"));
    l.toolBar->setObjectName(QStringLiteral("ToolBar_Standart"));
    l.toolBar->setMovable(false);
    for (const char* name : {"menuOpen", "menuSave", "menuRebuild", "menuAbort", "menuRotateCCW",
                             "menuRotateCW", "menuHelp"})
        l.toolBar->addAction(l.menu[QString::fromLatin1(name)]);

    // Viewing: source and output side by side.
    l.layer2 = new QWidget;
    l.layer2->setObjectName(QStringLiteral("Layer2"));
    l.imageSource = new FullView(QStringLiteral("ImageSource"), QStringLiteral("PanelInnerSource"),
                                 QStringLiteral("ImageViewSourceLayer"));
    l.imageOutput = new FullView(QStringLiteral("ImageOutput"), QStringLiteral("PanelInnerOutput"),
                                 QStringLiteral("ImageViewOutputLayer"));
    l.stxtLeft = caption("stxtLeft");
    l.stxtRight = caption("stxtRight");
    auto* views = new QSplitter(Qt::Horizontal);
    views->addWidget(column(l.stxtRight, l.imageSource));
    views->addWidget(column(l.stxtLeft, l.imageOutput));
    auto* viewing = new QVBoxLayout(l.layer2);
    viewing->setContentsMargins(0, 0, 0, 0);
    viewing->addWidget(views);

    // Tuning: thumbnail and tabs on the left, the two previews on the right.
    l.layer1 = new QWidget;
    l.layer1->setObjectName(QStringLiteral("Layer1"));
    l.imgFullSrc = pictureView("ImgFullSrc");
    l.imgFullSrc->setFixedHeight(kThumbnailHeight);
    l.pages = new TuningPages;
    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(2, 2, 2, 2);
    leftLayout->addWidget(l.imgFullSrc);
    leftLayout->addWidget(l.pages, 1);
    left->setMinimumWidth(440);

    l.cmbZoomPreview = new QComboBox;
    l.cmbZoomPreview->setObjectName(QStringLiteral("cmbZoomPreview"));
    for (const char* item : kZoomItems)
        l.cmbZoomPreview->addItem(QString::fromLatin1(item));
    l.imagePreviewSource = pictureView("ImagePreviewSource");
    l.imagePreviewOutput = pictureView("ImagePreviewOutput");
    l.stxtOutput = caption("stxtOutput");
    l.stxtOutput->setWordWrap(true);
    l.progressPreview = new QProgressBar;
    l.progressPreview->setObjectName(QStringLiteral("ProgressIndicator_Preview"));
    l.progressPreview->setRange(0, 100);
    l.progressPreview->setMaximumHeight(10);
    l.progressPreview->setTextVisible(false);
    l.progressPreview->hide();
    auto* zoomRow = new QHBoxLayout;
    auto* zoomLabel = new QLabel(QStringLiteral("ALS_ZOOM_SHORT:"));
    zoomLabel->setObjectName(QStringLiteral("lblZoomPreview"));
    zoomRow->addWidget(zoomLabel);
    zoomRow->addWidget(l.cmbZoomPreview);
    l.panelOpt15_1 = new QWidget;
    l.panelOpt15_1->setObjectName(QStringLiteral("panelOpt15_1"));
    zoomRow->addWidget(l.panelOpt15_1);
    zoomRow->addWidget(l.progressPreview, 1);
    zoomRow->addStretch(2);
    auto* previews = new QSplitter(Qt::Horizontal);
    previews->addWidget(l.imagePreviewSource);
    previews->addWidget(l.imagePreviewOutput);
    auto* right = new QWidget;
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(2, 2, 2, 2);
    rightLayout->addLayout(zoomRow);
    rightLayout->addWidget(previews, 1);
    rightLayout->addWidget(l.stxtOutput);
    auto* tuning = new QSplitter(Qt::Horizontal);
    tuning->addWidget(left);
    tuning->addWidget(right);
    tuning->setStretchFactor(1, 1);
    auto* tuningLayout = new QVBoxLayout(l.layer1);
    tuningLayout->setContentsMargins(0, 0, 0, 0);
    tuningLayout->addWidget(tuning);

    l.layers = new QStackedWidget;
    l.layers->addWidget(l.layer2);
    l.layers->addWidget(l.layer1);

    l.helpBrowser = new QTextBrowser;
    l.helpBrowser->setObjectName(QStringLiteral("WebBrowser1"));
    l.helpBrowser->setOpenExternalLinks(true);
    l.helpBrowser->hide();
    l.splitter1 = new QSplitter(Qt::Vertical);
    l.splitter1->setObjectName(QStringLiteral("Splitter1"));
    l.splitter1->addWidget(l.layers);
    l.splitter1->addWidget(l.helpBrowser);
    l.splitter1->setStretchFactor(0, 1);
    window->setCentralWidget(l.splitter1);

    l.status = new QLabel;
    l.status->setObjectName(QStringLiteral("StatusBar"));
    l.progress = new QProgressBar;
    l.progress->setObjectName(QStringLiteral("ProgressIndicator"));
    l.progress->setRange(0, 100);
    l.progress->setMaximumWidth(220);
    l.progress->hide();
    l.lblElapsedTime = new QLabel;
    l.lblElapsedTime->setObjectName(QStringLiteral("lblElapsedTime"));
    l.sbAbort = new QPushButton(QStringLiteral("ALS_ABORT"));
    l.sbAbort->setObjectName(QStringLiteral("sbAbort"));
    l.sbAbort->hide();
    window->statusBar()->addWidget(l.status, 1);
    window->statusBar()->addPermanentWidget(l.lblElapsedTime);
    window->statusBar()->addPermanentWidget(l.progress);
    window->statusBar()->addPermanentWidget(l.sbAbort);
    return l;
}

}  // namespace app
