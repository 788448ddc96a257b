#include "FixedBackground.h"

namespace FixedBackground {

const Generator& generator()
{
    static const Generator background {
        QStringLiteral("悬浮背景"),
        QStringLiteral("Text21"),
        QString(),
        QStringLiteral("fixed-background.txt"),
        { { QStringLiteral("背景图"), QStringLiteral("Text20") } },
        DefaultAttemptLimit,
        ClearingMode::Once,
        customModuleNotice(),
    };
    return background;
}

QString templateText()
{
    return loadTemplate(generator().templateFile);
}

QString compose(const QString& templateText, const QString& address)
{
    return composeSnippet(templateText, generator().steps, { address });
}

} // namespace FixedBackground
