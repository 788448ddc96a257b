#pragma once

// Timing, medians and the Markdown report shared by the benchmark programs.
// Each program prints its own sections; scripts/run-benchmarks.sh puts them
// together under the machine and the date.

#include "ControlInventory.h"
#include "Generator.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

inline double median(std::vector<double> samples)
{
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const size_t middle = samples.size() / 2;
    return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

// Keeps results observable so that the compiler cannot drop the work.
inline volatile qsizetype sink = 0;

// Median over `batches` of the mean time of one call in seconds, each batch
// running `call` often enough to last about `batchSeconds`.
template<typename Call>
double medianSecondsPerCall(Call&& call, int batches, double batchSeconds)
{
    // Calibrate: how many calls fill a batch.
    long repeats = 1;
    double took = 0;
    for (;;) {
        const auto start = Clock::now();
        for (long i = 0; i < repeats; ++i)
            call();
        took = secondsSince(start);
        if (took >= batchSeconds / 4 || repeats >= (1L << 30))
            break;
        repeats *= 2;
    }
    repeats = std::max(1L, long(double(repeats) * batchSeconds / std::max(took, 1e-9)));

    std::vector<double> samples;
    for (int b = 0; b < batches; ++b) {
        const auto start = Clock::now();
        for (long i = 0; i < repeats; ++i)
            call();
        samples.push_back(secondsSince(start) / double(repeats));
    }
    return median(samples);
}

// Median of single timed calls, for work that takes milliseconds or more.
// Two untimed calls first: the allocator settles on where large blocks come
// from, as it has in a program that has been running.
template<typename Call>
double medianSecondsOfRuns(Call&& call, int runs)
{
    call();
    call();
    std::vector<double> samples;
    for (int r = 0; r < runs; ++r) {
        const auto start = Clock::now();
        call();
        samples.push_back(secondsSince(start));
    }
    return median(samples);
}

// One fresh copy of `length` characters, median of `runs`: the least that
// code returning a new text of that length pays, allocation and page faults
// included.
inline double medianCopySeconds(qsizetype length, int runs)
{
    static QString source;
    if (source.size() < length)
        source = QString(length, QLatin1Char('x'));
    return medianSecondsOfRuns([length] { sink = QString(source.constData(), length).size(); }, runs);
}

// The field texts a generator reads, at their start values.
inline QStringList defaultValues(const Generator& generator)
{
    QStringList values;
    for (const FieldStep& step : generator.steps)
        values << initialText(step.field);
    return values;
}

// The panel caption a generator belongs to, for the report.
inline QString generatorLabel(const Generator& generator)
{
    return generator.templateFile.section(QLatin1Char('.'), 0, 0);
}

// `length` characters of `unit` repeated.
inline QString repeated(const QString& unit, qsizetype length)
{
    QString text;
    text.reserve(length);
    while (text.size() + unit.size() <= length)
        text += unit;
    text += unit.left(length - text.size());
    return text;
}

inline QString sizeLabel(qsizetype bytes)
{
    if (bytes >= (1 << 20))
        return QString::number(bytes >> 20) + QStringLiteral(" MiB");
    return QString::number(bytes >> 10) + QStringLiteral(" KiB");
}

inline QString formatSeconds(double seconds)
{
    if (seconds < 1e-6)
        return QString::number(seconds * 1e9, 'f', 2) + QStringLiteral(" ns");
    if (seconds < 1e-3)
        return QString::number(seconds * 1e6, 'f', seconds < 1e-5 ? 2 : 1) + QStringLiteral(" µs");
    if (seconds < 1)
        return QString::number(seconds * 1e3, 'f', 2) + QStringLiteral(" ms");
    return QString::number(seconds, 'f', 2) + QStringLiteral(" s");
}

// Whether this run is the quick check registered with CTest.
inline bool smokeRun(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--smoke") == 0)
            return true;
    }
    return false;
}

// Collects Markdown tables and the verdict against each goal. In a smoke run
// the bounds are generous and a miss fails the program; in a full run a miss
// is reported and the program still succeeds, so that every figure is written.
class Report
{
public:
    explicit Report(bool smoke)
        : m_smoke(smoke)
    {
    }

    bool smoke() const { return m_smoke; }

    void section(const QString& title, const QString& note = QString())
    {
        print(QStringLiteral("\n### ") + title + QStringLiteral("\n\n"));
        if (!note.isEmpty())
            print(note + QStringLiteral("\n\n"));
    }

    void table(const QStringList& columns)
    {
        print(QStringLiteral("| ") + columns.join(QStringLiteral(" | ")) + QStringLiteral(" |\n|"));
        for (qsizetype i = 0; i < columns.size(); ++i)
            print(QStringLiteral(" --- |"));
        print(QStringLiteral("\n"));
    }

    // A row whose last cell is the verdict on `met`; `met` counts towards the
    // outcome.
    void row(QStringList cells, bool met)
    {
        cells << (met ? QStringLiteral("met") : QStringLiteral("**MISSED**"));
        plainRow(cells);
        met ? ++m_met : ++m_missed;
    }

    // A row that only informs.
    void plainRow(const QStringList& cells)
    {
        print(QStringLiteral("| ") + cells.join(QStringLiteral(" | ")) + QStringLiteral(" |\n"));
    }

    void print(const QString& text)
    {
        std::fputs(text.toUtf8().constData(), stdout);
        std::fflush(stdout);
    }

    int finish()
    {
        print(QStringLiteral("\nGoals in this part: %1 met, %2 missed.\n").arg(m_met).arg(m_missed));
        return m_smoke && m_missed > 0 ? 1 : 0;
    }

private:
    bool m_smoke;
    int m_met = 0;
    int m_missed = 0;
};

} // namespace bench
