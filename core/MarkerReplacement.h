#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// The one replacement rule of every generator: from the first character to
// the end, left to right, non-overlapping, exact code-unit comparison, every
// occurrence; the inserted value is not searched again by the same pass. An
// empty marker replaces nothing.
QString replaceMarker(const QString& text, QStringView marker, QStringView value);

// replaceMarker with markers[0], values[0], then with markers[1], values[1]
// over the result, and so on: a later pass sees what earlier ones put in.
// Values of `standInFrom` characters or more are copied once, not once a
// pass (shorter ones cost more to check than to copy).
QString replaceMarkersInTurn(const QString& text, const QStringList& markers, const QStringList& values,
                             qsizetype standInFrom = 256);
