#include "XmlText.h"

#include <cstring>

namespace wb::xml {
namespace {

bool isHex(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// "_xHHHH_" at position i.
bool escapeAt(const QString& s, qsizetype i) {
    if (i + 7 > s.size() || s[i] != u'_' || s[i + 1] != u'x' || s[i + 6] != u'_')
        return false;
    for (int k = 2; k < 6; ++k)
        if (!isHex(s[i + k]))
            return false;
    return true;
}

void appendHexEscape(std::string& out, unsigned code) {
    static const char digits[] = "0123456789ABCDEF";
    out += "_x";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += digits[(code >> shift) & 0xF];
    out += '_';
}

} // namespace

std::string localName(const char* name) {
    const char* colon = std::strchr(name, ':');
    return colon ? std::string(colon + 1) : std::string(name);
}

std::string prefixOf(const char* name) {
    const char* colon = std::strchr(name, ':');
    return colon ? std::string(name, size_t(colon - name + 1)) : std::string();
}

void appendEscaped(std::string& out, const QString& text) {
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'_' && escapeAt(text, i)) {
            out += "_x005F_";
            continue;
        }
        switch (c) {
        case u'&': out += "&amp;"; continue;
        case u'<': out += "&lt;"; continue;
        case u'>': out += "&gt;"; continue;
        case u'\r': out += "&#13;"; continue;
        case u'\t':
        case u'\n': out += char(c); continue;
        default: break;
        }
        if (c < 0x20 || c == 0xFFFE || c == 0xFFFF) {
            appendHexEscape(out, c);
            continue;
        }
        if (c < 0x80) {
            out += char(c);
            continue;
        }
        char32_t code = c;
        if (QChar::isHighSurrogate(c) && i + 1 < n && text[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(c, text[i + 1].unicode());
            ++i;
        } else if (QChar::isSurrogate(c)) {
            appendHexEscape(out, c); // a lone half cannot be written as UTF-8
            continue;
        }
        if (code < 0x800) {
            out += char(0xC0 | (code >> 6));
            out += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += char(0xE0 | (code >> 12));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        } else {
            out += char(0xF0 | (code >> 18));
            out += char(0x80 | ((code >> 12) & 0x3F));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        }
    }
}

void appendAttribute(std::string& out, const char* value) {
    for (const char* p = value; *p; ++p) {
        switch (*p) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\r': out += "&#13;"; break;
        case '\n': out += "&#10;"; break;
        case '\t': out += "&#9;"; break;
        default: out += *p;
        }
    }
}

QString decodeEscapes(const QString& stored) {
    if (!stored.contains(QLatin1String("_x")))
        return stored;
    QString out;
    out.reserve(stored.size());
    for (qsizetype i = 0; i < stored.size(); ++i) {
        if (escapeAt(stored, i)) {
            out += QChar(char16_t(stored.mid(i + 2, 4).toUInt(nullptr, 16)));
            i += 6;
        } else {
            out += stored[i];
        }
    }
    return out;
}

} // namespace wb::xml
