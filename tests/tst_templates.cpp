// Facts of the templates as the program loads them: a wrong byte here goes
// straight into a live shop page.

#include "TestSupport.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {

const QString CrLf = QStringLiteral("\r\n");

// Lines without their CR LF; the text must end with one.
QStringList linesOf(const QString& text)
{
    QStringList lines = text.split(CrLf);
    lines.removeLast(); // empty remainder after the final CR LF
    return lines;
}

int leadingTabs(const QString& line)
{
    int n = 0;
    while (n < line.size() && line.at(n) == QLatin1Char('\t'))
        ++n;
    return n;
}

QString numbered(const char* word, int n)
{
    return QString::fromUtf8(word) + QString::number(n);
}

} // namespace

class TemplatesTest : public QObject
{
    Q_OBJECT

private slots:
    void exactBytes_data();
    void exactBytes();
    void lineBreaks_data();
    void lineBreaks();
    void markerCounts_data();
    void markerCounts();
    void tabCounts_data();
    void tabCounts();

    void contactBlock();
    void announcementStrip();
    void navigationCss();
    void posterCarousel();
    void fixedBackground();
};

// The template files are the only source of the snippets' fixed text: any
// changed byte, line break or tab must show up here first.
void TemplatesTest::exactBytes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("sha256");
    const QList<QPair<const char*, QByteArray>> digests {
        { "contact-block.txt", "f9511839e7f8a59896d138cd61722073cec70fb104855cbcf4783d96d6067e6e" },
        { "announcement-strip.txt", "dd4af3dd40012ff0a83c2d7c816bd5be5cf3bdf71b41b6f641157078b95a1cd0" },
        { "navigation-css.txt", "8d9c6b83c0b2950388ebb3d30dd75543f0701fb332d59e3ad4c047f2fe867645" },
        { "poster-carousel.txt", "16affd449c9e83e2d8085ceae30bbeca8e03d74ebc01a4e86bc54689650bf86b" },
        { "background-music.txt", "7c0654eba9d171f5bea13b6cc9a42417b65cdc08e77079349c11ea0a5d9cbc76" },
        { "fixed-background.txt", "42f79664d08511d14f455dcd4cf82375d015e85e02c1b364eb14a186b6765e60" },
    };
    for (const auto& [file, digest] : digests)
        QTest::newRow(file) << QString::fromUtf8(file) << digest;
}

void TemplatesTest::exactBytes()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, sha256);
    QFile stored(QStringLiteral(":/templates/") + file);
    QVERIFY2(stored.open(QIODevice::ReadOnly), qPrintable(file));
    const QByteArray bytes = stored.readAll();
    QCOMPARE(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex(), sha256);
    // The program reads exactly these bytes as UTF-8, nothing lost.
    QCOMPARE(loadTemplate(file).toUtf8(), bytes);
}

void TemplatesTest::lineBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lines");
    QTest::newRow("contact block") << templateOf("旺旺在线") << 169;
    QTest::newRow("announcement strip") << templateOf("LEN滚动") << 48;
    QTest::newRow("navigation css") << templateOf("CSS导航") << 26;
    QTest::newRow("poster carousel") << templateOf("全屏轮播") << 63;
}

void TemplatesTest::lineBreaks()
{
    QFETCH(QString, text);
    QFETCH(int, lines);
    QVERIFY(text.endsWith(CrLf));
    QCOMPARE(text.count(CrLf), lines);
    // Every CR and every LF belongs to a CR LF pair.
    QCOMPARE(text.count(QLatin1Char('\r')), lines);
    QCOMPARE(text.count(QLatin1Char('\n')), lines);
    QCOMPARE(linesOf(text).size(), lines);
}

void TemplatesTest::markerCounts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<int>("count");

    const QString contacts = templateOf("旺旺在线");
    for (int k = 1; k <= 3; ++k)
        QTest::addRow("contact 禾木川舍%d", k) << contacts << numbered("禾木川舍", k) << 1;
    for (int n = 1; n <= 9; ++n) {
        QTest::addRow("contact 小%d", n) << contacts << numbered("小", n) << 1;
        QTest::addRow("contact 旺旺号码%d", n) << contacts << numbered("旺旺号码", n) << 2;
        QTest::addRow("contact 图片地址%d", n) << contacts << numbered("图片地址", n) << 1;
    }
    QTest::newRow("contact bare 禾木川舍") << contacts << QStringLiteral("禾木川舍") << 4;

    const QString strip = templateOf("LEN滚动");
    QTest::newRow("strip placeholder") << strip << stripPlaceholder() << 1;
    for (const char* marker : { "特效代码", "rgb(255,0,0)", "#FF0000", "字体大小", "速度" })
        QTest::addRow("strip %s", marker) << strip << QString::fromUtf8(marker) << 1;

    const QString css = templateOf("CSS导航");
    const int cssCounts[10] = { 0, 5, 1, 1, 1, 6, 1, 1, 1, 0 };
    for (int i = 0; i <= 9; ++i)
        QTest::addRow("css 图片地址%d", i) << css << numbered("图片地址", i) << cssCounts[i];

    const QString carousel = templateOf("全屏轮播");
    for (int i = 1; i <= 4; ++i)
        QTest::addRow("carousel 图片地址%d", i) << carousel << numbered("图片地址", i) << 1;
    QTest::newRow("carousel 图片地址5") << carousel << numbered("图片地址", 5) << 0;

    QTest::newRow("fixed background 背景图") << templateOf("悬浮背景") << QStringLiteral("背景图") << 1;
}

void TemplatesTest::markerCounts()
{
    QFETCH(QString, text);
    QFETCH(QString, marker);
    QFETCH(int, count);
    QCOMPARE(text.count(marker), count);
}

void TemplatesTest::tabCounts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line"); // 1-based
    QTest::addColumn<int>("tabs");
    QTest::addColumn<QString>("start"); // what follows the tabs

    const QString contacts = templateOf("旺旺在线");
    QTest::newRow("contact 1") << contacts << 1 << 0 << QString();
    QTest::newRow("contact 7") << contacts << 7 << 1 << QStringLiteral("<div class=\"skin-box tb-module \">");
    QTest::newRow("contact 17") << contacts << 17 << 10 << QStringLiteral("<td background=\"禾木川舍1\" width=\"204\">");
    QTest::newRow("contact 43") << contacts << 43 << 14 << QStringLiteral("<td align=\"right\" background=\"图片地址1\"");
    QTest::newRow("contact 44") << contacts << 44 << 15 << QStringLiteral("<span><a href=\"");
    QTest::newRow("contact 166") << contacts << 166 << 0 << QString();
    QTest::newRow("contact 167") << contacts << 167 << 2 << QStringLiteral("</div>");
    QTest::newRow("contact 169") << contacts << 169 << 0 << QStringLiteral("</div>");

    const QString strip = templateOf("LEN滚动");
    QTest::newRow("strip 12") << strip << 12 << 11 << QStringLiteral("<td background=\"");
    QTest::newRow("strip 17") << strip << 17 << 16 << QStringLiteral("&nbsp;</td>");
    QTest::newRow("strip 25") << strip << 25 << 20 << QStringLiteral("\u3000</td>");
    QTest::newRow("strip 27") << strip << 27 << 20 << QStringLiteral("<marquee ");

    const QString carousel = templateOf("全屏轮播");
    QTest::newRow("carousel 4") << carousel << 4 << 3 << QStringLiteral("<div data-componentid=\"5003\"");
    QTest::newRow("carousel 5") << carousel << 5 << 0 << QString();
    QTest::newRow("carousel 16") << carousel << 16 << 9 << QStringLiteral("<span><img data-ks-lazyload=\"");
    QTest::newRow("carousel 24") << carousel << 24 << 8 << QString();
    QTest::newRow("carousel 29") << carousel << 29 << 10 << QString();
    QTest::newRow("carousel 33") << carousel << 33 << 10 << QStringLiteral("<span><a data-attr-replace=");
    QTest::newRow("carousel 59") << carousel << 59 << 3 << QStringLiteral("<ul class=\"ks-switchable-nav\"");
}

void TemplatesTest::tabCounts()
{
    QFETCH(QString, text);
    QFETCH(int, line);
    QFETCH(int, tabs);
    QFETCH(QString, start);
    const QString actual = linesOf(text).at(line - 1);
    QCOMPARE(leadingTabs(actual), tabs);
    if (start.isEmpty())
        QCOMPARE(actual.size(), tabs); // a line of nothing but its tabs
    else
        QVERIFY2(actual.mid(tabs).startsWith(start), qPrintable(actual));
}

void TemplatesTest::contactBlock()
{
    const QString text = templateOf("旺旺在线");
    QVERIFY(text.startsWith(CrLf + QStringLiteral("<head>") + CrLf));
    const QStringList lines = linesOf(text);
    QCOMPARE(lines.at(5), QStringLiteral("<div data-componentid=\"5003\" data-spm=\"110.0.5003-20715386\" "
                                         "data-title=\"禾木川舍装修软件\" data-widgetid=\"20715386\">"));

    // The cells of the outer row sit at ten tabs and fill the strip exactly.
    static const QRegularExpression outerCell(QStringLiteral("^\\t{10}<td[^>]* width=\"(\\d+)\">$"));
    QList<int> widths;
    for (const QString& line : lines) {
        const QRegularExpressionMatch match = outerCell.match(line);
        if (match.hasMatch())
            widths << match.captured(1).toInt();
    }
    QCOMPARE(widths, (QList<int> { 204, 290, 40, 170, 40, 50, 22, 119, 13 }));
    int sum = 0;
    for (int width : widths)
        sum += width;
    QCOMPARE(sum, 948);
    QCOMPARE(text.count(QStringLiteral("width=\"948\"")), 1);

    // Each contact's two links carry its id under the right keys.
    for (int n = 1; n <= 9; ++n) {
        QCOMPARE(text.count(QStringLiteral("https://amos.alicdn.com/webww/ww.php?spm=0.0.0.34.dc6035&amp;ver=3&amp;touid=")
                            + numbered("旺旺号码", n) + QStringLiteral("&amp;siteid=cntaobao")), 1);
        QCOMPARE(text.count(QStringLiteral("https://amos.alicdn.com/realonline.aw?v=2&amp;uid=")
                            + numbered("旺旺号码", n) + QStringLiteral("&amp;site=cntaobao")), 1);
    }
    QCOMPARE(text.count(QStringLiteral("<td width=\"10\">")), 4 + 6); // spacer cells, then gaps
    QVERIFY(text.contains(QStringLiteral("电话:13858017305</span></span></td>\r\n")));
    QVERIFY(text.endsWith(QStringLiteral("\t\t<s class=\"skin-box-bt\"></s></div>\r\n</div>\r\n")));
}

void TemplatesTest::announcementStrip()
{
    const QString text = templateOf("LEN滚动");
    const QStringList lines = linesOf(text);
    QCOMPARE(text.count(QChar(0x3000)), 2);
    QCOMPARE(lines.at(24), QString(20, QLatin1Char('\t')) + QStringLiteral("\u3000</td>"));
    QCOMPARE(lines.at(28), QString(20, QLatin1Char('\t')) + QStringLiteral("\u3000</td>"));
    QVERIFY(lines.at(11).contains(stripPlaceholder()));
    QVERIFY(text.contains(QStringLiteral("<a  ><span style=\"color:#FF0000\">特效代码</span></a>")));

    // Markers of line 27 in this order of position.
    const QString marquee = lines.at(26);
    qsizetype last = -1;
    for (const char* marker : { "rgb(255,0,0)", "字体大小", "速度", "#FF0000", "特效代码" }) {
        const qsizetype at = marquee.indexOf(QString::fromUtf8(marker));
        QVERIFY2(at > last, marker);
        last = at;
    }
    // The closing divs step back from seven tabs to none.
    for (int i = 40; i < 48; ++i)
        QCOMPARE(lines.at(i), QString(47 - i, QLatin1Char('\t')) + QStringLiteral("</div>"));
}

void TemplatesTest::navigationCss()
{
    const QString text = templateOf("CSS导航");
    QCOMPARE(text.size(), 1893);
    static const QRegularExpression marker(QStringLiteral("图片地址\\d"));
    QCOMPARE(text.count(marker), 17);

    const QStringList lines = linesOf(text);
    QCOMPARE(lines.at(0), QStringLiteral(".skin-box-bd{background:url(图片地址1);}/*页头背景颜色设置成url(图片地址1)可以做成宽屏的导航*/"));
    QCOMPARE(lines.at(3), QStringLiteral(".skin-box-bd .menu-list .menu .link{background:url(图片地址1);border-right:0px solid ;}"));
    QCOMPARE(lines.at(7), QStringLiteral(".all-cats  .link .title:hover{color:}"));
    QCOMPARE(lines.at(9), QStringLiteral(".skin-box-bd .menu-list .menu .link .title{background:none;color:;三木川舍;}"));
    QCOMPARE(text.count(QStringLiteral("三木川舍")), 1);
    // Three rules joined on the last line.
    QCOMPARE(lines.at(25).count(QLatin1Char('}')), 3);
    QVERIFY(lines.at(25).endsWith(QStringLiteral("background:url(图片地址8);}")));
}

void TemplatesTest::posterCarousel()
{
    const QString text = templateOf("全屏轮播");
    const QStringList lines = linesOf(text);

    QVERIFY(lines.at(21).endsWith(QStringLiteral("padding-top: 0px\">\t\t\t\t")));

    // The four framing elements of lines 1 to 4 stay open; everything else closes.
    QCOMPARE(text.count(QStringLiteral("<div")) - text.count(QStringLiteral("</div>")), 4);
    QCOMPARE(text.count(QStringLiteral("<ul")), text.count(QStringLiteral("</ul>")));
    QCOMPARE(lines.at(0).count(QStringLiteral("1384027596")), 2);
    QCOMPARE(lines.at(3).count(QStringLiteral("1384027601")), 2);
    QVERIFY(lines.at(3).contains(QStringLiteral("data-title=\"软件开发：禾木川舍   https://hemuchuanshe.taobao.com/\"")));

    // Class names tie the carousel's configuration to its lists.
    QCOMPARE(text.count(QStringLiteral("hmcs-slides")), 2);
    QCOMPARE(text.count(QStringLiteral("hmcs-nav")), 2);
    QVERIFY(lines.at(12).contains(QStringLiteral("{'contentCls': 'hmcs-slides','navCls': 'hmcs-nav',")));

    // The second slide is the first with its own two markers.
    QVERIFY(lines.at(27).contains(QStringLiteral("href=\"图片地址2\"")));
    QVERIFY(lines.at(27).contains(QStringLiteral("data-ks-lazyload=\"图片地址1\"")));
    QCOMPARE(QString(lines.at(32)).replace(QStringLiteral("图片地址4"), QStringLiteral("图片地址2"))
                 .replace(QStringLiteral("图片地址3"), QStringLiteral("图片地址1")),
             lines.at(27));
    QVERIFY(lines.at(27).contains(QStringLiteral("[软件开发：禾木川舍  旺旺：QX7305  QQ：583712046]")));
    QVERIFY(lines.at(15).endsWith(QStringLiteral("\"  src=\"https://a.tbcdn.cn/kissy/1.0.0/build/imglazyload/spaceball.gif\" title=\"上一屏\"  /></span></div>")));
    QCOMPARE(lines.at(44).count(QStringLiteral(":  0px solid")), 4);
    QCOMPARE(text.count(QStringLiteral("https://a.tbcdn.cn/kissy/1.0.0/build/imglazyload/spaceball.gif")), 6);
}

void TemplatesTest::fixedBackground()
{
    const QString text = templateOf("悬浮背景");
    QCOMPARE(text.size(), 115);
    QVERIFY(!text.contains(QLatin1Char('\r')));
    QVERIFY(!text.contains(QLatin1Char('\n')));
    QVERIFY(text.startsWith(QStringLiteral("body{background-image:url(背景图);")));
    QVERIFY(text.endsWith(QStringLiteral("background-attachment:fixed;}")));
}

QTEST_GUILESS_MAIN(TemplatesTest)
#include "TestSupport.h"
#include "tst_templates.moc"
