// The about window's texts.
#include <QLabel>

#include "app/main/about_form.h"
#include "app_fixture.h"

namespace apptest {

TEST_F(WindowTest, AboutWindowShowsNameVersionAndReleaseDate) {
    app::TAboutForm about(language);
    const auto text = [&about](const char* name) {
        const auto* label = about.findChild<QLabel*>(QString::fromLatin1(name));
        return label ? label->text() : QString();
    };
    EXPECT_EQ(text("lblProgramName"), QStringLiteral("Velmar Filter"));
    EXPECT_EQ(text("lblVersion"), language.message(QStringLiteral("ALS_VERSION")).trimmed() +
                                      QStringLiteral(" 3.10.2"));
    EXPECT_EQ(text("lblRelease"), language.message(QStringLiteral("ALS_RELEASE")).trimmed() +
                                      QStringLiteral(" 12 July 2005"));
}

}  // namespace apptest
