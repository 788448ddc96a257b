// The preview's loopback server at its door: what it refuses, it answers
// with an error status and nothing else, then closes.

#include "PreviewServer.h"

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
    QTest::addColumn<QByteArray>("host"); // the port follows
    QTest::addColumn<int>("headSize"); // padded to this many bytes; 0: as it is
    QTest::addColumn<QByteArray>("end"); // of the head
    QTest::addColumn<QByteArray>("status");

    const QByteArray get = "GET", own, loopback = "127.0.0.1", end = "\r\n";
    // The right request, also at the largest head read, shows the door opens.
    QTest::newRow("own token and host") << get << own << loopback << 0 << end << QByteArray("200");
    QTest::newRow("8 KiB head") << get << own << loopback << 8192 << end << QByteArray("200");
    QTest::newRow("another token") << get << QByteArray(32, 'a') << loopback << 0 << end << QByteArray("404");
    QTest::newRow("another host") << get << own << QByteArray("preview.example.com") << 0 << end << QByteArray("421");
    QTest::newRow("POST") << QByteArray("POST") << own << loopback << 0 << end << QByteArray("405");
    QTest::newRow("head over 8 KiB") << get << own << loopback << 8193 << end << QByteArray("431");
    QTest::newRow("never finished") << get << own << loopback << 0 << QByteArray() << QByteArray("408");
}

void PreviewServerTest::refusesWithAStatusAndNothingElse()
{
    QFETCH(QByteArray, method);
    QFETCH(QByteArray, token);
    QFETCH(QByteArray, host);
    QFETCH(int, headSize);
    QFETCH(QByteArray, end);
    QFETCH(QByteArray, status);

    PreviewServer server(std::chrono::milliseconds(300)); // for the head never finished
    QString reason;
    QVERIFY2(server.listen(&reason), qPrintable(reason));
    server.publish(QStringLiteral("contact-block"), "<p>page</p>");
    const QUrl url = server.pageUrl(QStringLiteral("contact-block"));
    QByteArray path = url.path().toLatin1();
    path.replace(1, token.size(), token);
    QByteArray head = method + ' ' + path + " HTTP/1.1\r\nHost: " + host + ':' + QByteArray::number(url.port()) + "\r\n";
    if (headSize > 0)
        head += "X-Padding: " + QByteArray(headSize - head.size() - 15, 'x') + "\r\n";
    head += end;

    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, quint16(url.port()));
    client.write(head);
    QByteArray answer;
    QTRY_VERIFY2((answer += client.readAll(), client.state() == QAbstractSocket::UnconnectedState), answer.constData());
    QVERIFY2(answer.startsWith("HTTP/1.1 " + status + ' '), answer.left(200).constData());
    if (status == "200")
        QVERIFY(answer.endsWith("\r\n\r\n<p>page</p>"));
    else
        QVERIFY2(answer.endsWith("\r\nContent-Length: 0\r\nConnection: close\r\n\r\n") && answer.count("\r\n") == 4,
            answer.constData());
}

QTEST_GUILESS_MAIN(PreviewServerTest)
#include "tst_preview_server.moc"
