// applySubstitutions works on pieces and keeps an index of each template
// between calls; these tests hold it to the plain rule, one whole pass after
// another, on inputs chosen to hit its seams, overlaps, cascades and cache.

#include "Generator.h"
#include "MarkerReplacement.h"
#include "ReferenceReplacement.h"

#include <QRandomGenerator>
#include <QString>
#include <QTest>

#include <thread>

Q_DECLARE_METATYPE(Substitution)

namespace {

QString randomText(QRandomGenerator& random, QStringView alphabet, int maxLength)
{
    QString text;
    const int length = int(random.bounded(maxLength + 1));
    for (int i = 0; i < length; ++i)
        text += alphabet.at(random.bounded(int(alphabet.size())));
    return text;
}

// Mixes random characters with whole and partial markers, so that values
// bring later markers (cascades) and halves that meet at seams.
QString randomMix(QRandomGenerator& random, QStringView alphabet, const QList<Substitution>& passes,
                  int parts)
{
    QString text;
    const int count = int(random.bounded(parts + 1));
    for (int i = 0; i < count; ++i) {
        const QString& marker = passes.at(random.bounded(int(passes.size()))).marker;
        switch (random.bounded(4)) {
        case 0:
            text += marker;
            break;
        case 1:
            text += marker.left(int(random.bounded(int(marker.size()) + 1)));
            break;
        case 2:
            text += marker.mid(int(random.bounded(int(marker.size()) + 1)));
            break;
        default:
            text += randomText(random, alphabet, 3);
        }
    }
    return text;
}

QByteArray describe(const QString& text, const QList<Substitution>& passes)
{
    QString out = QStringLiteral("text \"%1\"").arg(text);
    for (const Substitution& pass : passes)
        out += QStringLiteral(", \"%1\"->\"%2\"").arg(pass.marker, pass.value);
    return out.toUtf8();
}

struct Shape
{
    int maxMarker = 3;  // characters
    int maxPasses = 6;
    int padding = 0;    // characters of no marker around the text and each value
    bool shrinking = false; // values no longer than two characters, markers no shorter
};

// Random cases over a tiny alphabet; returns the first disagreement, if any.
QByteArray firstMismatch(quint32 seed, int cases, Shape shape = {})
{
    QRandomGenerator random(seed);
    const QString alphabet = QStringLiteral("ab图");
    for (int c = 0; c < cases; ++c) {
        QList<Substitution> passes;
        const int passCount = 1 + int(random.bounded(shape.maxPasses));
        for (int p = 0; p < passCount; ++p) {
            QString marker = randomText(random, alphabet, shape.maxMarker);
            while (shape.shrinking && marker.size() < 2)
                marker += alphabet.at(random.bounded(int(alphabet.size())));
            passes.append({ marker, QString() });
        }
        // Padding keeps the text long without letting cascades multiply it.
        const auto pad = [&] { return randomText(random, u"-.", shape.padding); };
        for (Substitution& pass : passes) {
            if (shape.shrinking)
                pass.value = randomText(random, alphabet, 2);
            else if (random.bounded(5))
                pass.value = pad() + randomMix(random, alphabet, passes, 3) + pad();
        }
        const QString text = pad() + randomMix(random, alphabet, passes, 8) + pad();
        const QString expected = referenceSubstitutions(text, passes);
        // Twice on the same string (index built, then reused) and once on an
        // equal string in another buffer.
        if (applySubstitutions(text, passes) != expected || applySubstitutions(text, passes) != expected
            || applySubstitutions(QString(text.constData(), text.size()), passes) != expected)
            return describe(text, passes);
    }
    return QByteArray();
}

} // namespace

class FastReplacementTest : public QObject
{
    Q_OBJECT

private slots:
    void agreesWithPassByPassOnRandomCases_data();
    void agreesWithPassByPassOnRandomCases();
    void agreesOnEachThreadAtOnce();
    void straddlingAndCascadingCases_data();
    void straddlingAndCascadingCases();
    void indexIsNeverReusedForOtherText();
    void indexFollowsTheMarkers();
    void callerOwnedRawTextMayChangeBetweenCalls();
    void manyTemplatesAndLargeOnes();
    void generatorTemplatesWithHostileValues();
};

void FastReplacementTest::agreesWithPassByPassOnRandomCases_data()
{
    QTest::addColumn<int>("cases");
    QTest::addColumn<int>("maxMarker");
    QTest::addColumn<int>("maxPasses");
    QTest::addColumn<int>("padding");
    QTest::addColumn<bool>("shrinking");
    QTest::newRow("short texts") << 30000 << 3 << 6 << 0 << false;
    // Texts and values long enough to be searched a first character at a time.
    QTest::newRow("long texts") << 3000 << 3 << 6 << 300 << false;
    // Markers too long to be looked for in a piece's tail.
    QTest::newRow("long markers") << 3000 << 24 << 4 << 0 << false;
    // More passes than a 64-bit mask has bits.
    QTest::newRow("many passes") << 1000 << 3 << 90 << 0 << true;
}

void FastReplacementTest::agreesWithPassByPassOnRandomCases()
{
    QFETCH(int, cases);
    QFETCH(int, maxMarker);
    QFETCH(int, maxPasses);
    QFETCH(int, padding);
    QFETCH(bool, shrinking);
    const QByteArray mismatch = firstMismatch(20240611, cases, { maxMarker, maxPasses, padding, shrinking });
    QVERIFY2(mismatch.isEmpty(), mismatch.constData());
}

void FastReplacementTest::agreesOnEachThreadAtOnce()
{
    // The template index is kept per thread; two threads must not disturb
    // each other.
    QByteArray first, second;
    std::thread a([&] { first = firstMismatch(7, 4000); });
    std::thread b([&] { second = firstMismatch(7, 4000); });
    a.join();
    b.join();
    QVERIFY2(first.isEmpty(), first.constData());
    QVERIFY2(second.isEmpty(), second.constData());
}

void FastReplacementTest::straddlingAndCascadingCases_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<Substitution>>("passes");
    QTest::addColumn<QString>("expected");

    const auto s = [](const char* marker, const char* value) {
        return Substitution { QString::fromUtf8(marker), QString::fromUtf8(value) };
    };
    QTest::newRow("marker across value, template, value")
        << QStringLiteral("1x2") << QList { s("1", "ab"), s("2", "cd"), s("bxc", "!") } << QStringLiteral("a!d");
    QTest::newRow("marker spans a whole short value")
        << QStringLiteral("a1c") << QList { s("1", "b"), s("abc", "=") } << QStringLiteral("=");
    QTest::newRow("value ends a marker the template began")
        << QStringLiteral("图片1") << QList { s("1", "地址"), s("图片地址", "U") } << QStringLiteral("U");
    QTest::newRow("removal joins halves, then overlap picks leftmost")
        << QStringLiteral("a-aa") << QList { s("-", ""), s("aa", "X") } << QStringLiteral("Xa");
    QTest::newRow("resume inside an overlapping run")
        << QStringLiteral("1aaa") << QList { s("1", "a"), s("aa", "X") } << QStringLiteral("XX");
    QTest::newRow("cascade through three passes")
        << QStringLiteral("A") << QList { s("A", "<B>"), s("B", "[C]"), s("C", "ok") } << QStringLiteral("<[ok]>");
    QTest::newRow("later value not seen by earlier marker")
        << QStringLiteral("B") << QList { s("A", "x"), s("B", "A") } << QStringLiteral("A");
    QTest::newRow("value holding its own marker")
        << QStringLiteral("MM") << QList { s("M", "MM"), s("MMMM", "4") } << QStringLiteral("4");
    QTest::newRow("empty marker skipped")
        << QStringLiteral("ab") << QList { s("", "x"), s("b", "c") } << QStringLiteral("ac");
    QTest::newRow("all removed") << QStringLiteral("aaaa") << QList { s("a", "") } << QString();
}

void FastReplacementTest::straddlingAndCascadingCases()
{
    QFETCH(QString, text);
    QFETCH(QList<Substitution>, passes);
    QFETCH(QString, expected);
    QCOMPARE(referenceSubstitutions(text, passes), expected);
    QCOMPARE(applySubstitutions(text, passes), expected);
}

void FastReplacementTest::indexIsNeverReusedForOtherText()
{
    const QList<Substitution> passes { { QStringLiteral("ab"), QStringLiteral("X") } };
    QString text = QStringLiteral("abab--");
    QCOMPARE(applySubstitutions(text, passes), QStringLiteral("XX--"));
    // Same length, other content.
    QCOMPARE(applySubstitutions(QStringLiteral("--abab"), passes), QStringLiteral("--XX"));
    // The caller changes its string in place after a call.
    text[0] = QLatin1Char('-');
    QCOMPARE(applySubstitutions(text, passes), QStringLiteral("-bX--"));
    text.replace(2, 2, QStringLiteral("ab"));
    text[4] = QLatin1Char('a');
    text[5] = QLatin1Char('b');
    QCOMPARE(applySubstitutions(text, passes), QStringLiteral("-bXX"));
}

void FastReplacementTest::indexFollowsTheMarkers()
{
    const QString text = QStringLiteral("图片地址1 图片地址10 小1");
    QCOMPARE(applySubstitutions(text, { { QStringLiteral("图片地址1"), QStringLiteral("U") } }),
             QStringLiteral("U U0 小1"));
    QCOMPARE(applySubstitutions(text, { { QStringLiteral("小1"), QStringLiteral("V") } }),
             QStringLiteral("图片地址1 图片地址10 V"));
    QCOMPARE(applySubstitutions(text, { { QStringLiteral("图片地址10"), QStringLiteral("W") },
                                        { QStringLiteral("图片地址1"), QStringLiteral("U") } }),
             QStringLiteral("U W 小1"));
}

void FastReplacementTest::callerOwnedRawTextMayChangeBetweenCalls()
{
    // Text that wraps the caller's own buffer must not be trusted later by
    // its address: the caller may rewrite the buffer.
    char16_t buffer[] = u"xaby";
    const QList<Substitution> passes { { QStringLiteral("ab"), QStringLiteral("1") } };
    QCOMPARE(applySubstitutions(QString::fromRawData(reinterpret_cast<const QChar*>(buffer), 4), passes),
             QStringLiteral("x1y"));
    buffer[0] = u'a';
    buffer[1] = u'b';
    buffer[2] = u'x';
    buffer[3] = u'x';
    QCOMPARE(applySubstitutions(QString::fromRawData(reinterpret_cast<const QChar*>(buffer), 4), passes),
             QStringLiteral("1xx"));
}

void FastReplacementTest::manyTemplatesAndLargeOnes()
{
    // More templates than are kept: each comes back after being evicted.
    const QList<Substitution> passes { { QStringLiteral("<>"), QStringLiteral("ok") } };
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 40; ++i) {
            const QString text = QString(i, QLatin1Char('.')) + QStringLiteral("<>");
            QCOMPARE(applySubstitutions(text, passes), QString(i, QLatin1Char('.')) + QStringLiteral("ok"));
        }
    }
    // A text too large to keep an index for, with markers at both ends and
    // a cascade into a seam.
    QString large = QStringLiteral("<>") + QString(3 << 20, QLatin1Char('.')) + QStringLiteral("<");
    const QList<Substitution> cascade { { QStringLiteral("<>"), QStringLiteral("[") },
                                        { QStringLiteral("."), QString() },
                                        { QStringLiteral("[<"), QStringLiteral("end") } };
    QCOMPARE(applySubstitutions(large, cascade), QStringLiteral("end"));
    QCOMPARE(applySubstitutions(large, cascade), QStringLiteral("end"));
}

void FastReplacementTest::generatorTemplatesWithHostileValues()
{
    // Each real template, its real passes, and values built from its own
    // markers and their halves.
    QRandomGenerator random(99);
    for (const Generator& generator : allGenerators()) {
        const QString templateText = loadTemplate(generator.templateFile);
        QList<Substitution> passes;
        for (const FieldStep& step : generator.steps)
            passes.append({ step.marker, QString() });
        for (int c = 0; c < 200; ++c) {
            for (Substitution& pass : passes)
                pass.value = randomMix(random, u"a1\"<", passes, 4);
            const QString expected = referenceSubstitutions(templateText, passes);
            QVERIFY2(applySubstitutions(templateText, passes) == expected,
                     describe(generator.button, passes).constData());
        }
    }
}

QTEST_GUILESS_MAIN(FastReplacementTest)
#include "tst_replacement_fast.moc"
