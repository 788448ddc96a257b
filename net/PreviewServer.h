#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTcpServer>
#include <QUrl>

#include <chrono>

class QTcpSocket;
struct HttpRequestHead;

// Serves the preview pages to the owner's browser on 127.0.0.1 only, and
// tells an open page of each new version by server-sent events. Every
// address carries a token made anew at each start; a request with another
// token, another Host, another method than GET, or a head that is malformed,
// over 8 KiB or not complete in time gets an error status and nothing else.
// Nothing is read from disk: a page is what publish() last gave.
class PreviewServer final : public QObject
{
    Q_OBJECT

public:
    explicit PreviewServer(std::chrono::milliseconds headTime = std::chrono::seconds(5),
        QObject* parent = nullptr);
    ~PreviewServer() override; // open pages hear that the program closed

    // On 127.0.0.1, at a port the system picks; false and why otherwise.
    bool listen(QString* reason);
    bool isListening() const { return m_server.isListening(); }
    // Where the page `name` is served, e.g. ".../contact-block.html".
    QUrl pageUrl(const QString& name) const;
    // Serves `page` as `name` from now on and tells the open pages, which
    // fetch it.
    void publish(const QString& name, const QByteArray& page);
    // The open pages of `name` show why they did not change.
    void tellFailure(const QString& name, const QString& reason);
    // Whether a browser has the page open, listening for changes.
    bool watched(const QString& name) const;
    // Tells every open page that the program closed, with the last version
    // of a page that has not fetched it, then stops.
    void close();

private:
    struct Page
    {
        QByteArray bytes;
        quint64 version = 0;
        quint64 served = 0; // the version last fetched
        QList<QPointer<QTcpSocket>> watchers;
    };

    void accept();
    void read(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const HttpRequestHead& head);
    void send(Page& page, const QByteArray& event);

    std::chrono::milliseconds m_headTime;
    QByteArray m_token;
    QHash<QString, Page> m_pages;
    QHash<QTcpSocket*, QByteArray> m_heads; // connections still sending their head
    // Last, so that it goes first: its sockets still find the members above.
    QTcpServer m_server;
};
