// Which files load with the progress panel, and the names messages show.
#include <gtest/gtest.h>

#include "core/document/picture_loading.h"

namespace core {
namespace {

TEST(PictureLoading, LargeRawTypeFilesLoadWithTheProgressPanel) {
    struct Case {
        const char* path;
        int64_t size;
        bool panel;
    };
    const int64_t big = 3 * 1024 * 1024;
    for (const Case& c :
         {Case{"a.cr2", big, true}, Case{"a.jpg", big, false}, Case{"a.JPEG", big, false},
          Case{"a.tiff", big, false}, Case{"a.bmp", big, false}, Case{"a.gif", big, false},
          Case{"a.png", big, true}, Case{"a.cr2", kProgressPanelFileSize, false},
          Case{"a.cr2", kProgressPanelFileSize + 1, true}, Case{"a.nef", -1, true},
          Case{"a.jpg", -1, false}, Case{"noextension", big, true}})
        EXPECT_EQ(loadsWithProgressPanel(QString::fromLatin1(c.path), c.size), c.panel)
            << c.path << " " << c.size;
}

TEST(PictureLoading, NamesAreQuotedAndMissingFilesHaveNoSize) {
    EXPECT_EQ(quotedName(QStringLiteral("/a b/c.jpg")), QStringLiteral("\"/a b/c.jpg\""));
    EXPECT_EQ(pictureFileSize(QStringLiteral("/no/such/file.jpg")), -1);
    EXPECT_EQ(pictureFileSize(QStringLiteral(VF_TEST_DATA "/cups-noisy-crop.jpg")), 93970);
}

}  // namespace
}  // namespace core
