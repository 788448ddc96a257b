#include "BackgroundMusic.h"

namespace BackgroundMusic {

const Generator& generator()
{
    static const Generator music {
        QStringLiteral("背景音乐生成"),
        QStringLiteral("Text19"),
        QString(),
        QStringLiteral("background-music.txt"),
        { { QStringLiteral("背景音乐"), QStringLiteral("Text18") } },
        DefaultAttemptLimit,
        ClearingMode::Once,
        customModuleNotice(),
    };
    return music;
}

QString templateText()
{
    return loadTemplate(generator().templateFile);
}

QString compose(const QString& templateText, const QString& address)
{
    return composeSnippet(templateText, generator().steps, { address });
}

} // namespace BackgroundMusic
