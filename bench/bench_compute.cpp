// Composition at the start values, growth with the size of a field, and the
// chat-id encoder's throughput: everything a click computes before the
// clipboard. Prints Markdown; --smoke runs a short check with loose bounds.

#include "BenchSupport.h"
#include "FieldCheck.h"
#include "UTF8EncodeURI.h"

#include <QCoreApplication>
#include <QHash>

#include <tuple>

using namespace bench;

namespace {

struct Settings
{
    int batches;
    double batchSeconds;
    int largeRuns;                     // runs of one call each, for large inputs
    std::vector<qsizetype> sizes;      // field sizes in characters
    std::vector<qsizetype> copyCounts; // copies of a later marker in one field
    double compositionGoal;            // seconds per call
    double flatGoal;                   // largest over reference size, per character
    double throughputGoal;             // MiB of UTF-16 input per second
    double keystrokeGoal;              // seconds for the offline address check
};

Settings settingsFor(bool smoke)
{
    if (smoke)
        return { 5, 0.004, 3, { 1 << 10, 64 << 10, 1 << 20 }, { 1000, 10000 }, 200e-6, 3.0, 50, 3e-3 };
    return { 15, 0.02, 7, { 1 << 10, 64 << 10, 1 << 20, 16 << 20 }, { 1000, 10000, 100000 }, 100e-6, 1.5, 300, 1e-3 };
}

// The template as the window's holder keeps it: one string for the whole run.
const QString& templateOf(const Generator& generator)
{
    static QHash<QString, QString> held;
    auto it = held.find(generator.templateHolder);
    if (it == held.end())
        it = held.insert(generator.templateHolder, initialText(generator.templateHolder));
    return *it;
}

// What the window does before delivery, without the window.
QString composeWith(const Generator& generator, const QStringList& values)
{
    return composeSnippet(templateOf(generator), generator.steps, values);
}

double timeCall(const Settings& settings, qsizetype size, const std::function<qsizetype()>& call)
{
    // Small inputs run in batches; large ones are timed call by call.
    if (size <= (64 << 10))
        return medianSecondsPerCall([&] { sink = call(); }, settings.batches, settings.batchSeconds);
    return medianSecondsOfRuns([&] { sink = call(); }, settings.largeRuns);
}

void composition(Report& report, const Settings& settings)
{
    report.section(QStringLiteral("Composition at the start values"),
                   QStringLiteral("composeSnippet as a click calls it: the template holder's text, the "
                                  "passes, the fields' start values (chat ids encoded). First call: the "
                                  "first ever in this process for that template, one sample. Goal: "
                                  "under %1 per call.")
                       .arg(formatSeconds(settings.compositionGoal)));
    report.table({ QStringLiteral("generator"), QStringLiteral("passes"), QStringLiteral("snippet length"),
                   QStringLiteral("first call"), QStringLiteral("median"), QStringLiteral("verdict") });
    for (const Generator& generator : allGenerators()) {
        const QStringList values = defaultValues(generator);
        const QString& templateText = templateOf(generator);
        const auto start = Clock::now();
        const QString snippet = composeSnippet(templateText, generator.steps, values);
        const double first = secondsSince(start);
        const double median = medianSecondsPerCall(
            [&] { sink = composeSnippet(templateText, generator.steps, values).size(); }, settings.batches,
            settings.batchSeconds);
        report.row({ generatorLabel(generator), QString::number(generator.steps.size()),
                     QString::number(snippet.size()), formatSeconds(first), formatSeconds(median) },
                   median < settings.compositionGoal);
    }
}

// `prepare` builds the input of one size, untimed, and returns the timed call.
using Prepare = std::function<std::function<qsizetype()>(qsizetype size)>;

// `copies` fresh copies of `length` characters, each made from the one
// before: what passes that each return a new text of that length pay at
// least, allocation, page faults and the caches' help included.
double copySeconds(const Settings& settings, qsizetype length, qsizetype copies)
{
    static QString source;
    if (source.size() < length)
        source = QString(length, QLatin1Char('x'));
    return timeCall(settings, length, [length, copies] {
        QString text(source.constData(), length);
        for (qsizetype i = 1; i < copies; ++i)
            text = QString(text.constData(), text.size());
        return text.size();
    });
}

struct Growth
{
    double ratio;    // time per unit, largest over the reference
    double overCopy; // that, over the same ratio for a fresh copy
    double largestSeconds;

    // Linear: flat per unit, or growing no faster than the least memory
    // traffic does on this machine.
    bool linearWithin(double bound) const { return std::min(ratio, overCopy) <= bound; }
};

// Times the call that `prepare` builds for each count of units, and appends
// to `cells` each median with, in brackets, the time per unit; then the ratio
// of the largest count's time per unit to the reference count's, the same
// ratio for one fresh copy as long as input and output together, and the
// first over the second: how much faster the work grows than the memory
// traffic it cannot avoid.
Growth measureGrowth(const Settings& settings, QStringList& cells, const std::vector<qsizetype>& counts,
                     qsizetype referenceCount, qsizetype charactersPerUnit, qsizetype passes,
                     const Prepare& prepare)
{
    double reference = 0;
    double largest = 0;
    double copyReference = 0;
    double copyLargest = 0;
    double largestSeconds = 0;
    for (const qsizetype count : counts) {
        const auto call = prepare(count);
        const double seconds = timeCall(settings, count * charactersPerUnit, call);
        // What it must at least read and write.
        const double copy = copySeconds(settings, count * charactersPerUnit + call(), passes);
        const double perUnit = seconds / double(count);
        if (count == referenceCount) {
            reference = perUnit;
            copyReference = copy / double(count);
        }
        largest = perUnit;
        largestSeconds = seconds;
        copyLargest = copy / double(count);
        cells << formatSeconds(seconds) + QStringLiteral(" (") + formatSeconds(perUnit) + QStringLiteral(")");
    }
    const double ratio = largest / reference;
    const double copyRatio = copyLargest / copyReference;
    cells << QString::number(ratio, 'f', 2) + QStringLiteral("×") << QString::number(copyRatio, 'f', 2) + QStringLiteral("×")
          << QString::number(ratio / copyRatio, 'f', 2) + QStringLiteral("×");
    return { ratio, ratio / copyRatio, largestSeconds };
}

// `timeBound`: the value goes in as typed, so its largest size must be done
// within 2 s; an encoded chat id grows ninefold first and is judged on
// linearity alone.
void scalingRow(Report& report, const Settings& settings, const QString& label, bool timeBound,
                qsizetype passes, const Prepare& prepare)
{
    QStringList cells { label };
    const Growth growth = measureGrowth(settings, cells, settings.sizes, 64 << 10, 1, passes, prepare);
    // Linear, judged against the memory traffic of one plain copy, and the
    // largest value done within the time a user waits for a click at most.
    report.row(cells, growth.linearWithin(settings.flatGoal) && (!timeBound || growth.largestSeconds <= 2.0));
}

void scaling(Report& report, const Settings& settings)
{
    QStringList columns { QStringLiteral("what") };
    for (const qsizetype size : settings.sizes)
        columns << sizeLabel(size).replace(QStringLiteral("B"), QString());
    const QString largest = sizeLabel(settings.sizes.back()).replace(QStringLiteral("B"), QString());
    columns << QStringLiteral("per char, %1 / 64 Ki").arg(largest) << QStringLiteral("same for the copies")
            << QStringLiteral("ratio over the copies'") << QStringLiteral("verdict");

    report.section(QStringLiteral("Scaling with the size of one field"),
                   QStringLiteral("One field holds N characters (Ki = 1024), the others their start "
                                  "values; median time and, in brackets, time per character of the "
                                  "field. Addresses repeat the field's own start value (ASCII); the chat "
                                  "id is Chinese, so the encoder turns each character into nine. Then "
                                  "the time per character of the largest over that of 64 Ki, the same "
                                  "ratio for plain copies of as many characters as the field and the "
                                  "snippet together, one copy a pass, each from the one before (the "
                                  "least memory traffic of the passes), and the first ratio over the "
                                  "second. Goal: linear, that "
                                  "is either ratio within %1×, and the largest value inserted as typed "
                                  "done within 2 s.")
                       .arg(settings.flatGoal));
    report.table(columns);

    for (const Generator& generator : allGenerators()) {
        QList<qsizetype> fields { 0 };
        // The contact block's chat id goes through the encoder as well.
        for (qsizetype i = 0; i < generator.steps.size(); ++i) {
            if (generator.steps.at(i).encodeId) {
                fields << i;
                break;
            }
        }
        for (const qsizetype field : fields) {
            const FieldStep& step = generator.steps.at(field);
            const QString unit = step.encodeId ? QStringLiteral("饰品店客服阿杰") : initialText(step.field);
            scalingRow(report, settings,
                       generatorLabel(generator) + QStringLiteral(", ") + step.field
                           + (step.encodeId ? QStringLiteral(" (Chinese chat id)") : QString()),
                       !step.encodeId, generator.steps.size(), [&](qsizetype size) -> std::function<qsizetype()> {
                           QStringList values = defaultValues(generator);
                           values[field] = repeated(unit, size);
                           return [&generator, values] { return composeWith(generator, values).size(); };
                       });
        }
    }

    for (const auto& [label, unit] : { std::pair { QStringLiteral("UTF8EncodeURI, Chinese"), QStringLiteral("春风十里饰品小店") },
                                        std::pair { QStringLiteral("UTF8EncodeURI, ASCII"), QStringLiteral("hemuchuanshe_kefu01") } }) {
        scalingRow(report, settings, label, true, 1, [&](qsizetype size) -> std::function<qsizetype()> {
            return [input = repeated(unit, size)] { return UTF8EncodeURI(input).size(); };
        });
    }
}

// A field full of a later pass's marker: every copy becomes a seam that the
// remaining passes walk past.
void copies(Report& report, const Settings& settings)
{
    QStringList columns { QStringLiteral("generator (field ← marker)") };
    for (const qsizetype count : settings.copyCounts)
        columns << QString::number(count) + QStringLiteral(" copies");
    columns << QStringLiteral("per copy, %1 / %2").arg(settings.copyCounts.back()).arg(settings.copyCounts.front())
            << QStringLiteral("same for the copies") << QStringLiteral("ratio over the copies'")
            << QStringLiteral("verdict");
    report.section(QStringLiteral("A field holding copies of a later pass's marker"),
                   QStringLiteral("The first field holds N copies of the marker of a later pass (the "
                                  "middle one of the rest), so each copy is replaced by that pass and "
                                  "every pass after it walks past each insertion. Median time and, in "
                                  "brackets, time per copy; then the ratios as above. Goal (nothing "
                                  "quadratic): time per copy from the fewest copies to the most within "
                                  "%1×, either as measured or over the copy's growth.")
                       .arg(settings.flatGoal));
    report.table(columns);
    for (const Generator& generator : allGenerators()) {
        const qsizetype passes = generator.steps.size();
        if (passes < 2)
            continue;
        const QString& marker = generator.steps.at((passes + 1) / 2).marker;
        QStringList cells { generatorLabel(generator) + QStringLiteral(" (") + generator.steps.at(0).field
                            + QStringLiteral(" ← ") + marker + QStringLiteral(")") };
        const Growth growth = measureGrowth(settings, cells, settings.copyCounts, settings.copyCounts.front(),
                                            marker.size(), passes, [&](qsizetype count) -> std::function<qsizetype()> {
                                                QStringList values = defaultValues(generator);
                                                values[0] = marker.repeated(count);
                                                return [&generator, values] { return composeWith(generator, values).size(); };
                                            });
        report.row(cells, growth.linearWithin(settings.flatGoal));
    }
}

void throughput(Report& report, const Settings& settings)
{
    report.section(QStringLiteral("UTF8EncodeURI throughput"),
                   QStringLiteral("MiB of UTF-16 input encoded per second, median, for 64 Ki and 1 Mi "
                                  "characters. Goal: at least %1 MiB/s.")
                       .arg(settings.throughputGoal));
    report.table({ QStringLiteral("text"), QStringLiteral("characters"), QStringLiteral("output characters"),
                   QStringLiteral("median time"), QStringLiteral("MiB/s"), QStringLiteral("verdict") });
    const std::pair<QString, QString> texts[] = {
        { QStringLiteral("Chinese"), QStringLiteral("春风十里饰品小店欢迎光临") },
        { QStringLiteral("ASCII"), QStringLiteral("hemuchuanshe_kefu01") },
        { QStringLiteral("mixed"), QStringLiteral("禾木川舍kefu01阿杰") },
    };
    for (const auto& [label, unit] : texts) {
        for (const qsizetype size : { qsizetype(64) << 10, qsizetype(1) << 20 }) {
            const QString input = repeated(unit, size);
            const qsizetype outputSize = UTF8EncodeURI(input).size();
            const double seconds = timeCall(settings, size, [&] { return UTF8EncodeURI(input).size(); });
            const double rate = double(size) * 2 / double(1 << 20) / seconds;
            report.row({ label, sizeLabel(size).replace(QStringLiteral("B"), QString()),
                         QString::number(outputSize), formatSeconds(seconds), QString::number(rate, 'f', 0) },
                       rate >= settings.throughputGoal);
        }
    }
}

// The offline check runs at every keystroke in a field, over the field's
// whole value.
void fieldKeystroke(Report& report, const Settings& settings)
{
    const double goal = settings.keystrokeGoal;
    report.section(QStringLiteral("Offline field check per keystroke"),
                   QStringLiteral("fieldProblem over a field's whole value of 1 Mi characters, as each "
                                  "keystroke runs it; median. Goal: under %1.")
                       .arg(formatSeconds(goal)));
    report.table({ QStringLiteral("value"), QStringLiteral("median"), QStringLiteral("verdict") });
    const QString address = initialText(QStringLiteral("Text4_1"));
    const QString path = repeated(QStringLiteral("a/"), (qsizetype(1) << 20) - address.size());
    const QString text = repeated(QStringLiteral("公告"), qsizetype(1) << 20);
    const QString digits = repeated(QStringLiteral("4"), qsizetype(1) << 20);
    const std::tuple<QString, FieldCheck, QString> values[] = {
        { QStringLiteral("a sound address"), FieldCheck::Address, address + path },
        { QStringLiteral("an address, a quote at the end"), FieldCheck::Address, address + path.chopped(1) + QLatin1Char('"') },
        { QStringLiteral("an address, every problem"), FieldCheck::Address, QLatin1Char(' ') + path.chopped(2) + QStringLiteral("<\t") },
        { QStringLiteral("a chat id, a quote at the end"), FieldCheck::Attribute, path.chopped(1) + QLatin1Char('"') },
        { QStringLiteral("sound text"), FieldCheck::Text, text },
        { QStringLiteral("text, a tag at the end"), FieldCheck::Text, text.chopped(3) + QStringLiteral("<b>") },
        { QStringLiteral("text, a tag at the start"), FieldCheck::Text, QStringLiteral("<b>") + text.chopped(3) },
        { QStringLiteral("a number"), FieldCheck::Pixels, digits },
        { QStringLiteral("a number, a unit at the end"), FieldCheck::Pixels, digits.chopped(2) + QStringLiteral("px") },
    };
    for (const auto& [label, check, value] : values) {
        const double seconds
            = timeCall(settings, value.size(), [&check, &value] { return fieldProblem(check, value).size(); });
        report.row({ label, formatSeconds(seconds) }, seconds < goal);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Report report(smokeRun(argc, argv));
    const Settings settings = settingsFor(report.smoke());
    composition(report, settings);
    scaling(report, settings);
    copies(report, settings);
    throughput(report, settings);
    fieldKeystroke(report, settings);
    return report.finish();
}
