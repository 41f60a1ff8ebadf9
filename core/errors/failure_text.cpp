#include "core/errors/failure_text.h"

namespace core {

QString failureText(const Language& texts, const Failure& failure) {
    const QString text = texts.message(failure.key);
    if (failure.detail.isEmpty()) return text;
    return QStringLiteral("%1: %2").arg(text, failure.detail);
}

}  // namespace core
