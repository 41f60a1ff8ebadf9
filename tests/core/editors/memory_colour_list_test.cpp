#include "core/editors/memory_colour_list.h"

#include <gtest/gtest.h>

namespace {

using core::NameCheck;
using core::RowMove;

core::TMemoryColorsArray named(std::initializer_list<const char*> names) {
    core::TMemoryColorsArray colors;
    uint16_t v = 1000;
    for (const char* n : names)
        colors.push_back({n, v, uint16_t(v + 1), uint16_t(v + 2)}), v += 1000;
    return colors;
}

std::vector<std::string> namesOf(const core::TMemoryColorsArray& colors) {
    std::vector<std::string> names;
    for (const auto& c : colors)
        names.push_back(c.ColorName);
    return names;
}

TEST(MemoryColorNames, TheRulesOfTheNameDialog) {
    const auto colors = named({"Sky", "Skin"});
    struct Case {
        QString name;
        std::optional<size_t> renaming;
        NameCheck expected;
    };
    const Case cases[] = {
        {QStringLiteral("Grass"), {}, NameCheck::Ok},
        {QStringLiteral("Sky"), {}, NameCheck::Taken},
        {QStringLiteral("sky"), {}, NameCheck::Ok},  // letter case makes another name
        {QStringLiteral("SKIN"), {}, NameCheck::Ok},
        {QString(29, QLatin1Char('a')), {}, NameCheck::Ok},
        {QString(30, QLatin1Char('a')), {}, NameCheck::TooLong},
        // 29 letters of two bytes each would come back cut from the 50-byte record.
        {QString(29, QChar(0x0416)), {}, NameCheck::TooLong},
        {QString(25, QChar(0x0416)), {}, NameCheck::Ok},
        {QStringLiteral("Sky"), size_t(0), NameCheck::Ok},  // its own name
        {QStringLiteral("Sky"), size_t(1), NameCheck::Taken},
    };
    for (const Case& c : cases)
        EXPECT_EQ(core::checkColorName(colors, c.name, c.renaming), c.expected)
            << qPrintable(c.name);
    EXPECT_TRUE(core::nameIsFree(colors, QStringLiteral("sky")));
    EXPECT_FALSE(core::nameIsFree(colors, QStringLiteral("Skin")));
    EXPECT_EQ(core::nameCheckText(NameCheck::TooLong),
              QStringLiteral("The length of a name should be less than 30 symbols!"));
    EXPECT_EQ(
        core::nameCheckText(NameCheck::Taken),
        QStringLiteral("Color with the given name already exists! Please enter another name!"));
    EXPECT_TRUE(core::nameCheckText(NameCheck::Ok).isEmpty());
}

TEST(MemoryColorList, AddRenameAndRemove) {
    auto colors = named({"Sky"});
    core::addMemoryColor(colors, QStringLiteral("Grass"), {1, 2, 3});
    ASSERT_EQ(colors.size(), 2u);
    EXPECT_EQ(colors[1], (core::MemoryColor{"Grass", 1, 2, 3}));
    EXPECT_TRUE(core::renameMemoryColor(colors, 0, QStringLiteral("Blue sky")));
    EXPECT_EQ(colors[0].ColorName, "Blue sky");
    EXPECT_EQ(colors[0].ColorRed, 1000);
    EXPECT_FALSE(core::renameMemoryColor(colors, 2, QStringLiteral("x")));
    EXPECT_FALSE(core::removeMemoryColor(colors, 2));
    EXPECT_TRUE(core::removeMemoryColor(colors, 0));
    EXPECT_EQ(namesOf(colors), std::vector<std::string>{"Grass"});
}

TEST(MemoryColorList, DisplayOrder) {
    EXPECT_EQ(core::displayOrder(3, true), (std::vector<size_t>{2, 1, 0}));
    EXPECT_EQ(core::displayOrder(3, false), (std::vector<size_t>{0, 1, 2}));
    EXPECT_TRUE(core::displayOrder(0, true).empty());
}

// The arrows move a row the way they point on screen in both display orders.
TEST(MemoryColorList, ArrowsMoveTheRowTheWayTheyPoint) {
    struct Case {
        const char* what;
        bool newestFirst;
        size_t index;
        RowMove move;
        std::vector<std::string> stored;  // after the move; empty: no move
    };
    const Case cases[] = {
        {"newest first, up", true, 1, RowMove::Up, {"A", "C", "B"}},
        {"newest first, down", true, 1, RowMove::Down, {"B", "A", "C"}},
        {"newest first, top row up", true, 2, RowMove::Up, {}},
        {"newest first, bottom row down", true, 0, RowMove::Down, {}},
        {"stored order, up", false, 1, RowMove::Up, {"B", "A", "C"}},
        {"stored order, down", false, 1, RowMove::Down, {"A", "C", "B"}},
        {"stored order, top row up", false, 0, RowMove::Up, {}},
        {"stored order, bottom row down", false, 2, RowMove::Down, {}},
        {"no such entry", false, 3, RowMove::Up, {}},
    };
    for (const Case& c : cases) {
        auto colors = named({"A", "B", "C"});
        const bool moved = core::moveMemoryColor(colors, c.index, c.move, c.newestFirst);
        EXPECT_EQ(moved, !c.stored.empty()) << c.what;
        const std::vector<std::string> unmoved{"A", "B", "C"};
        EXPECT_EQ(namesOf(colors), c.stored.empty() ? unmoved : c.stored) << c.what;
        // What moved stays with its colour.
        for (const auto& col : colors)
            EXPECT_EQ(col.ColorGreen, col.ColorRed + 1) << c.what;
    }
    // The row really goes one place up on screen.
    for (bool newestFirst : {true, false}) {
        auto colors = named({"A", "B", "C"});
        ASSERT_TRUE(core::moveMemoryColor(colors, 1, RowMove::Up, newestFirst));
        const auto order = core::displayOrder(colors.size(), newestFirst);
        EXPECT_EQ(colors[order[0]].ColorName, "B") << newestFirst;
    }
}

TEST(MemoryColorList, SwatchColours) {
    EXPECT_EQ(core::swatchRgb({0, 128, 383}), (std::array<int, 3>{0, 1, 1}));
    EXPECT_EQ(core::swatchRgb({384, 32768, 65280}), (std::array<int, 3>{2, 128, 255}));
    EXPECT_EQ(core::swatchRgb({65535, 65407, 65408}), (std::array<int, 3>{255, 255, 255}));
}

}  // namespace
