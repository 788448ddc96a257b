#pragma once

#include <QString>

#include <optional>

// The system clipboard as code delivery sees it. Setting and clearing report
// nothing: the toolkit cannot tell whether they worked (on Windows a set
// fails silently while another program holds the clipboard), so only the
// text read back decides.
class Clipboard
{
public:
    virtual ~Clipboard() = default;

    virtual void clear() = 0;
    virtual void setText(const QString& text) = 0;
    // The plain text now on the clipboard, or nothing when it cannot be read.
    virtual std::optional<QString> text() = 0;

    // A delivery's attempts run between these two calls, so that a system
    // clipboard can show meanwhile that the program is busy.
    virtual void deliveryStarted() { }
    virtual void deliveryEnded() { }
};
