// The preview page as bytes: the snippet inside it untouched, our own texts
// escaped, the mock navigation bar matching the template's selectors, and
// the policy admitting exactly our script. What a browser makes of the page
// is tst_preview_browser's part.

#include "Generator.h"
#include "PreviewPage.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

namespace {

PreviewInput input(PreviewLayout layout, const QString& snippet)
{
    PreviewInput input;
    input.layout = layout;
    input.caption = QStringLiteral("客服在线");
    input.snippet = snippet;
    input.time = QDateTime(QDate(2026, 3, 12), QTime(9, 30));
    input.posters = { { QStringLiteral("https://example.com/a.gif"),
        QStringLiteral("https://example.com/") } };
    input.audio = QStringLiteral("https://example.com/a.mp3");
    return input;
}

// The class names a style sheet's selectors address, comments and
// declarations left out.
QSet<QString> selectorClasses(QString css)
{
    css.remove(QRegularExpression(QStringLiteral("/\\*.*?\\*/|\\{[^}]*\\}")));
    QSet<QString> classes;
    QRegularExpressionMatchIterator it
        = QRegularExpression(QStringLiteral("\\.([A-Za-z_][\\w-]*)")).globalMatch(css);
    while (it.hasNext())
        classes << it.next().captured(1);
    return classes;
}

QSet<QString> classAttributes(const QString& html)
{
    QSet<QString> classes;
    QRegularExpressionMatchIterator it
        = QRegularExpression(QStringLiteral("class=\"([^\"]*)\"")).globalMatch(html);
    while (it.hasNext()) {
        for (const QString& name :
            it.next().captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            classes << name;
    }
    return classes;
}

} // namespace

class PreviewPageTest : public QObject
{
    Q_OBJECT

private slots:
    void snippetStandsByteForByte_data();
    void snippetStandsByteForByte();
    void ownTextsAreEscaped_data();
    void ownTextsAreEscaped();
    void navigationMockCarriesEverySelectorClass();
    void policyAdmitsOurScriptByItsHash();
};

void PreviewPageTest::snippetStandsByteForByte_data()
{
    QTest::addColumn<PreviewLayout>("layout");
    QTest::newRow("column") << PreviewLayout::Column;
    QTest::newRow("full width") << PreviewLayout::FullWidth;
    QTest::newRow("navigation") << PreviewLayout::NavigationCss;
    QTest::newRow("music") << PreviewLayout::Music;
}

// Each layout wraps the snippet its own way; none may touch a byte of it.
void PreviewPageTest::snippetStandsByteForByte()
{
    QFETCH(PreviewLayout, layout);
    const QString snippet = QStringLiteral(
        "\r\n<div title=\"a&amp;b\">\r\n\t\t客服 & <b>小1</b>\t</div>\r\n<script>x()</script>\r\n");
    const QByteArray page = previewPage(input(layout, snippet));
    QVERIFY2(page.contains(snippet.toUtf8()), page.constData());
}

void PreviewPageTest::ownTextsAreEscaped_data()
{
    QTest::addColumn<PreviewLayout>("layout");
    QTest::addColumn<QString>("field");
    QTest::newRow("caption") << PreviewLayout::Column << QStringLiteral("caption");
    QTest::newRow("poster picture") << PreviewLayout::FullWidth << QStringLiteral("picture");
    QTest::newRow("poster link") << PreviewLayout::FullWidth << QStringLiteral("link");
    QTest::newRow("audio") << PreviewLayout::Music << QStringLiteral("audio");
    QTest::newRow("fixed text") << PreviewLayout::Column << QStringLiteral("fixedText");
}

// A caption or an address we print ourselves must stay text: a "<" in it
// must not open an element, a quote must not end our attribute.
void PreviewPageTest::ownTextsAreEscaped()
{
    QFETCH(PreviewLayout, layout);
    QFETCH(QString, field);
    const QString hostile = QStringLiteral("x\"><i>客服</i>");
    PreviewInput in = input(layout, QStringLiteral("<p>snippet</p>"));
    if (field == QLatin1String("caption"))
        in.caption = hostile;
    else if (field == QLatin1String("picture"))
        in.posters.first().picture = hostile;
    else if (field == QLatin1String("link"))
        in.posters.first().link = hostile;
    else if (field == QLatin1String("fixedText"))
        in.fixedText = hostile;
    else
        in.audio = hostile;
    const QString page = QString::fromUtf8(previewPage(in));
    QVERIFY2(!page.contains(QStringLiteral("<i>")), qPrintable(page));
    QVERIFY2(page.contains(QStringLiteral("x&quot;&gt;&lt;i&gt;客服&lt;/i&gt;")), qPrintable(page));
}

// The navigation CSS only shows on markup its selectors address.
void PreviewPageTest::navigationMockCarriesEverySelectorClass()
{
    const QString css = loadTemplate(generatorForButton(QStringLiteral("CSS导航"))->templateFile);
    const QSet<QString> wanted = selectorClasses(css);
    QVERIFY2(wanted.size() > 10, qPrintable(wanted.values().join(QLatin1Char(' '))));
    const QSet<QString> present
        = classAttributes(QString::fromUtf8(previewPage(input(PreviewLayout::NavigationCss, css))));
    const QSet<QString> missing = wanted - present;
    QVERIFY2(missing.isEmpty(), qPrintable(missing.values().join(QLatin1Char(' '))));
}

// The page's first script is ours, ahead of any the snippet brings; the
// policy must name its hash and admit no inline script by any other means.
void PreviewPageTest::policyAdmitsOurScriptByItsHash()
{
    const QByteArray page = previewPage(input(PreviewLayout::Column,
        QStringLiteral("<script>alert(1)</script><img src=x onerror=alert(2)>")));
    const qsizetype start = page.indexOf("<script>") + 8;
    const QByteArray script = page.mid(start, page.indexOf("</script>", start) - start);
    const QByteArray hash = QCryptographicHash::hash(script, QCryptographicHash::Sha256).toBase64();

    const QRegularExpression meta(
        QStringLiteral("<meta http-equiv=\"Content-Security-Policy\" content=\"([^\"]*)\">"));
    const QRegularExpressionMatch policy = meta.match(QString::fromUtf8(page));
    QVERIFY2(policy.hasMatch(), page.left(600).constData());
    QVERIFY(page.indexOf("Content-Security-Policy") < start); // in force before the script
    const QStringList directives = policy.captured(1).split(QStringLiteral("; "));
    const QString wanted = QStringLiteral("script-src 'sha256-%1'").arg(QString::fromLatin1(hash));
    QVERIFY2(directives.contains(wanted),
        qPrintable(policy.captured(1) + QStringLiteral("\nwanted: ") + wanted));
}

QTEST_GUILESS_MAIN(PreviewPageTest)
#include "tst_preview_page.moc"
