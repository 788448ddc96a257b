#include "Generator.h"

#include "AnnouncementStrip.h"
#include "BackgroundMusic.h"
#include "ContactBlock.h"
#include "FixedBackground.h"
#include "MarkerReplacement.h"
#include "NavigationCss.h"
#include "PosterCarousel.h"
#include "UTF8EncodeURI.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>

QString composeSnippet(const QString& templateText, const QList<FieldStep>& steps,
                       const QStringList& values)
{
    QList<Substitution> passes;
    passes.reserve(steps.size());
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const FieldStep& step = steps.at(i);
        const QString value = i < values.size() ? values.at(i) : QString();
        passes.append({ step.marker, step.encodeId ? UTF8EncodeURI(value) : value });
    }
    return applySubstitutions(templateText, passes);
}

QString loadTemplate(const QString& name)
{
    // Read once; every holder, generator and test then shares the same text.
    static const QHash<QString, QString> templates = [] {
        QHash<QString, QString> byName;
        QDirIterator files(QStringLiteral(":/templates"), QDir::Files);
        while (files.hasNext()) {
            QFile file(files.next());
            if (file.open(QIODevice::ReadOnly))
                byName.insert(QFileInfo(file).fileName(), QString::fromUtf8(file.readAll()));
        }
        return byName;
    }();
    const auto found = templates.constFind(name);
    if (found == templates.constEnd())
        qFatal("template %s is missing from the resources", qPrintable(name));
    return *found;
}

QString arrayElementName(const QString& array, int index)
{
    return array + QLatin1Char('_') + QString::number(index);
}

const QList<Generator>& allGenerators()
{
    static const QList<Generator> generators {
        ContactBlock::generator(),
        AnnouncementStrip::generator(),
        NavigationCss::generator(),
        PosterCarousel::generator(),
        BackgroundMusic::generator(),
        FixedBackground::generator(),
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
