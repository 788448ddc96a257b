#pragma once

#include <QString>

#include <chrono>

class Clipboard;
class Notifier;

enum class ClearingMode
{
    Once,         // cleared a single time, before the first attempt
    EveryAttempt, // cleared at the start of every attempt
};

struct Confirmation
{
    QString prompt;
    QString title;
};

// "Paste it into the decoration module's code."
const Confirmation& editorNotice();
// "Right-click paste it into a custom content module."
const Confirmation& customModuleNotice();

inline constexpr int DefaultAttemptLimit = 5000;
inline constexpr int NavigationAttemptLimit = 10000;

// No new attempt starts once a delivery has run this long. An owner that
// takes the clipboard back at once and never answers makes every read-back
// wait out the toolkit's own timeout (5 s on X11); with 2 s here the failure
// box comes within about 7 s of the click instead of a window frozen for
// minutes. A free clipboard takes milliseconds, a contested one a few hundred.
inline constexpr std::chrono::milliseconds DeliveryTimeBudget { 2000 };

QString deliveryFailedTitle();
QString deliveryFailedMessage();

struct DeliveryOutcome
{
    bool delivered = false;
    int attempts = 0;           // attempts made, including the successful one
    bool outOfTime = false;     // failed because the time budget ran out first
    bool saveRequested = false; // the failure box's "保存到文件…" was chosen
};

// Puts the snippet on the clipboard without telling anyone, until the text
// read back is exactly the snippet, the attempt limit is reached or
// DeliveryTimeBudget is spent; the first attempt is always made.
DeliveryOutcome copyToClipboard(Clipboard& clipboard, const QString& snippet, int attemptLimit,
                                ClearingMode clearing);

// copyToClipboard, then the confirmation, or a warning that offers to save
// the snippet to a file instead. Returns after the box is closed.
DeliveryOutcome DeliverCode(Clipboard& clipboard, Notifier& notifier, const QString& snippet,
                            int attemptLimit, ClearingMode clearing,
                            const Confirmation& confirmation);
