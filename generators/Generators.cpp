#include "Generator.h"

#include "MarkerReplacement.h"
#include "UTF8EncodeURI.h"

#include <QFile>

namespace {

// marker1 … markerN from the array's elements 1 … N.
QList<FieldStep> numberedSteps(const QString& marker, const QString& array, int count)
{
    QList<FieldStep> steps;
    for (int i = 1; i <= count; ++i)
        steps.append({ marker + QString::number(i), arrayElementName(array, i) });
    return steps;
}

// Three banners, then each contact's nickname, chat id and avatar together,
// so a value may pull in a later contact's marker.
QList<FieldStep> contactSteps()
{
    QList<FieldStep> steps = numberedSteps(QStringLiteral("禾木川舍"), QStringLiteral("Text1"), 3);
    for (int n = 1; n <= ContactRowCount; ++n) {
        const QStringList fields = contactRowFields(n);
        steps.append({ QStringLiteral("小%1").arg(n), fields.at(0) });
        steps.append({ QStringLiteral("旺旺号码%1").arg(n), fields.at(1), true });
        steps.append({ QStringLiteral("图片地址%1").arg(n), fields.at(2) });
    }
    return steps;
}

// The strip's template carries a sample background address, and its colour
// twice: once as the marquee's rgb() value, once as the span's hex value.
QList<FieldStep> stripSteps()
{
    return {
        { QStringLiteral("https://img.alicdn.com/imgextra/i3/583712046/O1CN01jSI6bWHtP3fS2qHx6k_!!583712046.gif"),
          QStringLiteral("Text8") },
        { QStringLiteral("特效代码"), QStringLiteral("Text12") },
        { QStringLiteral("rgb(255,0,0)"), QStringLiteral("Text9") },
        { QStringLiteral("#FF0000"), QStringLiteral("Text9") },
        { QStringLiteral("字体大小"), QStringLiteral("Text10") },
        { QStringLiteral("速度"), QStringLiteral("Text11") },
    };
}

} // namespace

const QList<Generator>& allGenerators()
{
    // The navigation CSS is the longest snippet: it gets more attempts, each
    // with a fresh clear. The fixed background's option is hidden: no preview.
    static const QList<Generator> generators {
        { QStringLiteral("旺旺在线"), QStringLiteral("Text23"), QStringLiteral("Text24"),
          QStringLiteral("contact-block.txt"), contactSteps(),
          DefaultAttemptLimit, ClearingMode::Once, customModuleNotice(), PreviewLayout::Column,
          QStringLiteral("工作时间和电话号码是代码里的固定文字：粘贴到店铺后，请在淘宝编辑器里改成店铺自己的。") },
        { QStringLiteral("LEN滚动"), QStringLiteral("Text13"), QStringLiteral("Text14"),
          QStringLiteral("announcement-strip.txt"), stripSteps(),
          DefaultAttemptLimit, ClearingMode::Once, editorNotice(), PreviewLayout::Column },
        { QStringLiteral("CSS导航"), QStringLiteral("Text5"), QStringLiteral("Text6"),
          QStringLiteral("navigation-css.txt"),
          numberedSteps(QStringLiteral("图片地址"), QStringLiteral("Text7"), 8),
          NavigationAttemptLimit, ClearingMode::EveryAttempt, editorNotice(), PreviewLayout::NavigationCss },
        { QStringLiteral("全屏轮播"), QStringLiteral("Text16"), QStringLiteral("Text17"),
          QStringLiteral("poster-carousel.txt"),
          numberedSteps(QStringLiteral("图片地址"), QStringLiteral("Text15"), 4),
          DefaultAttemptLimit, ClearingMode::Once, customModuleNotice(), PreviewLayout::FullWidth },
        { QStringLiteral("背景音乐生成"), QStringLiteral("Text19"), QString(),
          QStringLiteral("background-music.txt"), { { QStringLiteral("背景音乐"), QStringLiteral("Text18") } },
          DefaultAttemptLimit, ClearingMode::Once, customModuleNotice(), PreviewLayout::Music },
        { QStringLiteral("悬浮背景"), QStringLiteral("Text21"), QString(),
          QStringLiteral("fixed-background.txt"), { { QStringLiteral("背景图"), QStringLiteral("Text20") } },
          DefaultAttemptLimit, ClearingMode::Once, customModuleNotice() },
    };
    return generators;
}

const Generator* generatorForButton(const QString& button)
{
    for (const Generator& generator : allGenerators()) {
        if (generator.button == button)
            return &generator;
    }
    return nullptr;
}

QString composeSnippet(const QString& templateText, const QList<FieldStep>& steps,
                       const QStringList& values)
{
    QStringList markers;
    QStringList inserted;
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const QString value = values.value(i);
        markers.append(steps.at(i).marker);
        inserted.append(steps.at(i).encodeId ? UTF8EncodeURI(value) : value);
    }
    return replaceMarkersInTurn(templateText, markers, inserted);
}

QString composeFromFields(const Generator& generator, const std::function<QString(const QString& field)>& fieldText)
{
    QStringList values;
    values.reserve(generator.steps.size());
    for (const FieldStep& step : generator.steps)
        values.append(fieldText(step.field));
    return composeSnippet(fieldText(generator.templateHolder), generator.steps, values);
}

QString loadTemplate(const QString& name)
{
    QFile file(QStringLiteral(":/templates/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("template %s is missing from the resources", qPrintable(name));
    return QString::fromUtf8(file.readAll());
}

QStringList contactRowFields(int row)
{
    return { arrayElementName(QStringLiteral("Text2"), row), arrayElementName(QStringLiteral("Text3"), row),
             arrayElementName(QStringLiteral("Text4"), row) };
}

int contactRowOf(const QString& name)
{
    const int row = name.section(QLatin1Char('_'), 1).toInt();
    return row >= 1 && row <= ContactRowCount && contactRowFields(row).contains(name) ? row : 0;
}

QString arrayElementName(const QString& array, int index)
{
    return array + QLatin1Char('_') + QString::number(index);
}
