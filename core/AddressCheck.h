#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSize>
#include <QString>

// What a field's address must lead to once the snippet is on the shop page.
enum class AddressKind
{
    None,  // not an address
    Image,
    Audio,
    Link,  // a page: any answer will do
};

// What fetching an address brought back.
struct FetchResult
{
    QString failure;         // why no answer came; empty when one did
    int status = 0;          // the answer's HTTP status
    QByteArray contentType;
    QSize imageSize;         // valid when the body is an image Qt can read
    QByteArray head;         // the first bytes of the body
};

// An address to fetch, and what it must lead to.
struct AddressRequest
{
    QString address;
    AddressKind kind = AddressKind::None;

    friend bool operator==(const AddressRequest&, const AddressRequest&) = default;
};

// Each address once, in the order first given. An address wanted as an image
// anywhere is fetched as one: reading it whole answers every other kind too.
QList<AddressRequest> distinctRequests(const QList<AddressRequest>& requests);

// How bad a verdict is, from the least; the report lists the worst first.
enum class Severity
{
    Fine,
    PlainHttp,  // fine but for the plain http:// it is served over
    WrongSize,
    Unusable,   // no answer, or not a picture, or not audio
};

struct Verdict
{
    QString text;
    Severity severity = Severity::Fine;
};

// `laidOut` is the picture's size in the module: invalid when any size will
// do, a height of 0 when only the width is laid out.
Verdict judgeAddress(const QString& address, AddressKind kind, QSize laidOut, const FetchResult& result);

struct ReportLine
{
    QString caption;
    Verdict verdict;
};

// One "caption：verdict" line per line given, the worst first, each group in
// the order given.
QString reportText(const QList<ReportLine>& lines);

// A field of a panel that holds an address, as the check sees it.
struct CheckedField
{
    QString caption; // as the report names it
    QString address; // as typed; empty fields are not checked
    AddressKind kind = AddressKind::None;
    QSize laidOut;   // as judgeAddress() takes it
};

// What to fetch for the fields: every address typed (the fetcher asks each once).
QList<AddressRequest> plannedRequests(const QList<CheckedField>& fields);

struct AddressReport
{
    QString text;
    bool hasProblems = false; // anything short of fine, plain http included
};

// The report on the fields typed, each judged by what its address brought
// back; when none brought an answer, a first line says the computer seems
// to be offline.
AddressReport addressReport(
    const QList<CheckedField>& fields, const QHash<QString, FetchResult>& results);
