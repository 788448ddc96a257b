#include "DeliverCode.h"

#include "Clipboard.h"
#include "Notifier.h"

#include <QScopeGuard>

const Confirmation& editorNotice()
{
    static const Confirmation notice {
        QStringLiteral("代码已生成，并复制至粘贴板，可直接粘贴到装修模块代码上使用"),
        QStringLiteral("成功生成"),
    };
    return notice;
}

const Confirmation& customModuleNotice()
{
    static const Confirmation notice {
        QStringLiteral("代码已生成，并复制至粘贴板，点击右键粘贴到“自定义内容模块”上使用"),
        QStringLiteral("成功生成！"),
    };
    return notice;
}

QString deliveryFailedTitle()
{
    return QStringLiteral("复制失败");
}

QString deliveryFailedMessage()
{
    return QStringLiteral("代码已生成，但未能复制至粘贴板，请关闭占用粘贴板的程序后重试。");
}

DeliveryOutcome copyToClipboard(Clipboard& clipboard, const QString& snippet, int attemptLimit,
                                ClearingMode clearing)
{
    clipboard.deliveryStarted();
    // The bracket closes also when an attempt throws.
    const auto ended = qScopeGuard([&clipboard] { clipboard.deliveryEnded(); });
    const auto started = std::chrono::steady_clock::now();
    DeliveryOutcome outcome;
    // Only an exact read-back counts as delivered; a clear or set that did
    // not take shows there, and the next attempt may find the clipboard free.
    if (clearing == ClearingMode::Once)
        clipboard.clear();
    while (outcome.attempts < attemptLimit) {
        if (outcome.attempts > 0 && std::chrono::steady_clock::now() - started >= DeliveryTimeBudget) {
            outcome.outOfTime = true;
            break;
        }
        ++outcome.attempts;
        if (clearing == ClearingMode::EveryAttempt)
            clipboard.clear();
        clipboard.setText(snippet);
        const std::optional<QString> readBack = clipboard.text();
        if (readBack && *readBack == snippet) {
            outcome.delivered = true;
            break;
        }
    }
    return outcome;
}

DeliveryOutcome DeliverCode(Clipboard& clipboard, Notifier& notifier, const QString& snippet,
                            int attemptLimit, ClearingMode clearing,
                            const Confirmation& confirmation)
{
    DeliveryOutcome outcome = copyToClipboard(clipboard, snippet, attemptLimit, clearing);
    if (outcome.delivered)
        notifier.inform(confirmation.title, confirmation.prompt);
    else
        outcome.saveRequested = notifier.warnWithSaveOption(deliveryFailedTitle(), deliveryFailedMessage());
    return outcome;
}
