#include "core/queue/queue_file.h"

#include <QFile>

#include "core/files/file_replacement.h"
#include "core/settings/byte_codec.h"

namespace core {

namespace {

constexpr size_t kNoiseAreaSize = 8;
constexpr size_t kRedEyeSize = 24;
constexpr size_t kAreaSize = 20;
// A colour range without excluded areas: nine colours, the tolerance, the area count and the
// include switch.
constexpr size_t kSmallestColorRangeSize = 9 * 2 + 4 + 4 + 4;

void encodeArea(ByteWriter& w, const XcludedArea& a) {
    for (int32_t v : {a.Kind, a.CenterX, a.CenterY, a.AreaWidth, a.AreaHeight})
        w.i32(v);
}

void encodeColorRange(ByteWriter& w, const ColorRangeItem& r) {
    for (uint16_t v : r.Colors)
        w.u16(v);
    w.i32(r.Tolerance);
    w.i32(int32_t(r.Areas.size()));
    for (const XcludedArea& a : r.Areas)
        encodeArea(w, a);
    w.i32(r.AreasInclude);
}

// Reads fields from an open file; the first short read fails this reader for good.
class FileFields {
  public:
    explicit FileFields(QFile& file) : file_(file), size_(file.size()) {}

    bool ok() const { return ok_; }
    qint64 consumed() const { return consumed_; }
    qint64 left() const { return size_ - consumed_; }

    bool bytes(void* target, size_t n) {
        if (!ok_) return false;
        if (qint64(n) > left() || file_.read(static_cast<char*>(target), qint64(n)) != qint64(n)) {
            ok_ = false;
            return false;
        }
        consumed_ += qint64(n);
        return true;
    }
    uint8_t u8() {
        uint8_t b[1] = {};
        bytes(b, 1);
        return b[0];
    }
    uint16_t u16() {
        uint8_t b[2] = {};
        if (!bytes(b, 2)) return 0;
        return ByteReader(b, 2).u16();
    }
    int32_t i32() {
        uint8_t b[4] = {};
        if (!bytes(b, 4)) return 0;
        return ByteReader(b, 4).i32();
    }
    // A count of entries of the given size that the rest of the file can hold; a negative count,
    // or one larger than the file, ends the reading instead of allocating for it.
    size_t count(size_t entrySize) {
        const int32_t n = i32();
        if (!ok_) return 0;
        if (n < 0 || qint64(n) * qint64(entrySize) > left()) {
            ok_ = false;
            return 0;
        }
        return size_t(n);
    }

  private:
    QFile& file_;
    qint64 size_;
    qint64 consumed_ = 0;
    bool ok_ = true;
};

XcludedArea readArea(FileFields& f) {
    XcludedArea a{};
    for (int32_t* v : {&a.Kind, &a.CenterX, &a.CenterY, &a.AreaWidth, &a.AreaHeight})
        *v = f.i32();
    return a;
}

enum class RecordEnd { Whole, Short, WrongVersion };

RecordEnd readRecord(FileFields& f, bool requireCurrentVersion, QueueParams& item) {
    item.ExpertMode = f.u8();
    const size_t pathLength = f.count(1);
    item.SourcePath.resize(pathLength);
    if (pathLength) f.bytes(item.SourcePath.data(), pathLength);
    uint8_t settings[SettingsBlock::kSize];
    if (!f.bytes(settings, sizeof settings)) return RecordEnd::Short;
    item.Settings = decodeSettingsBlock(settings);
    if (requireCurrentVersion && item.Settings.Version != SettingsBlock::kVersion)
        return RecordEnd::WrongVersion;

    item.NoiseAreas.resize(f.count(kNoiseAreaSize));
    for (NoiseAreaEntry& e : item.NoiseAreas) {
        e.Luma = f.u16();
        e.ChromaRed = f.u16();
        e.ChromaBlue = f.u16();
        e.Strength = int16_t(f.u16());
    }
    item.ColorRanges.resize(f.count(kSmallestColorRangeSize));
    for (ColorRangeItem& r : item.ColorRanges) {
        for (uint16_t& v : r.Colors)
            v = f.u16();
        r.Tolerance = f.i32();
        r.Areas.resize(f.count(kAreaSize));
        r.AreaCount = int32_t(r.Areas.size());
        for (XcludedArea& a : r.Areas)
            a = readArea(f);
        r.AreasInclude = f.i32();
        if (!f.ok()) return RecordEnd::Short;
    }
    item.RedEyes.resize(f.count(kRedEyeSize));
    for (RedEyeEntry& e : item.RedEyes)
        for (int32_t* v : {&e.EyeX, &e.EyeY, &e.EyeWidth, &e.EyeHeight, &e.Darkening, &e.PupilSize})
            *v = f.i32();
    item.Rotation = f.u8();
    return f.ok() ? RecordEnd::Whole : RecordEnd::Short;
}

}  // namespace

void encodeQueueRecord(const QueueParams& item, std::vector<uint8_t>& out) {
    ByteWriter w(out);
    w.u8(item.ExpertMode);
    w.i32(item.SourcePathLength());
    w.bytes(item.SourcePath.data(), item.SourcePath.size());
    encodeSettingsBlock(item.Settings, out);
    w.i32(item.NoiseAreaCount());
    for (const NoiseAreaEntry& e : item.NoiseAreas) {
        w.u16(e.Luma);
        w.u16(e.ChromaRed);
        w.u16(e.ChromaBlue);
        w.u16(uint16_t(e.Strength));
    }
    w.i32(item.ColorRangeCount());
    for (const ColorRangeItem& r : item.ColorRanges)
        encodeColorRange(w, r);
    w.i32(item.RedEyeCount());
    for (const RedEyeEntry& e : item.RedEyes)
        for (int32_t v : {e.EyeX, e.EyeY, e.EyeWidth, e.EyeHeight, e.Darkening, e.PupilSize})
            w.i32(v);
    w.u8(item.Rotation);
}

std::vector<uint8_t> encodeQueueRecords(const std::vector<QueueParams>& items) {
    std::vector<uint8_t> out;
    for (const QueueParams& item : items)
        encodeQueueRecord(item, out);
    return out;
}

RecordFileContent readRecordFile(const QString& path, bool requireCurrentVersion,
                                 UnreadableFile unreadable) {
    const bool deleteUnreadable = unreadable == UnreadableFile::Delete;
    RecordFileContent result;
    if (!QFile::exists(path)) {
        result.success = true;
        return result;
    }
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            // Nothing was read, so nothing says the file is bad: it stays (a permission the user
            // can mend, a folder in its place), and the problem carries the system's reason.
            result.problem = QStringLiteral("cannot be opened: %1").arg(file.errorString());
            return result;
        }
        FileFields fields(file);
        if (file.size() < 5) {
            result.problem =
                QStringLiteral("is too short to hold a record (%1 bytes)").arg(file.size());
        } else {
            while (fields.consumed() < file.size()) {
                const qint64 start = fields.consumed();
                QueueParams item;
                const RecordEnd end = readRecord(fields, requireCurrentVersion, item);
                if (end == RecordEnd::Whole) {
                    result.items.push_back(std::move(item));
                    continue;
                }
                const qint64 number = qint64(result.items.size()) + 1;
                result.problem =
                    end == RecordEnd::WrongVersion
                        ? QStringLiteral("record %1 (at byte %2) has settings version %3, not %4")
                              .arg(number)
                              .arg(start)
                              .arg(item.Settings.Version)
                              .arg(SettingsBlock::kVersion)
                        : QStringLiteral("record %1 (at byte %2) is cut short or damaged")
                              .arg(number)
                              .arg(start);
                break;
            }
        }
    }
    if (result.items.empty() && deleteUnreadable) QFile::remove(path);
    result.success = !result.items.empty();
    return result;
}

RecordFileContent readQueueFile(const QString& path, UnreadableFile unreadable) {
    return readRecordFile(path, true, unreadable);
}

int32_t probeRecordFileVersion(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 9) return 0;
    FileFields f(file);
    f.u8();
    const size_t pathLength = f.count(1);
    std::string skipped(pathLength, '\0');
    if (pathLength) f.bytes(skipped.data(), pathLength);
    const int32_t version = f.i32();
    return f.ok() ? version : 0;
}

RecordFileContent readSettingsFile(const QString& path, UnreadableFile unreadable) {
    // A file that cannot be opened is not "not a settings file": say what the system says.
    if (QFile probe(path); probe.exists() && !probe.open(QIODevice::ReadOnly)) {
        RecordFileContent result;
        result.problem = QStringLiteral("cannot be opened: %1").arg(probe.errorString());
        return result;
    }
    // The known versions: the previous one is upgraded, then read as the current one. The
    // program's own files are upgraded in place; a file the user named (Keep) only in memory, so
    // that it is never rewritten behind the user's back (and a read-only one still serves).
    for (int pass = 0; pass < 2; ++pass) {
        const int32_t version = probeRecordFileVersion(path);
        if (version == SettingsBlock::kVersion) return readQueueFile(path, unreadable);
        if (version != SettingsBlock::kPreviousVersion) {
            RecordFileContent result;
            result.problem =
                version == 0 ? QStringLiteral("is not a settings file")
                             : QStringLiteral("has the unknown settings version %1").arg(version);
            return result;
        }
        RecordFileContent old = readRecordFile(path, false, unreadable);
        if (!old.success) return old;
        for (QueueParams& item : old.items) {
            item.Settings.Version = SettingsBlock::kVersion;
            item.Settings.AutoContrastDarkest = -1;
            item.Settings.AutoContrastBrightest = -1;
        }
        if (unreadable == UnreadableFile::Keep) {
            old.problem.clear();
            return old;
        }
        if (const Status written = writeRecordFile(old.items, path); !written) {
            old.success = false;
            old.problem = QStringLiteral("could not be rewritten in the current version (%1)")
                              .arg(written.failure().detail);
            return old;
        }
    }
    RecordFileContent result;
    result.problem = QStringLiteral("could not be upgraded");
    return result;
}

Status writeRecordFile(const std::vector<QueueParams>& items, const QString& path) {
    if (items.empty()) return removeFile(path);
    // The new content replaces the old file in one step, so a failed write keeps the previous
    // queue rather than losing every item in it.
    return replaceFile(path, encodeQueueRecords(items));
}

}  // namespace core
