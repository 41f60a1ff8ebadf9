// The zoom box of the full views: its items in order, their texts and the hint.
#include <gtest/gtest.h>

#include "core/preview/zoom_list.h"

namespace core {
namespace {

QString bracketed(const QString& key) {
    return QLatin1Char('[') + key + QLatin1Char(']');
}

TEST(ViewZoomList, ItemsInOrderWithTheirTexts) {
    const char* expected[] = {"[ALS_FIT_WIN]",
                              "[ALS_FIT_WDTH]",
                              "[ALS_FIT_HGHT]",
                              "[ALS_FIT_ORIG]",
                              "5%",
                              "10%",
                              "25%",
                              "50%",
                              "75%",
                              "100%",
                              "150%",
                              "200%",
                              "250%",
                              "300%",
                              "400%",
                              "500%",
                              "1000%"};
    ASSERT_EQ(kViewZoomCodes.size(), std::size(expected));
    for (int32_t i = 0; i < static_cast<int32_t>(kViewZoomCodes.size()); ++i) {
        const int32_t code = viewZoomCode(i);
        EXPECT_EQ(viewZoomItemText(code, bracketed), QLatin1String(expected[i])) << i;
        EXPECT_EQ(viewZoomIndex(code), i);
    }
}

TEST(ViewZoomList, UnknownCodesAndIndices) {
    EXPECT_EQ(viewZoomIndex(33), -1);
    EXPECT_EQ(viewZoomIndex(-5), -1);
    EXPECT_EQ(viewZoomCode(-1), kZoomFitWindow);
    EXPECT_EQ(viewZoomCode(17), kZoomFitWindow);
    EXPECT_EQ(viewZoomCode(9), 100);
}

TEST(ViewZoomList, HintShowsTheRoundedPercentage) {
    EXPECT_EQ(viewZoomHint(0.374, bracketed), QStringLiteral("[ALS_USER_ZOOM]: 37%"));
    EXPECT_EQ(viewZoomHint(2.0, bracketed), QStringLiteral("[ALS_USER_ZOOM]: 200%"));
    EXPECT_EQ(viewZoomHint(0.784, bracketed), QStringLiteral("[ALS_USER_ZOOM]: 78%"));
}

}  // namespace
}  // namespace core
