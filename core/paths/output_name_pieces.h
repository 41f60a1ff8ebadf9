// The pieces the user adds to an output name (prefix, suffix) and the sub-folder name: each must
// stay inside the output folder, so none may hold a path separator, and the sub-folder must be
// one real folder name. Limits count characters, as the user sees them, not bytes.
#pragma once

#include <QString>
#include <cstddef>
#include <optional>

namespace core {

// What is wrong with a prefix or suffix of at most capacity characters; nothing when it is fine.
std::optional<QString> namePieceProblem(const QString& piece, size_t capacity);

// What is wrong with a sub-folder name; nothing when it is one folder name (not empty, ".", ".."
// or holding a separator) of at most capacity characters.
std::optional<QString> subfolderProblem(const QString& name, size_t capacity);

}  // namespace core
