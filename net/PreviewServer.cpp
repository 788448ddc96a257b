#include "PreviewServer.h"

#include "HttpRequestHead.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QTimer>

namespace {

// A refusal is its status line and nothing more.
void refuse(QTcpSocket* socket, const char* status)
{
    socket->disconnect(socket, &QTcpSocket::readyRead, nullptr, nullptr);
    socket->write("HTTP/1.1 " + QByteArray(status) + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    socket->disconnectFromHost();
}

QByteArray serverEvent(const char* name, const QByteArray& data)
{
    return "event: " + QByteArray(name) + "\ndata: " + data + "\n\n";
}

// The referrer would carry the token to every picture's host.
constexpr char CommonHeaders[] = "Cache-Control: no-store\r\nReferrer-Policy: no-referrer\r\n"
                                 "X-Content-Type-Options: nosniff\r\n";

} // namespace

PreviewServer::PreviewServer(std::chrono::milliseconds headTime, QObject* parent)
    : QObject(parent)
    , m_headTime(headTime)
{
    connect(&m_server, &QTcpServer::newConnection, this, &PreviewServer::accept);
}

PreviewServer::~PreviewServer()
{
    close();
}

bool PreviewServer::listen(QString* reason)
{
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    m_token = QByteArray(reinterpret_cast<const char*>(words), sizeof words).toHex();
    // Loopback only: nothing outside the machine can connect, and Windows
    // asks no firewall question.
    if (m_server.listen(QHostAddress::LocalHost, 0))
        return true;
    *reason = m_server.errorString();
    return false;
}

QUrl PreviewServer::pageUrl(const QString& name) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1/%2/%3.html")
                    .arg(m_server.serverPort())
                    .arg(QString::fromLatin1(m_token), name));
}

void PreviewServer::publish(const QString& name, const QByteArray& page)
{
    Page& entry = m_pages[name];
    entry.bytes = page;
    ++entry.version;
    // The page fetches the new version itself: the notice stays small
    // however large the page.
    send(entry, serverEvent("change", QByteArray::number(entry.version)));
}

void PreviewServer::tellFailure(const QString& name, const QString& reason)
{
    const auto page = m_pages.find(name);
    if (page == m_pages.end())
        return;
    QString line = reason;
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    send(*page, serverEvent("failed", line.toUtf8()));
}

bool PreviewServer::watched(const QString& name) const
{
    const auto page = m_pages.constFind(name);
    if (page == m_pages.cend())
        return false;
    for (const QPointer<QTcpSocket>& socket : page->watchers) {
        if (socket && socket->state() == QAbstractSocket::ConnectedState)
            return true;
    }
    return false;
}

void PreviewServer::close()
{
    if (!m_server.isListening())
        return;
    m_server.close();
    QList<QTcpSocket*> open;
    for (Page& page : m_pages) {
        // Nothing can be fetched from now on: a page that has not had the
        // last version gets it with the news, its exact bytes in base64
        // (an event's data would fold CR LF).
        send(page, serverEvent("closed", page.served == page.version ? QByteArray() : page.bytes.toBase64()));
        for (const QPointer<QTcpSocket>& socket : std::as_const(page.watchers)) {
            if (socket)
                open << socket;
        }
        page.watchers.clear();
    }
    // The program is about to end: give the last events a moment to leave.
    const QDeadlineTimer deadline(2000);
    for (QTcpSocket* socket : open) {
        while (socket->bytesToWrite() > 0 && !deadline.hasExpired()
            && socket->waitForBytesWritten(int(deadline.remainingTime()))) { }
        socket->disconnectFromHost();
    }
}

void PreviewServer::accept()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        m_heads.insert(socket, QByteArray());
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QObject::destroyed, this, [this, socket] { m_heads.remove(socket); });
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
        QTimer::singleShot(m_headTime, socket, [this, socket] {
            if (m_heads.remove(socket))
                refuse(socket, "408 Request Timeout");
        });
    }
}

void PreviewServer::read(QTcpSocket* socket)
{
    const auto buffer = m_heads.find(socket);
    if (buffer == m_heads.end()) {
        socket->readAll(); // after the head, nothing a client sends matters
        return;
    }
    *buffer += socket->read(MaxHttpRequestHead + 1 - buffer->size());
    const HttpRequestHead head = parseRequestHead(*buffer);
    if (head.state == HttpRequestHead::State::Incomplete)
        return;
    m_heads.erase(buffer);
    switch (head.state) {
    case HttpRequestHead::State::Malformed:
        return refuse(socket, "400 Bad Request");
    case HttpRequestHead::State::TooLarge:
        return refuse(socket, "431 Request Header Fields Too Large");
    default:
        return answer(socket, head);
    }
}

void PreviewServer::answer(QTcpSocket* socket, const HttpRequestHead& head)
{
    if (head.method != "GET")
        return refuse(socket, "405 Method Not Allowed");
    // Only the address we hand out: a web page that has its own host name
    // resolve to 127.0.0.1 (DNS rebinding) sends that name here.
    if (head.host != "127.0.0.1:" + QByteArray::number(m_server.serverPort()))
        return refuse(socket, "421 Misdirected Request");
    const QByteArray prefix = '/' + m_token + '/';
    const QByteArray file = head.target.startsWith(prefix) ? head.target.mid(prefix.size()) : QByteArray();
    const bool events = file.endsWith(".events");
    const QString name = QString::fromLatin1(file.first(file.lastIndexOf('.') < 0 ? 0 : file.lastIndexOf('.')));
    const auto page = m_pages.find(name);
    if (page == m_pages.end() || (!events && !file.endsWith(".html")))
        return refuse(socket, "404 Not Found");

    socket->disconnect(socket, &QTcpSocket::readyRead, nullptr, nullptr);
    connect(socket, &QTcpSocket::readyRead, socket, [socket] { socket->readAll(); });
    if (!events) {
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n"
            + QByteArray(CommonHeaders) + "Content-Length: " + QByteArray::number(page->bytes.size())
            + "\r\nConnection: close\r\n\r\n" + page->bytes);
        page->served = page->version;
        socket->disconnectFromHost();
        return;
    }
    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/event-stream\r\n" + QByteArray(CommonHeaders)
        + "Connection: keep-alive\r\n\r\n");
    page->watchers.removeAll(nullptr);
    page->watchers << socket;
    // A change between handing out the page and this connection.
    if (page->served != page->version)
        socket->write(serverEvent("change", QByteArray::number(page->version)));
}

void PreviewServer::send(Page& page, const QByteArray& event)
{
    page.watchers.removeAll(nullptr);
    for (const QPointer<QTcpSocket>& socket : std::as_const(page.watchers))
        socket->write(event);
}
