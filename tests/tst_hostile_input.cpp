// Hostile field values through the real window: control characters, broken
// UTF-16, bidi marks, markup, markers of other passes and very long values,
// entered by setText and by pasting, must reach the delivered snippet exactly.

#include "ControlInventory.h"
#include "Generator.h"
#include "MainWindow.h"
#include "TestSupport.h"
#include "WindowTestCase.h"
#include "UiSetup.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

enum class Entry { SetText, Paste, CtrlV };

// Every kind of text a field must carry unchanged.
QStringList hostileValues()
{
    const QString nul(QChar(0));
    return {
        QString(),
        nul,
        QStringLiteral("a") + nul + QStringLiteral("b") + nul,
        units({ 0xD800 }),                          // lone high surrogate
        QStringLiteral("x") + units({ 0xDC00 }) + QStringLiteral("y"), // lone low
        units({ 0xDC00, 0xD800 }),                  // a pair in the wrong order
        units({ 0xDBFF }) + QStringLiteral("中") + units({ 0xDFFF }),
        units({ 0xD83D, 0xDE00 }),                  // a valid pair, U+1F600
        QStringLiteral("\t"),
        QStringLiteral("a\tb\t"),
        QStringLiteral("\r"),
        QStringLiteral("\n"),
        QStringLiteral("\r\n"),
        QStringLiteral("one\r\ntwo\nthree\rfour\n\r"),
        units({ 0x200F }) + QStringLiteral("abc") + units({ 0x202E, 0x202C, 0x2028, 0x2029 }),
        units({ 0xFEFF }) + QStringLiteral("bom first"),
        QStringLiteral("\"'<>&"),
        QStringLiteral("\"></td><script>alert('x')</script>&amp;&#0;"),
        QStringLiteral("&"),
        QStringLiteral("  spaces kept  ") + units({ 0x3000, 0x00A0 }),
        QStringLiteral("%E4%B8%AD%zz%"),
        QStringLiteral("客服中文ID"),
        units({ 0x0001, 0x001F, 0x007F, 0x0080, 0x0085, 0x07FF, 0x0800, 0xFFFF, 0xFFFE }),
        // Markers of every generator, so each pass meets its own marker and
        // those of earlier and later passes inside inserted values.
        QStringLiteral("图片地址1图片地址2图片地址3图片地址4图片地址5图片地址6图片地址7图片地址8图片地址9"),
        QStringLiteral("小1小9旺旺号码1旺旺号码9禾木川舍1禾木川舍3禾木川舍"),
        QStringLiteral("特效代码rgb(255,0,0)#FF0000字体大小速度") + stripPlaceholder(),
        QStringLiteral("背景音乐背景图背景音乐"),
        QStringLiteral("图片地址图片地址11小小22"),
    };
}

// The UTF-8 form of each code point (a lone surrogate as its own three-byte
// form), every byte from 128 up percent-escaped.
QString encodedId(const QString& text)
{
    QString encoded;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t point = text.at(i).unicode();
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            point = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        if (point < 0x80) {
            encoded.append(QChar(char16_t(point)));
            continue;
        }
        QByteArray bytes;
        if (QChar::isSurrogate(point)) {
            bytes.append(char(0xE0 | (point >> 12)));
            bytes.append(char(0x80 | ((point >> 6) & 0x3F)));
            bytes.append(char(0x80 | (point & 0x3F)));
        } else {
            // Not QString::fromUcs4: it drops a leading U+FEFF as a byte order mark.
            bytes = QStringView(QChar::fromUcs4(point)).toUtf8();
        }
        encoded.append(QString::fromLatin1(bytes.toPercentEncoding()));
    }
    return encoded;
}

// Every occurrence of `marker`, left to right and without overlap, becomes
// `value`; the search goes on after the inserted value. Linear, unlike
// QString::replace, which moves the whole tail once per 1024 matches.
QString replacedEverywhere(const QString& text, const QString& marker, const QString& value)
{
    QString result;
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(marker); at >= 0; at = text.indexOf(marker, from)) {
        result.append(QStringView(text).sliced(from, at - from)).append(value);
        from = at + marker.size();
    }
    return result.append(QStringView(text).sliced(from));
}

// The snippet the rules give for these field texts.
QString expectedSnippet(const Generator& generator, const QHash<QString, QString>& values)
{
    QString text = initialText(generator.templateHolder);
    for (const FieldStep& step : generator.steps) {
        const QString value = values.value(step.field);
        text = replacedEverywhere(text, step.marker, step.encodeId ? encodedId(value) : value);
    }
    return text;
}

QStringList fieldsOf(const Generator& generator)
{
    QStringList fields;
    for (const FieldStep& step : generator.steps) {
        if (!fields.contains(step.field))
            fields << step.field;
    }
    return fields;
}

// Where two texts part, for a message that stays short with huge texts.
QString difference(const QString& got, const QString& expected)
{
    if (got == expected)
        return QString();
    qsizetype at = 0;
    const qsizetype common = qMin(got.size(), expected.size());
    while (at < common && got.at(at) == expected.at(at))
        ++at;
    return QStringLiteral("length %1, expected %2, first difference at %3: got \"%4\", expected \"%5\"")
        .arg(got.size())
        .arg(expected.size())
        .arg(at)
        .arg(got.mid(at, 40).toHtmlEscaped(), expected.mid(at, 40).toHtmlEscaped());
}

QString repeatedTo(const QString& unit, qsizetype length)
{
    QString text;
    text.reserve(length);
    while (text.size() < length)
        text.append(unit);
    text.truncate(length);
    return text;
}

} // namespace

class HostileInputTest : public WindowTestCase
{
    Q_OBJECT

private:
    static void pasteInto(QLineEdit* edit, const QString& text, Entry entry)
    {
        QGuiApplication::clipboard()->setText(text);
        edit->selectAll();
        if (entry == Entry::CtrlV)
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        else
            edit->paste();
    }

    void enter(const QString& name, const QString& text, Entry entry)
    {
        QLineEdit* edit = get<QLineEdit>(name);
        if (entry == Entry::SetText)
            edit->setText(text);
        else
            pasteInto(edit, text, entry);
    }

    // Clicks the generator's button on a free clipboard and checks the one
    // delivery: confirmed, exactly the expected text, work buffer the same.
    void generateAndCheck(const Generator& generator, const QString& expected, const QString& context)
    {
        m_clipboard = FakeClipboard();
        m_notifier = RecordingNotifier();
        get<QPushButton>(generator.button)->click();

        QVERIFY2(m_notifier.boxes.size() == 1, qPrintable(context));
        QVERIFY2(m_notifier.boxes.first().kind == RecordingNotifier::Kind::Inform, qPrintable(context));
        QCOMPARE(m_notifier.boxes.first().title, generator.confirmation.title);
        QCOMPARE(m_notifier.boxes.first().message, generator.confirmation.prompt);
        QCOMPARE(m_clipboard.sets, 1);
        const QString mismatch = difference(m_clipboard.content, expected);
        QVERIFY2(mismatch.isEmpty(), qPrintable(context + QStringLiteral(": ") + mismatch));
        if (!generator.workBuffer.isEmpty()) {
            QVERIFY2(difference(m_window->fieldText(generator.workBuffer), m_clipboard.content).isEmpty(),
                     qPrintable(context + QStringLiteral(": work buffer differs from the clipboard")));
        }
    }

private slots:
    void initTestCase() { applyWindowFont(*qApp); }

    void init() { startWindow(); }
    void cleanup() { m_window.reset(); }

    // A paste into the middle keeps what stands around it; what a whole
    // paste keeps, every field and value, is the next test's part.
    void pasteIntoTheMiddleKeepsTheRest()
    {
        QLineEdit* edit = get<QLineEdit>(QStringLiteral("Text18"));
        edit->setText(QStringLiteral("ab"));
        edit->setCursorPosition(1);
        QGuiApplication::clipboard()->setText(QStringLiteral("\r\n") + QChar(0) + QStringLiteral("\n"));
        edit->paste();
        QCOMPARE(edit->text(), QStringLiteral("a\r\n") + QChar(0) + QStringLiteral("\nb"));
    }

    void hostileValuesReachEverySnippet_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("entry");
        for (const Generator& generator : allGenerators()) {
            const QByteArray name = generator.button.toUtf8();
            QTest::newRow((name + " setText").constData()) << generator.button << int(Entry::SetText);
            QTest::newRow((name + " paste").constData()) << generator.button << int(Entry::Paste);
            QTest::newRow((name + " ctrl+v").constData()) << generator.button << int(Entry::CtrlV);
        }
    }

    // Round r gives field i the value (i + r) mod n, so every field meets
    // every hostile value, and each click mixes many of them.
    void hostileValuesReachEverySnippet()
    {
        QFETCH(QString, button);
        QFETCH(int, entry);
        const Generator* generator = generatorForButton(button);
        QVERIFY(generator);
        const QStringList fields = fieldsOf(*generator);
        const QStringList values = hostileValues();

        for (qsizetype round = 0; round < values.size(); ++round) {
            QHash<QString, QString> typed;
            for (qsizetype i = 0; i < fields.size(); ++i) {
                const QString& value = values.at((i + round) % values.size());
                enter(fields.at(i), value, Entry(entry));
                QVERIFY2(difference(m_window->fieldText(fields.at(i)), value).isEmpty(),
                         qPrintable(fields.at(i) + QStringLiteral(" lost its value")));
                typed.insert(fields.at(i), value);
            }
            generateAndCheck(*generator, expectedSnippet(*generator, typed),
                             QStringLiteral("round %1").arg(round));
            if (QTest::currentTestFailed())
                return;
        }
    }

    // Past QLineEdit's default limit of 32767 characters in every field the
    // user can edit, hidden ones included.
    void noFieldCutsALongPaste()
    {
        const QString value = repeatedTo(QStringLiteral("0123456789abcdef"), 40000);
        int checked = 0;
        for (const ControlSpec& spec : controlInventory()) {
            if (spec.kind != ControlKind::TextField)
                continue;
            QLineEdit* edit = get<QLineEdit>(spec.name);
            pasteInto(edit, value, Entry::Paste);
            QVERIFY2(edit->text().size() == value.size(), qPrintable(spec.name));
            ++checked;
        }
        QVERIFY(checked >= 40);
    }

    void pastedMebibyteReachesTheSnippet_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("field");
        QTest::newRow("contact avatar address") << QStringLiteral("旺旺在线") << QStringLiteral("Text4_5");
        QTest::newRow("contact chat id") << QStringLiteral("旺旺在线") << QStringLiteral("Text3_2");
        QTest::newRow("announcement") << QStringLiteral("LEN滚动") << QStringLiteral("Text12");
        QTest::newRow("navigation image") << QStringLiteral("CSS导航") << QStringLiteral("Text7_1");
        QTest::newRow("poster link") << QStringLiteral("全屏轮播") << QStringLiteral("Text15_4");
        QTest::newRow("music address") << QStringLiteral("背景音乐生成") << QStringLiteral("Text18");
        QTest::newRow("fixed background") << QStringLiteral("悬浮背景") << QStringLiteral("Text20");
    }

    void pastedMebibyteReachesTheSnippet()
    {
        QFETCH(QString, button);
        QFETCH(QString, field);
        const Generator* generator = generatorForButton(button);
        QVERIFY(generator);
        // Markup, line breaks, a NUL, a lone surrogate, Chinese and a later
        // pass's marker in every 32 units, cut mid-unit at the end.
        const QString unit = QStringLiteral("公告<a href=\"x\">&amp;</a>\r\n\t图片地址9") + QChar(0) + QChar(0xD800);
        const QString value = repeatedTo(unit, qsizetype(1) << 20);

        QHash<QString, QString> typed;
        for (const QString& name : fieldsOf(*generator))
            typed.insert(name, m_window->fieldText(name));
        pasteInto(get<QLineEdit>(field), value, Entry::Paste);
        QCOMPARE(m_window->fieldText(field).size(), value.size());
        typed.insert(field, value);
        generateAndCheck(*generator, expectedSnippet(*generator, typed), field);
    }
};

QTEST_MAIN(HostileInputTest)
#include "tst_hostile_input.moc"
