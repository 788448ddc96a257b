// Fuzz target for parseRequestHead: whatever the bytes, a complete head
// lies within the first 8 KiB and ends at the first empty line, its parts
// hold no byte that could split a line or a path, no shorter prefix is
// complete, and more bytes after a complete head change nothing.

#include "HttpRequestHead.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "request head fault: %s\n", what);
    std::abort();
}

bool holdsControlOrSpace(const QByteArray& text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) <= ' ' || c == 0x7f)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const HttpRequestHead head = parseRequestHead(bytes);
    using State = HttpRequestHead::State;

    if (head.state == State::Incomplete && bytes.size() >= MaxHttpRequestHead)
        fail("incomplete beyond the limit");
    if (head.state == State::TooLarge && bytes.size() < MaxHttpRequestHead)
        fail("too large within the limit");
    if (head.state != State::Complete)
        return 0;

    if (head.length < 4 || head.length > MaxHttpRequestHead || head.length > bytes.size())
        fail("head length out of bounds");
    if (bytes.first(head.length).indexOf("\r\n\r\n") != head.length - 4)
        fail("head does not end at the first empty line");
    if (head.method.isEmpty() || !head.target.startsWith('/'))
        fail("no method or target");
    if (holdsControlOrSpace(head.method) || holdsControlOrSpace(head.target))
        fail("control character or space in method or target");
    if (head.host.contains('\r') || head.host.contains('\n'))
        fail("line break in the host");

    const HttpRequestHead exact = parseRequestHead(bytes.first(head.length));
    if (exact.state != State::Complete || exact.length != head.length || exact.method != head.method
        || exact.target != head.target || exact.host != head.host)
        fail("bytes after the head changed it");
    if (parseRequestHead(bytes.first(head.length - 1)).state == State::Complete)
        fail("a shorter prefix is complete");
    return 0;
}
