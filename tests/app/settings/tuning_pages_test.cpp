// The tab pages as the tuning state drives them: every slider of the table exists with its range,
// position and value label of its own number, and the lists the renderer and the crop tables own
// are filled.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QSlider>

#include "app_fixture.h"
#include "core/settings/slider_table.h"

namespace apptest {

TEST_F(WindowTest, EverySliderShowsItsOwnStateAndLabel) {
    core::TuningState& state = form->tuning();
    for (const core::SliderConfig& config : core::sliderConfigs()) {
        const int n = config.number;
        QSlider* slider = form->ui().pages->slider(n);
        ASSERT_NE(slider, nullptr) << "SlideBar" << n;
        EXPECT_EQ(slider->minimum(), state.sliders[n].minimum) << n;
        EXPECT_EQ(slider->maximum(), state.sliders[n].maximum) << n;
        EXPECT_EQ(slider->value(), state.sliders[n].position) << n;
        QLabel* label = form->ui().pages->valueLabel(n);
        ASSERT_NE(label, nullptr) << "Label_val" << n;
        EXPECT_EQ(label->text().toStdString(), state.sliders[n].labelText) << n;
    }
    // A moved slider changes its own label only.
    QSlider* transparency = form->ui().pages->slider(27);
    transparency->setValue(40);
    EXPECT_EQ(form->ui().pages->valueLabel(27)->text(), QStringLiteral("40%"));
    EXPECT_EQ(form->ui().pages->valueLabel(7)->text().toStdString(), state.sliders[7].labelText);
}

TEST_F(WindowTest, TheFrameAndCropListsAreFilled) {
    const auto items = [this](const char* name) {
        return form->ui().pages->control<QComboBox>(QString::fromLatin1(name))->count();
    };
    EXPECT_EQ(items("Edit_frame_width"), 51);
    EXPECT_EQ(items("Edit_frame_innerwidth"), 21);
    EXPECT_EQ(items("Edit_frame_shadowwidth"), 26);
    EXPECT_EQ(items("cmbFrameEffect"), 9);
    EXPECT_EQ(items("cmbTxtEffect"), 5);
    EXPECT_EQ(items("cmbPaperResize"), 11);
    EXPECT_EQ(items("cmbWebResize"), 10);
    // The stored default frame width, 100, is item 25.
    EXPECT_EQ(
        form->ui().pages->control<QComboBox>(QStringLiteral("Edit_frame_width"))->currentIndex(),
        25);
}

}  // namespace apptest
