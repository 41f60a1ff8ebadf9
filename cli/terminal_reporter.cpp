#include "cli/terminal_reporter.h"

#include <QFileInfo>

namespace cli {

namespace {

// Progress arrives in thousandths.
constexpr int32_t kFullProgress = 1000;
constexpr int kBarWidth = 20;
// Redrawing more often than ten times a second only costs time.
constexpr qint64 kRedrawMilliseconds = 100;

void printLine(FILE* stream, const QString& text) {
    // Messages of the language file may hold CR LF line breaks.
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    std::fprintf(stream, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stream);
}

QString bar(int32_t permille, int width) {
    const int filled = int(int64_t(permille) * width / kFullProgress);
    return QString(filled, u'#') + QString(width - filled, u'.');
}

}  // namespace

void TerminalReporter::clearBar() {
    if (!barShown_) return;
    std::fprintf(stderr, "\r\033[K");
    barShown_ = false;
}

void TerminalReporter::drawBar() {
    if (!terminal_) return;
    const QString text = QStringLiteral("[%1] %2/%3 %4 %5%  overall %6%  remaining %7")
                             .arg(bar(progress_.current, kBarWidth))
                             .arg(handled_ + 1)
                             .arg(total_)
                             .arg(fileName_)
                             .arg(progress_.current * 100 / kFullProgress)
                             .arg(progress_.overall * 100 / kFullProgress)
                             .arg(progress_.remaining);
    std::fprintf(stderr, "\r\033[K%s", text.toLocal8Bit().constData());
    std::fflush(stderr);
    barShown_ = true;
    sinceDraw_.restart();
}

void TerminalReporter::itemStarted(int32_t, int32_t handled, int32_t total,
                                   const QString& sourcePath) {
    handled_ = handled;
    total_ = total;
    fileName_ = QFileInfo(sourcePath).fileName();
    progress_.current = 0;
    progress_.overall = total > 0 ? int32_t(int64_t(handled) * kFullProgress / total) : 0;
    if (terminal_)
        drawBar();
    else
        printLine(stderr, QStringLiteral("[%1/%2] %3").arg(handled + 1).arg(total).arg(sourcePath));
}

void TerminalReporter::statusChanged(const QString&) {}

void TerminalReporter::progressChanged(const core::BatchProgress& progress) {
    progress_ = progress;
    if (terminal_ &&
        (sinceDraw_.elapsed() >= kRedrawMilliseconds || progress.current == kFullProgress))
        drawBar();
}

void TerminalReporter::logLine(const QString& line) {
    clearBar();
    printLine(stdout, line);
    if (!savedAs_.isEmpty()) printLine(stdout, QStringLiteral("  saved as %1").arg(savedAs_));
    savedAs_.clear();
}

void TerminalReporter::itemSaved(const QString&, const QString& outputPath) {
    savedAs_ = outputPath;
}

void TerminalReporter::itemProblem(const QString& sourcePath, const QString& detail) {
    clearBar();
    printLine(stderr, QStringLiteral("velmarfilter-cli: %1: %2").arg(sourcePath, detail));
}

void TerminalReporter::queueFileProblem(const QString& detail) {
    clearBar();
    printLine(stderr, QStringLiteral("velmarfilter-cli: warning: %1").arg(detail));
}

void TerminalReporter::note(const QString& text) {
    clearBar();
    printLine(stderr, QStringLiteral("velmarfilter-cli: %1").arg(text));
}

}  // namespace cli
