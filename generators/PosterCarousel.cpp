#include "PosterCarousel.h"

namespace PosterCarousel {

namespace {

QList<FieldStep> buildSteps()
{
    QList<FieldStep> steps;
    for (int i = 1; i <= 4; ++i)
        steps.append({ QStringLiteral("图片地址") + QString::number(i), arrayElementName(QStringLiteral("Text15"), i) });
    return steps;
}

} // namespace

const Generator& generator()
{
    static const Generator carousel {
        QStringLiteral("全屏轮播"),
        QStringLiteral("Text16"),
        QStringLiteral("Text17"),
        QStringLiteral("poster-carousel.txt"),
        buildSteps(),
        DefaultAttemptLimit,
        ClearingMode::Once,
        customModuleNotice(),
    };
    return carousel;
}

QString templateText()
{
    return loadTemplate(generator().templateFile);
}

QString compose(const QString& templateText, const Inputs& inputs)
{
    return composeSnippet(templateText, generator().steps,
                          { inputs.posterA, inputs.linkA, inputs.posterB, inputs.linkB });
}

} // namespace PosterCarousel
