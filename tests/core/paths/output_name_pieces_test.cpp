#include "core/paths/output_name_pieces.h"

#include <gtest/gtest.h>

#include "core/paths/output_path.h"

namespace {

TEST(OutputNamePieces, PrefixesAndSuffixesCountCharactersAndHoldNoSeparator) {
    const struct {
        const char* piece;  // UTF-8
        bool fine;
    } cases[] = {
        {"", true},       {"_dnr", true},    {"\xC3\xA9\xC3\xA9\xC3\xA9", true},  // ééé
        {"12345", true},  {"123456", false}, {"../", false},
        {"/../x", false}, {"a/b", false},    {"\xF0\x9F\x93\xB7\xF0\x9F\x93\xB7", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(!core::namePieceProblem(QString::fromUtf8(c.piece), 5).has_value(), c.fine)
            << c.piece;
}

TEST(OutputNamePieces, TheSubfolderIsOneFolderName) {
    const struct {
        const char* name;
        bool fine;
    } cases[] = {
        {"filtered", true}, {"caf\xC3\xA9", true}, {".hidden", true}, {"", false},
        {".", false},       {"..", false},         {" .. ", false},   {"../../c4up", false},
        {"a/b", false},     {"/tmp", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(!core::subfolderProblem(QString::fromUtf8(c.name), 60).has_value(), c.fine)
            << c.name;
}

// Options read from a stored file are held to the same rules: a piece leading out of the output
// folder forms no path, so nothing is written there.
TEST(OutputNamePieces, StoredPiecesThatEscapeFormNoPath) {
    core::ProgramOptions o = core::defaultProgramOptions();
    o.outputFolderKind = core::ProgramOptions::kOutputToSubfolder;
    o.outputSubfolder = "filtered";
    ASSERT_FALSE(core::outputPath("/photos/a.jpg", o, "/out").isEmpty());
    const struct {
        const char* prefix;
        const char* suffix;
        const char* subfolder;
    } cases[] = {
        {"../", "", "filtered"},
        {"", "/../x", "filtered"},
        {"", "_dnr", "../../c4up"},
        {"", "_dnr", ".."},
    };
    for (const auto& c : cases) {
        o.outputPrefix = c.prefix;
        o.outputSuffix = c.suffix;
        o.outputSubfolder = c.subfolder;
        EXPECT_EQ(core::outputPath("/photos/a.jpg", o, "/out"), QString())
            << c.prefix << "|" << c.suffix << "|" << c.subfolder;
    }
}

}  // namespace
