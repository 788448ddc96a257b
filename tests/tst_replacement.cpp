#include "Generator.h"
#include "MarkerReplacement.h"

#include <QRandomGenerator>
#include <QString>
#include <QTest>

namespace {

struct Pass
{
    QString marker;
    QString value;
};

// Passes as a generator runs them: in order, each over the whole text.
QString applyPasses(const QString& text, const QList<Pass>& passes)
{
    QList<FieldStep> steps;
    QStringList values;
    for (const Pass& pass : passes) {
        steps.append({ pass.marker, QString() });
        values.append(pass.value);
    }
    return composeSnippet(text, steps, values);
}

} // namespace

class ReplacementTest : public QObject
{
    Q_OBJECT

private slots:
    void replacesEveryOccurrence_data();
    void replacesEveryOccurrence();
    void insertedValueIsNotSearchedAgainInTheSamePass();
    void laterPassesSeeEarlierInsertions();
    void earlierPassesDoNotSeeLaterInsertions();
    void inTurnIsOnePassAfterAnother();
    void keepsLineBreaksAndTabsOfTheText();
    void longValuesAndManyOccurrences();
    void resultIsAllocatedAtItsSize();
};

void ReplacementTest::replacesEveryOccurrence_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("single") << QStringLiteral("<a src=\"背景图\">") << QStringLiteral("背景图")
                            << QStringLiteral("x.jpg") << QStringLiteral("<a src=\"x.jpg\">");
    QTest::newRow("every occurrence") << QStringLiteral("M1M2M3M") << QStringLiteral("M")
                                      << QStringLiteral("<>") << QStringLiteral("<>1<>2<>3<>");
    QTest::newRow("no occurrence") << QStringLiteral("abc") << QStringLiteral("x")
                                   << QStringLiteral("y") << QStringLiteral("abc");
    QTest::newRow("marker at start")
        << QStringLiteral("背景音乐 tail") << QStringLiteral("背景音乐") << QStringLiteral("V")
        << QStringLiteral("V tail");
    QTest::newRow("marker at end") << QStringLiteral("head 背景音乐") << QStringLiteral("背景音乐")
                                   << QStringLiteral("V") << QStringLiteral("head V");
    QTest::newRow("marker is whole text")
        << QStringLiteral("特效代码") << QStringLiteral("特效代码") << QStringLiteral("")
        << QStringLiteral("");
    QTest::newRow("adjacent occurrences")
        << QStringLiteral("图片图片图片") << QStringLiteral("图片") << QStringLiteral("[]")
        << QStringLiteral("[][][]");
    QTest::newRow("left to right without overlap") << QStringLiteral("aaa") << QStringLiteral("aa")
                                                   << QStringLiteral("X") << QStringLiteral("Xa");
    QTest::newRow("overlap chain of four") << QStringLiteral("aaaa") << QStringLiteral("aa")
                                           << QStringLiteral("X") << QStringLiteral("XX");
    QTest::newRow("overlap starts mid-text") << QStringLiteral("babab") << QStringLiteral("bab")
                                             << QStringLiteral("X") << QStringLiteral("Xab");
    QTest::newRow("case-sensitive") << QStringLiteral("Logo logo LOGO") << QStringLiteral("logo")
                                    << QStringLiteral("x") << QStringLiteral("Logo x LOGO");
    QTest::newRow("partial marker left alone")
        << QStringLiteral("图片地 图片地址") << QStringLiteral("图片地址") << QStringLiteral("U")
        << QStringLiteral("图片地 U");
    QTest::newRow("numbered marker prefix of longer one")
        << QStringLiteral("图片地址1 图片地址10") << QStringLiteral("图片地址1")
        << QStringLiteral("U") << QStringLiteral("U U0");
    QTest::newRow("empty value removes") << QStringLiteral("a-背景图-b") << QStringLiteral("背景图")
                                         << QStringLiteral("") << QStringLiteral("a--b");
    QTest::newRow("empty marker changes nothing") << QStringLiteral("abc") << QStringLiteral("")
                                                  << QStringLiteral("X") << QStringLiteral("abc");
    QTest::newRow("empty text") << QStringLiteral("") << QStringLiteral("a") << QStringLiteral("X")
                                << QStringLiteral("");
    QTest::newRow("value with quotes and line break")
        << QStringLiteral("src=\"V\"") << QStringLiteral("V") << QStringLiteral("a\"b\r\nc")
        << QStringLiteral("src=\"a\"b\r\nc\"");
}

void ReplacementTest::replacesEveryOccurrence()
{
    QFETCH(QString, text);
    QFETCH(QString, marker);
    QFETCH(QString, value);
    QFETCH(QString, expected);
    QCOMPARE(replaceMarker(text, marker, value), expected);
    QCOMPARE(applyPasses(text, { { marker, value } }), expected);
}

void ReplacementTest::insertedValueIsNotSearchedAgainInTheSamePass()
{
    // Value holds its own marker: replaced once, no growth loop.
    QCOMPARE(
        replaceMarker(QStringLiteral("[背景音乐]"), u"背景音乐", u"a背景音乐b"), QStringLiteral("[a背景音乐b]"));
    // Value and following text together form a new occurrence: not found.
    QCOMPARE(replaceMarker(QStringLiteral("Xb"), u"X", u"a"), QStringLiteral("ab"));
    QCOMPARE(replaceMarker(QStringLiteral("abX"), u"X", u"ab"), QStringLiteral("abab"));
    QCOMPARE(replaceMarker(QStringLiteral("aXb"), u"ab", u"Q"), QStringLiteral("aXb"));
    QCOMPARE(replaceMarker(QStringLiteral("aXXb"), u"X", u""), QStringLiteral("ab"));
}

void ReplacementTest::laterPassesSeeEarlierInsertions()
{
    // The first value brings the second marker; the second pass changes it.
    const QList<Pass> passes {
        { QStringLiteral("背景图"), QStringLiteral("url(图片地址1)") },
        { QStringLiteral("图片地址1"), QStringLiteral("a.jpg") },
    };
    QCOMPARE(applyPasses(QStringLiteral("x:背景图;y:图片地址1"), passes),
        QStringLiteral("x:url(a.jpg);y:a.jpg"));

    // Removing text can join two halves into a marker for the next pass.
    QCOMPARE(applyPasses(QStringLiteral("图片-地址"),
                 { { QStringLiteral("-"), QString() },
                     { QStringLiteral("图片地址"), QStringLiteral("ok") } }),
        QStringLiteral("ok"));
}

void ReplacementTest::earlierPassesDoNotSeeLaterInsertions()
{
    // The second value brings the first marker back; nothing changes it now.
    const QList<Pass> passes {
        { QStringLiteral("A"), QStringLiteral("1") },
        { QStringLiteral("B"), QStringLiteral("A") },
    };
    QCOMPARE(applyPasses(QStringLiteral("A B A"), passes), QStringLiteral("1 A 1"));

    QCOMPARE(applyPasses(QStringLiteral("text"), {}), QStringLiteral("text"));
}

void ReplacementTest::inTurnIsOnePassAfterAnother()
{
    // Few characters, private-use ones among them: values bring later
    // markers, join their halves, or hold the characters a value that cannot
    // be matched again is put in as for a while.
    QRandomGenerator random(20261209);
    const QString alphabet = QStringLiteral("ab图") + QChar(0xE000) + QChar(0xF000);
    const auto pick = [&](int most) {
        QString text;
        for (int n = random.bounded(most + 1); n > 0; --n)
            text += alphabet.at(random.bounded(alphabet.size()));
        return text;
    };
    for (int round = 0; round < 100000; ++round) {
        const QString text = pick(12);
        QStringList markers;
        QStringList values;
        QString expected = text;
        for (int pass = random.bounded(6); pass > 0; --pass) {
            markers << pick(3);
            values << pick(4);
            expected = replaceMarker(expected, markers.last(), values.last());
        }
        // Every value may stand in, however short.
        const QString result = replaceMarkersInTurn(text, markers, values, 0);
        QVERIFY2(result == expected, qPrintable(QStringLiteral("text %1, markers %2, values %3")
                                                    .arg(text, markers.join(u'|'), values.join(u'|'))));
    }
}

void ReplacementTest::keepsLineBreaksAndTabsOfTheText()
{
    const QString text = QStringLiteral("<div>\r\n\t<img src=\"背景图\">\r\n</div>\r\n");
    QCOMPARE(replaceMarker(text, u"背景图", u"https://a/b.jpg"),
        QStringLiteral("<div>\r\n\t<img src=\"https://a/b.jpg\">\r\n</div>\r\n"));
}

void ReplacementTest::longValuesAndManyOccurrences()
{
    // A long value goes in whole, every time.
    const QString value(1 << 20, QChar(0x4E2D));
    QCOMPARE(replaceMarker(QStringLiteral("<背景图|背景图>"), u"背景图", value), QLatin1Char('<') + value + QLatin1Char('|') + value + QLatin1Char('>'));

    // A value made of a later pass's marker: each copy is replaced once.
    const int copies = 100000;
    const QString markers = QStringLiteral("图片地址1").repeated(copies);
    const QString snippet = applyPasses(QStringLiteral("[背景图]"),
        { { QStringLiteral("背景图"), markers }, { QStringLiteral("图片地址1"), QStringLiteral("ab") } });
    QCOMPARE(snippet, QLatin1Char('[') + QStringLiteral("ab").repeated(copies) + QLatin1Char(']'));
}

void ReplacementTest::resultIsAllocatedAtItsSize()
{
    // Sized once, before the first insertion: a result that had to grow on
    // the way would hold spare room (Qt's reserve is exact).
    const QString result = replaceMarker(QStringLiteral("<背景图|背景图>"), u"背景图", u"https://a.example/x.jpg");
    QCOMPARE(result, QStringLiteral("<https://a.example/x.jpg|https://a.example/x.jpg>"));
    QCOMPARE(result.capacity(), result.size());
}

QTEST_GUILESS_MAIN(ReplacementTest)
#include "tst_replacement.moc"
