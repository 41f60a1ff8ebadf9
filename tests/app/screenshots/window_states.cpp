// Saves a picture of each state of the program window, for people to look at: run it under a
// display (tools/screenshots.sh uses Xvfb) with the folder for the pictures and the language as
// its arguments. The window opens the sample photograph, shows every tuning tab with a preview,
// runs in full and shows the result, and shows its message box.
#include <QAbstractButton>
// runs in full and shows the result, shows itself in each skin, and shows its message box.
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>

#include "app/main/about_form.h"
#include "app/main/file_chooser.h"
#include "app/main/main_form.h"
#include "app/main/message_form.h"
#include "app/preview/full_view.h"
#include "app/preview/full_views.h"
#include "app/preview/picture_view.h"
#include "core/document/merge_images.h"
#include "core/i18n/language.h"
#include "core/main/scripted_asker.h"
#include "core/main/skin_choice.h"
#include "core/preview/zoom_list.h"

namespace {

class NoFiles : public app::FileChooser {
  public:
    QString openPicture(QWidget*, const QString&) override { return {}; }
    std::optional<app::SaveChoice> savePicture(QWidget*, const QString&, int) override {
        return {};
    }
};

void save(QWidget& window, const QString& folder, const QString& name) {
    QApplication::processEvents();
    window.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
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
