#pragma once

#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QProcess>
#include <QTest>

#include <sys/socket.h>
#include <unistd.h>

// Headless Chromium that keeps its pages open, driven over its DevTools
// protocol on a pipe (--remote-debugging-pipe: it reads commands from its
// descriptor 3 and answers on 4, each message ending in a NUL). Everything
// waits in the event loop, so that servers on the test's thread keep
// answering the browser.
class DevToolsBrowser
{
public:
    ~DevToolsBrowser()
    {
        m_browser.kill();
        m_browser.waitForFinished();
    }

    bool start(const QString& chromium, const QStringList& arguments, const QProcessEnvironment& environment)
    {
        int ends[2];
        if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
            return false;
        m_browser.setChildProcessModifier([child = ends[1]] {
            dup2(child, 3);
            dup2(child, 4);
        });
        m_browser.setProcessEnvironment(environment);
        m_browser.start(chromium, arguments + QStringList { QStringLiteral("--remote-debugging-pipe") });
        ::close(ends[1]);
        return m_pipe.setSocketDescriptor(ends[0]) && m_browser.waitForStarted();
    }

    // Opens `url` in a new tab and talks to that tab from now on.
    bool open(const QString& url)
    {
        const QJsonValue target = call("Target.createTarget", { { QStringLiteral("url"), url } })
                                      .value(QStringLiteral("targetId"));
        m_session = call("Target.attachToTarget", { { QStringLiteral("targetId"), target }, { QStringLiteral("flatten"), true } })
                        .value(QStringLiteral("sessionId"))
                        .toString();
        return !m_session.isEmpty();
    }

    // The value of a JavaScript expression in the tab.
    QJsonValue evaluate(const QString& expression)
    {
        return call("Runtime.evaluate", { { QStringLiteral("expression"), expression }, { QStringLiteral("returnByValue"), true } })
            .value(QStringLiteral("result"))
            .toObject()
            .value(QStringLiteral("value"));
    }

    // Waits, in the event loop, until `done` holds; false after `ms`.
    template<typename Done>
    static bool waitFor(Done&& done, int ms)
    {
        QDeadlineTimer deadline(ms);
        while (!done()) {
            if (deadline.hasExpired())
                return false;
            QTest::qWait(20);
        }
        return true;
    }

private:
    QJsonObject call(const char* method, const QJsonObject& params)
    {
        QJsonObject message { { QStringLiteral("id"), ++m_lastId }, { QStringLiteral("method"), QLatin1String(method) },
            { QStringLiteral("params"), params } };
        if (!m_session.isEmpty())
            message.insert(QStringLiteral("sessionId"), m_session);
        m_pipe.write(QJsonDocument(message).toJson(QJsonDocument::Compact) + '\0');
        QJsonObject reply;
        waitFor([&] {
            m_buffer += m_pipe.readAll();
            for (qsizetype end; reply.isEmpty() && (end = m_buffer.indexOf('\0')) >= 0; m_buffer.remove(0, end + 1)) {
                const QJsonObject answer = QJsonDocument::fromJson(m_buffer.first(end)).object();
                if (answer.value(QStringLiteral("id")).toInt() == m_lastId)
                    reply = answer;
            }
            return !reply.isEmpty();
        }, 20000);
        return reply.value(QStringLiteral("result")).toObject();
    }

    QProcess m_browser;
    QLocalSocket m_pipe;
    QByteArray m_buffer;
    QString m_session;
    int m_lastId = 0;
};
