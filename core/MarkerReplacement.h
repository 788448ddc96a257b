#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// The one replacement rule of every generator: from the first character to
// the end, left to right, non-overlapping, exact code-unit comparison, every
// occurrence; the inserted value is not searched again by the same pass.
QString replaceMarker(QStringView text, QStringView marker, QStringView value);

struct Substitution
{
    QString marker;
    QString value;
};

// Runs the passes in order, each over the whole current text, so a later pass
// also sees the values inserted by earlier ones. Gives exactly what applying
// replaceMarker pass after pass gives. Where the markers stand in `text` is
// remembered for the next call with the same text and markers (a handful of
// texts per thread, each sharing the caller's string), so that a fixed
// template is searched once.
QString applySubstitutions(const QString& text, const QList<Substitution>& passes);
