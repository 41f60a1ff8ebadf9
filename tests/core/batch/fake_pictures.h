// In-memory pictures for the batch run's tests: a grey picture with a little noise, saved as a
// small marker file, with failures on request.
#pragma once

#include <QFile>
#include <QSet>
#include <QString>
#include <deque>
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
    // Written through the program's one file replacement, as the imaging layer writes.
    core::Status save(const QString& path, int32_t formatCode, int32_t quality) override {
        const QByteArray text = QStringLiteral("saved %1 %2").arg(formatCode).arg(quality).toUtf8();
        const imaging::Bytes bytes(text.begin(), text.end());
        std::string error;
        bool saved = false;
        if (failSave_) {
            // Like a full disk: part of the file is written, then the write fails.
            imaging::ScopedWriteFailure full(3);
            saved =
                imaging::writeFileAtomically(QFile::encodeName(path).toStdString(), bytes, error);
        } else {
            saved =
                imaging::writeFileAtomically(QFile::encodeName(path).toStdString(), bytes, error);
        }
        if (!saved) return core::failure("ER_CANNOT_SAVE", QString::fromStdString(error));
        return {};
    }

  private:
    PictureRecord& record_;
    int32_t stride() const { return (width_ * 3 + 3) & ~3; }
    int32_t width_, height_;
    bool sixteen_, failSave_;
    std::vector<uint8_t> narrow_;
    std::vector<uint16_t> wide_;
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
    };
    core::Result<std::unique_ptr<core::BatchPicture>> load(const QString& path) override {
        const auto it = entries.find(path);
        if (it == entries.end())
            return core::failure("ER_Q_CANNOT_LOAD", QStringLiteral("no such file"));
        if (it->second.throwOnLoad) throw std::runtime_error("the decoder gave up");
        records.emplace_back();
        auto p =
            std::make_unique<FakePicture>(it->second.width, it->second.height, it->second.sixteen,
                                          it->second.failSave, records.back());
        loaded.push_back(path);
        return std::unique_ptr<core::BatchPicture>(std::move(p));
    }
    std::map<QString, Entry> entries;
    std::vector<QString> loaded;
    std::deque<PictureRecord> records;  // one per load, in order
};

}  // namespace testing_pictures
