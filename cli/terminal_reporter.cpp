#include "cli/terminal_reporter.h"

#include <QFileInfo>
#include <cerrno>

namespace cli {

QString escapeControls(const QString& text, KeepLineBreaks keep) {
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QString out;
    out.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        const char16_t u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < line.size() && line[i + 1].isLowSurrogate()) {
            out += c;
            out += line[++i];
            continue;
        }
        // A byte of a file name that is not UTF-8, as the name's decoding carries it.
        if (u >= 0xDC80 && u <= 0xDCFF) {
            out += QStringLiteral("\\x%1").arg(int(u - 0xDC00), 2, 16, QLatin1Char('0'));
            continue;
        }
        const bool control = u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0);
        if (!control || (u == u'\n' && keep == KeepLineBreaks::Yes)) {
            out += c;
            continue;
        }
        out += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
    }
    return out;
}

namespace {

// Progress arrives in thousandths.
constexpr int32_t kFullProgress = 1000;
constexpr int kBarWidth = 20;
// Redrawing more often than ten times a second only costs time.
constexpr qint64 kRedrawMilliseconds = 100;

// A stream whose reader has gone (velmarfilter-cli ... | head -1) is not written again; the run
// itself goes on, as SIGPIPE is ignored.
bool gStdoutClosed = false;
bool gStderrClosed = false;

bool& closedFlag(FILE* stream) {
    return stream == stdout ? gStdoutClosed : gStderrClosed;
}

void printLine(FILE* stream, const QString& text) {
    bool& closed = closedFlag(stream);
    if (closed) return;
    // Messages of the language file may hold CR LF line breaks.
    QString line = escapeControls(text, KeepLineBreaks::Yes);
    errno = 0;
    const bool written = std::fprintf(stream, "%s\n", line.toLocal8Bit().constData()) >= 0 &&
                         std::fflush(stream) == 0;
    if (!written && errno == EPIPE) closed = true;
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
    if (gStderrClosed) return;
    std::fprintf(stderr, "\r\033[K%s", text.toLocal8Bit().constData());
    std::fflush(stderr);
    barShown_ = true;
    sinceDraw_.restart();
}

void TerminalReporter::itemStarted(int32_t, int32_t handled, int32_t total,
                                   const QString& sourcePath) {
    handled_ = handled;
    total_ = total;
    fileName_ = escapeControls(QFileInfo(sourcePath).fileName(), KeepLineBreaks::No);
    progress_.current = 0;
    progress_.overall = total > 0 ? int32_t(int64_t(handled) * kFullProgress / total) : 0;
    if (terminal_)
        drawBar();
    else
        printLine(stderr, QStringLiteral("[%1/%2] %3")
                              .arg(handled + 1)
                              .arg(total)
                              .arg(escapeControls(sourcePath, KeepLineBreaks::No)));
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
    savedAs_ = escapeControls(outputPath, KeepLineBreaks::No);
}

void TerminalReporter::itemProblem(const QString& sourcePath, const QString& detail) {
    clearBar();
    printLine(stderr, QStringLiteral("velmarfilter-cli: %1: %2")
                          .arg(escapeControls(sourcePath, KeepLineBreaks::No), detail));
}

void TerminalReporter::itemWarning(const QString& sourcePath, const QString& detail) {
    clearBar();
    printLine(stderr, QStringLiteral("velmarfilter-cli: warning: %1: %2")
                          .arg(escapeControls(sourcePath, KeepLineBreaks::No), detail));
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
