// The modal about window: the program's name, its version and its release date.
#pragma once

#include <QDate>
#include <QDialog>

namespace core {
class Language;
}

namespace app {

inline constexpr char kProgramVersion[] = "3.10.2";
inline const QDate kReleaseDate{2005, 7, 12};

// "Version 3.10.2" and "Released 12 July 2005" with the words of the language.
QString aboutVersionText(const core::Language& language);
QString aboutReleaseText(const core::Language& language);

class TAboutForm : public QDialog {
    Q_OBJECT
  public:
    TAboutForm(const core::Language& language, QWidget* parent = nullptr);
};

}  // namespace app
