#include "SystemClipboard.h"

#include <QClipboard>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>

namespace {

// On X11 Qt learns that another program took the clipboard, and the server
// time its own claims must carry, only from events. Without them a read-back
// answers from our own copy, and a retry after a takeover is refused for an
// outdated time stamp. User input stays queued: no click can start meanwhile.
void catchUpWithClipboardEvents()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

void SystemClipboard::clear()
{
    QGuiApplication::clipboard()->clear();
}

void SystemClipboard::setText(const QString& text)
{
    catchUpWithClipboardEvents();
    QGuiApplication::clipboard()->setText(text);
}

std::optional<QString> SystemClipboard::text()
{
    catchUpWithClipboardEvents();
    // A clipboard without any text format cannot hold our snippet; report that
    // as a failed read rather than as empty text. Another program's formats
    // are asked for once: each further question to an owner that never
    // answers waits out Qt's timeout again, and QClipboard::text() alone asks
    // up to four times. The text comes from the same data whose formats were
    // checked: asking the clipboard again could meet a new owner.
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return std::nullopt;
    const QStringList formats = data->formats();
    const bool hasText = std::any_of(formats.cbegin(), formats.cend(), [](const QString& format) {
        return format.startsWith(QLatin1String("text/plain"));
    });
    if (!hasText)
        return std::nullopt;
    return data->text();
}

void SystemClipboard::deliveryStarted()
{
    // A delivery against an owner that does not answer takes seconds, with
    // user input held back; the pointer tells the user the program works.
    QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
}

void SystemClipboard::deliveryEnded()
{
    QGuiApplication::restoreOverrideCursor();
}
