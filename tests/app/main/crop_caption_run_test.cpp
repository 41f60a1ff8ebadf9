// The full run of the window and a queue run of the same settings give the same picture, with the
// crop, straightening, resize, caption and frame all in use.
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <atomic>

#include "app/settings/crop_tab.h"
#include "app_fixture.h"
#include "core/batch/imaging_pictures.h"
#include "core/batch/picture_job.h"
#include "core/crop/session_crop_picture.h"
#include "core/document/image_slots.h"
#include "core/queue/queue_model.h"
#include "core/settings/settings_block.h"
#include "core/settings/tuning_collect.h"
#include "imaging/imaging.h"

namespace apptest {

namespace {

struct Pixels {
    int width = 0, height = 0, bytesPerSample = 0;
    std::vector<uint8_t> bytes;
};

Pixels pixelsOf(core::CropPicture& picture) {
    const PixelView v = picture.pixels();
    Pixels p{v.Width, v.Height, v.BytesPerSample, {}};
    const size_t row =
        v.BytesPerSample == 2 ? size_t(v.Width) * 6 : (size_t(v.Width) * 3 + 3) & ~size_t(3);
    const auto* bits = static_cast<const uint8_t*>(v.Bits);
    p.bytes.assign(bits, bits + row * size_t(v.Height));
    return p;
}

// A picture of the queue run that keeps its pixels where it would be saved.
class KeptPicture : public core::BatchPicture {
  public:
    KeptPicture(std::unique_ptr<core::BatchPicture> inner, Pixels& kept)
        : inner_(std::move(inner)), kept_(kept) {}
    int32_t width() const override { return inner_->width(); }
    int32_t height() const override { return inner_->height(); }
    bool is16Bit() const override { return inner_->is16Bit(); }
    PixelView pixels() override { return inner_->pixels(); }
    void refreshDisplayData() override { inner_->refreshDisplayData(); }
    core::Status crop(int32_t l, int32_t t, int32_t r, int32_t b) override {
        return inner_->crop(l, t, r, b);
    }
    core::Status resize(int32_t w, int32_t h, int32_t method) override {
        return inner_->resize(w, h, method);
    }
    core::Status rotate(int32_t degrees) override { return inner_->rotate(degrees); }
    core::Status convertTo24Bits() override { return inner_->convertTo24Bits(); }
    core::Status save(const QString&, int32_t, int32_t, bool) override {
        kept_ = pixelsOf(*inner_);
        return {};
    }

  private:
    std::unique_ptr<core::BatchPicture> inner_;
    Pixels& kept_;
};

class KeepingSource : public core::PictureSource {
  public:
    core::Result<std::unique_ptr<core::BatchPicture>> load(const QString& path,
                                                           const std::atomic<bool>& stop) override {
        auto loaded = pictures_.load(path, stop);
        if (!loaded) return loaded.failure();
        return std::unique_ptr<core::BatchPicture>(
            std::make_unique<KeptPicture>(std::move(loaded.value()), kept));
    }
    Pixels kept;

  private:
    core::ImagingPictureSource pictures_;
};

}  // namespace

TEST_F(WindowTest, AFullRunWithCropAndCaptionGivesTheQueueRunsPicture) {
    open(smallPicture());
    QSignalSpy shown(form.get(), &app::TMainForm::previewShown);
    form->menuRebuildClick();
    ASSERT_TRUE(shown.wait(kWaitMs));
    settle(*form);
    const auto control = [this](const char* name) {
        return form->ui().pages->control(QString::fromLatin1(name));
    };
    const auto click = [&](const char* name) {
        qobject_cast<QAbstractButton*>(control(name))->click();
        settle(*form);
    };
    // Crop for a 640 x 480 screen, straightened by one degree.
    form->ui().pages->setCurrentWidget(form->ui().pages->page(QStringLiteral("tsCrop")));
    settle(*form);
    click("cbEnableCrop");
    click("RadioButton_crop_1");
    auto* web = qobject_cast<QComboBox*>(control("cmbWebResize"));
    web->setCurrentIndex(1);
    emit web->activated(1);
    click("sbRotateCropRight");
    click("sbRotateCropRight");
    // A caption and a frame.
    form->ui().pages->setCurrentWidget(form->ui().pages->page(QStringLiteral("tsText")));
    settle(*form);
    click("cbInsertText");
    QTest::keyClicks(qobject_cast<QLineEdit*>(control("editTextCaption")),
                     QStringLiteral("Velmar"));
    click("cbEnableFrame");
    settle(*form);

    const core::SettingsBlock block = core::collectSettings(form->tuning());
    ASSERT_EQ(block.CropOn, 1);
    ASSERT_EQ(block.CropAngle, 1000);
    ASSERT_EQ(block.CropTargetWidth, 640);
    ASSERT_EQ(block.FrameOn, 1);
    ASSERT_EQ(block.InsertText, 1);

    QSignalSpy ended(form.get(), &app::TMainForm::fullRunEnded);
    form->menuRebuildClick();
    ASSERT_TRUE(ended.wait(kWaitMs));
    ASSERT_EQ(ended.first().first().value<core::RunEnd>(), core::RunEnd::Done);
    core::SessionCropPicture output(form->document().handle(core::ImageSlot::Output));
    const Pixels window = pixelsOf(output);
    EXPECT_EQ(window.width, 640);
    EXPECT_EQ(window.height, 480);

    KeepingSource pictures;
    const core::QueueParams item =
        core::makeQueueItem(smallPicture(), form->tuning().expertMode, block, nullptr);
    core::PictureJobObserver observer;
    const std::atomic<bool> aborted{false};
    core::CaptionOptions caption;
    caption.captionTemplate = QString::fromStdString(form->options().captionTemplate);
    const core::PictureJobResult job =
        core::runPictureJob(pictures, item, core::defaultSettingsBlock(),
                            {data.filePath(QStringLiteral("out.png")), imaging::kCodePng, 90, true},
                            observer, aborted, {}, caption);
    ASSERT_TRUE(job.done()) << qPrintable(job.status.ok() ? QString() : job.status.failure().key);
    EXPECT_EQ(pictures.kept.width, window.width);
    EXPECT_EQ(pictures.kept.height, window.height);
    EXPECT_EQ(pictures.kept.bytesPerSample, window.bytesPerSample);
    ASSERT_EQ(pictures.kept.bytes.size(), window.bytes.size());
    size_t differing = 0;
    for (size_t i = 0; i < window.bytes.size(); ++i)
        differing += pictures.kept.bytes[i] != window.bytes[i];
    EXPECT_EQ(differing, 0u);
}

}  // namespace apptest
