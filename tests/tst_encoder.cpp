#include "TestSupport.h"
#include "UTF8EncodeURI.h"

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>
#include <QTest>

namespace {

// Readable form of a text for failure messages: non-ASCII as \uXXXX.
QByteArray describe(const QString& text)
{
    QByteArray out;
    for (QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
            out += char(c.unicode());
        else
            out += "\\u" + QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
    }
    return out;
}

void appendCodePoint(QString& text, char32_t codePoint)
{
    text.append(QString::fromUcs4(&codePoint, 1));
}

// A random character of the given UTF-8 length, never a surrogate and never
// "%": an input "%" passes unescaped, so decoding could not tell it apart.
char32_t randomCharacter(QRandomGenerator& random, int utf8Bytes)
{
    switch (utf8Bytes) {
    case 1: {
        char32_t c;
        do
            c = random.bounded(0x80u);
        while (c == u'%');
        return c;
    }
    case 2:
        return random.bounded(0x80u, 0x800u);
    case 3: {
        char32_t c;
        do
            c = random.bounded(0x800u, 0x10000u);
        while (c >= 0xD800 && c <= 0xDFFF);
        return c;
    }
    default:
        return random.bounded(0x10000u, 0x110000u);
    }
}

bool isUpperHex(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F');
}

} // namespace

class EncoderTest : public QObject
{
    Q_OBJECT

private slots:
    void encodesWorkedExamples_data();
    void encodesWorkedExamples();
    void emptyInputGivesEmptyOutput();
    void asciiPassesUnchangedIncludingControlCharacters();
    void everyBmpCharacterIsEscapedInUpperCase();
    void pairsGiveFourBytesLoneSurrogatesThree_data();
    void pairsGiveFourBytesLoneSurrogatesThree();
    void decodingGivesRandomTextBack();
};

void EncoderTest::encodesWorkedExamples_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain ascii") << QStringLiteral("abc") << QStringLiteral("abc");
    QTest::newRow("query characters") << QStringLiteral("a b&c=1%") << QStringLiteral("a b&c=1%");
    QTest::newRow("U+007F last one-byte") << units({ 0x7F }) << units({ 0x7F });
    QTest::newRow("U+0080 first two-byte") << units({ 0x80 }) << QStringLiteral("%C2%80");
    QTest::newRow("U+00E9") << units({ 0xE9 }) << QStringLiteral("%C3%A9");
    QTest::newRow("U+07FF last two-byte") << units({ 0x7FF }) << QStringLiteral("%DF%BF");
    QTest::newRow("U+0800 first three-byte") << units({ 0x800 }) << QStringLiteral("%E0%A0%80");
    QTest::newRow("U+0E01") << units({ 0xE01 }) << QStringLiteral("%E0%B8%81");
    QTest::newRow("U+20AC") << units({ 0x20AC }) << QStringLiteral("%E2%82%AC");
    QTest::newRow("chinese then ascii")
        << units({ 0x4E2D, 0x6587, u'I', u'D' }) << QStringLiteral("%E4%B8%AD%E6%96%87ID");
    // Code units that read as negative in a signed 16-bit type.
    QTest::newRow("U+8000") << units({ 0x8000 }) << QStringLiteral("%E8%80%80");
    QTest::newRow("U+9F99") << units({ 0x9F99 }) << QStringLiteral("%E9%BE%99");
    QTest::newRow("U+FFFF last three-byte") << units({ 0xFFFF }) << QStringLiteral("%EF%BF%BF");
    QTest::newRow("ascii between escapes keeps its place")
        << units({ u'x', 0xE9, u'-', 0x4E2D, u'y' }) << QStringLiteral("x%C3%A9-%E4%B8%ADy");
    QTest::newRow("chat id") << QStringLiteral("小店_客服01")
                             << QStringLiteral("%E5%B0%8F%E5%BA%97_%E5%AE%A2%E6%9C%8D01");
}

void EncoderTest::encodesWorkedExamples()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(UTF8EncodeURI(input), expected);
}

void EncoderTest::emptyInputGivesEmptyOutput()
{
    QVERIFY(UTF8EncodeURI(QString()).isEmpty());
    QVERIFY(UTF8EncodeURI(QStringLiteral("")).isEmpty());
}

void EncoderTest::asciiPassesUnchangedIncludingControlCharacters()
{
    QString everyAscii;
    for (char16_t c = 0; c < 0x80; ++c)
        everyAscii.append(QChar(c));
    QCOMPARE(everyAscii.size(), 128);
    QCOMPARE(UTF8EncodeURI(everyAscii), everyAscii);

    const QString tabsAndNul = units({ u'\t', 0, u'a', u'\t', u'%', u'2', u'0', 0, u'\r', u'\n' });
    QCOMPARE(UTF8EncodeURI(tabsAndNul), tabsAndNul);
}

void EncoderTest::everyBmpCharacterIsEscapedInUpperCase()
{
    // Surrogates are left to their own test: here no pair may form.
    QString everyNonAscii;
    for (char32_t c = 0x80; c <= 0xFFFF; ++c) {
        if (c < 0xD800 || c > 0xDFFF)
            everyNonAscii.append(QChar(char16_t(c)));
    }
    const QString encoded = UTF8EncodeURI(everyNonAscii);
    QCOMPARE(encoded.size() % 3, 0);
    for (qsizetype i = 0; i < encoded.size(); i += 3) {
        if (encoded.at(i) != u'%' || !isUpperHex(encoded.at(i + 1))
            || !isUpperHex(encoded.at(i + 2)))
            QFAIL(qPrintable(QStringLiteral("not an upper-case escape at %1: %2")
                                 .arg(i)
                                 .arg(encoded.mid(i, 3))));
    }
    QVERIFY(
        QString::fromUtf8(QByteArray::fromPercentEncoding(encoded.toLatin1())) == everyNonAscii);
}

void EncoderTest::pairsGiveFourBytesLoneSurrogatesThree_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("U+1F600 as four bytes")
        << units({ 0xD83D, 0xDE00 }) << QStringLiteral("%F0%9F%98%80");
    QTest::newRow("U+10000 first supplementary")
        << units({ 0xD800, 0xDC00 }) << QStringLiteral("%F0%90%80%80");
    QTest::newRow("U+10FFFF last supplementary")
        << units({ 0xDBFF, 0xDFFF }) << QStringLiteral("%F4%8F%BF%BF");
    QTest::newRow("U+20BB7 between text")
        << units({ u'a', 0xD842, 0xDFB7, u'b' }) << QStringLiteral("a%F0%A0%AE%B7b");
    QTest::newRow("two pairs in a row")
        << units({ 0xD83D, 0xDE00, 0xD83D, 0xDE01 }) << QStringLiteral("%F0%9F%98%80%F0%9F%98%81");

    QTest::newRow("high at end") << units({ u'a', 0xD83D }) << QStringLiteral("a%ED%A0%BD");
    QTest::newRow("high before ascii") << units({ 0xD83D, u'a' }) << QStringLiteral("%ED%A0%BDa");
    QTest::newRow("high before BMP character")
        << units({ 0xD83D, 0x4E2D }) << QStringLiteral("%ED%A0%BD%E4%B8%AD");
    QTest::newRow("low alone") << units({ 0xDE00 }) << QStringLiteral("%ED%B8%80");
    QTest::newRow("reversed pair")
        << units({ 0xDE00, 0xD83D }) << QStringLiteral("%ED%B8%80%ED%A0%BD");
    QTest::newRow("lone high then valid pair")
        << units({ 0xD83D, 0xD83D, 0xDE00 }) << QStringLiteral("%ED%A0%BD%F0%9F%98%80");
    QTest::newRow("valid pair then lone low")
        << units({ 0xD83D, 0xDE00, 0xDE00 }) << QStringLiteral("%F0%9F%98%80%ED%B8%80");
    QTest::newRow("first and last surrogate values")
        << units({ 0xDFFF, 0xD800 }) << QStringLiteral("%ED%BF%BF%ED%A0%80");
}

void EncoderTest::pairsGiveFourBytesLoneSurrogatesThree()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(UTF8EncodeURI(input), expected);
}

void EncoderTest::decodingGivesRandomTextBack()
{
    QRandomGenerator random(20240611);
    for (int round = 0; round < 5000; ++round) {
        QString input;
        QString asciiOfInput;
        const int length = int(random.bounded(1, 24));
        for (int i = 0; i < length; ++i) {
            const char32_t c = randomCharacter(random, int(random.bounded(1, 5)));
            appendCodePoint(input, c);
            if (c < 0x80)
                asciiOfInput.append(QChar(char16_t(c)));
        }

        const QString encoded = UTF8EncodeURI(input);
        const auto context = [&] {
            return QByteArray("round ") + QByteArray::number(round) + ": input " + describe(input)
                + " encoded " + describe(encoded);
        };

        // Only the input's own ASCII characters, in order, plus "%XX" escapes.
        QString unescaped;
        for (qsizetype i = 0; i < encoded.size(); ++i) {
            const QChar c = encoded.at(i);
            if (c == u'%') {
                if (i + 2 >= encoded.size() || !isUpperHex(encoded.at(i + 1))
                    || !isUpperHex(encoded.at(i + 2)))
                    QFAIL((context() + " has a malformed escape at " + QByteArray::number(i))
                              .constData());
                i += 2;
            } else {
                if (c.unicode() >= 0x80)
                    QFAIL((context() + " has a non-ASCII character at " + QByteArray::number(i))
                              .constData());
                unescaped.append(c);
            }
        }
        if (unescaped != asciiOfInput)
            QFAIL((context() + " passes ASCII " + describe(unescaped) + " instead of "
                + describe(asciiOfInput))
                      .constData());

        const QString decoded
            = QString::fromUtf8(QByteArray::fromPercentEncoding(encoded.toLatin1()));
        if (decoded != input)
            QFAIL((context() + " decodes to " + describe(decoded)).constData());
    }
}

QTEST_GUILESS_MAIN(EncoderTest)
#include "tst_encoder.moc"
