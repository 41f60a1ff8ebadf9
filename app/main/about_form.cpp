#include "app/main/about_form.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

#include "core/i18n/language.h"

namespace app {

QString aboutVersionText(const core::Language& language) {
    return language.message(QStringLiteral("ALS_VERSION")).trimmed() + QLatin1Char(' ') +
           QString::fromLatin1(kProgramVersion);
}

QString aboutReleaseText(const core::Language& language) {
    // The date's month name is English like the program's other fixed texts.
    return language.message(QStringLiteral("ALS_RELEASE")).trimmed() + QLatin1Char(' ') +
           QLocale(QLocale::English).toString(kReleaseDate, QStringLiteral("dd MMMM yyyy"));
}

TAboutForm::TAboutForm(const core::Language& language, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(language.message(QStringLiteral("ALS_ABOUT_PROGRAM")));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 18, 28, 12);
    layout->setSpacing(8);
    auto* name = new QLabel(QStringLiteral("Velmar Filter"));
    name->setObjectName(QStringLiteral("lblProgramName"));
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    name->setFont(big);
    auto* version = new QLabel(aboutVersionText(language));
    version->setObjectName(QStringLiteral("lblVersion"));
    auto* release = new QLabel(aboutReleaseText(language));
    release->setObjectName(QStringLiteral("lblRelease"));
    for (QLabel* label : {name, version, release}) {
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace app
