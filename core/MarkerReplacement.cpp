#include "MarkerReplacement.h"

#include <QList>
#include <QVarLengthArray>

#include <algorithm>
#include <span>

namespace {

// Markers are short and templates mostly ASCII markup: looking for the
// marker's first character, then comparing, is the quickest plain search.
qsizetype findMarker(QStringView text, QStringView marker, qsizetype from)
{
    for (qsizetype at = text.indexOf(marker.front(), from); at >= 0;
         at = text.indexOf(marker.front(), at + 1)) {
        if (text.sliced(at).startsWith(marker))
            return at;
    }
    return -1;
}

// Private-use characters: a stand-in's first character, then its value's
// index.
constexpr char16_t FirstPrivate = 0xE000;
constexpr char16_t FirstIndex = 0xF000;
constexpr char16_t LastIndex = 0xF8FF;

// Whether an occurrence of one of `markers` could overlap `value` wherever
// the value stands: the marker inside the value, the value inside the
// marker, or the value beginning with the marker's end or ending with its
// beginning. An empty value counts as inside every marker: taking it out
// can join the text on either side into one.
bool canTakePartInAMatch(const QString& value, std::span<const QString> markers)
{
    // Markers share their first characters; a long value is scanned once
    // for each, not once for each marker.
    QVarLengthArray<std::pair<QChar, bool>, 8> holds;
    for (const QString& marker : markers) {
        if (marker.isEmpty())
            continue;
        auto first = std::find_if(holds.begin(), holds.end(), [&](const auto& held) { return held.first == marker.front(); });
        if (first == holds.end())
            first = holds.insert(holds.end(), { marker.front(), value.contains(marker.front()) });
        if ((first->second && findMarker(value, marker, 0) >= 0) || marker.contains(value))
            return true;
        for (qsizetype length = 1; length < marker.size(); ++length) {
            if (value.endsWith(QStringView(marker).first(length)) || value.startsWith(QStringView(marker).last(length)))
                return true;
        }
    }
    return false;
}

// The first private-use character below the index range that occurs in
// none of the texts, or 0.
char16_t unusedStandIn(const QString& text, const QStringList& markers, const QStringList& values)
{
    const auto inAny = [](const QStringList& texts, QChar c) {
        return std::any_of(texts.cbegin(), texts.cend(), [c](const QString& t) { return t.contains(c); });
    };
    for (char16_t c = FirstPrivate; c < FirstIndex; ++c) {
        if (!text.contains(QChar(c)) && !inAny(markers, QChar(c)) && !inAny(values, QChar(c)))
            return c;
    }
    return 0;
}

} // namespace

QString replaceMarker(const QString& text, QStringView marker, QStringView value)
{
    if (marker.isEmpty())
        return text;
    // The search goes on after the marker just found, so occurrences never
    // overlap and the inserted value is never searched by the same pass.
    QList<qsizetype> found;
    for (qsizetype at = findMarker(text, marker, 0); at >= 0; at = findMarker(text, marker, at + marker.size()))
        found.append(at);
    if (found.isEmpty())
        return text; // shared, not copied
    // One allocation of the exact size: growing a text of many megabytes
    // while appending would copy it again and touch fresh memory.
    QString result;
    result.reserve(text.size() + found.size() * (value.size() - marker.size()));
    qsizetype copied = 0;
    for (const qsizetype at : found) {
        result += QStringView(text).sliced(copied, at - copied);
        result += value;
        copied = at + marker.size();
    }
    result += QStringView(text).sliced(copied);
    return result;
}

QString replaceMarkersInTurn(const QString& text, const QStringList& markers, const QStringList& values,
                             qsizetype standInFrom)
{
    // Each pass copies the whole text so far, so a long value put in early
    // would be copied again by every later pass. A value that no later
    // marker can overlap (see canTakePartInAMatch) goes in as a two-character
    // stand-in instead, and every stand-in is put back in one last pass: the
    // stand-in's first character occurs nowhere else, and no marker holds
    // either of its characters, so no pass can match across it.
    const bool worthIt = std::any_of(values.cbegin(), values.cend(),
                                     [standInFrom](const QString& v) { return v.size() >= standInFrom; })
        && markers.size() <= LastIndex - FirstIndex
        && std::none_of(markers.cbegin(), markers.cend(), [](const QString& m) {
               return std::any_of(m.cbegin(), m.cend(), [](QChar c) { return c.unicode() >= FirstIndex && c.unicode() <= LastIndex; });
           });
    const char16_t standIn = worthIt ? unusedStandIn(text, markers, values) : 0;

    QString result = text;
    bool stoodIn = false;
    for (qsizetype i = 0; i < markers.size(); ++i) {
        const QString& value = values.at(i);
        if (standIn && value.size() >= standInFrom
            && !canTakePartInAMatch(value, std::span(markers.constData() + i + 1, markers.size() - i - 1))) {
            const char16_t token[] = { standIn, char16_t(FirstIndex + i) };
            result = replaceMarker(result, markers.at(i), QStringView(token, 2));
            stoodIn = true;
        } else {
            result = replaceMarker(result, markers.at(i), value);
        }
    }
    if (!stoodIn)
        return result;

    // As replaceMarker does: find them all, then one allocation of the exact size.
    QList<qsizetype> found;
    qsizetype size = result.size();
    for (qsizetype at = result.indexOf(QChar(standIn)); at >= 0; at = result.indexOf(QChar(standIn), at + 2)) {
        found.append(at);
        size += values.at(result.at(at + 1).unicode() - FirstIndex).size() - 2;
    }
    QString whole;
    whole.reserve(size);
    qsizetype copied = 0;
    for (const qsizetype at : found) {
        whole += QStringView(result).sliced(copied, at - copied);
        whole += values.at(result.at(at + 1).unicode() - FirstIndex);
        copied = at + 2;
    }
    whole += QStringView(result).sliced(copied);
    return whole;
}
