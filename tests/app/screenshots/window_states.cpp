// Saves a picture of each state of the program window, for people to look at: run it under a
// display (tools/screenshots.sh uses Xvfb) with the folder for the pictures and the language as
// its arguments. The window opens the sample photograph, shows every tuning tab with a preview,
// runs in full and shows the result, shows itself in each skin, shows the queue window, and
// shows its message box.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "app/batch/queue_commands.h"
#include "app/batch/queue_form.h"
#include "app/editors/memory_color_name_form.h"
#include "app/editors/memory_colors.h"
#include "app/editors/memory_colors_form.h"
#include "app/files/picture_dialog.h"
#include "app/files/pref_form.h"
#include "app/fullscreen/full_screen_form.h"
#include "app/fullscreen/full_screen_view.h"
#include "app/main/about_form.h"
#include "app/main/file_chooser.h"
#include "app/main/main_form.h"
#include "app/main/message_form.h"
#include "app/main/settings_files.h"
#include "app/preview/full_view.h"
#include "app/preview/full_views.h"
#include "app/preview/picture_view.h"
#include "core/document/merge_images.h"
#include "core/i18n/language.h"
#include "core/main/scripted_asker.h"
#include "core/main/skin_choice.h"
#include "core/presets/file_settings_cache.h"
#include "core/presets/settings_file.h"
#include "core/preview/zoom_list.h"
#include "shots.h"

namespace shots {

void save(QWidget& window, const QString& folder, const QString& name) {
    QApplication::processEvents();
    window.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

}  // namespace shots

using shots::save;

namespace {

class NoFiles : public app::FileChooser {
  public:
    QString openPicture(QWidget*, const QString&) override { return {}; }
    std::optional<app::SaveChoice> savePicture(QWidget*, const QString&, int) override {
        return {};
    }
};

// The preferences window, one picture per tab.
void savePreferenceStates(QWidget& window, const core::Language& texts, const QString& dataFolder,
                          const QString& folder, const QString& language) {
    core::ProgramOptions options;
    app::TPrefForm prefs(texts, core::ProgramFolders(QStringLiteral(VF_BUILD_FOLDER), dataFolder),
                         QString(), options, &window);
    prefs.show();
    for (int tab = 0; tab < prefs.PageControl1->count(); ++tab) {
        prefs.PageControl1->setCurrentIndex(tab);
        const QString page = prefs.PageControl1->widget(tab)->objectName();
        save(prefs, folder, language + QStringLiteral("-preferences-") + page);
    }
    prefs.hide();
}

// The picture dialogs, the save dialog on a JPEG type with the sample's preview.
void savePictureDialogStates(const core::Language& texts, const QString& folder,
                             const QString& language) {
    core::ProgramOptions options;
    for (const auto kind : {app::PictureDialogKind::Open, app::PictureDialogKind::Save}) {
        app::TPictureDialog dialog(kind, texts, options);
        dialog.resize(960, 540);
        dialog.setDirectory(QStringLiteral(VF_BUILD_FOLDER "/images"));
        dialog.show();
        if (kind == app::PictureDialogKind::Save) dialog.setFilterIndex(2);
        QApplication::processEvents();
        emit dialog.currentChanged(QStringLiteral(VF_BUILD_FOLDER "/images/sample.jpg"));
        save(dialog, folder, language + QLatin1Char('-') + dialog.objectName());
        dialog.hide();
    }
}

// Lets the engine thread finish what it was given.
void settle(app::TMainForm& form) {
    QElapsedTimer clock;
    clock.start();
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    } while (
        (form.busy() || form.scheduler().restartPending() || form.scheduler().requestPending()) &&
        clock.elapsed() < 60000);
    QApplication::processEvents();
}

// The full-screen preview as it opens from the window's present state, saved and closed again.
void saveFullScreenState(app::TMainForm& window, const QString& folder, const QString& name) {
    if (!window.openFullScreen()) return;
    auto* preview = window.findChild<app::TFullScreenForm*>(QString(), Qt::FindDirectChildrenOnly);
    if (!preview) return;
    QElapsedTimer clock;
    clock.start();
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    } while ((preview->busy() || !preview->view()->isVisible()) && clock.elapsed() < 60000);
    save(*preview, folder, name);
    preview->close();
    settle(window);
}

void sendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, modifiers);
    QApplication::sendEvent(w, &event);
}

// The pick tools at work: an eye box being drawn on the red-eye tab, a white-point pick on the
// colour tab with its sampling frame.
void savePickStates(app::TMainForm& window, const QString& folder, const QString& language) {
    const auto showTab = [&window](const char* sheet) {
        QWidget* page = window.ui().pages->page(QString::fromLatin1(sheet));
        if (!page) return false;
        const int index = window.ui().pages->indexOf(page);
        window.ui().pages->setTabVisible(index, true);
        window.ui().pages->setCurrentIndex(index);
        settle(window);
        return true;
    };
    app::PictureView* view = window.ui().imagePreviewSource;
    if (showTab("tsRedeye")) {
        const QRect r = view->pictureRect();
        const QPoint start = r.center();
        sendMouse(view, QEvent::MouseButtonPress, start, Qt::RightButton, Qt::RightButton);
        sendMouse(view, QEvent::MouseMove, start + QPoint(14, 9), Qt::NoButton, Qt::RightButton);
        save(window, folder, language + QStringLiteral("-tuning-tsRedeye-eye-box"));
        sendMouse(view, QEvent::MouseButtonRelease, start + QPoint(14, 9), Qt::RightButton,
                  Qt::NoButton);
        settle(window);
    }
    if (showTab("tsColor")) {
        // The most nearly white spot of the preview (a cup's rim), as a photographer would pick.
        const QRect r = view->pictureRect();
        const QImage shown = view->picture();
        QPoint best(shown.width() / 2, shown.height() / 2);
        int bestScore = -1000;
        for (int y = 2; y < shown.height() - 2; ++y)
            for (int x = 2; x < shown.width() - 2; ++x) {
                const QRgb c = shown.pixel(x, y);
                const int lo = std::min({qRed(c), qGreen(c), qBlue(c)});
                const int hi = std::max({qRed(c), qGreen(c), qBlue(c)});
                if (lo - 2 * (hi - lo) > bestScore) {
                    bestScore = lo - 2 * (hi - lo);
                    best = QPoint(x, y);
                }
            }
        const QPoint at = r.topLeft() + QPoint(best.x() * r.width() / std::max(1, shown.width()),
                                               best.y() * r.height() / std::max(1, shown.height()));
        sendMouse(view, QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton,
                  Qt::ShiftModifier);
        sendMouse(view, QEvent::MouseButtonRelease, at, Qt::RightButton, Qt::NoButton,
                  Qt::ShiftModifier);
        settle(window);
        save(window, folder, language + QStringLiteral("-tuning-tsColor-white-point"));
    }
}

// The memory-colour window: opened for a picked colour (stored order, add section) with more
// entries than it shows at once, its name dialog, and the list alone (newest first).
void saveMemoryColorStates(app::TMainForm& window, const QString& folder, const QString& language) {
    app::MemoryColors* colors = window.memoryColors();
    const struct {
        const char* name;
        core::Rgb16 rgb;
    } entries[] = {{"Sky", {24000, 38000, 58000}},    {"Skin", {60000, 45000, 38000}},
                   {"Grass", {22000, 42000, 12000}},  {"Sand", {56000, 49000, 36000}},
                   {"Sunset", {62000, 30000, 14000}}, {"Deep sea", {4000, 22000, 36000}}};
    for (const auto& e : entries)
        if (!colors->store().add(QString::fromLatin1(e.name), e.rgb).ok()) return;
    app::TFormMemoryColors* picked =
        colors->showForPickedColour({40000, 31000, 26000}, {41000, 32000, 27000});
    QApplication::processEvents();
    save(*picked, folder, language + QStringLiteral("-memory-colours-picked"));
    picked->btMCAdd->click();
    if (app::TFormInputMCName* name = picked->nameDialog()) {
        name->edColorName->setText(QStringLiteral("Terracotta"));
        QApplication::processEvents();
        save(*name, folder, language + QStringLiteral("-memory-colours-name"));
        name->btCancelClick();
    }
    picked->btMCExitClick();
    settle(window);
    app::TFormMemoryColors* list = colors->showForList();
    QApplication::processEvents();
    save(*list, folder, language + QStringLiteral("-memory-colours-list"));
    list->btMCExitClick();
    settle(window);
}

// The presets box of the sharpening tab opened over the window, and the question of the
// per-file settings cache.
void savePresetStates(app::TMainForm& window, const core::Language& texts,
                      const QString& dataFolder, const QString& folder, const QString& language) {
    const QString group = dataFolder + QStringLiteral("/presets/tsSharpening");
    QDir().mkpath(group);
    for (const char* name : {"Crisp portraits", "Soft skin", "Landscapes at dusk"})
        (void)core::writeSettingsFile(
            group + QLatin1Char('/') + QString::fromLatin1(name) + QStringLiteral(".vrs"),
            core::settingsRecord(core::SettingsBlock{}, true, {}, {}));
    window.ui().pages->setCurrentWidget(window.ui().pages->page(QStringLiteral("tsSharpening")));
    settle(window);
    QComboBox* box = window.settingsFiles()->presetsBox();
    box->showPopup();
    QApplication::processEvents();
    QWidget* popup = box->view()->window();
    QPixmap shot = window.grab();
    {
        // The box sits at the window's foot: where the list would pass the window's edge it is
        // drawn above the box, as a screen with no room below shows it.
        QPoint at = window.mapFromGlobal(popup->pos());
        if (at.y() + popup->height() > shot.height())
            at.setY(box->mapTo(&window, QPoint(0, 0)).y() - popup->height());
        QPainter painter(&shot);
        painter.drawPixmap(at, popup->grab());
    }
    shot.save(folder + QLatin1Char('/') + language + QStringLiteral("-tuning-presets-box.png"));
    box->hidePopup();

    core::ScriptedAsker question;
    (void)core::offerFileSettings(core::kReloadAsk, question, texts,
                                  QStringLiteral("/home/ann/Pictures/2005/IMG_0412.JPG"));
    app::TMessageForm box2(core::layoutMessageBox(question.requests().front(), texts), &window);
    box2.show();
    QApplication::processEvents();
    box2.grab().save(folder + QLatin1Char('/') + language +
                     QStringLiteral("-file-settings-question.png"));
}

// The queue window: its options, an item's thumbnail and information, the warning when results
// would replace their photographs, a run under way and the log after it was stopped.
void saveQueueStates(app::TMainForm& window, core::ScriptedAsker& asker, const QString& dataFolder,
                     const QString& folder, const QString& language) {
    const QString photos = dataFolder + QStringLiteral("/photos");
    QDir().mkpath(photos);
    for (const char* name : {"IMG_0412.jpg", "IMG_0413.jpg", "IMG_0415.jpg"})
        QFile::copy(QStringLiteral(VF_BUILD_FOLDER "/images/sample.jpg"),
                    photos + QLatin1Char('/') + QString::fromLatin1(name));
    const auto waitFor = [](const std::function<bool()>& done) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < 20000)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
    };
    if (window.tuningMode()) window.menuRebuildClick();
    settle(window);
    waitFor([&window] { return !window.busy(); });
    window.openScanned(photos + QStringLiteral("/IMG_0413.jpg"));
    waitFor([&window] { return !window.busy() && window.folderListing().files.size() == 3; });
    settle(window);
    app::QueueCommands& queue = *window.queueCommands();
    // No preview first; the caption and the crop of the earlier states go to every picture.
    for (const int answer : {core::kResultNo, core::kResultYes, core::kResultYes})
        asker.answer(answer);
    queue.menuAddAllToQueueClick();
    queue.menuQueueClick();
    app::TQForm& form = *queue.window();
    const auto shot = [&form, &folder, &language](const char* name) {
        QApplication::processEvents();
        form.grab().save(folder + QLatin1Char('/') + language + QStringLiteral("-queue-") +
                         QString::fromLatin1(name) + QStringLiteral(".png"));
    };
    shot("options");
    auto* list = form.findChild<QTableWidget*>(QStringLiteral("ListView_Q"));
    list->selectRow(1);
    form.findChild<QTabWidget*>(QStringLiteral("pcQueue"))->setCurrentIndex(0);
    auto* thumbnail = form.findChild<QLabel*>(QStringLiteral("ImageQ"));
    waitFor([thumbnail] { return thumbnail->isVisible(); });
    shot("item");
    // The source folder without prefix or suffix: the results would replace the photographs.
    form.findChild<QTabWidget*>(QStringLiteral("pcQueue"))->setCurrentIndex(1);
    form.findChild<QRadioButton*>(QStringLiteral("RadioButton1"))->click();
    auto* suffix = form.findChild<QLineEdit*>(QStringLiteral("Edit2"));
    const QString keptSuffix = suffix->text();
    suffix->clear();
    emit suffix->textEdited(QString());
    auto* warning = form.findChild<QLabel*>(QStringLiteral("lblOutputIsSource"));
    waitFor([warning] { return warning->isVisible(); });
    shot("output-is-source");
    suffix->setText(keptSuffix);
    emit suffix->textEdited(keptSuffix);
    form.findChild<QRadioButton*>(QStringLiteral("RadioButton0"))->click();
    waitFor([warning] { return !warning->isVisible(); });
    // A run: a picture in work, then stopped.
    auto* current = form.findChild<QProgressBar*>(QStringLiteral("ProgressIndicator"));
    form.findChild<QPushButton*>(QStringLiteral("sbQRun"))->click();
    waitFor([current, thumbnail] { return current->value() > 300 && thumbnail->isVisible(); });
    shot("running");
    asker.answer(core::kResultYes);
    form.findChild<QPushButton*>(QStringLiteral("sbQAbort"))->click();
    waitFor([&queue] { return !queue.running(); });
    shot("stopped");
    form.close();
    settle(window);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    const QString language = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("english");
    core::Language texts;
    texts.load(QStringLiteral(VF_BUILD_FOLDER "/library/languages/") + language +
               QStringLiteral(".lng"));
    QTemporaryDir data;
    core::ScriptedAsker asker;
    NoFiles files;
    core::ProgramOptions options;
    options.expertMode = 1;  // every control shows
    app::TMainForm window({texts, asker, files,
                           core::ProgramFolders(QStringLiteral(VF_BUILD_FOLDER), data.path()),
                           core::SettingsBlock{}, options, QString(), 0});
    window.resize(1280, 800);
    window.show();
    save(window, folder, language + QStringLiteral("-viewing-empty"));
    window.openFile(QStringLiteral(VF_BUILD_FOLDER "/images/sample.jpg"));
    settle(window);
    save(window, folder, language + QStringLiteral("-viewing-source"));
    window.menuRebuildClick();
    for (int i = 0; i < window.ui().pages->count(); ++i) {
        if (!window.ui().pages->isTabVisible(i)) continue;
        window.ui().pages->setCurrentIndex(i);
        settle(window);
        QApplication::processEvents();
        settle(window);
        save(window, folder,
             language + QStringLiteral("-tuning-") + window.ui().pages->currentSheet());
    }
    savePickStates(window, folder, language);
    saveMemoryColorStates(window, folder, language);
    shots::saveColourRangeStates(window, folder, language);
    shots::saveEqualizerStates(window, folder, language);
    savePresetStates(window, texts, data.path(), folder, language);
    window.ui().pages->setCurrentIndex(0);
    settle(window);
    // The tuning mode with one frame: the output preview alone.
    const auto frames = [&window](const char* command) {
        window.ui().menu[QString::fromLatin1(command)]->trigger();
        for (int i = 0; i < 2; ++i) {
            QApplication::processEvents();
            settle(window);
        }
    };
    frames("menuFramesSingle");
    save(window, folder, language + QStringLiteral("-tuning-one-frame"));
    frames("menuFramesDouble");
    window.menuRebuildClick();
    settle(window);
    save(window, folder, language + QStringLiteral("-viewing-result"));
    saveFullScreenState(window, folder, language + QStringLiteral("-fullscreen-viewing"));

    // The full views at 100 %, at 200 % scrolled, with one frame and with both, at fit.
    app::FullViews& views = window.fullViews();
    views.selectZoomItem(core::viewZoomIndex(100));
    settle(window);
    save(window, folder, language + QStringLiteral("-views-100"));
    views.selectZoomItem(core::viewZoomIndex(200));
    auto* sourceBox = static_cast<QAbstractScrollArea*>(window.ui().imageSource->scrollBox());
    sourceBox->horizontalScrollBar()->setValue(sourceBox->horizontalScrollBar()->maximum() / 3);
    sourceBox->verticalScrollBar()->setValue(sourceBox->verticalScrollBar()->maximum() / 4);
    settle(window);
    save(window, folder, language + QStringLiteral("-views-200-scrolled"));
    window.ui().menu[QStringLiteral("menuFramesSingle")]->trigger();
    settle(window);
    save(window, folder, language + QStringLiteral("-views-single"));
    window.ui().menu[QStringLiteral("menuFramesDouble")]->trigger();
    settle(window);
    save(window, folder, language + QStringLiteral("-views-double"));
    views.selectZoomItem(core::viewZoomIndex(core::kZoomFitWindow));
    settle(window);
    save(window, folder, language + QStringLiteral("-views-fit"));
    // The crop tab with its frame, then straightened; the Text tab with a caption and a frame.
    const auto click = [&window](const char* name) {
        if (auto* b = window.ui().pages->control<QAbstractButton>(QString::fromLatin1(name)))
            b->click();
        settle(window);
    };
    window.menuRebuildClick();
    settle(window);
    window.ui().pages->setCurrentWidget(window.ui().pages->page(QStringLiteral("tsCrop")));
    settle(window);
    click("cbEnableCrop");
    save(window, folder, language + QStringLiteral("-tuning-crop-frame"));
    for (int i = 0; i < 6; ++i)
        click("sbRotateCropRight");
    save(window, folder, language + QStringLiteral("-tuning-crop-straightened"));
    saveFullScreenState(window, folder, language + QStringLiteral("-fullscreen-crop-fitted"));
    window.ui().pages->setCurrentWidget(window.ui().pages->page(QStringLiteral("tsColor")));
    settle(window);
    if (QSlider* saturation = window.ui().pages->slider(15)) saturation->setFocus();
    saveFullScreenState(window, folder, language + QStringLiteral("-fullscreen-adjusting"));
    window.ui().pages->setCurrentWidget(window.ui().pages->page(QStringLiteral("tsText")));
    settle(window);
    click("cbInsertText");
    if (auto* caption = window.ui().pages->control<QLineEdit>(QStringLiteral("editTextCaption"))) {
        caption->setText(QStringLiteral("Aarhus, Denmark"));
        emit caption->textEdited(caption->text());
    }
    settle(window);
    click("cbEnableFrame");
    save(window, folder, language + QStringLiteral("-tuning-text-caption-frame"));
    // Each main menu opened under its title, drawn over the window as the user sees it.
    for (const char* name : {"menuFile", "menuEdit", "menuProcess", "menuView", "menuHelpTop"}) {
        auto* menu = window.findChild<QMenu*>(QString::fromLatin1(name));
        if (!menu) continue;
        const QRect title = window.menuBar()->actionGeometry(menu->menuAction());
        menu->popup(window.menuBar()->mapToGlobal(title.bottomLeft()));
        QApplication::processEvents();
        QPixmap shot = window.grab();
        {
            QPainter painter(&shot);
            painter.drawPixmap(window.mapFromGlobal(menu->pos()), menu->grab());
        }
        shot.save(folder + QLatin1Char('/') + language + QStringLiteral("-menu-") +
                  QString::fromLatin1(name) + QStringLiteral(".png"));
        menu->hide();
    }
    app::TAboutForm about(texts, &window);
    about.show();
    QApplication::processEvents();
    about.grab().save(folder + QLatin1Char('/') + language + QStringLiteral("-about.png"));
    about.hide();
    savePreferenceStates(window, texts, data.path(), folder, language);
    savePictureDialogStates(texts, folder, language);
    saveQueueStates(window, asker, data.path(), folder, language);
    shots::saveRenamingStates(texts, folder, language);
    shots::saveNavigatorStates(window, folder, language);
    // The window in each shipped skin and in the plain look: viewing, then tuning.
    const QStringList skins =
        core::availableSkins(core::ProgramFolders(QStringLiteral(VF_BUILD_FOLDER), data.path()));
    for (const QString& skin : skins + QStringList{QString()}) {
        if (!window.chooseSkin(skin).ok()) return 1;
        const QString name =
            language + QStringLiteral("-skin-") + (skin.isEmpty() ? QStringLiteral("plain") : skin);
        save(window, folder, name + QStringLiteral("-viewing"));
        window.menuRebuildClick();
        settle(window);
        save(window, folder, name + QStringLiteral("-tuning"));
        window.menuRebuildClick();
        settle(window);
    }

    core::MessageBoxRequest question;
    question.text = texts.message(QStringLiteral("ALS_SAVE_RESULTS_IF_EXIT_QUEST"));
    question.title = texts.message(QStringLiteral("ALS_SAVING_RESULT"));
    question.style = core::kButtonsYesNoCancel | core::kIconQuestion;
    app::TMessageForm box(core::layoutMessageBox(question, texts), &window);
    box.show();
    QApplication::processEvents();
    box.grab().save(folder + QLatin1Char('/') + language + QStringLiteral("-message-box.png"));

    app::TMessageForm notice(core::layoutMessageBox(core::mergeNoticeRequest(texts), texts),
                             &window);
    notice.show();
    QApplication::processEvents();
    notice.grab().save(folder + QLatin1Char('/') + language + QStringLiteral("-merge-notice.png"));
    return 0;
}
