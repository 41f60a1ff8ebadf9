#include <gtest/gtest.h>

#include <vector>

#include "caller_picture.h"
#include "progress.h"
#include "progress_shares.h"

namespace dnr {
namespace {

uint32_t gNow = 0;
std::vector<int32_t> gReports;

void record(int32_t v) {
    gReports.push_back(v);
}

class ProgressTest : public ::testing::Test {
  protected:
    void SetUp() override {
        gNow = 1000;
        gReports.clear();
        progress::resetReportState();
        progress::setCallback(record);
    }
    void TearDown() override {
        progress::setCallback(nullptr);
        progress::resetReportState();
    }
    const progress::ClockScope clock_{[] { return gNow; }};
};

TEST_F(ProgressTest, ReportsEverySixteenthUnitAsPermilleTimesTen) {
    progress::setShare(100, 300);
    progress::begin(64);
    for (int i = 0; i < 15; ++i)
        progress::step();
    EXPECT_TRUE(gReports.empty());
    progress::step();  // 16: (100 + 200*16/64)/10 = 15
    ASSERT_EQ(gReports.size(), 1u);
    EXPECT_EQ(gReports[0], 150);

    for (int i = 0; i < 16; ++i)
        progress::step();  // 32, but within 100 ms
    EXPECT_EQ(gReports.size(), 1u);
    gNow += 100;
    for (int i = 0; i < 16; ++i)
        progress::step();  // 48: (100 + 150)/10 = 25
    ASSERT_EQ(gReports.size(), 2u);
    EXPECT_EQ(gReports[1], 250);
}

TEST_F(ProgressTest, SameValueIsNotReportedTwiceAndZeroTotalIsSilent) {
    progress::setShare(0, 10);
    progress::begin(1600);
    for (int i = 0; i < 1600; ++i) {
        gNow += 200;
        progress::step();
    }
    // Values 0 and 1 only (v = 10*count/1600/10).
    EXPECT_EQ(gReports, (std::vector<int32_t>{0, 10}));
    progress::begin(0);
    progress::report();
    EXPECT_EQ(gReports.size(), 2u);
}

TEST_F(ProgressTest, SuppressedStepsDoNotReport) {
    progress::setShare(0, 1000);
    progress::begin(32);
    progress::setSuppressed(true);
    for (int i = 0; i < 32; ++i)
        progress::step();
    progress::setSuppressed(false);
    EXPECT_TRUE(gReports.empty());
}

TEST_F(ProgressTest, NullCallbackIsNotCalled) {
    progress::setCallback(nullptr);
    progress::setShare(0, 1000);
    progress::begin(16);
    for (int i = 0; i < 16; ++i)
        progress::step();
    EXPECT_EQ(progress::lastReported(), 100);
}

struct ShareCase {
    const char* what;
    void (*configure)(ProcessingParams&);
    std::array<int32_t, 13> start;
};

TEST(ProgressShares, StartsAndEnds) {
    // Worked from the weights: total = 1 + the sum of the weights in use; each share is
    // weight*1000/total, truncated, added up.
    const ShareCase cases[] = {
        {"everything off but the write back",
         [](ProcessingParams&) {},
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 995}},
        {"default noise reduction with colour",
         [](ProcessingParams& p) {
             p.NoiseReductionOn = 1;
             p.ColorAdjustOn = 1;
         },
         // total = 1+362+323+5462+198+2755+1456+1076+200 = 11833
         {0, 30, 57, 57, 518, 518, 534, 766, 889, 889, 979, 979, 995}},
        {"aberration without noise reduction gets no share",
         [](ProcessingParams& p) {
             p.CAOn = 1;
             p.SharpenAmount = 20;
         },
         // total = 1+931+200 = 1132
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 822, 822, 822, 998}},
        {"high-noise filter, all stages",
         [](ProcessingParams& p) {
             p.NoiseReductionOn = 1;
             p.NoiseMode = 6;
             p.CAOn = 1;
             p.SharpenAmount = -5;
             p.ColorAdjustOn = 1;
             p.DistortionsOn = 1;
         },
         // total = 1+362+323+930+5462+931+1076+1000+200 = 10285
         {0, 35, 66, 156, 687, 687, 687, 687, 687, 777, 881, 978, 997}},
        {"mode 4 fills the gap",
         [](ProcessingParams& p) {
             p.NoiseReductionOn = 1;
             p.NoiseMode = 4;
         },
         // total = 1+362+323+5462+5462+198+2755+1456+200 = 16219
         {0, 22, 41, 41, 377, 713, 725, 894, 983, 983, 983, 983, 995}},
    };
    for (const ShareCase& c : cases) {
        testing::Picture pic(1, 1, 1);
        ProcessingParams p = testing::neutralParams(pic);
        c.configure(p);
        EXPECT_EQ(computeShares(p).start, c.start) << c.what;
    }
}

}  // namespace
}  // namespace dnr
