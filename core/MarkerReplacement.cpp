#include "MarkerReplacement.h"

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
    qsizetype found = findMarker(text, marker, 0);
    if (found < 0)
        return text; // shared, not copied
    QString result;
    result.reserve(text.size());
    qsizetype copied = 0;
    // The search goes on in `text` after the marker just replaced, so the
    // inserted value is never searched by the same pass.
    for (; found >= 0; found = findMarker(text, marker, copied)) {
        result += QStringView(text).sliced(copied, found - copied);
        result += value;
        copied = found + marker.size();
    }
    result += QStringView(text).sliced(copied);
    return result;
}
