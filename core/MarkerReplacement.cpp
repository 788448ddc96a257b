#include "MarkerReplacement.h"

#include <QHash>
#include <QList>

#include <bitset>
#include <vector>

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

QString replaceMarkersInTurn(const QString& text, const QStringList& markers, const QStringList& values)
{
    // Each pass copies the whole text so far, so a long value put in early
    // would be copied again by every later pass. A value that shares no
    // character with any later marker can take no part in a later match, nor
    // join two halves of one (it is not empty): it goes in as one private-use
    // character found nowhere else, and comes back in one last pass.
    constexpr char16_t FirstPrivate = 0xE000;
    constexpr char16_t LastPrivate = 0xF8FF;
    std::bitset<LastPrivate - FirstPrivate + 1> taken;
    const auto noteTaken = [&taken](QStringView part) {
        for (const QChar c : part) {
            if (c.unicode() >= FirstPrivate && c.unicode() <= LastPrivate)
                taken.set(c.unicode() - FirstPrivate);
        }
    };
    noteTaken(text);
    std::vector<bool> standsIn(markers.size());
    std::bitset<0x10000> inLaterMarkers;
    for (qsizetype i = markers.size() - 1; i >= 0; --i) {
        const QString& value = values.at(i);
        bool shares = false;
        for (const QChar c : value)
            shares = shares || inLaterMarkers.test(c.unicode());
        noteTaken(value);
        noteTaken(markers.at(i));
        standsIn[i] = !value.isEmpty() && !shares;
        for (const QChar c : markers.at(i))
            inLaterMarkers.set(c.unicode());
    }

    QHash<char16_t, qsizetype> valueOf;
    char16_t next = FirstPrivate;
    QString result = text;
    for (qsizetype i = 0; i < markers.size(); ++i) {
        while (next <= LastPrivate && taken.test(next - FirstPrivate))
            ++next;
        if (standsIn[i] && next <= LastPrivate) {
            valueOf.insert(next, i);
            result = replaceMarker(result, markers.at(i), QStringView(&next, 1));
            ++next;
        } else {
            result = replaceMarker(result, markers.at(i), values.at(i));
        }
    }
    if (valueOf.isEmpty())
        return result;

    QList<std::pair<qsizetype, qsizetype>> standIns; // where, and whose value
    qsizetype size = result.size();
    for (qsizetype at = 0; at < result.size(); ++at) {
        const char16_t c = result.at(at).unicode();
        if (c >= FirstPrivate && c <= LastPrivate && valueOf.contains(c)) {
            standIns.append({ at, valueOf.value(c) });
            size += values.at(standIns.last().second).size() - 1;
        }
    }
    QString whole;
    whole.reserve(size);
    qsizetype copied = 0;
    for (const auto& [at, value] : standIns) {
        whole += QStringView(result).sliced(copied, at - copied);
        whole += values.at(value);
        copied = at + 1;
    }
    whole += QStringView(result).sliced(copied);
    return whole;
}
