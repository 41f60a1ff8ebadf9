// The English help pages as the build tree holds them: every page the program opens exists and has
// real content, every page parses, every link and anchor it uses leads somewhere, every anchor is
// the language key of a control (context help looks up "#" + that key), and each tab's page holds
// the anchor of every control of that tab.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>
#include <QXmlStreamReader>

#include "core/i18n/help_pages.h"
#include "gui_application.h"

namespace {

QString helpFolder() {
    return QStringLiteral(VF_HELP_FOLDER);
}

// The pages the program opens, per state: the F1 page and the help panel page.
struct PagePair {
    const char* state;
    const char* f1Page;
    const char* panelPage;
};

const PagePair kHelpPages[] = {
    {"outside the tuning view", "index.html", "workflow.html"},
    {"colours tab", "shortcuts/index_tab_colors.html", "tab_colors.html"},
    {"chromatic aberration tab", "shortcuts/index_tab_ca.html", "tab_ca.html"},
    {"brightness tab", "shortcuts/index_tab_brightness.html", "tab_brightness.html"},
    {"noise tab", "shortcuts/index_tab_noise.html", "tab_noise.html"},
    {"red-eye tab", "shortcuts/index_tab_redeye.html", "tab_redeye.html"},
    {"sharpening tab", "shortcuts/index_tab_sharpening.html", "tab_sharpening.html"},
    {"text tab", "shortcuts/index_tab_text.html", "tab_text.html"},
    {"crop tab", "shortcuts/index_tab_crop.html", "tab_crop.html"},
    {"distortions tab", "shortcuts/index_tab_distortions.html", "tab_distortions.html"},
    {"filter plug-in commands", "shortcuts/index_effects.html", "effects.html"},
    {"navigator commands", "shortcuts/index_navigation.html", "navigation.html"},
};

// The language keys of the controls and commands each panel page must hold an anchor for: the
// captions of check boxes, radio buttons and buttons, the slider captions and the help texts of the
// slider rows, the list items and the preview's context-menu items of that tab.
struct PageAnchors {
    const char* page;
    QStringList keys;
};

const QList<PageAnchors>& requiredAnchors() {
    static const QList<PageAnchors> table = {
        {"workflow.html",
         {"ALS_TB_STEP1_TT",    "ALS_TB_STEP2_TT",    "ALS_TB_STEP3_TT",     "ALS_TB_STEP4_TT",
          "ALS_TB_STEP5_TT",    "ALS_APPLY",          "ALS_START_TT",        "ALS_ABORT",
          "ALS_PREVIEW_EXPERT", "ALS_PREVIEW_SIMPLE", "ALS_COMPARE_OR_DRAG", "ALS_IMG_TT_COMPARE",
          "ALS_FRAMES_SINGLE",  "ALS_FRAMES_DOUBLE",  "ALS_QUEUE_ADD",       "ALS_QUEUE_NEXT",
          "ALS_SAVE_OPT",       "ALS_LOAD_OPT",       "ALS_RESET_OPT",       "ALS_FULL_SCREEN",
          "ALS_HELP_PANEL"}},
        {"tab_noise.html",
         {"ALS_NR_ENABLE", "ALS_NOISE_LEVEL", "ALS_SHADOWS", "ALS_HIGHLIGHTS", "ALS_HLP_MIDTONES",
          "ALS_HLP_SHADOWS", "ALS_HLP_HIGHLIGHTS", "ALS_HLP_RADIUS", "ALS_HLP_CHROMA",
          "ALS_HLP_METHOD", "ALS_HLP_NOISEREDUCTION", "ALS_EQUALIZER", "ALS_PM_ADJUSTNOISE_SMALL",
          "ALS_PM_INCREASENOISE", "ALS_PM_DECREASENOISE", "ALS_CCR_RESET", "ALS_FRM_RESET"}},
        {"tab_sharpening.html",
         {"ALS_HLP_INTENSITY", "ALS_HLP_EDGE_WIDTH", "ALS_HLP_EDGE_CONTRAST", "ALS_HLP_WHITE_HALO",
          "ALS_EQUALIZER", "ALS_FRM_RESET"}},
        {"tab_colors.html", {"ALS_RED_CHANNEL",      "ALS_GREEN_CHANNEL",   "ALS_BLUE_CHANNEL",
                             "ALS_SATURATION",       "ALS_HLP_RED_CHANNEL", "ALS_HLP_GREEN_CHANNEL",
                             "ALS_HLP_BLUE_CHANNEL", "ALS_HLP_SATURATION",  "ALS_EQUALIZER",
                             "ALS_BLACK_WHITE",      "ALS_BW_RED",          "ALS_BW_GREEN",
                             "ALS_BW_BLUE",          "ALS_HLP_BW_RED",      "ALS_HLP_BW_GREEN",
                             "ALS_HLP_BW_BLUE",      "ALS_PM_WHITEBALANCE", "ALS_PM_CCR",
                             "ALS_PM_MEMORYCOLOR",   "ALS_PM_INCLUDECCR",   "ALS_PM_EXCLUDECCR",
                             "ALS_PM_ADDRECTANGLE",  "ALS_PM_ADDELLIPCE",   "ALS_MEMORY_COLORS",
                             "ALS_CCR_CAPTION",      "ALS_FRM_RESET"}},
        {"tab_brightness.html",
         {"ALS_CLR_AUTOCONTRAST", "ALS_LOCAL_CONTRAST", "ALS_CONTRAST", "ALS_GAMMA",
          "ALS_HIGHLIGHTS", "ALS_SHADOWS", "ALS_HLP_LOCAL_CONTRAST", "ALS_HLP_CONTRAST",
          "ALS_HLP_GAMMA", "ALS_HLP_BR_HIGHLIGHTS", "ALS_HLP_BR_SHADOWS",
          "ALS_EQALIZER_ALS_BRIGHTNESS", "ALS_FRM_RESET"}},
        {"tab_redeye.html",
         {"ALS_SELECT_RE_AREA", "ALS_HLP_DARKENING", "ALS_HLP_PUPIL_SIZE",
          "ALS_RESET_SELECTED_POINTS", "ALS_FRM_RESET"}},
        {"tab_ca.html",
         {"ALS_HLP_CA_COLOR", "ALS_CHANGE", "ALS_PM_SETCACOLOR", "ALS_HLP_CA_RADIUS",
          "ALS_HLP_CA_THRESHOLD", "ALS_HLP_CA_TOLERANCE", "ALS_FRM_RESET"}},
        {"tab_distortions.html",
         {"ALS_BARREL", "ALS_HPERSPECTIVE", "ALS_VPERSPECTIVE", "ALS_SQUEEZE", "ALS_VIGNETTING",
          "ALS_HLP_BARREL", "ALS_HLP_HPERSPECTIVE", "ALS_HLP_VPERSPECTIVE", "ALS_HLP_SQUEEZE",
          "ALS_HLP_VIGNETTING", "ALS_HLP_CURVESTEEPNESS", "ALS_FRM_RESET"}},
        {"tab_crop.html",
         {"ALS_CROP_ENABLE", "ALS_PAPER", "ALS_WEB", "ALS_USER_DEFINED", "ALS_NO_RESIZE",
          "ALS_RESIZE", "ALS_LANDSCAPE", "ALS_PORTRAIT", "ALS_FIT_WIN", "ALS_FIT_SELECTION",
          "ALS_CROP_REAL_SIZE", "ALS_FRM_RESET"}},
        {"tab_text.html",
         {"ALS_MOVE_TEXT", "ALS_TXT_PRINT_OVER", "ALS_TXT_SHADOWED", "ALS_TXT_EMBOSS_TEXT",
          "ALS_TXT_EMBOSS_PAPER", "ALS_TXT_INVERT", "ALS_HLP_TEXT_SMOOTHING",
          "ALS_HLP_TRANSPARENCY", "ALS_SHADOW", "ALS_3D_FRAME", "ALS_3D_SMOOTH_FRAME",
          "ALS_FADE_OUT", "ALS_SLIGHT_BLUR", "ALS_NORMAL_BLUR", "ALS_STRONG_BLUR",
          "ALS_BLACK_WHITE", "ALS_OVAL"}},
        {"effects.html",
         {"ALS_MERGE_IMAGE", "ALS_UNDO", "ALS_PLUGINS_UNSUPPORTED", "ALS_PLUGINS_ERRORS"}},
        {"navigation.html",
         {"ALS_NAV_POPUP_MENU",
          "ALS_NAV_PANEL_MAIN",
          "ALS_NAV_PANEL_PREVIEW",
          "ALS_NAV_PANEL_FOLDER_UP",
          "ALS_REFRESH",
          "ALS_NAV_CHECK_ALL",
          "ALS_NAVPANEL_CHECK_ALL",
          "ALS_NAVPANEL_UNCHECK_ALL",
          "ALS_NAVPANEL_CHECK_REVERSE",
          "ALS_NAVPANEL_QUEUE",
          "ALS_NAVPANEL_QUEUE_SELECTED",
          "ALS_NAVPANEL_RENAME",
          "ALS_NAVPANEL_RENAME_SELECTED",
          "ALS_NAVPANEL_COPY",
          "ALS_NAVPANEL_COPY_SELECTED",
          "ALS_NAVPANEL_MOVE",
          "ALS_NAVPANEL_MOVE_SELECTED",
          "ALS_NAVPANEL_DELETE",
          "ALS_NAVPANEL_DELETE_SELECTED",
          "ALS_LOSSLESS_ROT_CCW",
          "ALS_LOSSLESS_ROT_CW"}},
    };
    return table;
}

// What one page holds, as far as the checks need it.
struct Page {
    QString path;
    bool read = false;
    QString error;                  // empty when the page parsed
    QStringList elements;           // the names of the elements in document order
    QStringList anchors;            // every name and id attribute, in order, repeats kept
    QStringList mismatchedAnchors;  // elements whose name and id differ
    QStringList links;              // href and src attributes
    QString text;                   // the character data of the body
    QString title;
};

// Reads a page as XML. The pages are HTML 4 written so that every element is closed and every
// attribute quoted; the document type line, which names no DTD file, is the one thing an XML reader
// would refuse and is left out.
Page readPage(const QString& path) {
    Page page;
    page.path = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        page.error = QStringLiteral("cannot be read");
        return page;
    }
    page.read = true;
    QString content = QString::fromUtf8(file.readAll());
    static const QRegularExpression doctype(QStringLiteral("^\\s*<!DOCTYPE[^>]*>"),
                                            QRegularExpression::CaseInsensitiveOption);
    content.remove(doctype);

    QXmlStreamReader xml(content);
    bool inBody = false;
    bool inTitle = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QString name = xml.name().toString();
            page.elements << name;
            if (name == QLatin1String("body")) inBody = true;
            if (name == QLatin1String("title")) inTitle = true;
            const QXmlStreamAttributes attributes = xml.attributes();
            const QString anchorName = attributes.value(QLatin1String("name")).toString();
            const QString anchorId = attributes.value(QLatin1String("id")).toString();
            if (!anchorName.isEmpty() && name == QLatin1String("a")) page.anchors << anchorName;
            if (!anchorId.isEmpty() && anchorId != anchorName) page.anchors << anchorId;
            if (!anchorName.isEmpty() && !anchorId.isEmpty() && anchorName != anchorId)
                page.mismatchedAnchors << anchorName + QLatin1Char('/') + anchorId;
            for (const char* attribute : {"href", "src"}) {
                const QString value = attributes.value(QLatin1String(attribute)).toString();
                if (!value.isEmpty()) page.links << value;
            }
        } else if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("body")) inBody = false;
            if (xml.name() == QLatin1String("title")) inTitle = false;
        } else if (xml.isCharacters()) {
            if (inBody) page.text += xml.text().toString();
            if (inTitle) page.title += xml.text().toString();
        }
    }
    if (xml.hasError())
        page.error = QStringLiteral("line %1, column %2: %3")
                         .arg(xml.lineNumber())
                         .arg(xml.columnNumber())
                         .arg(xml.errorString());
    page.text = page.text.simplified();
    page.title = page.title.simplified();
    return page;
}

QString pagePath(const QString& relative) {
    return QDir(helpFolder()).filePath(relative);
}

QStringList tablePages() {
    QStringList pages;
    for (const PagePair& pair : kHelpPages)
        pages << QString::fromLatin1(pair.f1Page) << QString::fromLatin1(pair.panelPage);
    return pages;
}

// Every HTML file of the help folder, relative to it.
QStringList allPages() {
    QStringList pages;
    QDirIterator it(helpFolder(), {QStringLiteral("*.html")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        pages << QDir(helpFolder()).relativeFilePath(it.next());
    pages.sort();
    return pages;
}

QSet<QString> englishKeys() {
    QSet<QString> keys;
    QFile file(QStringLiteral(VF_LANGUAGE_SOURCES) + QStringLiteral("/english.txt"));
    if (!file.open(QIODevice::ReadOnly)) return keys;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0) keys.insert(line.left(equals).trimmed());
    }
    return keys;
}

const Page& cachedPage(const QString& relative) {
    static QHash<QString, Page> pages;
    auto it = pages.find(relative);
    if (it == pages.end()) it = pages.insert(relative, readPage(pagePath(relative)));
    return *it;
}

TEST(HelpPages, EveryPageTheProgramOpensIsThere) {
    const QStringList pages = tablePages();
    EXPECT_EQ(pages.size(), 24);
    for (const QString& relative : pages) {
        const QFileInfo info(pagePath(relative));
        EXPECT_TRUE(info.isFile()) << qPrintable(info.filePath()) << " is missing";
    }
    // Nothing else is shipped under another name that no state opens.
    QStringList expected = pages;
    expected.sort();
    EXPECT_EQ(allPages().join(QStringLiteral(", ")).toStdString(),
              expected.join(QStringLiteral(", ")).toStdString());
}

TEST(HelpPages, EveryPageParsesAndHasTheShapeOfAPage) {
    for (const QString& relative : allPages()) {
        SCOPED_TRACE(relative.toStdString());
        const Page& page = cachedPage(relative);
        EXPECT_TRUE(page.error.isEmpty()) << qPrintable(page.error);
        if (!page.read || page.elements.isEmpty()) {
            ADD_FAILURE() << "nothing read";
            continue;
        }
        EXPECT_EQ(page.elements.first(), QStringLiteral("html"));
        EXPECT_TRUE(page.elements.contains(QStringLiteral("head")));
        EXPECT_TRUE(page.elements.contains(QStringLiteral("body")));
        EXPECT_FALSE(page.title.isEmpty());
        // Pages are drawn by a plain rich-text viewer: no scripts, frames, forms or plug-in
        // objects.
        for (const char* unwanted : {"script", "iframe", "frame", "form", "object", "embed"})
            EXPECT_FALSE(page.elements.contains(QLatin1String(unwanted))) << unwanted;
    }
}

TEST(HelpPages, EveryPageSaysSomething) {
    for (const QString& relative : allPages()) {
        SCOPED_TRACE(relative.toStdString());
        const Page& page = cachedPage(relative);
        const bool keySummary = relative.startsWith(QStringLiteral("shortcuts/"));
        EXPECT_GE(page.text.size(), keySummary ? 400 : 1500) << qPrintable(page.text.left(200));
        EXPECT_FALSE(page.text.contains(QStringLiteral("TODO"), Qt::CaseInsensitive));
        EXPECT_FALSE(page.text.contains(QStringLiteral("lorem"), Qt::CaseInsensitive));
    }
}

TEST(HelpPages, EveryLinkLeadsToAPageOrAnchorThatExists) {
    const QDir root(helpFolder());
    for (const QString& relative : allPages()) {
        SCOPED_TRACE(relative.toStdString());
        const Page& page = cachedPage(relative);
        for (const QString& link : page.links) {
            SCOPED_TRACE(link.toStdString());
            // Only links inside the help folder: no addresses, no absolute paths.
            if (link.contains(QLatin1Char(':')) || link.startsWith(QLatin1Char('/'))) {
                ADD_FAILURE() << "leaves the help folder";
                continue;
            }
            const qsizetype hash = link.indexOf(QLatin1Char('#'));
            const QString file = hash < 0 ? link : link.left(hash);
            const QString fragment = hash < 0 ? QString() : link.mid(hash + 1);
            QString target = relative;
            if (!file.isEmpty())
                target = QDir::cleanPath(QFileInfo(relative).path() + QLatin1Char('/') + file);
            if (target.startsWith(QStringLiteral(".."))) {
                ADD_FAILURE() << "leaves the help folder";
                continue;
            }
            if (!QFileInfo(root.filePath(target)).isFile()) {
                ADD_FAILURE() << qPrintable(target) << " does not exist";
                continue;
            }
            if (!fragment.isEmpty()) {
                EXPECT_TRUE(target.endsWith(QStringLiteral(".html")));
                EXPECT_TRUE(cachedPage(target).anchors.contains(fragment))
                    << qPrintable(target) << " has no anchor " << qPrintable(fragment);
            }
        }
    }
}

TEST(HelpPages, EveryAnchorIsTheKeyOfALanguageText) {
    const QSet<QString> keys = englishKeys();
    ASSERT_GT(keys.size(), 300);
    for (const QString& relative : allPages()) {
        SCOPED_TRACE(relative.toStdString());
        const Page& page = cachedPage(relative);
        EXPECT_TRUE(page.mismatchedAnchors.isEmpty())
            << qPrintable(page.mismatchedAnchors.join(QStringLiteral(", ")));
        QSet<QString> seen;
        for (const QString& anchor : page.anchors) {
            EXPECT_TRUE(keys.contains(anchor)) << qPrintable(anchor) << " is no language key";
            EXPECT_FALSE(seen.contains(anchor)) << qPrintable(anchor) << " twice on the page";
            seen.insert(anchor);
        }
    }
}

TEST(HelpPages, EachPanelPageHoldsTheAnchorOfEveryControlItDescribes) {
    const QSet<QString> keys = englishKeys();
    QStringList panelPages;
    for (const PagePair& pair : kHelpPages)
        panelPages << QString::fromLatin1(pair.panelPage);
    QStringList covered;
    for (const PageAnchors& entry : requiredAnchors()) {
        const QString relative = QString::fromLatin1(entry.page);
        SCOPED_TRACE(relative.toStdString());
        covered << relative;
        EXPECT_TRUE(panelPages.contains(relative));
        const Page& page = cachedPage(relative);
        for (const QString& key : entry.keys) {
            EXPECT_TRUE(keys.contains(key)) << qPrintable(key) << " is no language key";
            EXPECT_TRUE(page.anchors.contains(key)) << "no anchor " << qPrintable(key);
        }
    }
    covered.sort();
    panelPages.sort();
    EXPECT_EQ(covered.join(QStringLiteral(", ")).toStdString(),
              panelPages.join(QStringLiteral(", ")).toStdString())
        << "every panel page has its list of controls";
}

// Derived from the language file rather than from a list: every help text of a slider row and every
// item of the preview's context menu (except cancel) is described on exactly one tab's page.
TEST(HelpPages, EverySliderHelpTextAndPreviewCommandIsOnOneTabPage) {
    QStringList tabPages;
    for (const QString& relative : allPages())
        if (relative.startsWith(QStringLiteral("tab_"))) tabPages << relative;
    ASSERT_EQ(tabPages.size(), 9);
    QStringList expected;
    for (const QString& key : englishKeys())
        if ((key.startsWith(QStringLiteral("ALS_HLP_")) &&
             key != QStringLiteral("ALS_HLP_NOTAVAILABLE")) ||
            key.startsWith(QStringLiteral("ALS_PM_")))
            expected << key;
    ASSERT_GE(expected.size(), 45);
    for (const QString& key : expected) {
        QStringList holders;
        for (const QString& relative : tabPages)
            if (cachedPage(relative).anchors.contains(key)) holders << relative;
        EXPECT_EQ(holders.size(), 1)
            << qPrintable(key) << " on " << qPrintable(holders.join(QStringLiteral(", ")));
    }
}

TEST(HelpPages, EachF1PageLeadsToItsPanelPageAndBack) {
    for (const PagePair& pair : kHelpPages) {
        SCOPED_TRACE(pair.state);
        const QString f1 = QString::fromLatin1(pair.f1Page);
        const QString panel = QString::fromLatin1(pair.panelPage);
        const QDir root(helpFolder());
        const QString fromF1 =
            QDir(root.filePath(QFileInfo(f1).path())).relativeFilePath(root.filePath(panel));
        const QString fromPanel =
            QDir(root.filePath(QFileInfo(panel).path())).relativeFilePath(root.filePath(f1));
        QStringList f1Targets;
        for (const QString& link : cachedPage(f1).links)
            f1Targets << link.section(QLatin1Char('#'), 0, 0);
        QStringList panelTargets;
        for (const QString& link : cachedPage(panel).links)
            panelTargets << link.section(QLatin1Char('#'), 0, 0);
        EXPECT_TRUE(f1Targets.contains(fromF1)) << qPrintable(f1) << " -> " << qPrintable(fromF1);
        EXPECT_TRUE(panelTargets.contains(fromPanel))
            << qPrintable(panel) << " -> " << qPrintable(fromPanel);
    }
}

// The help panel draws the pages with Qt's own rich-text engine, which reads HTML rather than XML:
// the anchors context help jumps to must survive it, and the shared style sheet must reach it.
TEST(HelpPages, TheRichTextViewerSeesTheAnchorsAndTheStyleSheet) {
    coretest::ensureGuiApplication();
    for (const QString& relative : allPages()) {
        SCOPED_TRACE(relative.toStdString());
        QFile file(pagePath(relative));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QTextDocument document;
        document.setBaseUrl(QUrl::fromLocalFile(pagePath(relative)));
        document.setHtml(QString::fromUtf8(file.readAll()));
        QStringList anchors;
        bool headingColoured = false;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                anchors << format.anchorNames();
                // The first heading takes its colour from help.css.
                if (block.blockFormat().headingLevel() == 1 &&
                    format.foreground().color() == QColor(0x1f, 0x4e, 0x79))
                    headingColoured = true;
            }
        }
        EXPECT_TRUE(headingColoured) << "help.css did not reach the page";
        QStringList expected;
        for (const QString& anchor : cachedPage(relative).anchors)
            expected << anchor;
        anchors.removeDuplicates();
        anchors.sort();
        expected.sort();
        EXPECT_EQ(anchors.join(QStringLiteral(", ")).toStdString(),
                  expected.join(QStringLiteral(", ")).toStdString());
        EXPECT_GE(document.toPlainText().simplified().size(), 300);
    }
}

}  // namespace

// The program picks its pages from the same table: state by state, in the table's order.
TEST(HelpPages, TheProgramOpensThePagesOfTheTable) {
    int state = 0;
    for (const PagePair& pair : kHelpPages) {
        const auto s = static_cast<core::HelpState>(state++);
        EXPECT_EQ(core::helpPage(s, core::HelpVariant::F1).toStdString(), pair.f1Page)
            << pair.state;
        EXPECT_EQ(core::helpPage(s, core::HelpVariant::Panel).toStdString(), pair.panelPage)
            << pair.state;
    }
    EXPECT_EQ(state, 12);
}

TEST(HelpPages, TheActiveTabChoosesThePageOnlyInTheTuningView) {
    using core::HelpState;
    struct Case {
        bool tuning;
        const char* sheet;
        HelpState expected;
    } cases[] = {
        {false, "tsNoiseReduction", HelpState::Viewing},
        {true, "tsNoiseReduction", HelpState::NoiseTab},
        {true, "tsCrop", HelpState::CropTab},
        {true, "tsDistortions", HelpState::DistortionsTab},
        {true, "tsColor", HelpState::ColoursTab},
        {true, "tsNoSuchSheet", HelpState::Viewing},
    };
    for (const Case& c : cases)
        EXPECT_EQ(core::helpStateFor(c.tuning, QString::fromLatin1(c.sheet)), c.expected)
            << c.sheet;
    // Context help moves the panel only to an anchor it does not show yet.
    EXPECT_TRUE(core::helpNeedsNavigation("file:///h/tab_noise.html", "#ALS_NR_ENABLE"));
    EXPECT_FALSE(
        core::helpNeedsNavigation("file:///h/tab_noise.html#ALS_NR_ENABLE", "#ALS_NR_ENABLE"));
    EXPECT_FALSE(core::helpNeedsNavigation("file:///h/tab_noise.html", "#"));
}
