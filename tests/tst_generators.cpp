// The five template generators composed the way the window composes them:
// template holder plus the fields their steps name, at their start values
// unless a test edits them.

#include "ControlInventory.h"
#include "TestSupport.h"

#include <QHash>
#include <QRegularExpression>
#include <QtTest>

namespace {

using Edits = QHash<QString, QString>;

const QString CrLf = QStringLiteral("\r\n");
const QString EditorPrompt = QStringLiteral("代码已生成，并复制至粘贴板，可直接粘贴到装修模块代码上使用");
const QString EditorTitle = QStringLiteral("成功生成");
const QString CustomPrompt = QStringLiteral("代码已生成，并复制至粘贴板，点击右键粘贴到“自定义内容模块”上使用");
const QString CustomTitle = QStringLiteral("成功生成！");

QString el(const char* array, int index)
{
    return arrayElementName(QString::fromLatin1(array), index);
}

QString composeFromFields(const Generator& generator, const Edits& edits = {})
{
    QStringList values;
    for (const FieldStep& step : generator.steps)
        values << edits.value(step.field, initialText(step.field));
    return composeSnippet(initialText(generator.templateHolder), generator.steps, values);
}

// Every text between an occurrence of `before` and the next `after`.
QStringList between(const QString& text, const QString& before, const QString& after)
{
    QStringList found;
    qsizetype from = 0;
    while ((from = text.indexOf(before, from)) >= 0) {
        from += before.size();
        const qsizetype end = text.indexOf(after, from);
        if (end < 0)
            break;
        found << text.mid(from, end - from);
        from = end + after.size();
    }
    return found;
}

QStringList chatIds(const QString& snippet)
{
    return between(snippet, QStringLiteral("&amp;touid="), QStringLiteral("&amp;siteid=cntaobao"));
}
QStringList statusIds(const QString& snippet)
{
    return between(snippet, QStringLiteral("&amp;uid="), QStringLiteral("&amp;site=cntaobao"));
}
QStringList avatars(const QString& snippet)
{
    return between(snippet, QStringLiteral("<td align=\"right\" background=\""), QStringLiteral("\" height=\"50\""));
}
QStringList banners(const QString& snippet)
{
    return between(snippet, QStringLiteral("\t<td background=\""), QStringLiteral("\" width=\"")).mid(0, 3);
}
QStringList nicknames(const QString& snippet)
{
    static const QRegularExpression name(QStringLiteral("<span style=\"color:#878787;font-size:12px;\">([^<]*)</span></td>"));
    QStringList found;
    for (auto it = name.globalMatch(snippet); it.hasNext();)
        found << it.next().captured(1);
    return found;
}

QStringList linesOf(const QString& text)
{
    QStringList lines = text.split(CrLf);
    lines.removeLast();
    return lines;
}

} // namespace

class GeneratorsTest : public QObject
{
    Q_OBJECT

private slots:
    void registration_data();
    void registration();
    void stepsReadEditableFields();

    void contactDefaults();
    void contactChatIdsEncoded();
    void contactEmptyAndRawValues();
    void contactCascades();

    void stripDefaults();
    void stripCascades();
    void stripEmptyFields();

    void cssDefaults();
    void cssCascades();
    void cssEmptyFields();

    void carouselDefaults();
    void carouselCascades();
    void carouselEmptyFields();

    void backgroundMusic();
    void fixedBackground();
};

void GeneratorsTest::registration_data()
{
    QTest::addColumn<int>("panel");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("holder");
    QTest::addColumn<QString>("buffer");
    QTest::addColumn<QString>("templateText");
    QTest::addColumn<int>("attempts");
    QTest::addColumn<bool>("everyAttempt");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("title");

    QTest::newRow("contact block") << 0 << QStringLiteral("旺旺在线") << QStringLiteral("Text23") << QStringLiteral("Text24")
                                   << templateOf("旺旺在线") << 5000 << false << CustomPrompt << CustomTitle;
    QTest::newRow("strip") << 1 << QStringLiteral("LEN滚动") << QStringLiteral("Text13") << QStringLiteral("Text14")
                           << templateOf("LEN滚动") << 5000 << false << EditorPrompt << EditorTitle;
    QTest::newRow("navigation css") << 2 << QStringLiteral("CSS导航") << QStringLiteral("Text5") << QStringLiteral("Text6")
                                    << templateOf("CSS导航") << 10000 << true << EditorPrompt << EditorTitle;
    QTest::newRow("carousel") << 3 << QStringLiteral("全屏轮播") << QStringLiteral("Text16") << QStringLiteral("Text17")
                              << templateOf("全屏轮播") << 5000 << false << CustomPrompt << CustomTitle;
    QTest::newRow("music") << 4 << QStringLiteral("背景音乐生成") << QStringLiteral("Text19") << QString()
                           << templateOf("背景音乐生成") << 5000 << false << CustomPrompt << CustomTitle;
    QTest::newRow("fixed background") << 5 << QStringLiteral("悬浮背景") << QStringLiteral("Text21") << QString()
                                      << templateOf("悬浮背景") << 5000 << false << CustomPrompt << CustomTitle;
}

void GeneratorsTest::registration()
{
    QFETCH(int, panel);
    QFETCH(QString, button);
    QFETCH(QString, holder);
    QFETCH(QString, buffer);
    QFETCH(QString, templateText);
    QFETCH(int, attempts);
    QFETCH(bool, everyAttempt);
    QFETCH(QString, prompt);
    QFETCH(QString, title);

    QCOMPARE(allGenerators().size(), 6);
    const Generator& generator = allGenerators().at(panel);
    QCOMPARE(generator.button, button);
    QCOMPARE(generatorForButton(button), &generator);
    QCOMPARE(generator.templateHolder, holder);
    QCOMPARE(generator.workBuffer, buffer);
    if (!buffer.isEmpty())
        QCOMPARE(initialText(buffer), buffer);
    // The window's holder starts with exactly the unit's template.
    QCOMPARE(initialText(holder), templateText);
    QCOMPARE(generator.attemptLimit, attempts);
    QCOMPARE(generator.clearing, everyAttempt ? ClearingMode::EveryAttempt : ClearingMode::Once);
    // The box after a delivery; tst_generator_clicks sees a click show it.
    QCOMPARE(generator.confirmation.title, title);
    QCOMPARE(generator.confirmation.prompt, prompt);
}

void GeneratorsTest::stepsReadEditableFields()
{
    const QList<int> stepCounts { 30, 6, 8, 4, 1, 1 };
    for (int panel = 0; panel < allGenerators().size(); ++panel) {
        const Generator& generator = allGenerators().at(panel);
        QCOMPARE(generator.steps.size(), stepCounts.at(panel));
        for (const FieldStep& step : generator.steps) {
            const ControlSpec* field = findControl(step.field);
            QVERIFY2(field, qPrintable(step.field));
            QCOMPARE(field->kind, ControlKind::TextField);
            QCOMPARE(field->container, panelName(panel));
            // Only the contact block's chat ids are percent-encoded.
            QCOMPARE(step.encodeId, step.field.startsWith(QStringLiteral("Text3_")));
        }
    }
}

void GeneratorsTest::contactDefaults()
{
    const QString snippet = composeFromFields(generatorOf("旺旺在线"));
    QStringList expectedIds { QStringLiteral("QX5102") };
    QStringList expectedNames, expectedAvatars;
    for (int n = 1; n <= 9; ++n) {
        if (n > 1)
            expectedIds << QStringLiteral("qx7305");
        expectedNames << initialText(el("Text2", n));
        expectedAvatars << initialText(el("Text4", n));
    }
    QCOMPARE(chatIds(snippet), expectedIds);
    QCOMPARE(statusIds(snippet), expectedIds);
    QCOMPARE(nicknames(snippet), expectedNames);
    QCOMPARE(avatars(snippet), expectedAvatars);
    QCOMPARE(banners(snippet), (QStringList { initialText(el("Text1", 1)), initialText(el("Text1", 2)), initialText(el("Text1", 3)) }));

    static const QRegularExpression leftover(QStringLiteral("(禾木川舍|小|旺旺号码|图片地址)\\d"));
    QVERIFY(!snippet.contains(leftover));
    // The word without a digit is the module's title, not a marker.
    QVERIFY(snippet.contains(QStringLiteral("data-title=\"禾木川舍装修软件\"")));
    QCOMPARE(linesOf(snippet).size(), 169);
}

void GeneratorsTest::contactChatIdsEncoded()
{
    const QString snippet = composeFromFields(generatorOf("旺旺在线"), {
        { el("Text3", 4), QStringLiteral("中文") },
        { el("Text3", 5), QStringLiteral("a b&c=1%") },
        { el("Text2", 4), QStringLiteral("中文") },
        { el("Text4", 4), QStringLiteral("http://x/中.jpg") },
    });
    QCOMPARE(chatIds(snippet).at(3), QStringLiteral("%E4%B8%AD%E6%96%87"));
    QCOMPARE(statusIds(snippet).at(3), QStringLiteral("%E4%B8%AD%E6%96%87"));
    QCOMPARE(chatIds(snippet).at(4), QStringLiteral("a b&c=1%"));
    QCOMPARE(statusIds(snippet).at(4), QStringLiteral("a b&c=1%"));
    // Nicknames and pictures go in as typed.
    QCOMPARE(nicknames(snippet).at(3), QStringLiteral("中文"));
    QCOMPARE(avatars(snippet).at(3), QStringLiteral("http://x/中.jpg"));
}

void GeneratorsTest::contactEmptyAndRawValues()
{
    const QString snippet = composeFromFields(generatorOf("旺旺在线"), {
        { el("Text2", 3), QString() },
        { el("Text3", 3), QString() },
        { el("Text4", 3), QString() },
        { el("Text2", 5), QStringLiteral("a\"<b") },
    });
    QCOMPARE(avatars(snippet).size(), 9);
    QCOMPARE(avatars(snippet).at(2), QString());
    QCOMPARE(chatIds(snippet).at(2), QString());
    QCOMPARE(statusIds(snippet).at(2), QString());
    QCOMPARE(nicknames(snippet).at(2), QString());
    QVERIFY(snippet.contains(QStringLiteral(">a\"<b</span></td>")));
}

void GeneratorsTest::contactCascades()
{
    const QString nickname3 = initialText(el("Text2", 3));
    const QString snippet = composeFromFields(generatorOf("旺旺在线"), {
        // Later steps see what earlier ones inserted...
        { el("Text1", 1), QStringLiteral("禾木川舍2|小2") },
        { el("Text4", 1), QStringLiteral("x小3y") },
        { el("Text2", 2), QStringLiteral("A旺旺号码7B") },
        { el("Text3", 7), QStringLiteral("中") },
        // ...but never the other way round.
        { el("Text1", 3), QStringLiteral("禾木川舍1") },
        { el("Text4", 5), QStringLiteral("小1|小5|旺旺号码2|旺旺号码5") },
    });
    // Banner 1 picks up banner 2, then nickname 2, then the id nickname 2 names.
    QCOMPARE(banners(snippet).at(0), initialText(el("Text1", 2)) + QStringLiteral("|A%E4%B8%ADB"));
    QCOMPARE(banners(snippet).at(2), QStringLiteral("禾木川舍1"));
    QCOMPARE(avatars(snippet).at(0), QStringLiteral("x") + nickname3 + QStringLiteral("y"));
    QCOMPARE(nicknames(snippet).at(1), QStringLiteral("A%E4%B8%ADB"));
    QCOMPARE(avatars(snippet).at(4), QStringLiteral("小1|小5|旺旺号码2|旺旺号码5"));
}

void GeneratorsTest::stripDefaults()
{
    const QString templateText = templateOf("LEN滚动");
    const QString snippet = composeFromFields(generatorOf("LEN滚动"));
    QVERIFY(initialText(QStringLiteral("Text8")) != stripPlaceholder());
    QVERIFY(!snippet.contains(stripPlaceholder()));

    const QStringList before = linesOf(templateText);
    const QStringList after = linesOf(snippet);
    QCOMPARE(after.size(), 48);
    for (int i = 0; i < 48; ++i) {
        if (i != 11 && i != 26)
            QCOMPARE(after.at(i), before.at(i));
    }
    QCOMPARE(after.at(11), QString(11, QLatin1Char('\t')) + QStringLiteral("<td background=\"")
                               + initialText(QStringLiteral("Text8")) + QStringLiteral("\" height=\"40\" valign=\"top\">"));
    QCOMPARE(after.at(26), QString(20, QLatin1Char('\t'))
                               + QStringLiteral("<marquee data-attr-replace=\"[{'type':'innerHTML','desc':'店铺公告文字在此编辑'}]\" "
                                                "style=\"width:886px;height:45px;color:#FF0000;font-family:黑体;font-size:40px;\" "
                                                "scrollamount=\"6\"><a  ><span style=\"color:#FF0000\">"
                                                "3月12日，禾木川舍开发了第一款专业版全屏轮播代码……</span></a></marquee></td>"));
}

void GeneratorsTest::stripCascades()
{
    const QString snippet = composeFromFields(generatorOf("LEN滚动"), {
        { QStringLiteral("Text8"), QStringLiteral("bg#FF0000.gif") },
        { QStringLiteral("Text12"), QStringLiteral("速度|字体大小|rgb(255,0,0)") },
        { QStringLiteral("Text9"), QStringLiteral("x#FF0000") },
        { QStringLiteral("Text10"), QStringLiteral("12") },
        { QStringLiteral("Text11"), QStringLiteral("特效代码") },
    });
    QVERIFY(snippet.contains(QStringLiteral("<td background=\"bgx#FF0000.gif\"")));
    // The colour lands in the marquee and is then hit once more by "#FF0000".
    QVERIFY(snippet.contains(QStringLiteral("color:xx#FF0000;font-family:黑体;font-size:12px;")));
    QVERIFY(snippet.contains(QStringLiteral("scrollamount=\"特效代码\"><a  ><span style=\"color:x#FF0000\">特效代码|12|xx#FF0000</span>")));

    const QString plain = composeFromFields(generatorOf("LEN滚动"), { { QStringLiteral("Text12"), QStringLiteral("快速度") } });
    QVERIFY(plain.contains(QStringLiteral("<span style=\"color:#FF0000\">快6</span>")));
}

void GeneratorsTest::stripEmptyFields()
{
    Edits edits;
    for (const char* field : { "Text8", "Text12", "Text9", "Text10", "Text11" })
        edits.insert(QString::fromLatin1(field), QString());
    const QString snippet = composeFromFields(generatorOf("LEN滚动"), edits);
    QVERIFY(snippet.contains(QStringLiteral("<td background=\"\" height=\"40\"")));
    QVERIFY(snippet.contains(QStringLiteral("height:45px;color:;font-family:黑体;font-size:px;\" scrollamount=\"\"><a  ><span style=\"color:\"></span>")));
    QCOMPARE(snippet.size(), templateOf("LEN滚动").size() - stripPlaceholder().size()
                                 - QStringLiteral("特效代码rgb(255,0,0)#FF0000字体大小速度").size());
}

void GeneratorsTest::cssDefaults()
{
    // Each marker becomes its own field's value, nothing more or less; two
    // of the fields start empty.
    QString expected = templateOf("CSS导航");
    for (int i = 1; i <= 8; ++i)
        expected.replace(QStringLiteral("图片地址%1").arg(i), initialText(el("Text7", i)));
    QVERIFY(initialText(el("Text7", 5)).isEmpty() && !initialText(el("Text7", 1)).isEmpty());
    QCOMPARE(composeFromFields(generatorOf("CSS导航")), expected);
}

void GeneratorsTest::cssCascades()
{
    const QString snippet = composeFromFields(generatorOf("CSS导航"), {
        { el("Text7", 1), QStringLiteral("a图片地址2b") },
        { el("Text7", 2), QStringLiteral("c图片地址1d") },
    });
    const QStringList lines = linesOf(snippet);
    QCOMPARE(lines.at(1), QStringLiteral(".skin-box-bd .menu-list{background:url(ac图片地址1db);}"));
    QCOMPARE(lines.at(8), QStringLiteral(".skin-box-bd .menu-list .menu .link:hover{background:url(c图片地址1d);}"));

    const QString later = composeFromFields(generatorOf("CSS导航"), {
        { el("Text7", 1), QStringLiteral("图片地址8") },
        { el("Text7", 8), QStringLiteral("eight") },
    });
    QCOMPARE(linesOf(later).at(1), QStringLiteral(".skin-box-bd .menu-list{background:url(eight);}"));
}

void GeneratorsTest::cssEmptyFields()
{
    Edits edits;
    for (int i = 1; i <= 8; ++i)
        edits.insert(el("Text7", i), QString());
    static const QRegularExpression marker(QStringLiteral("图片地址\\d"));
    QCOMPARE(composeFromFields(generatorOf("CSS导航"), edits), QString(templateOf("CSS导航")).remove(marker));
}

void GeneratorsTest::carouselDefaults()
{
    const QString shop = QStringLiteral("https://hemuchuanshe.taobao.com/");
    QCOMPARE(initialText(el("Text15", 2)), shop);
    QCOMPARE(initialText(el("Text15", 4)), shop);
    // Only the two slides change: images first, links second.
    const QString expected = QString(templateOf("全屏轮播"))
                                 .replace(QStringLiteral("lazyload=\"图片地址1\""), QStringLiteral("lazyload=\"") + initialText(el("Text15", 1)) + QLatin1Char('"'))
                                 .replace(QStringLiteral("lazyload=\"图片地址3\""), QStringLiteral("lazyload=\"") + initialText(el("Text15", 3)) + QLatin1Char('"'))
                                 .replace(QStringLiteral("href=\"图片地址2\""), QStringLiteral("href=\"") + shop + QLatin1Char('"'))
                                 .replace(QStringLiteral("href=\"图片地址4\""), QStringLiteral("href=\"") + shop + QLatin1Char('"'));
    QCOMPARE(composeFromFields(generatorOf("全屏轮播")), expected);
}

void GeneratorsTest::carouselCascades()
{
    const QString posterB = initialText(el("Text15", 3));
    const QStringList lines = linesOf(composeFromFields(generatorOf("全屏轮播"), {
        { el("Text15", 1), QStringLiteral("p图片地址3q") },
        { el("Text15", 4), QStringLiteral("l图片地址1m") },
    }));
    QVERIFY(lines.at(27).contains(QStringLiteral("data-ks-lazyload=\"p") + posterB + QStringLiteral("q\"")));
    QVERIFY(lines.at(32).contains(QStringLiteral("href=\"l图片地址1m\"")));
}

void GeneratorsTest::carouselEmptyFields()
{
    const QStringList lines = linesOf(composeFromFields(generatorOf("全屏轮播"), {
        { el("Text15", 2), QString() },
        { el("Text15", 3), QString() },
    }));
    QVERIFY(lines.at(27).contains(QStringLiteral(" href=\"\" ")));
    QVERIFY(lines.at(27).contains(QStringLiteral("data-ks-lazyload=\"") + initialText(el("Text15", 1)) + QLatin1Char('"')));
    QVERIFY(lines.at(32).contains(QStringLiteral("<img border=\"0\" data-ks-lazyload=\"\" height=\"500\"")));
    QVERIFY(lines.at(32).contains(QStringLiteral("href=\"") + initialText(el("Text15", 4)) + QLatin1Char('"')));
}

// The address goes in exactly as typed: quotes, spaces, markup, its own
// marker and a query string, none escaped or encoded.
void GeneratorsTest::backgroundMusic()
{
    const QString element = QStringLiteral("<bgsound src=\"%1\"  loop=\"infinite\"></bgsound>");
    const QString initial = initialText(QStringLiteral("Text18"));
    QVERIFY2(initial.startsWith(QStringLiteral("http")) && initial.endsWith(QStringLiteral(".mp3")), qPrintable(initial));
    QCOMPARE(composeFromFields(generatorOf("背景音乐生成")), element.arg(initial));
    for (const QString& address : { QString(), QStringLiteral(" http://a/歌 \"背景音乐\".mp3?x=1&y=%20<b>&amp;</b> ") })
        QCOMPARE(composeFromFields(generatorOf("背景音乐生成"), { { QStringLiteral("Text18"), address } }), element.arg(address));
}

void GeneratorsTest::fixedBackground()
{
    const QString tail = QStringLiteral(");background-repeat:no-repeat;background-position:center;background-attachment:fixed;}");
    QCOMPARE(composeFromFields(generatorOf("悬浮背景")),
             QStringLiteral("body{background-image:url(") + initialText(QStringLiteral("Text20")) + tail);
    QCOMPARE(composeFromFields(generatorOf("悬浮背景"), { { QStringLiteral("Text20"), QString() } }),
             QStringLiteral("body{background-image:url(") + tail);
    const QString odd = QStringLiteral(" a) b;背景图 ");
    QCOMPARE(composeSnippet(templateOf("悬浮背景"), generatorOf("悬浮背景").steps, { odd }),
             QStringLiteral("body{background-image:url(") + odd + tail);
}

QTEST_GUILESS_MAIN(GeneratorsTest)
#include "tst_generators.moc"
