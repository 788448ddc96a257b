// The fetcher of the address check against an HTTP server of the test's own
// on 127.0.0.1: the limits it keeps, cancelling, and an address given twice.

#include "AddressFetcher.h"
#include "LocalHttpServer.h"

#include <QSignalSpy>
#include <QtTest>

class AddressFetcherTest : public QObject
{
    Q_OBJECT

private slots:
    void timeLimitEndsAnAnswerThatNeverFinishes()
    {
        LocalHttpServer server;
        AddressFetcher fetcher(AddressFetcher::Limits { 4, std::chrono::milliseconds(300) });
        QSignalSpy finished(&fetcher, &AddressFetcher::finished);
        const QString address = server.url("/hang");
        fetcher.fetch({ { address, AddressKind::Image } });
        QVERIFY(finished.wait(3000));
        QCOMPARE(fetcher.results().value(address).failure, QStringLiteral("0.3 秒内没有完成"));
        QTRY_COMPARE(server.openConnections(), 0);
    }

    void byteLimitEndsAnAnswerThatSendsMore()
    {
        LocalHttpServer server({ { "/big",
            httpAnswer("200 OK", "Content-Type: image/png\r\n", QByteArray(100000, 'x')) } });
        AddressFetcher fetcher(
            AddressFetcher::Limits { 4, std::chrono::milliseconds(10000), 1000 });
        QSignalSpy finished(&fetcher, &AddressFetcher::finished);
        const QString address = server.url("/big");
        fetcher.fetch({ { address, AddressKind::Image } });
        QVERIFY(finished.wait(5000));
        const QString failure = fetcher.results().value(address).failure;
        QVERIFY2(failure.startsWith(QStringLiteral("文件超过")), qPrintable(failure));
    }

    // A body announced over the cap is refused at its headers, not after the
    // time limit: the server never sends more than the first bytes.
    void announcedLengthOverTheCapIsRefusedAtOnce()
    {
        LocalHttpServer server;
        AddressFetcher fetcher(AddressFetcher::Limits { 4, std::chrono::milliseconds(10000), 1000 });
        QSignalSpy finished(&fetcher, &AddressFetcher::finished);
        const QString address = server.url("/hang");
        fetcher.fetch({ { address, AddressKind::Image } });
        QVERIFY(finished.wait(3000));
        const QString failure = fetcher.results().value(address).failure;
        QVERIFY2(failure.startsWith(QStringLiteral("文件超过")), qPrintable(failure));
    }

    void redirectLoopHasAChineseReason()
    {
        LocalHttpServer server({ { "/loop", httpAnswer("302 Found", "Location: /loop\r\n", {}) } });
        AddressFetcher fetcher;
        QSignalSpy finished(&fetcher, &AddressFetcher::finished);
        const QString address = server.url("/loop");
        fetcher.fetch({ { address, AddressKind::Image } });
        QVERIFY(finished.wait(8000));
        QCOMPARE(fetcher.results().value(address).failure, QStringLiteral("转向次数过多"));
    }

    // The fetcher lives on: only cancel() itself can have ended the requests.
    void cancelEndsEveryRequest()
    {
        LocalHttpServer server;
        AddressFetcher fetcher;
        QSignalSpy finished(&fetcher, &AddressFetcher::finished);
        fetcher.fetch({ { server.url("/hang1"), AddressKind::Image },
            { server.url("/hang2"), AddressKind::Link } });
        QTRY_COMPARE(server.openConnections(), 2);
        fetcher.cancel();
        // Well under the 10 s a request may take, with room for a loaded machine.
        QTRY_COMPARE_WITH_TIMEOUT(server.openConnections(), 0, 5000);
        QVERIFY(!finished.wait(300));
    }

    // A check cancelled halfway leaves a result behind; the next one must
    // neither count it nor wait for it.
    void fetchAfterACancelCountsOnlyItsOwn()
    {
        LocalHttpServer server({ { "/page", httpAnswer("200 OK", "Content-Type: text/html\r\n", "<p>shop</p>") },
            { "/other", httpAnswer("200 OK", "Content-Type: text/html\r\n", "<p>other</p>") } });
        AddressFetcher fetcher;
        QSignalSpy finished(&fetcher, &AddressFetcher::finished);
        fetcher.fetch({ { server.url("/page"), AddressKind::Link }, { server.url("/hang"), AddressKind::Link } });
        QTRY_COMPARE(fetcher.results().size(), 1);
        fetcher.cancel();
        const QString other = server.url("/other");
        fetcher.fetch({ { other, AddressKind::Link } });
        QVERIFY(finished.wait(5000));
        QCOMPARE(fetcher.results().keys(), QList<QString> { other });
    }

    void repeatedAddressIsFetchedOnceAndFinishes()
    {
        LocalHttpServer server(
            { { "/page", httpAnswer("200 OK", "Content-Type: text/html\r\n", "<p>shop</p>") } });
        AddressFetcher fetcher;
        QSignalSpy finished(&fetcher, &AddressFetcher::finished);
        const QString address = server.url("/page");
        fetcher.fetch({ { address, AddressKind::Link }, { address, AddressKind::Link } });
        QVERIFY(finished.wait(5000));
        QCOMPARE(server.connections, 1);
        QCOMPARE(fetcher.results().value(address).status, 200);
    }
};

QTEST_GUILESS_MAIN(AddressFetcherTest)
#include "tst_address_fetcher.moc"
