// The colour-range window over the main window: a range picked in the preview opens it, a palette
// click sets the range's target and asks for one preview, the zoom buttons stop at their ends,
// save keeps and cancel drops a new range, leaving the tuning mode closes it; the range list
// deletes and chooses ranges with the edited one kept in view.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include "app/editors/colour_range_list_form.h"
#include "app/editors/colour_range_window.h"
#include "app/editors/colour_ranges.h"
#include "app/editors/memory_colors.h"
#include "app/preview/pointer_tools.h"
#include "app/preview/preview_overlay.h"
#include "app/settings/tuning_pages.h"
#include "app_fixture.h"
#include "core/preview/pointer_marks.h"

namespace apptest {

namespace {

void send(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
          Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, modifiers);
    QApplication::sendEvent(w, &event);
}

void click(QWidget* w, QPoint at, Qt::MouseButton button,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    send(w, QEvent::MouseButtonPress, at, button, button, modifiers);
    send(w, QEvent::MouseButtonRelease, at, button, Qt::NoButton, modifiers);
}

class ColourRangesTest : public WindowTest {
  protected:
    app::ColourRanges* ranges() { return form->colourRanges(); }
    app::FWChangeColorRange* window() { return ranges()->window(); }
    std::vector<core::ColorRangeItem>& list() { return form->tuning().colorRanges; }
    QAbstractButton* tabButton(const char* name) {
        return form->ui().pages->control<QAbstractButton>(QString::fromLatin1(name));
    }

    // The small picture in the tuning mode on the colours tab, in expert mode.
    void tuneColours() {
        open(smallPicture());
        form->menuRebuildClick();
        ASSERT_TRUE(form->tuningMode());
        QAction* mode = form->ui().menu[QStringLiteral("menuExpertMode")];
        if (!mode->isChecked()) mode->trigger();
        form->ui().pages->setCurrentWidget(form->ui().pages->page(QStringLiteral("tsColor")));
        settle(*form);
    }

    // Alt + right click in the middle of the source preview: a new range around that colour.
    void pickNewRange() {
        app::PictureView* source = form->ui().imagePreviewSource;
        ASSERT_FALSE(source->pictureRect().isEmpty());
        QSignalSpy editing(ranges(), &app::ColourRanges::editingChanged);
        click(source, source->pictureRect().center(), Qt::RightButton, Qt::AltModifier);
        ASSERT_TRUE(editing.wait(kWaitMs));
        waitForDrawings();
    }

    // Until the window's pictures are drawn and the preview that followed is shown.
    void waitForDrawings() {
        for (int i = 0; i < 400 && (window()->drawing() || window()->palette().isNull()); ++i)
            QTest::qWait(10);
        ASSERT_FALSE(window()->drawing());
        settle(*form);
    }

    // Three ranges of distinct colours, none edited.
    void threeRanges() {
        for (const core::Rgb16 rgb :
             {core::Rgb16{30000, 20000, 10000}, core::Rgb16{10000, 30000, 20000},
              core::Rgb16{20000, 10000, 30000}})
            core::addColourRange(form->tuning(), core::colourRangeAround(rgb, 40));
    }

    app::TFormEditSavedCCR* openList() {
        QSignalSpy shown(ranges(), &app::ColourRanges::listShown);
        EXPECT_TRUE(ranges()->showList());
        EXPECT_TRUE(shown.wait(kWaitMs));
        return ranges()->list();
    }

    static std::vector<int> shownNumbers(const app::TFormEditSavedCCR* form) {
        std::vector<int> numbers;
        for (const auto* row : form->rows())
            numbers.push_back(row->lbNumber->text().toInt());
        return numbers;
    }
};

}  // namespace

TEST_F(ColourRangesTest, APickedRangeOpensTheWindowWithItsControls) {
    tuneColours();
    ASSERT_FALSE(window()->isVisible());
    EXPECT_FALSE(tabButton("sbEditSavedCCR")->isEnabled());  // no ranges yet
    pickNewRange();
    ASSERT_EQ(list().size(), 1u);
    const core::ColorRangeItem& range = list()[0];
    EXPECT_EQ(range.Tolerance, 50);  // half the tolerance slider
    EXPECT_EQ(window()->SlideBar_ColorTol->value(), 50);
    EXPECT_EQ(core::targetColour(range), core::meanColour(range));
    EXPECT_TRUE(ranges()->windowOpen());
    EXPECT_EQ(ranges()->editedIndex(), 0);
    EXPECT_TRUE(window()->isVisible());
    EXPECT_TRUE(window()->isFloating());
    EXPECT_TRUE(tabButton("SB_ShowLastColorRange")->isChecked());
    EXPECT_TRUE(tabButton("sbEditSavedCCR")->isEnabled());
    // Zoom 1: only the plus button; a new range may be saved or cancelled.
    EXPECT_FALSE(window()->btCCRZooMinus->isEnabled());
    EXPECT_TRUE(window()->btCCRZoomplus->isEnabled());
    EXPECT_TRUE(window()->CCR_Sb_Save->isEnabled());
    EXPECT_TRUE(window()->CCR_Sb_Cancel->isEnabled());
    // The memory-colour box starts blank.
    EXPECT_EQ(window()->cbMemoryColors->currentIndex(), 0);
    // The three pictures are drawn; the source and output strips agree while nothing is corrected.
    EXPECT_FALSE(window()->ImSourceCCR->picture().isNull());
    EXPECT_EQ(window()->ImSourceCCR->picture(), window()->ImOutputCCR->picture());
    EXPECT_EQ(window()->ImPaleteCCR->picture().size(), window()->ImPaleteCCR->size());
    // The preview's tools now work on the range; the list's reset and undo hide.
    auto* tool1 = form->findChild<QToolButton*>(QStringLiteral("sbPreview_1"));
    ASSERT_NE(tool1, nullptr);
    EXPECT_EQ(tool1->toolTip(), language.message(QStringLiteral("ALS_PM_INCLUDECCR")));
    EXPECT_TRUE(
        form->findChild<QToolButton*>(QStringLiteral("sbPreview_4"))->isVisibleTo(form.get()));
    EXPECT_FALSE(form->findChild<QToolButton*>(QStringLiteral("sbColorsAreaReset"))
                     ->isVisibleTo(form.get()));
    // Another tab hides the window; coming back shows it again.
    form->ui().pages->setCurrentWidget(form->ui().pages->page(QStringLiteral("tsBrightness")));
    EXPECT_FALSE(window()->isVisible());
    form->ui().pages->setCurrentWidget(form->ui().pages->page(QStringLiteral("tsColor")));
    EXPECT_TRUE(window()->isVisible());
}

TEST_F(ColourRangesTest, APaletteClickSetsTheTargetAndRequestsOnePreview) {
    tuneColours();
    pickNewRange();
    const core::RangeBitmap palette = window()->palette();
    ASSERT_FALSE(palette.isNull());
    // A point of the colour map away from its centre, so that the target really changes.
    const QPoint at(palette.width() / 8, palette.height() / 4);
    const std::optional<core::Rgb16> expected = core::PickPaletteColour(palette, at.x(), at.y());
    ASSERT_TRUE(expected.has_value());
    ASSERT_NE(*expected, core::targetColour(list()[0]));

    window()->cbMemoryColors->addItem(QStringLiteral("Sky"));
    window()->cbMemoryColors->setCurrentIndex(1);
    QSignalSpy shown(form.get(), &app::TMainForm::previewShown);
    click(window()->ImPaleteCCR, at, Qt::LeftButton);
    EXPECT_EQ(core::targetColour(list()[0]), *expected);
    EXPECT_EQ(core::targetColour(ranges()->editing().range()), *expected);
    EXPECT_TRUE(core::RangeIsCorrected(list()[0]));
    EXPECT_EQ(window()->cbMemoryColors->currentIndex(), 0);  // the memory colour is forgotten
    EXPECT_TRUE(window()->CCR_Sb_Save->isEnabled());
    ASSERT_TRUE(shown.wait(kWaitMs));
    waitForDrawings();
    settle(*form);
    QTest::qWait(50);
    EXPECT_EQ(shown.count(), 1);
    // The output strip now starts from the new target; the source strip stays.
    EXPECT_NE(window()->ImOutputCCR->picture(), window()->ImSourceCCR->picture());

    // A click on the source strip takes the correction back.
    click(window()->ImSourceCCR, QPoint(5, 5), Qt::LeftButton);
    EXPECT_FALSE(core::RangeIsCorrected(list()[0]));
    waitForDrawings();
    EXPECT_EQ(window()->ImOutputCCR->picture(), window()->ImSourceCCR->picture());
}

TEST_F(ColourRangesTest, TheZoomButtonsStopAtTheirEnds) {
    tuneColours();
    pickNewRange();
    const QImage atOne = window()->ImPaleteCCR->picture();
    window()->btCCRZoomplus->click();
    EXPECT_EQ(window()->zoom().value(), 2);
    EXPECT_TRUE(window()->btCCRZooMinus->isEnabled());
    EXPECT_TRUE(window()->btCCRZoomplus->isEnabled());
    window()->btCCRZoomplus->click();
    EXPECT_EQ(window()->zoom().value(), 3);
    EXPECT_FALSE(window()->btCCRZoomplus->isEnabled());
    waitForDrawings();
    EXPECT_NE(window()->ImPaleteCCR->picture(), atOne);
    window()->btCCRZooMinus->click();
    window()->btCCRZooMinus->click();
    EXPECT_EQ(window()->zoom().value(), 1);
    EXPECT_FALSE(window()->btCCRZooMinus->isEnabled());
    waitForDrawings();
    EXPECT_EQ(window()->ImPaleteCCR->picture(), atOne);
}

TEST_F(ColourRangesTest, SaveKeepsCancelDropsAndLeavingTheTuningModeCloses) {
    tuneColours();
    // Cancel drops a range made in this editing.
    pickNewRange();
    ASSERT_EQ(list().size(), 1u);
    window()->CCR_Sb_Cancel->click();
    EXPECT_TRUE(list().empty());
    EXPECT_FALSE(ranges()->windowOpen());
    EXPECT_FALSE(window()->isVisible());
    EXPECT_FALSE(tabButton("SB_ShowLastColorRange")->isChecked());
    settle(*form);

    // Save keeps it with its tolerance.
    pickNewRange();
    window()->SlideBar_ColorTol->setValue(70);
    EXPECT_EQ(list()[0].Tolerance, 70);
    window()->CCR_Sb_Save->click();
    ASSERT_EQ(list().size(), 1u);
    EXPECT_EQ(list()[0].Tolerance, 70);
    EXPECT_FALSE(window()->isVisible());
    settle(*form);

    // The tab's button opens the newest range again; save waits for a change there.
    tabButton("SB_ShowLastColorRange")->click();
    EXPECT_TRUE(ranges()->windowOpen());
    EXPECT_EQ(ranges()->editedIndex(), 0);
    EXPECT_FALSE(window()->CCR_Sb_Save->isEnabled());
    window()->sbXcludeInvert->click();
    EXPECT_EQ(list()[0].AreasInclude, 1);
    EXPECT_TRUE(window()->CCR_Sb_Save->isEnabled());
    // Cancelling an existing range puts it back as it was.
    window()->CCR_Sb_Cancel->click();
    ASSERT_EQ(list().size(), 1u);
    EXPECT_EQ(list()[0].AreasInclude, 0);
    settle(*form);

    // Leaving the tuning mode ends the editing and closes the window.
    tabButton("SB_ShowLastColorRange")->click();
    ASSERT_TRUE(window()->isVisible());
    settle(*form);
    form->menuAbortClick();
    settle(*form);
    EXPECT_FALSE(form->tuningMode());
    EXPECT_FALSE(ranges()->windowOpen());
    EXPECT_FALSE(window()->isVisible());
    EXPECT_EQ(list().size(), 1u);
}

TEST_F(ColourRangesTest, TheListDeletesAndChoosesRangesKeepingTheEditedOneInView) {
    tuneColours();
    threeRanges();
    ASSERT_TRUE(ranges()->edit(1));
    const core::ColorRangeItem edited = list()[1];
    const core::ColorRangeItem newest = list()[2];
    settle(*form);

    app::TFormEditSavedCCR* listForm = openList();
    ASSERT_NE(listForm, nullptr);
    EXPECT_EQ(listForm->windowTitle(), language.message(QStringLiteral("ALS_CCR_CAPTION")));
    EXPECT_EQ(shownNumbers(listForm), (std::vector<int>{3, 2, 1}));  // newest first
    EXPECT_TRUE(listForm->rows()[1]->isCurrent());
    EXPECT_EQ(listForm->rows()[1]->imSource->toolTip(),
              language.message(QStringLiteral("ALS_CCR_CURRENT")));
    EXPECT_EQ(listForm->rows()[0]->imSource->toolTip(),
              language.message(QStringLiteral("ALS_CCR_EDITTHIS")));
    EXPECT_FALSE(listForm->rows()[0]->imSource->picture().isNull());

    // Deleting the oldest range: the edited one moves down an index and stays edited.
    listForm->rows()[2]->btDelete->click();
    ASSERT_EQ(list().size(), 2u);
    EXPECT_EQ(listForm->current(), 0);
    EXPECT_EQ(ranges()->editedIndex(), 0);
    EXPECT_EQ(list()[0], edited);
    EXPECT_EQ(ranges()->editing().range(), edited);
    EXPECT_TRUE(ranges()->windowOpen());
    EXPECT_EQ(shownNumbers(listForm), (std::vector<int>{2, 1}));
    EXPECT_TRUE(listForm->rows()[1]->isCurrent());
    EXPECT_TRUE(listForm->isVisible());
    // Escape does not close it.
    QTest::keyClick(listForm, Qt::Key_Escape);
    EXPECT_TRUE(listForm->isVisible());

    // The current row's swatch only closes the form.
    click(listForm->rows()[1]->imOutput, QPoint(3, 3), Qt::LeftButton);
    EXPECT_FALSE(listForm->isVisible());
    EXPECT_EQ(ranges()->editedIndex(), 0);
    settle(*form);

    // Another row's swatch makes that range the edited one.
    listForm = openList();
    ASSERT_NE(listForm, nullptr);
    click(listForm->rows()[0]->imSource, QPoint(3, 3), Qt::LeftButton);
    EXPECT_EQ(ranges()->editedIndex(), 1);
    EXPECT_EQ(ranges()->editing().range(), newest);
    EXPECT_TRUE(window()->isVisible());
    settle(*form);

    // Deleting all ends the editing.
    listForm = openList();
    ASSERT_NE(listForm, nullptr);
    listForm->btDeleteAll->click();
    EXPECT_TRUE(list().empty());
    EXPECT_FALSE(ranges()->windowOpen());
    EXPECT_FALSE(window()->isVisible());
    EXPECT_FALSE(listForm->isVisible());
    EXPECT_FALSE(tabButton("sbEditSavedCCR")->isEnabled());
}

TEST_F(ColourRangesTest, DeletingTheOnlyRangeEndsTheEditing) {
    tuneColours();
    pickNewRange();
    app::TFormEditSavedCCR* listForm = openList();
    ASSERT_NE(listForm, nullptr);
    ASSERT_EQ(listForm->rows().size(), 1u);
    listForm->rows()[0]->btDelete->click();
    EXPECT_TRUE(list().empty());
    EXPECT_EQ(ranges()->editedIndex(), -1);
    EXPECT_FALSE(window()->isVisible());
    EXPECT_FALSE(listForm->isVisible());
    EXPECT_FALSE(tabButton("SB_ShowLastColorRange")->isChecked());
}

TEST_F(ColourRangesTest, ARectangleDrawnInThePreviewLimitsTheEditedRange) {
    tuneColours();
    pickNewRange();
    app::PictureView* source = form->ui().imagePreviewSource;
    const QRect r = source->pictureRect();
    const QPoint start = r.center() - QPoint(10, 10);
    // Shift + right starts a rectangle, the pointer pulls it, a left press stores it.
    click(source, start, Qt::RightButton, Qt::ShiftModifier);
    send(source, QEvent::MouseMove, start + QPoint(20, 16), Qt::NoButton, Qt::NoButton);
    app::PointerTools* tools = form->findChild<app::PointerTools*>();
    ASSERT_TRUE(tools->overlay(source)->shape().has_value());
    EXPECT_FALSE(tools->overlay(source)->shapeIsEllipse());
    click(source, start + QPoint(20, 16), Qt::LeftButton);
    ASSERT_EQ(list().size(), 1u);
    ASSERT_EQ(list()[0].Areas.size(), 1u);
    EXPECT_EQ(list()[0].AreaCount, 1);
    EXPECT_NE(list()[0].Areas[0].Kind, 0);
    EXPECT_GT(list()[0].Areas[0].AreaWidth, 4);
    EXPECT_EQ(ranges()->editing().range(), list()[0]);
    EXPECT_FALSE(tools->overlay(source)->shape().has_value());
}

}  // namespace apptest

namespace apptest {

TEST_F(ColourRangesTest, AnIncludedColourWidensTheEditedRange) {
    tuneColours();
    pickNewRange();
    const core::ColorRangeItem before = list()[0];
    // Alt + right click, with the window open, includes the colour under the pointer: here a
    // corner of the picture, far from the middle's colour.
    app::PictureView* source = form->ui().imagePreviewSource;
    app::PointerTools* tools = form->findChild<app::PointerTools*>();
    QSignalSpy stored(tools, &app::PointerTools::marksChanged);
    click(source, source->pictureRect().topLeft() + QPoint(2, 2), Qt::RightButton, Qt::AltModifier);
    ASSERT_TRUE(stored.wait(kWaitMs));
    waitForDrawings();
    ASSERT_EQ(list().size(), 1u);
    EXPECT_NE(list()[0], before);
    EXPECT_GE(list()[0].Tolerance, before.Tolerance);
    EXPECT_EQ(ranges()->editing().range(), list()[0]);
    EXPECT_EQ(window()->SlideBar_ColorTol->value(), list()[0].Tolerance);
    EXPECT_EQ(window()->range(), list()[0]);
    // The target stays where it was.
    EXPECT_EQ(core::targetColour(list()[0]), core::targetColour(before));
}

}  // namespace apptest

namespace apptest {

TEST_F(ColourRangesTest, AMemoryColourBecomesTheTargetAtItsBrightness) {
    ASSERT_TRUE(
        form->memoryColors()->store().add(QStringLiteral("Sky"), {42000, 46000, 50000}).ok());
    ASSERT_TRUE(
        form->memoryColors()->store().add(QStringLiteral("Grass"), {22000, 42000, 12000}).ok());
    tuneColours();
    pickNewRange();
    QComboBox* box = window()->cbMemoryColors;
    ASSERT_EQ(box->count(), 3);  // a blank, then newest first
    EXPECT_EQ(box->itemText(0), QString());
    EXPECT_EQ(box->itemText(1), QStringLiteral("Grass"));
    EXPECT_EQ(box->itemText(2), QStringLiteral("Sky"));
    const core::Rgb16 before = core::targetColour(list()[0]);
    const auto luminance = [](const core::Rgb16& c) {
        return (4899 * c[0] + 9617 * c[1] + 1868 * c[2]) >> 14;
    };

    QSignalSpy shown(form.get(), &app::TMainForm::previewShown);
    box->setCurrentIndex(2);
    emit box->activated(2);
    ASSERT_TRUE(shown.wait(kWaitMs));
    waitForDrawings();
    const core::Rgb16 after = core::targetColour(list()[0]);
    EXPECT_NE(after, before);
    // Bluish like the sky, as bright as the target was (unless a channel ran into its top).
    EXPECT_GT(after[2], after[0]);
    if (std::max({after[0], after[1], after[2]}) < 65535) {
        EXPECT_NEAR(luminance(after), luminance(before), 2);
    }
    EXPECT_EQ(ranges()->editing().range(), list()[0]);
    EXPECT_TRUE(window()->CCR_Sb_Save->isEnabled());
}

}  // namespace apptest
