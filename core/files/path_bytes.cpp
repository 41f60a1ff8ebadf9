#include "core/files/path_bytes.h"

#include <sys/stat.h>

#include <cerrno>

namespace core {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // + a byte 0x80..0xFF

// The length of the valid UTF-8 sequence at p (at most n bytes), or 0 when it is not one.
int validSequence(const unsigned char* p, qsizetype n, char32_t& code) {
    const unsigned char b = p[0];
    int length = 0;
    char32_t min = 0;
    if (b < 0x80) {
        code = b;
        return 1;
    } else if (b >= 0xC2 && b <= 0xDF) {
        length = 2, code = b & 0x1F, min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3, code = b & 0x0F, min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4, code = b & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (n < length) return 0;
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        code = (code << 6) | (p[i] & 0x3F);
    }
    // Overlong forms, encoded surrogates and values past Unicode are not valid UTF-8.
    if (code < min || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 0;
    return length;
}

void appendUtf8(QByteArray& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

}  // namespace

QString decodePath(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        char32_t code = 0;
        const int length = validSequence(p + i, n - i, code);
        if (length == 0) {
            out += QChar(char16_t(kEscapeBase + p[i]));
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            out += QChar(QChar::highSurrogate(code));
            out += QChar(QChar::lowSurrogate(code));
        } else {
            out += QChar(char16_t(code));
        }
        i += length;
    }
    return out;
}

QByteArray encodePath(const QString& path) {
    QByteArray out;
    out.reserve(path.size());
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t u = path[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < path.size() &&
            QChar::isLowSurrogate(path[i + 1].unicode())) {
            appendUtf8(out, QChar::surrogateToUcs4(u, path[i + 1].unicode()));
            ++i;
        } else if (u >= kEscapeBase + 0x80 && u <= kEscapeBase + 0xFF) {
            out += char(u - kEscapeBase);
        } else if (QChar::isSurrogate(u)) {
            appendUtf8(out, 0xFFFD);  // cannot come from decodePath
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

bool pathExists(const QString& path) {
    struct stat st {};
    return ::stat(encodePath(path).constData(), &st) == 0;
}

bool makeFolders(const QString& folder) {
    const QByteArray bytes = encodePath(folder);
    if (bytes.isEmpty()) return false;
    struct stat st {};
    for (qsizetype slash = bytes.indexOf('/', 1);; slash = bytes.indexOf('/', slash + 1)) {
        const QByteArray part = slash < 0 ? bytes : bytes.left(slash);
        if (!part.isEmpty() && ::mkdir(part.constData(), 0777) != 0 && errno != EEXIST)
            return false;
        if (slash < 0) break;
    }
    return ::stat(bytes.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace core
