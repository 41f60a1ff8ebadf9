#include "core/batch/batch_texts.h"

#include <gtest/gtest.h>

namespace {

core::Language english() {
    core::Language l;
    l.setText(
        "ALS_NOISE=Noise\nALS_CORRECTION=correction\nALS_OK=OK\nALS_MINUTES_SHORT_3=min\n"
        "ALS_SECONDS_SHORT_3=sec\nALS_FRM_Q_SUCCESSFULLY_FINISHED=Finished: %s of %s pictures "
        "done\nALS_ABORTED_BY_USER=Aborted by the user\nALS_ERROR=Error\n"
        "ER_CANNOT_SAVE=cannot save the file\nER_UNKNOWN=Unknown error\n"
        "ER_CANNOT_LOAD_OR_SMALL=cannot load the picture\n");
    return l;
}

TEST(BatchTexts, LogLines) {
    const auto l = english();
    const struct {
        int32_t midtones, percent;
        const char* expected;
    } cases[] = {
        {10, 100, "a.jpg [noise=10] > OK"},
        {10, 120, "a.jpg [noise=10, correction=+20%] > OK"},
        {250, 80, "a.jpg [noise=250, correction=-20%] > OK"},
        {30, 0, "a.jpg [noise=30, correction=-100%] > OK"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::logLine(l, "a.jpg", c.midtones, c.percent, "OK"), c.expected);
    EXPECT_EQ(core::logLineWithoutNoise(
                  "b.jpg", core::resultText(l, "ALS_ERROR", "ER_CANNOT_LOAD_OR_SMALL")),
              "b.jpg > Error: cannot load the picture");
    EXPECT_EQ(core::saveFailureText(l, "ER_UNKNOWN", "/x/y.jpg"),
              "Unknown error: cannot save the file \"/x/y.jpg\"");
}

TEST(BatchTexts, Times) {
    const auto l = english();
    EXPECT_EQ(core::durationText(l, 1), "1 sec");
    EXPECT_EQ(core::durationText(l, 59), "59 sec");
    EXPECT_EQ(core::durationText(l, 125), "2 min 5 sec");
    EXPECT_EQ(core::remainingText(l, 10, 4), "?");               // below half a percent
    EXPECT_EQ(core::remainingText(l, 10, 500), "11 sec");        // 10 * 50 * 1.1 / 50
    EXPECT_EQ(core::remainingText(l, 60, 250), "3 min 18 sec");  // 60 * 75 * 1.1 / 25 = 198
    EXPECT_EQ(core::remainingText(l, 60, 1000), "0 sec");
}

TEST(BatchTexts, OverallProgress) {
    EXPECT_EQ(core::overallPermille(2, 500, 4), 625);
    EXPECT_EQ(core::overallPermille(0, 0, 3), 0);
    EXPECT_EQ(core::overallPermille(2, 1000, 3), 1000);
    EXPECT_EQ(core::overallPermille(1, 10, 3), 336);
    EXPECT_EQ(core::overallPermille(0, 500, 0), 0);
}

TEST(BatchTexts, Summary) {
    const auto l = english();
    EXPECT_EQ(core::summaryText(l, 1, 2, false), "Finished: 1 of 2 pictures done");
    EXPECT_EQ(core::summaryText(l, 0, 0, false), "Finished: 0 of 0 pictures done");
    EXPECT_EQ(core::summaryText(l, 0, 3, true),
              "Aborted by the user. Finished: 0 of 3 pictures done");
}

}  // namespace
