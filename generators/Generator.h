#pragma once

#include "DeliverCode.h"
#include "PreviewPage.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// One replacement pass of a generator: every occurrence of `marker` becomes the
// text of the field whose object name is `field` (chat ids first go through
// UTF8EncodeURI).
struct FieldStep
{
    QString marker;
    QString field;
    bool encodeId = false;
};

// Everything that makes a generator: where its template and work buffer live
// in the window, its passes in order, and how its snippet is delivered.
struct Generator
{
    QString button;         // object name of its generate button
    QString templateHolder; // hidden field holding the template
    QString workBuffer;     // hidden field keeping the last snippet; empty when none
    QString templateFile;   // the template as stored in the resources
    QList<FieldStep> steps;
    int attemptLimit = DefaultAttemptLimit;
    ClearingMode clearing = ClearingMode::Once;
    Confirmation confirmation;
    std::optional<PreviewLayout> preview = {}; // how its preview page lays the snippet out; none: no preview
    QString fixedText = {}; // what of the template the owner must still change in the shop editor
};

// Every generator of the window, in panel order.
const QList<Generator>& allGenerators();
const Generator* generatorForButton(const QString& button);

// The snippet from a template and the field texts, `values[i]` feeding
// `steps[i]`; a missing value counts as empty. Pure: no window, no clipboard.
QString composeSnippet(const QString& templateText, const QList<FieldStep>& steps,
                       const QStringList& values);

// The snippet of `generator` from the texts `fieldText` gives for its
// template holder and fields: what 生成代码 delivers and a preview shows.
QString composeFromFields(const Generator& generator, const std::function<QString(const QString& field)>& fieldText);

// The template file `name` exactly as stored (UTF-8, CR LF kept).
QString loadTemplate(const QString& name);

// The contact block's nine rows: nickname, chat id and avatar address.
inline constexpr int ContactRowCount = 9;
QStringList contactRowFields(int row); // row 1 to ContactRowCount
// The row of a contact field, 0 for any other control.
int contactRowOf(const QString& name);

// Object name of element `index` of a control array ("Text7" 3 → "Text7_3").
QString arrayElementName(const QString& array, int index);
