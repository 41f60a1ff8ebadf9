// Running velmarfilter-cli and the independent tools that check its files, for the command-line
// tests.
#pragma once

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace cli::test {

struct CliResult {
    int status = -1;  // -1: crashed or did not finish
    QString out, err;
};

inline CliResult cli(const QStringList& arguments) {
    QProcess p;
    p.start(QStringLiteral(VF_CLI), arguments);
    CliResult r;
    if (!p.waitForFinished(600000)) return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// A program's standard output, trimmed.
inline QString tool(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(120000)) return QStringLiteral("(did not finish)");
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// "JPEG 1800 1200": ImageMagick's format, width and height of a picture.
inline QString identify(const QString& path) {
    return tool(QStringLiteral("identify"),
                {QStringLiteral("-format"), QStringLiteral("%m %w %h"), path});
}

inline QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace cli::test
