#pragma once

#include <QString>
#include <QStringView>

// The one replacement rule of every generator: from the first character to
// the end, left to right, non-overlapping, exact code-unit comparison, every
// occurrence; the inserted value is not searched again by the same pass. An
// empty marker replaces nothing.
QString replaceMarker(const QString& text, QStringView marker, QStringView value);
