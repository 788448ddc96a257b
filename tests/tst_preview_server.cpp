// The preview's loopback server at its door: what it refuses, it answers
// with an error status and nothing else, then closes.

#include "PreviewServer.h"

#include <QElapsedTimer>
#include <QTcpSocket>
#include <QtTest>

class PreviewServerTest : public QObject
{
    Q_OBJECT

private slots:
    void refusesWithAStatusAndNothingElse_data();
    void refusesWithAStatusAndNothingElse();
};

void PreviewServerTest::refusesWithAStatusAndNothingElse_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QByteArray>("token"); // empty: the server's own
    QTest::addColumn<QByteArray>("host"); // empty: 127.0.0.1 and the port
    QTest::addColumn<int>("headSize"); // padded to this many bytes with a header
    QTest::addColumn<bool>("finished"); // whether the head's empty line is sent
    QTest::addColumn<QByteArray>("status");

    const QByteArray get = "GET";
    // The right request, and the largest head that is read.
    QTest::newRow("own token and host") << get << QByteArray() << QByteArray() << 0 << true << QByteArray("200");
    QTest::newRow("8 KiB head") << get << QByteArray() << QByteArray() << 8192 << true << QByteArray("200");
    QTest::newRow("another token") << get << QByteArray(32, 'a') << QByteArray() << 0 << true << QByteArray("404");
    QTest::newRow("another host") << get << QByteArray() << QByteArray("preview.example.com") << 0 << true
                                  << QByteArray("421");
    QTest::newRow("localhost") << get << QByteArray() << QByteArray("localhost") << 0 << true << QByteArray("421");
    QTest::newRow("POST") << QByteArray("POST") << QByteArray() << QByteArray() << 0 << true << QByteArray("405");
    QTest::newRow("head over 8 KiB") << get << QByteArray() << QByteArray() << 8193 << true << QByteArray("431");
    QTest::newRow("never finished") << get << QByteArray() << QByteArray() << 0 << false << QByteArray("408");
}

void PreviewServerTest::refusesWithAStatusAndNothingElse()
{
    QFETCH(QByteArray, method);
    QFETCH(QByteArray, token);
    QFETCH(QByteArray, host);
    QFETCH(int, headSize);
    QFETCH(bool, finished);
    QFETCH(QByteArray, status);

    PreviewServer server(std::chrono::milliseconds(300));
    QString reason;
    QVERIFY2(server.listen(&reason), qPrintable(reason));
    const QByteArray page = "<p>page</p>";
    server.publish(QStringLiteral("contact-block"), page);
    const QUrl url = server.pageUrl(QStringLiteral("contact-block"));
    QCOMPARE(url.host(), QStringLiteral("127.0.0.1"));

    QByteArray path = url.path().toLatin1();
    if (!token.isEmpty())
        path.replace(1, token.size(), token);
    if (host.isEmpty())
        host = "127.0.0.1";
    QByteArray head = method + ' ' + path + " HTTP/1.1\r\nHost: " + host + ':'
        + QByteArray::number(url.port()) + "\r\n";
    if (headSize > 0) {
        const QByteArray name = "X-Padding: ";
        head += name + QByteArray(headSize - head.size() - name.size() - 4, 'x') + "\r\n";
    }
    if (finished)
        head += "\r\n";
    QVERIFY(headSize == 0 || head.size() == headSize);

    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, quint16(url.port()));
    QVERIFY(client.waitForConnected(5000));
    client.write(head);
    QByteArray answer;
    QElapsedTimer clock;
    clock.start();
    while (client.state() == QAbstractSocket::ConnectedState && clock.elapsed() < 5000) {
        QTest::qWait(10);
        answer += client.readAll();
    }
    answer += client.readAll();
    QVERIFY2(client.state() != QAbstractSocket::ConnectedState, "the server kept the connection open");
    QVERIFY2(answer.startsWith("HTTP/1.1 " + status + ' '), answer.left(200).constData());
    if (status == "200") {
        QVERIFY2(answer.endsWith("\r\n\r\n" + page), answer.constData());
        return;
    }
    QVERIFY2(answer.endsWith("\r\nContent-Length: 0\r\nConnection: close\r\n\r\n"), answer.constData());
    QCOMPARE(answer.count("\r\n"), 4); // the status line, two headers, the empty line
}

QTEST_GUILESS_MAIN(PreviewServerTest)
#include "tst_preview_server.moc"
