#pragma once

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>

// What the address in a field must lead to once the snippet is on the shop
// page.
enum class AddressKind
{
    None,  // not an address
    Image,
    Audio,
    Link,  // a page: any answer will do
};

// What a value would do to the HTML attribute it lands in, known without a
// network: empty when nothing is wrong (an empty value included), otherwise
// what is wrong and what to do, one line each, in the owner's words.
QString addressProblem(QStringView value);

// What fetching an address brought back.
struct FetchResult
{
    QString failure;         // why no answer came; empty when one did
    int status = 0;          // the answer's HTTP status
    QByteArray contentType;
    QSize imageSize;         // valid when the body is an image Qt can read
    QByteArray head;         // the first bytes of the body
};

struct Verdict
{
    QString text;
    bool problem = false;
};

// The verdict on an address of the given kind. `laidOut` is the picture's
// size in the module: invalid when any size will do, a height of 0 when
// only the width is laid out.
Verdict judgeAddress(const QString& address, AddressKind kind, QSize laidOut, const FetchResult& result);

// Audio by its content type, or by the header of an MP3, WMA, WAV or MIDI
// file at the start of `head`.
bool looksLikeAudio(const QByteArray& contentType, const QByteArray& head);

struct ReportLine
{
    QString caption;
    Verdict verdict;
};

// One "caption：verdict" line per address, the problems first, each group in
// the order given.
QString addressReport(const QList<ReportLine>& lines);
