#pragma once

#include <QString>
#include <QStringView>

// Percent-encodes the UTF-8 form of a text for a link's query string.
// Characters below 128 pass unchanged (none is escaped, not even "%" or "&");
// every other character becomes "%XX" escapes in upper-case hex. A valid
// surrogate pair is encoded as its four-byte character; a lone surrogate
// keeps the three-byte form of its code unit, so no input is rejected.
QString UTF8EncodeURI(QStringView szInput);
