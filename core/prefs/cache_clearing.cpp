#include "core/prefs/cache_clearing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <functional>
#include <limits>

#include "core/main/program_registry.h"
#include "core/main/registry_key.h"

namespace core {

namespace {

// A decimal stamp as the caches write it: at most ten digits within 32 bits.
bool parseStamp(const QString& digits, uint32_t& stamp) {
    bool ok = false;
    const qulonglong value = digits.toULongLong(&ok);
    if (!ok || value > std::numeric_limits<uint32_t>::max()) return false;
    stamp = static_cast<uint32_t>(value);
    return true;
}

// Deletes the files of one folder (not below it) whose names the test accepts.
void clearFiles(const QString& folder, const std::function<bool(const QString&)>& isCacheName,
                CacheClearing& result) {
    const QDir dir(folder);
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::Hidden |
                                                    QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (entry.isFile() && isCacheName(entry.fileName())) {
            if (QFile::remove(entry.absoluteFilePath()))
                ++result.removedFiles;
            else
                ++result.failedFiles;
        } else {
            ++result.keptFiles;
        }
    }
}

void removeIfEmpty(const QString& folder, CacheClearing& result) {
    QDir dir(folder);
    if (!dir.exists()) return;
    if (!dir.isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) return;
    if (dir.rmdir(dir.absolutePath())) ++result.removedFolders;
}

}  // namespace

QString thumbnailCacheName(const QString& fileName, uint32_t stamp) {
    const QFileInfo info(fileName);
    const QString suffix = info.suffix();
    QString base = info.fileName();
    if (!suffix.isEmpty() || base.endsWith(QLatin1Char('.'))) base.chop(suffix.size() + 1);
    return base + QLatin1Char('_') + QString::number(stamp) + QStringLiteral(".jpg");
}

int thumbnailCacheSubfolder(uint32_t stamp) {
    return static_cast<int>(stamp % kThumbnailSubfolders) + 1;
}

bool isThumbnailCacheName(const QString& name, int subfolder) {
    static const QRegularExpression pattern(QStringLiteral("^.+_([0-9]{1,10})\\.jpg$"));
    const QRegularExpressionMatch match = pattern.match(name);
    uint32_t stamp = 0;
    if (!match.hasMatch() || !parseStamp(match.captured(1), stamp) || stamp == 0) return false;
    return thumbnailCacheSubfolder(stamp) == subfolder;
}

bool isFileSettingsCacheName(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,10})_.+\\.vrs$"));
    const QRegularExpressionMatch match = pattern.match(name);
    uint32_t stamp = 0;
    return match.hasMatch() && parseStamp(match.captured(1), stamp);
}

CacheClearing clearThumbnailCache(const QString& folder) {
    CacheClearing result;
    // An empty path would name the working folder.
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return result;
    for (int sub = 1; sub <= kThumbnailSubfolders; ++sub) {
        const QString subfolder = QDir(folder).filePath(QString::number(sub));
        if (!QFileInfo(subfolder).isDir()) continue;
        clearFiles(
            subfolder, [sub](const QString& name) { return isThumbnailCacheName(name, sub); },
            result);
        removeIfEmpty(subfolder, result);
    }
    return result;
}

CacheClearing clearFileSettingsCache(const QString& folder, RegistryKey* key) {
    CacheClearing result;
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
        clearFiles(folder, isFileSettingsCacheName, result);
        removeIfEmpty(folder, result);
    }
    if (key) key->writeInt(QString::fromLatin1(kValueReloadLastUsedSettings), 2);
    return result;
}

}  // namespace core
