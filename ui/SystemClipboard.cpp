#include "SystemClipboard.h"

#include <QClipboard>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>

namespace {

// On X11 Qt learns of another owner, and the server time its own claims must
// carry, only from events: else a read-back answers from our own copy and a
// retry is refused as outdated. User input stays queued meanwhile.
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
    // No text format is a failed read, not empty text. The owner is asked once
    // (QClipboard::text() asks up to four times, each waiting out a silent
    // owner), and the text comes from the data checked, not a newer owner.
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
    // Against a silent owner a delivery takes seconds, input held back.
    QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
}

void SystemClipboard::deliveryEnded()
{
    QGuiApplication::restoreOverrideCursor();
}
