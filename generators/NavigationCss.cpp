#include "NavigationCss.h"

namespace NavigationCss {

namespace {

QList<FieldStep> buildSteps()
{
    QList<FieldStep> steps;
    for (int i = 1; i <= ImageCount; ++i)
        steps.append({ QStringLiteral("图片地址") + QString::number(i), arrayElementName(QStringLiteral("Text7"), i) });
    return steps;
}

} // namespace

const Generator& generator()
{
    // The longer CSS gets more attempts, each with a fresh clear.
    static const Generator css {
        QStringLiteral("CSS导航"),
        QStringLiteral("Text5"),
        QStringLiteral("Text6"),
        QStringLiteral("navigation-css.txt"),
        buildSteps(),
        NavigationAttemptLimit,
        ClearingMode::EveryAttempt,
        editorNotice(),
    };
    return css;
}

QString templateText()
{
    return loadTemplate(generator().templateFile);
}

QString compose(const QString& templateText, const std::array<QString, ImageCount>& images)
{
    return composeSnippet(templateText, generator().steps, QStringList(images.begin(), images.end()));
}

} // namespace NavigationCss
