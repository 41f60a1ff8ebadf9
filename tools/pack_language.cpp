// Makes a language file (".lng") from its readable source: one "KEY=text" line per text.
// Usage: pack_language SOURCE.txt TARGET.lng
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QSaveFile>
#include <cstdio>

#include "core/i18n/language_file.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SOURCE.txt TARGET.lng\n", argv[0]);
        return 2;
    }
    QFile source(QFile::decodeName(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot read: %s\n", argv[1], qPrintable(source.errorString()));
        return 1;
    }
    // The program reads lines separated by CR LF, whatever the source uses.
    QByteArray text;
    int number = 0;
    for (QByteArray line : source.readAll().split('\n')) {
        ++number;
        if (line.endsWith('\r')) line.chop(1);
        if (line.trimmed().isEmpty()) continue;
        if (line.indexOf('=') <= 0) {
            std::fprintf(stderr, "%s:%d: not a KEY=text line\n", argv[1], number);
            return 1;
        }
        text += line + "\r\n";
    }
    QSaveFile target(QFile::decodeName(argv[2]));
    if (!target.open(QIODevice::WriteOnly) || target.write(core::scrambleLanguageText(text)) < 0 ||
        !target.commit()) {
        std::fprintf(stderr, "%s: cannot write\n", argv[2]);
        return 1;
    }
    return 0;
}
