// The memory-colour window over the main window: entries added, renamed, moved and deleted with
// "mc.dat" read back after each change; the arrows move rows the way they point in both orders;
// a colour picked in the preview and a memory colour applied set the channel shifts and ask for
// one preview.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "app/editors/memory_color_name_form.h"
#include "app/editors/memory_colors.h"
#include "app/editors/memory_colors_form.h"
#include "app/preview/picture_view.h"
#include "app/settings/tuning_pages.h"
#include "app_fixture.h"
#include "core/editors/memory_colour_apply.h"
#include "core/editors/memory_colour_file.h"

namespace apptest {

namespace {

using Names = std::vector<std::string>;

class MemoryColorsTest : public WindowTest {
  protected:
    QString mcFile() const { return data.filePath(QStringLiteral("mc.dat")); }
    app::MemoryColors* colors() { return form->memoryColors(); }

    // What "mc.dat" holds now.
    Names stored() const {
        Names names;
        for (const auto& c : core::loadMemoryColors(mcFile()).colors)
            names.push_back(c.ColorName);
        return names;
    }
    static Names shown(const app::TFormMemoryColors* window) {
        Names names;
        for (const auto* row : window->rows())
            names.push_back(row->btName->text().toStdString());
        return names;
    }

    // Opens the name dialog with the button, types the name and saves.
    void enterName(app::TFormMemoryColors* window, QAbstractButton* opener, const QString& name) {
        opener->click();
        app::TFormInputMCName* dialog = window->nameDialog();
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(dialog->isVisible());
        dialog->edColorName->clear();
        QTest::keyClicks(dialog->edColorName, name);
        dialog->btSave->click();
    }
    void addNamed(app::TFormMemoryColors* window, const QString& name) {
        enterName(window, window->btMCAdd, name);
        QTest::qWait(0);  // the dialog deletes itself
        EXPECT_EQ(window->nameDialog(), nullptr);
    }
};

}  // namespace

TEST_F(MemoryColorsTest, AddRenameMoveAndDeleteAreWrittenAtOnce) {
    app::TFormMemoryColors* window =
        colors()->showForPickedColour({30000, 20000, 10000}, {31000, 21000, 11000});
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->pnAdd->isVisible());
    EXPECT_TRUE(window->cbIgnoreBrightness->isChecked());
    EXPECT_TRUE(window->rows().empty());
    EXPECT_FALSE(QFile::exists(mcFile()));

    // Added: the picked colour in sRGB, under the name given.
    addNamed(window, QStringLiteral("Sky"));
    addNamed(window, QStringLiteral("Skin"));
    addNamed(window, QStringLiteral("Grass"));
    EXPECT_EQ(stored(), (Names{"Sky", "Skin", "Grass"}));
    EXPECT_EQ(QFileInfo(mcFile()).size(), 3 * 57);
    const auto file = core::loadMemoryColors(mcFile()).colors;
    EXPECT_EQ(core::colourOf(file[0]), (core::Rgb16{31000, 21000, 11000}));
    // Opened for a pick, the list is in stored order.
    EXPECT_EQ(shown(window), (Names{"Sky", "Skin", "Grass"}));
    EXPECT_EQ(window->rows()[0]->pnColor->color(), QColor(121, 82, 43));

    // A taken name is refused with its message; the list stays.
    enterName(window, window->btMCAdd, QStringLiteral("Sky"));
    ASSERT_NE(window->nameDialog(), nullptr);
    EXPECT_TRUE(window->nameDialog()->isVisible());
    ASSERT_FALSE(asker.requests().empty());
    EXPECT_EQ(
        asker.requests().back().text,
        QStringLiteral("Color with the given name already exists! Please enter another name!"));
    window->nameDialog()->btCancel->click();
    QTest::qWait(0);
    EXPECT_EQ(stored(), (Names{"Sky", "Skin", "Grass"}));

    // Renamed: the entry keeps its place and colour.
    enterName(window, window->rows()[1]->btRename, QStringLiteral("Face"));
    QTest::qWait(0);
    EXPECT_EQ(stored(), (Names{"Sky", "Face", "Grass"}));
    EXPECT_EQ(shown(window), (Names{"Sky", "Face", "Grass"}));

    // Moved: the up arrow of the second row makes it the first row on screen and in the file.
    window->rows()[1]->btUp->click();
    EXPECT_EQ(shown(window), (Names{"Face", "Sky", "Grass"}));
    EXPECT_EQ(stored(), (Names{"Face", "Sky", "Grass"}));
    window->rows()[0]->btDown->click();
    EXPECT_EQ(shown(window), (Names{"Sky", "Face", "Grass"}));
    EXPECT_EQ(stored(), (Names{"Sky", "Face", "Grass"}));
    // The top row cannot go up, nor the bottom row down.
    EXPECT_FALSE(window->rows()[0]->btUp->isEnabled());
    EXPECT_FALSE(window->rows()[2]->btDown->isEnabled());

    // Deleted after a yes; a no keeps it.
    asker.answer(core::kResultNo);
    window->rows()[1]->btDelete->click();
    EXPECT_EQ(stored(), (Names{"Sky", "Face", "Grass"}));
    asker.answer(core::kResultYes);
    window->rows()[1]->btDelete->click();
    EXPECT_EQ(asker.requests().back().title, language.message(QStringLiteral("ALS_MC_DELETING")));
    EXPECT_EQ(stored(), (Names{"Sky", "Grass"}));
    EXPECT_EQ(shown(window), (Names{"Sky", "Grass"}));
    asker.answer(core::kResultYes);
    asker.answer(core::kResultYes);
    window->rows()[0]->btDelete->click();
    window->rows()[0]->btDelete->click();
    EXPECT_FALSE(QFile::exists(mcFile()));  // a list that became empty leaves no file

    // Escape does not close the form; its close button does.
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    window->btMCExit->click();
    EXPECT_FALSE(window->isVisible());
}

// Newest first, the up arrow moves toward the end of the stored list; in stored order toward its
// start: on screen both go up.
TEST_F(MemoryColorsTest, ArrowsMoveRowsTheWayTheyPointInBothOrders) {
    ASSERT_TRUE(core::saveMemoryColors(mcFile(), {{"A", 1, 1, 1}, {"B", 2, 2, 2}, {"C", 3, 3, 3}}));
    form.reset();
    form = makeForm();  // reads "mc.dat" when it is made
    ASSERT_EQ(colors()->store().colors().size(), 3u);

    app::TFormMemoryColors* list = colors()->showForList();
    EXPECT_FALSE(list->pnAdd->isVisible());
    EXPECT_EQ(shown(list), (Names{"C", "B", "A"}));
    list->rows()[1]->btUp->click();  // B
    EXPECT_EQ(shown(list), (Names{"B", "C", "A"}));
    EXPECT_EQ(stored(), (Names{"A", "C", "B"}));
    list->btMCExit->click();
    QTest::qWait(0);

    app::TFormMemoryColors* picked = colors()->showForPickedColour({1, 2, 3}, {1, 2, 3});
    EXPECT_EQ(shown(picked), (Names{"A", "C", "B"}));
    picked->rows()[1]->btUp->click();  // C
    EXPECT_EQ(shown(picked), (Names{"C", "A", "B"}));
    EXPECT_EQ(stored(), (Names{"C", "A", "B"}));
    picked->rows()[1]->btDown->click();  // A
    EXPECT_EQ(shown(picked), (Names{"C", "B", "A"}));
    EXPECT_EQ(stored(), (Names{"C", "B", "A"}));
}

// Opened from the colours tab without a picked colour there is nothing to correct: applying is
// not offered (unless black and white makes the engine correct from grey).
TEST_F(MemoryColorsTest, TheListAloneOffersNoApplying) {
    ASSERT_TRUE(core::saveMemoryColors(mcFile(), {{"Sky", 20000, 30000, 60000}}));
    form.reset();
    form = makeForm();
    auto* button = form->ui().pages->control<QAbstractButton>(QStringLiteral("sbMemoryColor"));
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->isEnabled());  // enabled by the black-and-white check box
    const int32_t red = form->tuning().block.RedShift;
    app::TFormMemoryColors* window = colors()->showForList();
    ASSERT_EQ(window->rows().size(), 1u);
    EXPECT_FALSE(window->rows()[0]->btName->isEnabled());
    EXPECT_FALSE(window->rows()[0]->pnColor->isEnabled());
    QSignalSpy applied(colors(), &app::MemoryColors::applied);
    window->rows()[0]->btName->click();
    QTest::mouseClick(window->rows()[0]->pnColor, Qt::LeftButton);
    // Refused at once: nothing was posted, the form is not waiting for shifts.
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(applied.count(), 0);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(form->tuning().block.RedShift, red);
    window->btMCExit->click();
    QTest::qWait(0);

    // In black and white the button opens the list and applying tones from grey.
    auto* bw = form->ui().pages->control<QAbstractButton>(QStringLiteral("cbBWConversion"));
    ASSERT_NE(bw, nullptr);
    bw->click();
    ASSERT_TRUE(form->tuning().checks.cbBWConversion);
    EXPECT_TRUE(button->isEnabled());
    button->click();
    window = colors()->window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->rows()[0]->btName->isEnabled());
    window->cbIgnoreBrightness->setChecked(false);
    window->rows()[0]->btName->click();
    ASSERT_TRUE(applied.wait(kWaitMs));
    const auto expected =
        core::memoryColourShifts(true, std::nullopt, {20000, 30000, 60000}, false);
    ASSERT_TRUE(expected.has_value());
    EXPECT_EQ(form->tuning().block.RedShift, expected->red);
    EXPECT_EQ(form->tuning().block.BlueShift, expected->blue);
    EXPECT_EQ(form->tuning().sliders[13].position, expected->blue + 100);
}

TEST_F(MemoryColorsTest, AColourPickedInThePreviewAndAMemoryColourAppliedSetTheShifts) {
    ASSERT_TRUE(core::saveMemoryColors(mcFile(), {{"Sky", 20000, 30000, 60000}}));
    form.reset();
    form = makeForm();
    open(smallPicture());
    form->menuRebuildClick();
    ASSERT_TRUE(form->tuningMode());
    QAction* mode = form->ui().menu[QStringLiteral("menuExpertMode")];
    if (!mode->isChecked()) mode->trigger();
    QWidget* page = form->ui().pages->page(QStringLiteral("tsColor"));
    form->ui().pages->setCurrentIndex(form->ui().pages->indexOf(page));
    settle(*form);
    app::PictureView* source = form->ui().imagePreviewSource;
    const QRect r = source->pictureRect();
    ASSERT_FALSE(r.isEmpty());

    // Ctrl + right on the source pane picks the colour and opens the list for it.
    const QPoint at = r.topLeft() + QPoint(r.width() / 2, r.height() / 3);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), QPointF(source->mapToGlobal(at)),
                      Qt::RightButton, Qt::RightButton, Qt::ControlModifier);
    QApplication::sendEvent(source, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), QPointF(source->mapToGlobal(at)),
                        Qt::RightButton, Qt::NoButton, Qt::ControlModifier);
    QApplication::sendEvent(source, &release);
    for (int i = 0; i < kWaitMs / 25 && !colors()->window(); ++i)
        QTest::qWait(25);
    app::TFormMemoryColors* window = colors()->window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->pnAdd->isVisible());
    ASSERT_TRUE(window->view().picked.has_value());
    ASSERT_EQ(window->rows().size(), 1u);
    ASSERT_TRUE(window->rows()[0]->btName->isEnabled());
    settle(*form);

    // The small test picture carries no colour profile: its pick in sRGB is its own colour.
    const core::Rgb16 picked = *window->view().picked;
    const auto expected = core::memoryColourShifts(false, picked, {20000, 30000, 60000}, true);
    ASSERT_TRUE(expected.has_value());

    QSignalSpy shown(form.get(), &app::TMainForm::previewShown);
    QSignalSpy applied(colors(), &app::MemoryColors::applied);
    window->rows()[0]->btName->click();
    ASSERT_TRUE(applied.wait(kWaitMs));
    for (int i = 0; i < kWaitMs / 25 && colors()->window(); ++i)
        QTest::qWait(25);
    EXPECT_EQ(colors()->window(), nullptr);  // applying closes the form
    const core::TuningState& s = form->tuning();
    EXPECT_EQ(s.block.RedShift, expected->red);
    EXPECT_EQ(s.block.GreenShift, expected->green);
    EXPECT_EQ(s.block.BlueShift, expected->blue);
    EXPECT_EQ(s.sliders[11].position, expected->red + 100);
    EXPECT_EQ(form->ui().pages->slider(13)->value(), expected->blue + 100);
    EXPECT_NE(*expected, (core::ChannelShifts{0, 0, 0}));
    // The preview may already have come while the form closed.
    if (shown.isEmpty()) {
        ASSERT_TRUE(shown.wait(kWaitMs));
    }
    // Nothing runs or waits any more: no second preview follows.
    settle(*form);
    EXPECT_EQ(shown.count(), 1);
}

}  // namespace apptest
