#include "AnnouncementStrip.h"

namespace AnnouncementStrip {

QString placeholderAddress()
{
    return QStringLiteral("https://img.alicdn.com/imgextra/i3/583712046/O1CN01jSI6bWHtP3fS2qHx6k_!!583712046.gif");
}

const Generator& generator()
{
    // The colour goes in twice: once over the marquee's rgb() value, once
    // over the span's hex value.
    static const Generator strip {
        QStringLiteral("LEN滚动"),
        QStringLiteral("Text13"),
        QStringLiteral("Text14"),
        QStringLiteral("announcement-strip.txt"),
        {
            { placeholderAddress(), QStringLiteral("Text8") },
            { QStringLiteral("特效代码"), QStringLiteral("Text12") },
            { QStringLiteral("rgb(255,0,0)"), QStringLiteral("Text9") },
            { QStringLiteral("#FF0000"), QStringLiteral("Text9") },
            { QStringLiteral("字体大小"), QStringLiteral("Text10") },
            { QStringLiteral("速度"), QStringLiteral("Text11") },
        },
        DefaultAttemptLimit,
        ClearingMode::Once,
        editorNotice(),
    };
    return strip;
}

QString templateText()
{
    return loadTemplate(generator().templateFile);
}

QString compose(const QString& templateText, const Inputs& inputs)
{
    return composeSnippet(templateText, generator().steps,
                          { inputs.background, inputs.announcement, inputs.colour, inputs.colour,
                            inputs.fontSize, inputs.speed });
}

} // namespace AnnouncementStrip
