// Fuzz target for applySubstitutions and replaceMarker against a slow scan
// that follows the replacement rule literally. The fuzz bytes spell a text
// and up to 100 (marker, value) passes over a tiny alphabet, so that
// overlapping occurrences, markers inside values and cascades are common.

#include "MarkerReplacement.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace {

// 'a' twice for long runs; NUL and both halves of a surrogate pair so that
// code units, not characters, are compared.
constexpr char16_t Alphabet[] = { u'a', u'a', u'b', u'c', u'\0', 0xD83D, 0xDE00, u'中' };
constexpr qsizetype MaxPasses = 100;
// Beyond this the reference gives up: a cascade can grow without bound.
constexpr qsizetype MaxLength = qsizetype(1) << 14;

// 0x00-0xDF: a letter; 0xE0-0xF7: the previous letter 2 to 25 more times;
// 0xF8-0xFF: end of the current string.
QStringList decode(const std::uint8_t* data, std::size_t size)
{
    QStringList strings { QString() };
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t byte = data[i];
        QString& current = strings.last();
        if (byte >= 0xF8) {
            if (strings.size() > 2 * MaxPasses)
                break;
            strings.append(QString());
        } else if (byte >= 0xE0) {
            if (!current.isEmpty())
                current.append(QString(byte - 0xE0 + 2, current.back()));
        } else {
            current.append(QChar(Alphabet[byte % std::size(Alphabet)]));
        }
    }
    return strings;
}

bool matchesAt(const QString& text, qsizetype at, const QString& marker)
{
    if (at + marker.size() > text.size())
        return false;
    for (qsizetype k = 0; k < marker.size(); ++k) {
        if (text.at(at + k).unicode() != marker.at(k).unicode())
            return false;
    }
    return true;
}

// The rule, one position at a time: a match is replaced and the scan goes on
// after it; otherwise one code unit is copied. An empty marker matches nowhere.
QString referenceReplace(const QString& text, const QString& marker, const QString& value)
{
    if (marker.isEmpty())
        return text;
    QString result;
    qsizetype at = 0;
    while (at < text.size()) {
        if (matchesAt(text, at, marker)) {
            result += value;
            at += marker.size();
        } else {
            result += text.at(at);
            ++at;
        }
    }
    return result;
}

void printUnits(const char* name, const QString& text)
{
    std::fprintf(stderr, "%s (%lld units):", name, static_cast<long long>(text.size()));
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
            std::fprintf(stderr, "%c", char(c.unicode()));
        else
            std::fprintf(stderr, "<%04X>", c.unicode());
    }
    std::fputc('\n', stderr);
}

[[noreturn]] void fail(const char* what, const QString& text, const QList<Substitution>& passes,
                       const QString& got, const QString& expected)
{
    std::fprintf(stderr, "replacement fault: %s\n", what);
    printUnits("text", text);
    for (const Substitution& pass : passes) {
        printUnits("  marker", pass.marker);
        printUnits("  value ", pass.value);
    }
    printUnits("got", got);
    printUnits("expected", expected);
    std::abort();
}

// The reference result, or nothing when it would grow too long.
bool reference(const QString& text, const QList<Substitution>& passes, QString& result)
{
    result = text;
    for (const Substitution& pass : passes) {
        result = referenceReplace(result, pass.marker, pass.value);
        if (result.size() > MaxLength)
            return false;
    }
    return true;
}

void check(const QString& text, const QList<Substitution>& passes)
{
    QString expected;
    if (!reference(text, passes, expected))
        return;
    const QString got = applySubstitutions(text, passes);
    if (got != expected)
        fail("applySubstitutions differs from the reference", text, passes, got, expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList strings = decode(data, size);
    const QString text = strings.first();
    QList<Substitution> passes;
    for (qsizetype i = 1; i + 1 < strings.size(); i += 2)
        passes.append({ strings.at(i), strings.at(i + 1) });

    if (!passes.isEmpty()) {
        const Substitution& first = passes.first();
        const QString expected = referenceReplace(text, first.marker, first.value);
        const QString got = replaceMarker(text, first.marker, first.value);
        if (got != expected)
            fail("replaceMarker differs from the reference", text, { first }, got, expected);
    }

    // The same text object again, as a generator passes its template on
    // every click, first with other passes: nothing kept from one call may
    // leak into the next.
    check(text, passes);
    check(text, QList<Substitution>(passes.rbegin(), passes.rend()));
    check(text, passes);
    return 0;
}
