// A failure as the user reads it: the key's text in the current language, then the detail.
#pragma once

#include <QString>

#include "core/errors/result.h"
#include "core/i18n/language.h"

namespace core {

// "text: detail", or the text alone when there is no detail.
QString failureText(const Language& texts, const Failure& failure);

}  // namespace core
