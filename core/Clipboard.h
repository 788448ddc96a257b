#pragma once

#include <QString>

#include <optional>

// The system clipboard as code delivery sees it. Each call reports whether it
// worked, so that delivery can retry instead of trusting a silent failure.
class Clipboard
{
public:
    virtual ~Clipboard() = default;

    virtual bool clear() = 0;
    virtual bool setText(const QString& text) = 0;
    // The plain text now on the clipboard, or nothing when it cannot be read.
    virtual std::optional<QString> text() = 0;

    // A delivery's attempts run between these two calls, so that a system
    // clipboard can show meanwhile that the program is busy.
    virtual void deliveryStarted() { }
    virtual void deliveryEnded() { }
};
