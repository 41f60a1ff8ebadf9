// In-memory pictures for the batch run's tests: a grey picture with a little noise, saved as a
// small marker file, with failures on request.
#pragma once

#include <QFile>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <deque>
#include <functional>
#include <map>
#include <random>
#include <stdexcept>
#include <vector>

#include "core/batch/batch_picture.h"
#include "imaging/file_io.h"

namespace testing_pictures {

// What was done to a picture; it outlives the picture, which the run frees after each item.
struct PictureRecord {
    std::vector<int32_t> rotations;
    int conversions = 0;
    int refreshes = 0;
    std::vector<std::array<int32_t, 4>> crops;    // left, top, right, bottom
    std::vector<std::array<int32_t, 3>> resizes;  // width, height, method
    int32_t savedWidth = 0, savedHeight = 0;
    bool failResize = false;  // the resize fails, as when its memory cannot be had
    std::function<void()> duringResize;
    std::function<void()> beforeSave;        // runs as the save starts (another process's moment)
    QStringList loadWarnings, saveWarnings;  // what the picture reports after each
};

class FakePicture : public core::BatchPicture {
  public:
    FakePicture(int32_t width, int32_t height, bool sixteen, bool failSave, PictureRecord& record)
        : record_(record), width_(width), height_(height), sixteen_(sixteen), failSave_(failSave) {
        std::mt19937 rng(5);
        std::normal_distribution<double> noise(0, 6);
        if (sixteen_) {
            wide_.resize(size_t(width) * height * 3);
            for (auto& v : wide_)
                v = uint16_t(std::clamp(30000.0 + 256 * noise(rng), 0.0, 65535.0));
        } else {
            narrow_.resize(size_t(stride()) * height);
            for (auto& v : narrow_)
                v = uint8_t(std::clamp(120.0 + noise(rng), 0.0, 255.0));
        }
    }
    int32_t width() const override { return width_; }
    int32_t height() const override { return height_; }
    bool is16Bit() const override { return sixteen_; }
    core::Status rotate(int32_t degrees) override {
        record_.rotations.push_back(degrees);
        return {};
    }
    core::Status convertTo24Bits() override {
        ++record_.conversions;
        return {};
    }
    PixelView pixels() override {
        if (sixteen_) return {wide_.data(), width_, 2, height_};
        return {narrow_.data(), width_, 1, height_};
    }
    void refreshDisplayData() override { ++record_.refreshes; }
    // Keeps the rectangle's pixels; rows count from the top.
    core::Status crop(int32_t left, int32_t top, int32_t right, int32_t bottom) override {
        record_.crops.push_back({left, top, right, bottom});
        const int32_t w = right - left + 1, h = bottom - top + 1;
        remap(w, h, [&](int32_t x, int32_t y) { return std::pair{left + x, top + y}; });
        return {};
    }
    // Nearest samples: enough for the run's tests, which look at sizes.
    core::Status resize(int32_t width, int32_t height, int32_t method) override {
        record_.resizes.push_back({width, height, method});
        if (record_.duringResize) record_.duringResize();
        if (record_.failResize)
            return core::failure("ER_UNKNOWN", QStringLiteral("out of memory for the resize"));
        const int32_t ow = width_, oh = height_;
        remap(width, height, [&](int32_t x, int32_t y) {
            return std::pair{int32_t(int64_t(x) * ow / width), int32_t(int64_t(y) * oh / height)};
        });
        return {};
    }
    // Written through the program's one file replacement, as the imaging layer writes.
    core::Status save(const QString& path, int32_t formatCode, int32_t quality,
                      bool replace) override {
        saveTried_ = true;
        if (record_.beforeSave) record_.beforeSave();
        const auto existing = replace ? imaging::Existing::Replace : imaging::Existing::Keep;
        record_.savedWidth = width_;
        record_.savedHeight = height_;
        const QByteArray text = QStringLiteral("saved %1 %2").arg(formatCode).arg(quality).toUtf8();
        const imaging::Bytes bytes(text.begin(), text.end());
        std::string error;
        bool saved = false;
        if (failSave_) {
            // Like a full disk: part of the file is written, then the write fails.
            imaging::ScopedWriteFailure full(3);
            saved = imaging::writeFileAtomically(QFile::encodeName(path).toStdString(), bytes,
                                                 error, existing);
        } else {
            saved = imaging::writeFileAtomically(QFile::encodeName(path).toStdString(), bytes,
                                                 error, existing);
        }
        if (!saved) return core::failure("ER_CANNOT_SAVE", QString::fromStdString(error));
        return {};
    }

    QStringList warnings() const override {
        return saveTried_ ? record_.loadWarnings + record_.saveWarnings : record_.loadWarnings;
    }

  private:
    // The picture of the new size whose pixel (x, y), rows from the top, is the old picture's
    // pixel from(x, y).
    template <typename From>
    void remap(int32_t w, int32_t h, From from) {
        if (sixteen_) {
            std::vector<uint16_t> out(size_t(w) * h * 3);
            for (int32_t y = 0; y < h; ++y)
                for (int32_t x = 0; x < w; ++x) {
                    const auto [sx, sy] = from(x, y);
                    for (int c = 0; c < 3; ++c)
                        out[(size_t(y) * w + x) * 3 + c] =
                            wide_[(size_t(sy) * width_ + sx) * 3 + c];
                }
            wide_ = std::move(out);
        } else {
            const int32_t outStride = (w * 3 + 3) & ~3;
            std::vector<uint8_t> out(size_t(outStride) * h);
            for (int32_t y = 0; y < h; ++y)
                for (int32_t x = 0; x < w; ++x) {
                    const auto [sx, sy] = from(x, y);
                    for (int c = 0; c < 3; ++c)
                        out[size_t(h - 1 - y) * outStride + x * 3 + c] =
                            narrow_[size_t(height_ - 1 - sy) * stride() + sx * 3 + c];
                }
            narrow_ = std::move(out);
        }
        width_ = w;
        height_ = h;
    }

    PictureRecord& record_;
    int32_t stride() const { return (width_ * 3 + 3) & ~3; }
    int32_t width_, height_;
    bool sixteen_, failSave_;
    std::vector<uint8_t> narrow_;
    std::vector<uint16_t> wide_;
    bool saveTried_ = false;
};

// Pictures by path: a missing entry fails to load.
class FakeSource : public core::PictureSource {
  public:
    struct Entry {
        int32_t width = 64;
        int32_t height = 48;
        bool sixteen = false;
        bool failSave = false;
        bool throwOnLoad = false;  // the decoder raises instead of answering
        bool failResize = false;
        QStringList loadWarnings = {};
        QStringList saveWarnings = {};
    };
    core::Result<std::unique_ptr<core::BatchPicture>> load(const QString& path,
                                                           const std::atomic<bool>& stop) override {
        if (duringLoad) duringLoad();
        // As a reader that reads in bands of rows: a load gives up once the stop is set.
        if (readsInBands && stop.load())
            return core::failure("ER_Q_CANNOT_LOAD", QStringLiteral("stopped"));
        const auto it = entries.find(path);
        if (it == entries.end())
            return core::failure("ER_Q_CANNOT_LOAD", QStringLiteral("no such file"));
        if (it->second.throwOnLoad) throw std::runtime_error("the decoder gave up");
        records.emplace_back();
        records.back().failResize = it->second.failResize;
        records.back().duringResize = duringResize;
        records.back().beforeSave = beforeSave;
        records.back().loadWarnings = it->second.loadWarnings;
        records.back().saveWarnings = it->second.saveWarnings;
        auto p =
            std::make_unique<FakePicture>(it->second.width, it->second.height, it->second.sixteen,
                                          it->second.failSave, records.back());
        loaded.push_back(path);
        return std::unique_ptr<core::BatchPicture>(std::move(p));
    }
    std::map<QString, Entry> entries;
    std::function<void()> duringResize;  // given to every picture loaded
    std::function<void()> beforeSave;    // given to every picture loaded
    std::function<void()> duringLoad;    // called as each load begins
    bool readsInBands = false;           // loads notice the stop (else they run to the end)
    std::vector<QString> loaded;
    std::deque<PictureRecord> records;  // one per load, in order
};

}  // namespace testing_pictures
