#include "core/batch/output_claims.h"

#include <QDir>
#include <QFileInfo>

namespace core {

QString OutputClaims::key(const QString& output) {
    return QDir::cleanPath(QFileInfo(output).absoluteFilePath());
}

std::optional<QString> OutputClaims::claimant(const QString& output) const {
    const auto it = claims_.find(key(output));
    if (it == claims_.end()) return std::nullopt;
    return it->second;
}

void OutputClaims::claim(const QString& output, const QString& source) {
    claims_.emplace(key(output), source);
}

}  // namespace core
