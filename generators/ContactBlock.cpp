#include "ContactBlock.h"

namespace ContactBlock {

namespace {

QString numbered(const char* word, int n)
{
    return QString::fromUtf8(word) + QString::number(n);
}

// Banners first, then nickname, id and avatar per contact. Contact n's
// markers are replaced together, so a value may pull in a later contact's.
QList<FieldStep> buildSteps()
{
    QList<FieldStep> steps;
    for (int k = 1; k <= BannerCount; ++k)
        steps.append({ numbered("禾木川舍", k), arrayElementName(QStringLiteral("Text1"), k) });
    for (int n = 1; n <= ContactCount; ++n) {
        steps.append({ numbered("小", n), arrayElementName(QStringLiteral("Text2"), n) });
        steps.append({ numbered("旺旺号码", n), arrayElementName(QStringLiteral("Text3"), n), true });
        steps.append({ numbered("图片地址", n), arrayElementName(QStringLiteral("Text4"), n) });
    }
    return steps;
}

} // namespace

const Generator& generator()
{
    static const Generator contacts {
        QStringLiteral("旺旺在线"),
        QStringLiteral("Text23"),
        QStringLiteral("Text24"),
        QStringLiteral("contact-block.txt"),
        buildSteps(),
        DefaultAttemptLimit,
        ClearingMode::Once,
        customModuleNotice(),
    };
    return contacts;
}

QString templateText()
{
    return loadTemplate(generator().templateFile);
}

QString compose(const QString& templateText, const Inputs& inputs)
{
    // Same order as buildSteps().
    QStringList values;
    for (const QString& banner : inputs.banners)
        values << banner;
    for (const Contact& contact : inputs.contacts)
        values << contact.nickname << contact.chatId << contact.avatar;
    return composeSnippet(templateText, generator().steps, values);
}

} // namespace ContactBlock
