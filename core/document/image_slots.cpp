#include "core/document/image_slots.h"

#include <QFile>

namespace core {

namespace {

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace

void setUpSession(imaging::Handle session, const SessionSetup& setup) {
    imaging::cSet16BitComponentOptions(session, true, true);
    imaging::cSetAutoICCProfile(session, localPath(setup.monitorProfilePath));
    imaging::cSaveICCProfileEnabled(session, true);
    imaging::cSetAutodetectFormat(session, true);
    imaging::cSetAutoRotate(session, setup.autoRotate);
    imaging::cSetGeneralRawParams(session, 1, 1);
    imaging::cSetJPEGParams(session, 100, 1.0, true, 0);
    imaging::cSetPSDParams(session, 1);
}

ImageSlots::ImageSlots(const SessionSetup& setup) : setup_(setup) {
    for (int i = 1; i < kImageSlotCount; ++i) {
        handles_[size_t(i)] = imaging::cNewSession();
        if (handles_[size_t(i)]) setUpSession(handles_[size_t(i)], setup_);
    }
}

ImageSlots::~ImageSlots() {
    for (imaging::Handle h : handles_)
        if (h) imaging::cDestroySession(h);
}

bool ImageSlots::loadTemplate(const QString& path) {
    imaging::Handle& slot = handles_[index(ImageSlot::Template)];
    if (slot) imaging::cDestroySession(slot);
    slot = imaging::cNewSession();
    if (!slot) return false;
    imaging::cSet16BitComponentOptions(slot, true, true);
    imaging::cSetAutoICCProfile(slot, localPath(setup_.monitorProfilePath));
    if (!QFile::exists(path) || !imaging::cLoadImage(slot, localPath(path))) {
        imaging::cDestroySession(slot);
        slot = 0;
        return false;
    }
    return true;
}

bool ImageSlots::isEmpty(ImageSlot slot) const {
    return width(slot) <= 0 || height(slot) <= 0;
}

int ImageSlots::width(ImageSlot slot) const {
    imaging::ImageInfo info;
    return handle(slot) && imaging::cGetImageInfo(handle(slot), info) ? info.width : 0;
}

int ImageSlots::height(ImageSlot slot) const {
    imaging::ImageInfo info;
    return handle(slot) && imaging::cGetImageInfo(handle(slot), info) ? info.height : 0;
}

bool ImageSlots::is16Bit(ImageSlot slot) const {
    return handle(slot) && imaging::cGetBits16Ptr(handle(slot)) != nullptr;
}

void ImageSlots::unload(ImageSlot slot) {
    if (handle(slot)) imaging::cUnload(handle(slot));
}

bool ImageSlots::duplicate(ImageSlot from, ImageSlot to) {
    if (from == to) return !isEmpty(from);
    unload(to);
    if (!handle(from)) return false;
    const imaging::Handle copy = imaging::cDupSession(handle(from));
    if (!copy) return false;
    imaging::Handle& target = handles_[index(to)];
    if (target) imaging::cDestroySession(target);
    target = copy;
    return true;
}

void ImageSlots::setMonitorProfile(const QString& path) {
    setup_.monitorProfilePath = path;
    for (imaging::Handle h : handles_)
        if (h) imaging::cSetAutoICCProfile(h, localPath(path));
}

SlotPixels slotPixels(imaging::Handle session, bool want16) {
    imaging::ImageInfo info;
    if (!session || !imaging::cGetImageInfo(session, info) || info.width <= 0 || info.height <= 0)
        return {};
    if (want16)
        if (uint16_t* wide = imaging::cGetBits16Ptr(session))
            return {wide, 2, info.width, info.height};
    return {imaging::cGetBitsPtr(session), 1, info.width, info.height};
}

bool convertToProfileFile(imaging::Handle session, const QString& profilePath,
                          const imaging::ProgressCallback& progress) {
    QFile file(profilePath);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const qint64 size = file.size();
    if (size <= 0) return false;
    const QByteArray bytes = file.readAll();
    if (bytes.size() != size) return false;
    return imaging::cApplyICCProfileEx(session, reinterpret_cast<const uint8_t*>(bytes.constData()),
                                       size_t(bytes.size()), progress);
}

bool transferProfile(imaging::Handle from, imaging::Handle to, bool attach) {
    const std::vector<uint8_t> profile = imaging::cGetImageICCProfile(from);
    if (attach)
        return imaging::cLoadICCProfile(to, profile.empty() ? nullptr : profile.data(),
                                        profile.size());
    if (profile.empty()) return false;
    return imaging::cApplyICCProfileEx(to, profile.data(), profile.size());
}

}  // namespace core
