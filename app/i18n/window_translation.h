// Puts a window into the current language: every text a widget shows (captions, hints, window
// titles, menu and action texts, tab texts, list, combo and tree items) is written as a key and
// replaced by its translation. Object names and fonts are never touched.
#pragma once

class QString;
class QWidget;

namespace core {
class Language;
}

namespace app {

// Translates the widget and everything it owns, depth first, in ownership order.
void translateWindow(QWidget* window, const core::Language& language);

// Gives every control without one a help keyword: "#" and the untranslated key of its caption
// (check boxes, radio and speed buttons) or of its hint (everything else). Run before
// translateWindow, so the keywords hold the keys.
void assignHelpKeywords(QWidget* window);

// The keyword given above; empty when none.
QString helpKeyword(const QWidget* control);

}  // namespace app
