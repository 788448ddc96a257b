#pragma once

#include "MarkerReplacement.h"

#include <QList>
#include <QString>

// The replacement rule by its letter, slow and plain, for tests to hold the
// real code to: walk the text; where the marker starts, emit the value and
// jump past the marker, else copy one character.
inline QString referenceReplace(const QString& text, const QString& marker, const QString& value)
{
    if (marker.isEmpty())
        return text;
    QString out;
    qsizetype i = 0;
    while (i < text.size()) {
        bool matches = i + marker.size() <= text.size();
        for (qsizetype k = 0; matches && k < marker.size(); ++k)
            matches = text.at(i + k).unicode() == marker.at(k).unicode();
        if (matches) {
            out += value;
            i += marker.size();
        } else {
            out += text.at(i);
            ++i;
        }
    }
    return out;
}

// One whole pass after another.
inline QString referenceSubstitutions(QString text, const QList<Substitution>& passes)
{
    for (const Substitution& pass : passes)
        text = referenceReplace(text, pass.marker, pass.value);
    return text;
}
