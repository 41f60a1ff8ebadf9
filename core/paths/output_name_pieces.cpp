#include "core/paths/output_name_pieces.h"

#include <QList>

namespace core {

namespace {

size_t characters(const QString& text) {
    return size_t(text.toUcs4().size());
}

bool holdsSeparator(const QString& text) {
    return text.contains(u'/') || text.contains(QChar(0));
}

}  // namespace

std::optional<QString> namePieceProblem(const QString& piece, size_t capacity) {
    if (characters(piece) > capacity)
        return QStringLiteral("holds at most %1 characters").arg(capacity);
    if (holdsSeparator(piece)) return QStringLiteral("may not hold a \"/\"");
    return std::nullopt;
}

std::optional<QString> subfolderProblem(const QString& name, size_t capacity) {
    if (name.trimmed().isEmpty()) return QStringLiteral("needs a name");
    if (characters(name) > capacity)
        return QStringLiteral("holds at most %1 characters").arg(capacity);
    if (holdsSeparator(name)) return QStringLiteral("is one folder name and may not hold a \"/\"");
    if (name.trimmed() == QLatin1String(".") || name.trimmed() == QLatin1String(".."))
        return QStringLiteral("must name a folder, not \"%1\"").arg(name.trimmed());
    return std::nullopt;
}

}  // namespace core
