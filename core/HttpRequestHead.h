#pragma once

#include <QByteArray>
#include <QByteArrayView>

// What the head of an HTTP/1.x request says, as far as the preview's own
// server needs it. Strict on purpose: the only clients are the owner's
// browser and whatever tries to reach a loopback port uninvited.
struct HttpRequestHead
{
    enum class State
    {
        Incomplete, // no end of head yet, and still within the limit
        Complete,
        Malformed,
        TooLarge, // no end of head within MaxHttpRequestHead bytes
    };
    State state = State::Incomplete;
    QByteArray method;
    QByteArray target; // as sent, starting with "/"
    QByteArray host; // the one Host header's value, spaces around it removed
    qsizetype length = 0; // bytes of the head, its closing empty line included
};

inline constexpr qsizetype MaxHttpRequestHead = 8 * 1024;

// Reads the head at the start of `bytes`: the request line, then header
// lines, each ended by CR LF, up to an empty line. Exactly one Host header;
// no folded lines, no control characters. Pure.
HttpRequestHead parseRequestHead(QByteArrayView bytes);
