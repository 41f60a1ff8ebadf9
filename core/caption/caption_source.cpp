#include "core/caption/caption_source.h"

#include "imaging/imaging.h"

namespace core::caption {

bool isPseudoName(const QString& name) {
    return name.compare(QLatin1String(kClipboardName), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String(kPluginName), Qt::CaseInsensitive) == 0;
}

CaptionSource captionSource(const QString& name, const ImageInformation& information) {
    CaptionSource s;
    if (!isPseudoName(name)) s.file = name;
    s.make = information.make;
    s.model = information.model;
    s.exposure = information.exposure;
    s.iso = information.iso;
    s.aperture = information.aperture;
    s.flash = information.flash;
    s.exifDate = information.date;
    return s;
}

CaptionSource captionSourceFromFile(const QString& path, bool ignoreExif) {
    ImageInformation information;
    const imaging::Handle helper = imaging::cNewSession();
    if (helper) {
        if (!describeFile(helper, path, ignoreExif, information)) information = {};
        imaging::cDestroySession(helper);
    }
    return captionSource(path, information);
}

}  // namespace core::caption
