#include "core/paths/output_path.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstdint>

#include "core/paths/output_formats.h"
#include "core/paths/output_name_pieces.h"

namespace core {

namespace {

QString text(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

}  // namespace

QString outputPath(const QString& sourcePath, const ProgramOptions& options,
                   const QString& defaultUserFolder) {
    if (sourcePath.trimmed().isEmpty()) return {};
    // Pieces that would lead out of the output folder (a stored "../") form no path at all.
    if (namePieceProblem(text(options.outputPrefix), SIZE_MAX) ||
        namePieceProblem(text(options.outputSuffix), SIZE_MAX))
        return {};
    if (options.outputFolderKind == ProgramOptions::kOutputToSubfolder &&
        subfolderProblem(text(options.outputSubfolder), SIZE_MAX))
        return {};
    const QFileInfo source(sourcePath.trimmed());
    QString folder;
    switch (std::min(options.outputFolderKind, ProgramOptions::kOutputToUserFolder)) {
        case ProgramOptions::kOutputToSubfolder:
            folder = source.path() + u'/' + text(options.outputSubfolder);
            break;
        case ProgramOptions::kOutputToSourceFolder:
            folder = source.path();
            break;
        default:
            folder = options.outputFolder.empty() ? defaultUserFolder : text(options.outputFolder);
            break;
    }
    if (folder.trimmed().isEmpty()) return {};
    const QString name =
        (text(options.outputPrefix) + source.completeBaseName() + text(options.outputSuffix))
            .trimmed();
    if (name.isEmpty()) return {};
    const OutputFormat& format = kOutputFormats[size_t(validFormatIndex(options.outputFormat))];
    return QDir::cleanPath(folder + u'/' + name) + u'.' +
           QString::fromLatin1(format.extension).toLower();
}

bool outputIsSource(const QString& source, const QString& output) {
    const QFileInfo s(source), o(output);
    if (QDir::cleanPath(s.absoluteFilePath())
            .compare(QDir::cleanPath(o.absoluteFilePath()), Qt::CaseInsensitive) == 0)
        return true;
    return s.exists() && o.exists() && s.canonicalFilePath() == o.canonicalFilePath();
}

}  // namespace core
