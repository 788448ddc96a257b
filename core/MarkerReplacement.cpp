#include "MarkerReplacement.h"

#include <QList>

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
