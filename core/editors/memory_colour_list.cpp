#include "core/editors/memory_colour_list.h"

#include <algorithm>
#include <cmath>

namespace core {

QString colorName(const MemoryColor& color) {
    return QString::fromStdString(color.ColorName);
}

bool nameIsFree(const TMemoryColorsArray& colors, const QString& name) {
    const std::string bytes = name.toStdString();
    return std::none_of(colors.begin(), colors.end(),
                        [&](const MemoryColor& c) { return c.ColorName == bytes; });
}

NameCheck checkColorName(const TMemoryColorsArray& colors, const QString& name,
                         std::optional<size_t> renaming) {
    if (name.size() > kMaxColorNameLength ||
        name.toUtf8().size() > qsizetype(kMemoryColorNameBytes))
        return NameCheck::TooLong;
    const std::string bytes = name.toStdString();
    for (size_t i = 0; i < colors.size(); ++i)
        if (colors[i].ColorName == bytes && renaming != i) return NameCheck::Taken;
    return NameCheck::Ok;
}

QString nameCheckText(NameCheck check) {
    switch (check) {
        case NameCheck::TooLong:
            return QStringLiteral("The length of a name should be less than 30 symbols!");
        case NameCheck::Taken:
            return QStringLiteral(
                "Color with the given name already exists! Please enter another name!");
        case NameCheck::Ok:
            break;
    }
    return {};
}

void addMemoryColor(TMemoryColorsArray& colors, const QString& name, const Rgb16& rgb) {
    colors.push_back(MemoryColor{name.toStdString(), rgb[0], rgb[1], rgb[2]});
}

bool renameMemoryColor(TMemoryColorsArray& colors, size_t index, const QString& name) {
    if (index >= colors.size()) return false;
    colors[index].ColorName = name.toStdString();
    return true;
}

bool removeMemoryColor(TMemoryColorsArray& colors, size_t index) {
    if (index >= colors.size()) return false;
    colors.erase(colors.begin() + std::ptrdiff_t(index));
    return true;
}

std::vector<size_t> displayOrder(size_t count, bool newestFirst) {
    std::vector<size_t> order(count);
    for (size_t row = 0; row < count; ++row)
        order[row] = newestFirst ? count - 1 - row : row;
    return order;
}

std::optional<size_t> moveTarget(size_t count, size_t index, RowMove move, bool newestFirst) {
    if (index >= count) return std::nullopt;
    // Newest first, the row above holds the next stored index; in stored order, the previous.
    const bool towardsEnd = (move == RowMove::Up) == newestFirst;
    if (towardsEnd) {
        if (index + 1 >= count) return std::nullopt;
        return index + 1;
    }
    if (index == 0) return std::nullopt;
    return index - 1;
}

bool moveMemoryColor(TMemoryColorsArray& colors, size_t index, RowMove move, bool newestFirst) {
    const auto target = moveTarget(colors.size(), index, move, newestFirst);
    if (!target) return false;
    MemoryColor moved = std::move(colors[index]);
    colors.erase(colors.begin() + std::ptrdiff_t(index));
    colors.insert(colors.begin() + std::ptrdiff_t(*target), std::move(moved));
    return true;
}

std::array<int, 3> swatchRgb(const Rgb16& rgb) {
    std::array<int, 3> out{};
    for (size_t i = 0; i < 3; ++i)
        out[i] = std::min(255, int(std::lround(rgb[i] / 256.0)));
    return out;
}

}  // namespace core
