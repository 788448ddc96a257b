#pragma once

#include "AddressCheck.h"

#include <QHash>
#include <QList>
#include <QObject>

#include <chrono>

class QNetworkAccessManager;
class QNetworkReply;

// Fetches the addresses of an address check, a few at a time, and keeps
// what each brought back. Nothing goes out beyond the requests themselves:
// no cookies are sent or kept, no credentials, no cache.
class AddressFetcher final : public QObject
{
    Q_OBJECT

public:
    struct Limits
    {
        int parallel = 4;
        std::chrono::milliseconds time { 10000 }; // for each request, from its start
        qint64 bytes = qint64(20) << 20;
    };

    explicit AddressFetcher(Limits limits, QObject* parent = nullptr);
    explicit AddressFetcher(QObject* parent = nullptr)
        : AddressFetcher(Limits(), parent)
    {
    }

    // Fetches each address once, however often it is given, and finishes
    // when every one has a result. A new fetch ends the one before it. An image is read whole; for anything else
    // the answer and the first bytes of its body will do.
    void fetch(const QList<AddressRequest>& requests);
    // Ends every request at once; finished() does not follow.
    void cancel();
    // By address; complete once finished() has come.
    const QHash<QString, FetchResult>& results() const { return m_results; }

signals:
    // `total` counts each address once; (0, total) comes as a fetch starts.
    void progress(int done, int total);
    void finished();

private:
    struct Transfer
    {
        QString address;
        bool image = false;
        QString failure = {}; // set when the fetcher itself ended it
    };

    void startNext();
    void conclude(QNetworkReply* reply, bool early);

    Limits m_limits;
    QNetworkAccessManager* m_network;
    QList<AddressRequest> m_queue;
    QHash<QNetworkReply*, Transfer> m_active;
    QHash<QString, FetchResult> m_results;
    qsizetype m_total = 0;
};
