#include "core/files/path_bytes.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTemporaryDir>

#include "core/files/file_replacement.h"
#include "core/queue/queue_model.h"

namespace {

TEST(PathBytes, EveryNameRoundTripsByteForByte) {
    const char* const cases[] = {
        "/photos/plain.jpg",
        "/photos/caf\xC3\xA9.jpg",         // UTF-8
        "/photos/caf\xE9.jpg",             // Latin-1
        "/photos/\xF0\x9F\x93\xB7.jpg",    // four-byte UTF-8
        "/photos/\xC0\xAF overlong",       // an overlong "/"
        "/photos/\xED\xA0\x80 surrogate",  // an encoded surrogate
        "/photos/\xFF\xFE\x80",            // no UTF-8 at all
        "/photos/cut \xE2\x82",            // a sequence cut short
        "",
    };
    for (const char* c : cases) {
        const QByteArray bytes(c);
        EXPECT_EQ(core::encodePath(core::decodePath(bytes)), bytes) << c;
    }
    // Valid UTF-8 decodes as Qt decodes it.
    EXPECT_EQ(core::decodePath("/photos/caf\xC3\xA9.jpg"),
              QString::fromUtf8("/photos/caf\xC3\xA9.jpg"));
    EXPECT_EQ(core::encodePath(QString::fromUtf8("\xF0\x9F\x93\xB7")),
              QByteArray("\xF0\x9F\x93\xB7"));
}

// A Latin-1 name is found, written and kept in a queue item as the bytes it has.
TEST(PathBytes, ALatinOneNameIsFoundAndWritten) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray folder = core::encodePath(dir.path()) + "/d\xE9j\xE0";
    const QString folderPath = core::decodePath(folder);
    ASSERT_FALSE(core::pathExists(folderPath));
    ASSERT_TRUE(core::makeFolders(folderPath + QStringLiteral("/sub")));
    struct stat st {};
    ASSERT_EQ(::stat((folder + "/sub").constData(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));

    const QString file = core::decodePath(folder + "/caf\xE9.jpg");
    ASSERT_TRUE(core::replaceFile(file, {'x'}).ok());
    EXPECT_EQ(::stat((folder + "/caf\xE9.jpg").constData(), &st), 0);
    EXPECT_TRUE(core::pathExists(file));

    const core::QueueParams item =
        core::makeQueueItem(file, true, core::defaultSettingsBlock(), nullptr);
    EXPECT_EQ(QByteArray::fromStdString(item.SourcePath), folder + "/caf\xE9.jpg");
    EXPECT_EQ(core::itemSourcePath(item), file);
}

}  // namespace
