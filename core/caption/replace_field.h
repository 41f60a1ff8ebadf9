// One field of a caption template replaced by its value. An empty value takes one neighbouring
// space away with the field, so a missing date leaves no double or leading space behind.
#pragma once

#include <QString>

namespace core::caption {

// Fields match without regard to case. An empty value removes every "field " and then every
// " field" (trimming after each), and whatever remains of the field; the result is trimmed.
QString replaceField(QString text, const QString& field, const QString& value);

}  // namespace core::caption
