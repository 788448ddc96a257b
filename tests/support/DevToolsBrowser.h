#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTest>
#include <QtEndian>

// Headless Chromium that keeps its pages open, driven over its DevTools
// protocol: a WebSocket spoken just far enough for that (text frames, the
// client's masked). Everything waits in the event loop, so that servers of
// the test's own thread keep answering the browser.
class DevToolsBrowser
{
public:
    ~DevToolsBrowser()
    {
        if (m_browser.state() != QProcess::NotRunning) {
            m_browser.kill();
            m_browser.waitForFinished();
        }
    }

    // Starts `chromium` with `arguments` and connects to it; false if it
    // does not answer within 30 s.
    bool start(const QString& chromium, QStringList arguments, const QProcessEnvironment& environment)
    {
        m_browser.setProcessEnvironment(environment);
        arguments << QStringLiteral("--remote-debugging-port=0") << QStringLiteral("about:blank");
        m_browser.setProcessChannelMode(QProcess::SeparateChannels);
        m_browser.start(chromium, arguments);
        const QRegularExpression listening(QStringLiteral("DevTools listening on ws://127.0.0.1:(\\d+)(/\\S+)"));
        QByteArray said;
        QRegularExpressionMatch match;
        if (!waitFor([&] {
                said += m_browser.readAllStandardError();
                match = listening.match(QString::fromUtf8(said));
                return match.hasMatch();
            }, 30000))
            return false;
        m_socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(match.captured(1).toUInt()));
        m_socket.write("GET " + match.captured(2).toLatin1() + " HTTP/1.1\r\nHost: 127.0.0.1:"
            + match.captured(1).toLatin1()
            + "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
              "Sec-WebSocket-Key: c2hpcHV0b25nIHRlc3RzIQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
        if (!waitFor([this] { return (m_buffer += m_socket.readAll()).contains("\r\n\r\n"); }, 10000)
            || !m_buffer.startsWith("HTTP/1.1 101"))
            return false;
        m_buffer.remove(0, m_buffer.indexOf("\r\n\r\n") + 4);
        return true;
    }

    // Opens `url` in a new tab and talks to that tab from now on.
    bool open(const QString& url)
    {
        const QJsonObject target = call(QStringLiteral("Target.createTarget"), { { QStringLiteral("url"), url } });
        const QJsonObject session = call(QStringLiteral("Target.attachToTarget"),
            { { QStringLiteral("targetId"), target.value(QStringLiteral("targetId")) },
                { QStringLiteral("flatten"), true } });
        m_session = session.value(QStringLiteral("sessionId")).toString();
        return !m_session.isEmpty();
    }

    // The value of a JavaScript expression in the tab.
    QJsonValue evaluate(const QString& expression)
    {
        const QJsonObject result = call(QStringLiteral("Runtime.evaluate"),
            { { QStringLiteral("expression"), expression }, { QStringLiteral("returnByValue"), true } });
        return result.value(QStringLiteral("result")).toObject().value(QStringLiteral("value"));
    }

    // Waits, in the event loop, until `done` holds; false after `ms`.
    template<typename Done>
    static bool waitFor(Done&& done, int ms)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > ms)
                return false;
            QTest::qWait(20);
        }
        return true;
    }

private:
    QJsonObject call(const QString& method, const QJsonObject& params)
    {
        QJsonObject message { { QStringLiteral("id"), ++m_lastId }, { QStringLiteral("method"), method },
            { QStringLiteral("params"), params } };
        if (!m_session.isEmpty())
            message.insert(QStringLiteral("sessionId"), m_session);
        sendText(QJsonDocument(message).toJson(QJsonDocument::Compact));
        QJsonObject reply;
        waitFor([&] {
            for (const QByteArray& text : readTexts()) {
                const QJsonObject answer = QJsonDocument::fromJson(text).object();
                if (answer.value(QStringLiteral("id")).toInt() == m_lastId)
                    reply = answer;
            }
            return !reply.isEmpty();
        }, 20000);
        if (reply.contains(QStringLiteral("error")))
            qWarning("DevTools: %s", QJsonDocument(reply).toJson().constData());
        return reply.value(QStringLiteral("result")).toObject();
    }

    void sendText(const QByteArray& payload)
    {
        QByteArray frame(1, char(0x81)); // the one frame of a text message
        if (payload.size() < 126) {
            frame += char(0x80 | payload.size());
        } else {
            frame += char(0x80 | 127);
            char length[8];
            qToBigEndian(quint64(payload.size()), length);
            frame += QByteArray(length, 8);
        }
        const char mask[4] = { 0x5a, 0x13, 0x7c, 0x2e };
        frame += QByteArray(mask, 4);
        for (qsizetype i = 0; i < payload.size(); ++i)
            frame += char(payload.at(i) ^ mask[i % 4]);
        m_socket.write(frame);
    }

    // Whole text messages received so far; the browser's frames are unmasked.
    QList<QByteArray> readTexts()
    {
        m_buffer += m_socket.readAll();
        QList<QByteArray> texts;
        for (;;) {
            if (m_buffer.size() < 2)
                break;
            const auto* bytes = reinterpret_cast<const uchar*>(m_buffer.constData());
            qsizetype header = 2;
            quint64 length = bytes[1] & 0x7f;
            if (length == 126) {
                if (m_buffer.size() < 4)
                    break;
                length = qFromBigEndian<quint16>(bytes + 2);
                header = 4;
            } else if (length == 127) {
                if (m_buffer.size() < 10)
                    break;
                length = qFromBigEndian<quint64>(bytes + 2);
                header = 10;
            }
            if (quint64(m_buffer.size() - header) < length)
                break;
            const int opcode = bytes[0] & 0x0f;
            const bool last = bytes[0] & 0x80;
            const QByteArray payload = m_buffer.mid(header, qsizetype(length));
            m_buffer.remove(0, header + qsizetype(length));
            if (opcode >= 0x8)
                continue; // pings and the like carry nothing for us
            m_message += payload;
            if (!last)
                continue;
            texts << m_message;
            m_message.clear();
        }
        return texts;
    }

    QProcess m_browser;
    QTcpSocket m_socket;
    QByteArray m_buffer;
    QByteArray m_message; // of a message sent in several frames
    QString m_session;
    int m_lastId = 0;
};
