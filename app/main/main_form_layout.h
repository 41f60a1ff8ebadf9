// The widgets of the main window and where they sit: the viewing layer with the whole source and
// output, the tuning layer with the tab pages beside the live preview, the help panel below and
// the status line. No behaviour lives here.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QToolBar>

#include "app/main/main_menu.h"
#include "app/preview/full_view.h"
#include "app/preview/picture_view.h"
#include "app/settings/tuning_pages.h"

namespace app {

struct MainFormLayout {
    MainMenu menu;
    QToolBar* toolBar = nullptr;
    QSplitter* splitter1 = nullptr;  // layers above, help panel below
    QStackedWidget* layers = nullptr;
    QWidget* layer1 = nullptr;  // tuning
    QWidget* layer2 = nullptr;  // viewing
    // Viewing mode.
    FullView* imageSource = nullptr;
    FullView* imageOutput = nullptr;
    QLabel* stxtLeft = nullptr;
    QLabel* stxtRight = nullptr;
    // Tuning mode.
    TuningPages* pages = nullptr;
    PictureView* imgFullSrc = nullptr;
    PictureView* imagePreviewSource = nullptr;
    PictureView* imagePreviewOutput = nullptr;
    QComboBox* cmbZoomPreview = nullptr;
    QWidget* panelOpt15_1 = nullptr;  // the preview's tool buttons
    QLabel* stxtOutput = nullptr;
    QProgressBar* progressPreview = nullptr;
    // Help panel and status line.
    QTextBrowser* helpBrowser = nullptr;
    QLabel* status = nullptr;
    QProgressBar* progress = nullptr;
    QLabel* lblElapsedTime = nullptr;
    QPushButton* sbAbort = nullptr;
};

MainFormLayout buildMainFormLayout(QMainWindow* window);

}  // namespace app
