#include "SystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

QClipboard* systemClipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard()
                                                                          : nullptr;
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
    clipboard->setText(text);
    return true;
}

std::optional<QString> SystemClipboard::text()
{
    QClipboard* clipboard = systemClipboard();
    if (!clipboard)
        return std::nullopt;
    // A clipboard without any text format cannot hold our snippet; report that
    // as a failed read rather than as empty text.
    const QMimeData* data = clipboard->mimeData();
    if (!data)
        return std::nullopt;
    return clipboard->text();
}
