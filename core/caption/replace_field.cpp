#include "core/caption/replace_field.h"

namespace core::caption {

QString replaceField(QString text, const QString& field, const QString& value) {
    if (value.isEmpty()) {
        text.replace(field + QLatin1Char(' '), QString(), Qt::CaseInsensitive);
        text = text.trimmed();
        text.replace(QLatin1Char(' ') + field, QString(), Qt::CaseInsensitive);
        text = text.trimmed();
    }
    text.replace(field, value, Qt::CaseInsensitive);
    return text.trimmed();
}

}  // namespace core::caption
