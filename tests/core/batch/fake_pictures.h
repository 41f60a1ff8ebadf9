// In-memory pictures for the batch run's tests: a grey picture with a little noise, saved as a
// small marker file, with failures on request.
#pragma once

#include <QFile>
#include <QSet>
#include <QString>
#include <deque>
#include <map>
#include <random>
#include <vector>

#include "core/batch/batch_picture.h"

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
    bool rotate(int32_t degrees, QString&) override {
        record_.rotations.push_back(degrees);
        return true;
    }
    bool convertTo24Bits(QString&) override {
        ++record_.conversions;
        return true;
    }
    PixelView pixels() override {
        if (sixteen_) return {wide_.data(), width_, 2, height_};
        return {narrow_.data(), width_, 1, height_};
    }
    void refreshDisplayData() override { ++record_.refreshes; }
    bool save(const QString& path, int32_t formatCode, int32_t quality, QString& error) override {
        if (failSave_) {
            // Like a full disk: part of the file is written, then the write fails.
            QFile f(path);
            if (f.open(QIODevice::WriteOnly)) f.write("partial");
            error = QStringLiteral("No space left on device");
            return false;
        }
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)) {
            error = f.errorString();
            return false;
        }
        f.write(QStringLiteral("saved %1 %2").arg(formatCode).arg(quality).toUtf8());
        return true;
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
    };
    std::unique_ptr<core::BatchPicture> load(const QString& path, QString& error) override {
        const auto it = entries.find(path);
        if (it == entries.end()) {
            error = QStringLiteral("no such file");
            return nullptr;
        }
        records.emplace_back();
        auto p =
            std::make_unique<FakePicture>(it->second.width, it->second.height, it->second.sixteen,
                                          it->second.failSave, records.back());
        loaded.push_back(path);
        return p;
    }
    std::map<QString, Entry> entries;
    std::vector<QString> loaded;
    std::deque<PictureRecord> records;  // one per load, in order
};

}  // namespace testing_pictures
