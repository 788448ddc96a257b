#include "SystemClipboard.h"

#include <QClipboard>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMimeData>

namespace {

QClipboard* systemClipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard()
                                                                          : nullptr;
}

// On X11 Qt learns that another program took the clipboard, and the server
// time its own claims must carry, only from events. Without them a read-back
// answers from our own copy, and a retry after a takeover is refused for an
// outdated time stamp. User input stays queued: no click can start meanwhile.
void catchUpWithClipboardEvents()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

bool SystemClipboard::clear()
{
    QClipboard* clipboard = systemClipboard();
    if (!clipboard)
        return false;
    clipboard->clear();
    return true;
}

bool SystemClipboard::setText(const QString& text)
{
    QClipboard* clipboard = systemClipboard();
    if (!clipboard)
        return false;
    catchUpWithClipboardEvents();
    clipboard->setText(text);
    return true;
}

std::optional<QString> SystemClipboard::text()
{
    QClipboard* clipboard = systemClipboard();
    if (!clipboard)
        return std::nullopt;
    catchUpWithClipboardEvents();
    // A clipboard without any text format cannot hold our snippet; report that
    // as a failed read rather than as empty text.
    const QMimeData* data = clipboard->mimeData();
    if (!data)
        return std::nullopt;
    return clipboard->text();
}
