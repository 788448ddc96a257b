#include "HttpRequestHead.h"

namespace {

// RFC 9110's tchar: what a method or a header name may hold.
bool isTokenChar(char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    return QByteArrayView("!#$%&'*+-.^_`|~").contains(c);
}

bool isToken(QByteArrayView text)
{
    if (text.isEmpty())
        return false;
    for (const char c : text) {
        if (!isTokenChar(c))
            return false;
    }
    return true;
}

// Visible ASCII only: a target never holds a space or a control character.
bool isVisible(QByteArrayView text)
{
    for (const char c : text) {
        if (c <= ' ' || c >= 0x7f)
            return false;
    }
    return true;
}

// A field value may hold spaces and tabs, and bytes of other scripts, but no
// other control character.
bool isFieldValue(QByteArrayView text)
{
    for (const char c : text) {
        if ((c >= 0 && c < ' ' && c != '\t') || c == 0x7f)
            return false;
    }
    return true;
}

HttpRequestHead malformed()
{
    HttpRequestHead head;
    head.state = HttpRequestHead::State::Malformed;
    return head;
}

bool parseRequestLine(QByteArrayView line, HttpRequestHead& head)
{
    const qsizetype first = line.indexOf(' ');
    const qsizetype second = first < 0 ? -1 : line.indexOf(' ', first + 1);
    if (second < 0)
        return false;
    const QByteArrayView method = line.first(first);
    const QByteArrayView target = line.sliced(first + 1, second - first - 1);
    const QByteArrayView version = line.sliced(second + 1);
    if (!isToken(method) || !target.startsWith('/') || !isVisible(target)
        || (version != "HTTP/1.1" && version != "HTTP/1.0"))
        return false;
    head.method = method.toByteArray();
    head.target = target.toByteArray();
    return true;
}

} // namespace

HttpRequestHead parseRequestHead(QByteArrayView bytes)
{
    const QByteArrayView window = bytes.first(qMin(bytes.size(), MaxHttpRequestHead));
    const qsizetype end = window.indexOf("\r\n\r\n");
    if (end < 0) {
        // A bare LF or a NUL will not get better with more bytes.
        for (qsizetype i = 0; i < window.size(); ++i) {
            if (window.at(i) == '\n' && (i == 0 || window.at(i - 1) != '\r'))
                return malformed();
        }
        HttpRequestHead head;
        head.state = bytes.size() >= MaxHttpRequestHead ? HttpRequestHead::State::TooLarge
                                                        : HttpRequestHead::State::Incomplete;
        return head;
    }

    HttpRequestHead head;
    const QByteArrayView text = window.first(end + 2); // every line with its CR LF
    qsizetype start = 0;
    bool hostSeen = false;
    while (start < text.size()) {
        const qsizetype lineEnd = text.indexOf("\r\n", start);
        const QByteArrayView line = text.sliced(start, lineEnd - start);
        if (line.contains('\r') || line.contains('\n'))
            return malformed();
        if (start == 0) {
            if (!parseRequestLine(line, head))
                return malformed();
        } else {
            const qsizetype colon = line.indexOf(':');
            if (colon < 0 || !isToken(line.first(colon)))
                return malformed(); // a folded line starts with a space
            const QByteArrayView value = line.sliced(colon + 1).trimmed();
            if (!isFieldValue(value))
                return malformed();
            if (line.first(colon).compare("host", Qt::CaseInsensitive) == 0) {
                if (hostSeen)
                    return malformed();
                hostSeen = true;
                head.host = value.toByteArray();
            }
        }
        start = lineEnd + 2;
    }
    if (!hostSeen)
        return malformed();
    head.state = HttpRequestHead::State::Complete;
    head.length = end + 4;
    return head;
}
