#include "MarkerReplacement.h"

QString replaceMarker(QStringView text, QStringView marker, QStringView value)
{
    // An empty marker matches nowhere; matching it everywhere would never end.
    if (marker.isEmpty())
        return text.toString();

    qsizetype found = text.indexOf(marker);
    if (found < 0)
        return text.toString();

    QString result;
    result.reserve(text.size() + (value.size() > marker.size() ? value.size() - marker.size() : 0));
    qsizetype copied = 0;
    while (found >= 0) {
        result.append(text.sliced(copied, found - copied));
        result.append(value);
        copied = found + marker.size();
        found = text.indexOf(marker, copied);
    }
    result.append(text.sliced(copied));
    return result;
}

QString applySubstitutions(const QString& text, const QList<Substitution>& passes)
{
    QString current = text;
    for (const Substitution& pass : passes)
        current = replaceMarker(current, pass.marker, pass.value);
    return current;
}
