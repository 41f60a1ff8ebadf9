// The names the save command proposes and writes.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "core/document/picture_saving.h"
#include "core/document/save_names.h"
#include "document_fixtures.h"

namespace core {
namespace {

TEST(SaveNames, ProposedNameIsTheFileNameWithoutExtensionAndDnr) {
    struct Case {
        const char* current;
        const char* proposed;
    };
    for (const Case& c : {Case{"/photos/photo.jpg", "photo_dnr"},
                          Case{"/photos/holiday.2024.tif", "holiday.2024_dnr"},
                          Case{"/photos/noextension", "noextension_dnr"},
                          Case{"clipboard", "clipboard_dnr"}, Case{"plugin", "plugin_dnr"}})
        EXPECT_EQ(proposedSaveName(QString::fromLatin1(c.current)), QLatin1String(c.proposed))
            << c.current;
}

TEST(SaveNames, FormatExtensionIsAppendedUnlessPresentInLowerOrUpperCase) {
    struct Case {
        const char* name;
        int format;
        const char* path;
    };
    for (const Case& c :
         {Case{"photo_dnr", 5, "photo_dnr.TIF"}, Case{"photo_dnr.tif", 5, "photo_dnr.tif"},
          Case{"photo_dnr.TIF", 5, "photo_dnr.TIF"}, Case{"photo_dnr.Tif", 5, "photo_dnr.Tif.TIF"},
          Case{"photo_dnr.tif", 1, "photo_dnr.tif.JPG"}, Case{"a", 0, "a.BMP"},
          Case{"a", 1, "a.JPG"}, Case{"a", 2, "a.JPG"}, Case{"a", 3, "a.JP2"},
          Case{"a", 4, "a.PSD"}, Case{"a", 6, "a.PNG"}, Case{"a", 99, "a.JPG"}})
        EXPECT_EQ(withFormatExtension(QString::fromLatin1(c.name), c.format), QLatin1String(c.path))
            << c.name << " " << c.format;
}

TEST(SaveNames, AnExistingChosenFileLosesItsExtension) {
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    for (const char* name : {"old.jpg", "keep.Tif", "plain"})
        ASSERT_TRUE(test::writeAll(folder + QLatin1String(name), "x"));
    struct Case {
        const char* chosen;
        int format;
        const char* path;
    };
    for (const Case& c : {// exists: its extension is replaced by the format's
                          Case{"old.jpg", 5, "old.TIF"},
                          // exists with the format's extension in another case: the same file
                          Case{"keep.Tif", 5, "keep.Tif"}, Case{"plain", 4, "plain.PSD"},
                          // new names keep whatever they end in
                          Case{"new.jpg", 5, "new.jpg.TIF"}, Case{"new.jpg", 1, "new.jpg"}})
        EXPECT_EQ(chosenSavePath(folder + QLatin1String(c.chosen), c.format),
                  folder + QLatin1String(c.path))
            << c.chosen;
}

TEST(SaveNames, SaveRequestWritesThePathWithTheExtension) {
    EXPECT_EQ(savePath({QStringLiteral("/out/photo_dnr"), 5, 4, false}),
              QStringLiteral("/out/photo_dnr.TIF"));
    EXPECT_EQ(savePath({QString(), 5, 4, false}), QString());
}

}  // namespace
}  // namespace core
