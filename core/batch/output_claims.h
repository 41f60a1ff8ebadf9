// The output files a run has already produced: two sources that map to one output name (photo.jpg
// and photo.png both give photo_dnr.jpg) must not silently replace each other's result.
#pragma once

#include <QString>
#include <map>
#include <optional>

namespace core {

class OutputClaims {
  public:
    // The source whose result this run already holds at output, if any.
    std::optional<QString> claimant(const QString& output) const;
    void claim(const QString& output, const QString& source);
    void clear() { claims_.clear(); }

  private:
    static QString key(const QString& output);
    std::map<QString, QString> claims_;  // cleaned absolute output path -> source path
};

}  // namespace core
