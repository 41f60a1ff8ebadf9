#include "core/batch/caption_step.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <vector>

#include "core/batch/picture_job.h"
#include "core/queue/queue_model.h"
#include "gui_application.h"

namespace {

// A flat 8-bit picture that keeps the pixels it was saved with.
class KeptPicture : public core::BatchPicture {
  public:
    explicit KeptPicture(std::vector<uint8_t>& saved)
        : saved_(saved), bytes_(size_t(stride()) * kH, 100) {}
    static constexpr int32_t kW = 50, kH = 40;
    int32_t width() const override { return kW; }
    int32_t height() const override { return kH; }
    bool is16Bit() const override { return false; }
    core::Status rotate(int32_t) override { return {}; }
    core::Status convertTo24Bits() override { return {}; }
    PixelView pixels() override { return {bytes_.data(), kW, 1, kH}; }
    void refreshDisplayData() override {}
    // The caption's items have their crop switched off.
    core::Status crop(int32_t, int32_t, int32_t, int32_t) override {
        return core::failure("unexpected crop");
    }
    core::Status resize(int32_t, int32_t, int32_t) override {
        return core::failure("unexpected resize");
    }
    core::Status save(const QString&, int32_t, int32_t, bool) override {
        saved_ = bytes_;
        return {};
    }
    static int stride() { return (kW * 3 + 3) & ~3; }
    // Blue, green, red of column x, row y from the top.
    static const uint8_t* at(const std::vector<uint8_t>& b, int x, int y) {
        return b.data() + size_t(stride()) * (kH - 1 - y) + 3 * x;
    }

  private:
    std::vector<uint8_t>& saved_;
    std::vector<uint8_t> bytes_;
};

class KeptSource : public core::PictureSource {
  public:
    core::Result<std::unique_ptr<core::BatchPicture>> load(const QString&,
                                                           const std::atomic<bool>&) override {
        return std::unique_ptr<core::BatchPicture>(std::make_unique<KeptPicture>(saved));
    }
    std::vector<uint8_t> saved;
};

class CaptionStepTest : public ::testing::Test {
  protected:
    core::PictureJobResult run(const core::SettingsBlock& settings, core::EngineCall engine) {
        const core::QueueParams item =
            core::makeQueueItem(dir.filePath("a.jpg"), true, settings, nullptr);
        core::PictureJobObserver observer;
        return core::runPictureJob(source, item, settings, {dir.filePath("out/a.jpg"), 4, 90, true},
                                   observer, aborted, std::move(engine), caption);
    }
    static core::SettingsBlock redFrame() {
        core::SettingsBlock b;
        b.FrameOn = 1;
        b.FrameColor = "255";
        return b;
    }
    QTemporaryDir dir;
    KeptSource source;
    std::atomic<bool> aborted{false};
    core::CaptionOptions caption;
    // The engine leaves the pixels as they are.
    core::EngineCall unchanged = [](ProcessingParams&) { return 1; };
};

TEST_F(CaptionStepTest, TheOptionsDefaultToTheDefaultTemplate) {
    EXPECT_EQ(
        caption.captionTemplate,
        QStringLiteral("[text] [date] [time] [filename] [iso] [aperture] [shutter] [camera]"));
    EXPECT_FALSE(caption.ignoreExif);
}

TEST_F(CaptionStepTest, TheSavedPictureCarriesTheFrame) {
    const auto r = run(redFrame(), unchanged);
    ASSERT_EQ(r.end, core::PictureJobEnd::Saved);
    ASSERT_FALSE(source.saved.empty());
    EXPECT_EQ(KeptPicture::at(source.saved, 0, 0)[2], 255);
    EXPECT_EQ(KeptPicture::at(source.saved, 0, 0)[0], 0);
    EXPECT_EQ(KeptPicture::at(source.saved, 25, 20)[0], 100);
}

TEST_F(CaptionStepTest, TheSavedPictureCarriesTheCaption) {
    coretest::ensureGuiApplication();
    core::SettingsBlock b;
    b.InsertText = 1;
    b.CaptionText = "WWWW";
    b.TextColor = "255";
    b.TextTransparency = 0;
    b.TextEffect = 0;  // print over
    b.FontSize = 200;
    b.TextAlign = 1;
    b.TextPosX = 5000;
    b.TextPosY = 3000;
    caption.captionTemplate = QStringLiteral("[text]");
    ASSERT_EQ(run(b, unchanged).end, core::PictureJobEnd::Saved);
    int red = 0;
    for (int y = 0; y < KeptPicture::kH; ++y)
        for (int x = 0; x < KeptPicture::kW; ++x)
            if (KeptPicture::at(source.saved, x, y)[2] > 200 &&
                KeptPicture::at(source.saved, x, y)[1] < 50)
                ++red;
    EXPECT_GT(red, 0);
}

TEST_F(CaptionStepTest, AStopAfterTheEngineDrawsNothingAndSavesNothing) {
    const auto r = run(redFrame(), [this](ProcessingParams&) {
        aborted.store(true);
        return 1;
    });
    EXPECT_EQ(r.end, core::PictureJobEnd::Aborted);
    EXPECT_TRUE(source.saved.empty());
}

TEST_F(CaptionStepTest, NeitherFrameNorSwitchesLeavesThePictureAsTheEngineMadeIt) {
    core::SettingsBlock b;
    b.CaptionText = "Kite";
    ASSERT_EQ(run(b, unchanged).end, core::PictureJobEnd::Saved);
    for (int y = 0; y < KeptPicture::kH; ++y)
        for (int x = 0; x < KeptPicture::kW; ++x)
            ASSERT_EQ(KeptPicture::at(source.saved, x, y)[2], 100);
}

}  // namespace
