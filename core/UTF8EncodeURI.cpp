#include "UTF8EncodeURI.h"

namespace {

constexpr char16_t HexDigits[] = u"0123456789ABCDEF";

inline char16_t* putEscape(char16_t* out, unsigned byte)
{
    out[0] = u'%';
    out[1] = HexDigits[(byte >> 4) & 0xF];
    out[2] = HexDigits[byte & 0xF];
    return out + 3;
}

} // namespace

QString UTF8EncodeURI(QStringView szInput)
{
    const qsizetype length = szInput.size();
    if (length == 0)
        return QString();

    // Each code unit yields at most nine output units (three escapes); a
    // surrogate pair yields twelve for two. One allocation, then trim.
    QString result(length * 9, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(result.data());
    char16_t* const begin = out;
    const char16_t* in = szInput.utf16();
    const char16_t* const end = in + length;

    while (in < end) {
        const unsigned v = *in++;
        if ((v & 0xFF80u) == 0) {
            *out++ = char16_t(v);
        } else if ((v & 0xF800u) == 0) {
            out = putEscape(out, 0xC0u | (v >> 6));
            out = putEscape(out, 0x80u | (v & 0x3Fu));
        } else if (v >= 0xD800u && v <= 0xDBFFu && in < end && *in >= 0xDC00u && *in <= 0xDFFFu) {
            const unsigned low = *in++;
            const unsigned c = 0x10000u + ((v - 0xD800u) << 10) + (low - 0xDC00u);
            out = putEscape(out, 0xF0u | (c >> 18));
            out = putEscape(out, 0x80u | ((c >> 12) & 0x3Fu));
            out = putEscape(out, 0x80u | ((c >> 6) & 0x3Fu));
            out = putEscape(out, 0x80u | (c & 0x3Fu));
        } else {
            out = putEscape(out, 0xE0u | (v >> 12));
            out = putEscape(out, 0x80u | ((v >> 6) & 0x3Fu));
            out = putEscape(out, 0x80u | (v & 0x3Fu));
        }
    }
    result.truncate(out - begin);
    return result;
}
