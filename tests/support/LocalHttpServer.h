#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtGlobal>
#include <algorithm>

// A whole HTTP answer that closes its connection.
inline QByteArray httpAnswer(const char* status, const QByteArray& headers, const QByteArray& body)
{
    return "HTTP/1.1 " + QByteArray(status) + "\r\n" + headers + "Content-Length: "
        + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

// An HTTP server of the test's own on 127.0.0.1, so that no request leaves
// the machine. Answers by path with what the test gave, 404 otherwise; a
// path starting "/hang" sends its headers and then nothing.
class LocalHttpServer
{
public:
    explicit LocalHttpServer(const QHash<QByteArray, QByteArray>& answers = {})
        : m_answers(answers)
    {
        // Reached directly, never through a proxy.
        for (const char* name :
            { "http_proxy", "https_proxy", "all_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY" })
            qunsetenv(name);
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                ++connections;
                m_sockets << socket;
                QObject::connect(
                    socket, &QTcpSocket::readyRead, socket, [this, socket] { serve(socket); });
            }
        });
    }
    // Serves `body` as `type` at `path` from now on.
    void put(const QByteArray& path, const QByteArray& type, const QByteArray& body)
    {
        m_answers.insert(path, httpAnswer("200 OK", "Content-Type: " + type + "\r\n", body));
    }
    QString url(const char* path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2")
            .arg(m_server.serverPort())
            .arg(QLatin1String(path));
    }
    int openConnections() const
    {
        return int(std::count_if(
            m_sockets.cbegin(), m_sockets.cend(), [](const QPointer<QTcpSocket>& socket) {
                return socket && socket->state() == QAbstractSocket::ConnectedState;
            }));
    }
    int connections = 0;

private:
    void serve(QTcpSocket* socket)
    {
        QByteArray& request = m_requests[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        const QByteArray path = request.split(' ').value(1).split('?').first();
        if (path.startsWith("/hang")) {
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nContent-Length: "
                          "100000\r\n\r\n\x89PNG");
            return;
        }
        socket->write(m_answers.value(path, httpAnswer("404 Not Found", {}, "missing")));
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QByteArray, QByteArray> m_answers;
    QHash<QTcpSocket*, QByteArray> m_requests;
    QList<QPointer<QTcpSocket>> m_sockets;
};
