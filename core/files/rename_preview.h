// What the renaming window shows, without the window: one row per file with its old and its new
// name under the current template, the example, the entries of the template list and the way a
// chosen tag joins the template.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "core/files/rename_template.h"

namespace core::renaming {

// The list holds at most this many files; the rest are not shown (nor renamed).
inline constexpr int kMaxPreviewRows = 32000;

struct PreviewRow {
    QString path;
    QString fileName;
    QString newName;
    std::optional<QString> dateText;  // remembered the first time the row is expanded
};

class RenamePreview {
  public:
    explicit RenamePreview(const QStringList& paths, const Dating& dating = {});

    // Expands the template for every row: counter row + 1 as wide as the number of rows, the
    // row's own date (determined once), no " [n]" (the names of the other files may still change).
    void update(const QString& pattern);

    const std::vector<PreviewRow>& rows() const { return rows_; }
    QStringList paths() const;

  private:
    std::vector<PreviewRow> rows_;
    Dating dating_;
};

// The example under the template field: counter "1", name "filename".
QString templateExample(const QString& pattern,
                        const QDateTime& now = QDateTime::currentDateTime());

// An entry of the opened template list: "template (example: name)", where exampleWord is the
// text of "ALS_EXAMPLE" with its first letter in lower case.
QString templateListEntry(const QString& pattern, const QString& exampleWord,
                          const QDateTime& now = QDateTime::currentDateTime());

// The template with tag appended at its end, after every earlier occurrence of the tag (with a
// blank before or after it) has been taken out; letter case ignored.
QString addTagToTemplate(const QString& pattern, const QString& tag);

}  // namespace core::renaming
