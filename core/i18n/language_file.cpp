#include "core/i18n/language_file.h"

namespace core {

namespace {

// The file is read in blocks of 2048 bytes, a multiple of the key length, so one cycle running on
// from the first text byte is the same as restarting the key in every block.
QByteArray combine(const char* data, qsizetype size) {
    QByteArray out(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        out[i] = char(uint8_t(data[i]) ^ kLanguageKey[size_t(i) % kLanguageKey.size()]);
    return out;
}

}  // namespace

QByteArray scrambleLanguageText(const QByteArray& text) {
    return QByteArray(1, char(1)) + combine(text.constData(), text.size());
}

QByteArray unscrambleLanguageFile(const QByteArray& content) {
    if (content.isEmpty() || content[0] != char(1)) return {};
    return combine(content.constData() + 1, content.size() - 1);
}

}  // namespace core
