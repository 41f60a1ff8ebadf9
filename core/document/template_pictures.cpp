#include "core/document/template_pictures.h"

#include <QDir>
#include <QFile>

#include "imaging/imaging.h"

namespace core {

namespace {

Status writeTemplate(const QString& path, bool sixteen) {
    const imaging::Handle h = imaging::cNewSession();
    if (!h) return failure("ER_CANNOT_SAVE", path);
    imaging::cSet16BitComponentOptions(h, true, true);
    // Null pixels: a white picture.
    const bool made = sixteen ? imaging::cLoadImage16(h, nullptr, 0, kTemplateSide, kTemplateSide)
                              : imaging::cLoadImage8(h, nullptr, 0, kTemplateSide, kTemplateSide);
    const bool saved =
        made && imaging::cSave(h, QFile::encodeName(path).toStdString(), imaging::kCodeTiff);
    const QString reason = QString::fromStdString(imaging::cGetLastError(h));
    imaging::cDestroySession(h);
    if (!saved) return failure("ER_CANNOT_SAVE", path + QStringLiteral(": ") + reason);
    return {};
}

}  // namespace

Status writeTemplatePictures(const QString& folder) {
    if (!QDir().mkpath(folder)) return failure("ER_CANNOT_SAVE", folder);
    const QDir dir(folder);
    if (Status s = writeTemplate(dir.filePath(QLatin1String(kTemplate8Name)), false); !s) return s;
    return writeTemplate(dir.filePath(QLatin1String(kTemplate16Name)), true);
}

}  // namespace core
