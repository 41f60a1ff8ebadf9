#include "core/preview/full_view_texts.h"

namespace core {

QString sourceViewCaption(const QString& fileName, const QString& sizeLine, bool modifiedByPlugin,
                          const TextLookup& lookup) {
    QString text =
        QStringLiteral("%1: %2 (%3)").arg(lookup(QStringLiteral("ALS_SOURCE")), fileName, sizeLine);
    if (modifiedByPlugin)
        text += QStringLiteral(", ") + lookup(QStringLiteral("ALS_MODIFIED_BY_PLUGIN"));
    return text;
}

}  // namespace core
