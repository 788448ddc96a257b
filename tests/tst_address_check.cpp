// The address check's rules without a window or a network: what the offline
// rule marks, what is fetched for a panel's fields, the verdict on what a
// fetch brought back, the order of the report, and the sizes the control
// table lays out for each picture.

#include "AddressCheck.h"
#include "ControlInventory.h"
#include "Generator.h"
#include "TestSupport.h"

#include <QRegularExpression>
#include <QtTest>

Q_DECLARE_METATYPE(AddressKind)
Q_DECLARE_METATYPE(Severity)

namespace {

FetchResult answered(int status, const QByteArray& type = {}, QSize image = {}, const QByteArray& head = {})
{
    FetchResult result;
    result.status = status;
    result.contentType = type;
    result.imageSize = image;
    result.head = head;
    return result;
}

FetchResult failed(const QString& reason)
{
    FetchResult result;
    result.failure = reason;
    return result;
}

} // namespace

class AddressCheckTest : public QObject
{
    Q_OBJECT

private slots:
    void offlineRuleMarksWhatBreaksTheSnippet_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("problems");
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("https") << QStringLiteral("https://img.alicdn.com/imgextra/a_!!1.jpg") << 0;
        QTest::newRow("upper-case http") << QStringLiteral("HTTP://SHOP.EXAMPLE/A.GIF") << 0;
        QTest::newRow("space inside") << QStringLiteral("https://a.example/my picture.jpg") << 0;
        QTest::newRow("quote") << QStringLiteral("https://a.example/a\".jpg") << 1;
        QTest::newRow("brackets") << QStringLiteral("https://a.example/<b>.jpg") << 1;
        QTest::newRow("line break") << QStringLiteral("https://a.example/a\r\n.jpg") << 1;
        QTest::newRow("tab") << QStringLiteral("https://a.example/a\t.jpg") << 1;
        QTest::newRow("leading space") << QStringLiteral(" https://a.example/a.jpg") << 1;
        QTest::newRow("trailing ideographic space") << QStringLiteral("https://a.example/a.jpg\u3000") << 1;
        QTest::newRow("no scheme") << QStringLiteral("img.alicdn.com/a.jpg") << 1;
        QTest::newRow("scheme-relative") << QStringLiteral("//img.alicdn.com/a.jpg") << 1;
        QTest::newRow("ftp") << QStringLiteral("ftp://a.example/a.jpg") << 1;
        QTest::newRow("no host") << QStringLiteral("https:///a.jpg") << 1;
        QTest::newRow("everything") << QStringLiteral(" \"x\" <y>\t") << 4;
    }
    void offlineRuleMarksWhatBreaksTheSnippet()
    {
        QFETCH(QString, value);
        QFETCH(int, problems);
        const QString text = addressProblem(value);
        QCOMPARE(text.isEmpty() ? 0 : int(text.count(QLatin1Char('\n'))) + 1, problems);
    }

    // Each field is checked by what breaks where its value lands: the table
    // gives its kind of check, the tooltip what goes wrong (for text, what
    // the shop shows instead). No words: no sign.
    void fieldSignsSayWhatBreaksWhereTheValueLands_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("words");
        const auto row = [](const char* tag, const char* field, const QString& value, const char* words) {
            QTest::newRow(tag) << QString::fromUtf8(field) << value << QString::fromUtf8(words);
        };
        row("chat id", "Text3_1", QStringLiteral("qx7305"), "");
        row("chat id, Chinese", "Text3_2", QStringLiteral("店主 小美&"), "");
        row("chat id, quote", "Text3_1", QStringLiteral("qx 73\"05"), "引号");
        row("chat id, tab", "Text3_9", QStringLiteral("qx\t7305"), "制表符");
        row("colour", "Text9", QStringLiteral("#FF0000"), "");
        row("colour, bracket", "Text9", QStringLiteral("red><b"), "尖括号");
        row("nickname", "Text2_1", QStringLiteral("Tom & Jerry > 3 < 4"), "");
        row("nickname, tag", "Text2_1", QStringLiteral("Tom & <Jerry>"), "“Tom &”");
        row("nickname, open tag", "Text2_5", QStringLiteral("A<b"), "“A”");
        row("announcement, reference", "Text12", QStringLiteral("特价&amp;包邮"), "“特价&包邮”");
        row("announcement, number", "Text12", QStringLiteral("&#20013;文</span>!"), "“中文!”");
        row("font size", "Text10", QStringLiteral("40"), "");
        row("font size, unit", "Text10", QStringLiteral("40px"), "“40pxpx”");
        row("font size, full-width", "Text10", QStringLiteral("４０"), "只能填数字");
        row("speed", "Text11", QStringLiteral("6"), "");
        row("speed, space", "Text11", QStringLiteral("6 "), "只能填数字");
        row("avatar", "Text4_1", QStringLiteral("img.example/a.jpg"), "http://");
        row("poster link", "Text15_2", QStringLiteral("https://shop.example/\"a"), "引号");
    }
    void fieldSignsSayWhatBreaksWhereTheValueLands()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, words);
        const QString problem = fieldProblem(findControl(field)->check, value);
        if (words.isEmpty())
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
        else
            QVERIFY2(problem.contains(words), qPrintable(problem));
    }

    void verdicts_data()
    {
        QTest::addColumn<AddressKind>("kind");
        QTest::addColumn<QSize>("laidOut");
        QTest::addColumn<QString>("address");
        QTest::addColumn<FetchResult>("result");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Severity>("severity");
        const auto image = AddressKind::Image;
        const QString https = QStringLiteral("https://a.example/x");
        const QString http = QStringLiteral("http://a.example/x");
        const QSize none;
        const auto fine = Severity::Fine;
        const auto wrongSize = Severity::WrongSize;
        const auto unusable = Severity::Unusable;
        QTest::newRow("the size laid out") << image << QSize(50, 50) << https << answered(200, "image/jpeg", { 50, 50 }) << QStringLiteral("正常 50×50") << fine;
        QTest::newRow("too wide") << image << QSize(50, 50) << https << answered(200, {}, { 60, 60 }) << QStringLiteral("尺寸不符 60×60，应为 50×50") << wrongSize;
        QTest::newRow("too tall") << image << QSize(1440, 500) << https << answered(200, {}, { 1440, 400 }) << QStringLiteral("尺寸不符 1440×400，应为 1440×500") << wrongSize;
        QTest::newRow("width only, any height") << image << QSize(204, 0) << https << answered(200, {}, { 204, 95 }) << QStringLiteral("正常 204×95") << fine;
        QTest::newRow("width only, wrong width") << image << QSize(40, 0) << https << answered(200, {}, { 204, 80 }) << QStringLiteral("尺寸不符 204×80，应为宽 40") << wrongSize;
        QTest::newRow("no size laid out") << image << none << https << answered(200, {}, { 1920, 950 }) << QStringLiteral("正常 1920×950") << fine;
        QTest::newRow("not an image") << image << QSize(50, 50) << https << answered(200, "image/png") << QStringLiteral("不是图片") << unusable;
        QTest::newRow("no answer") << image << none << https << failed(QStringLiteral("服务器拒绝连接")) << QStringLiteral("无法访问（服务器拒绝连接）") << unusable;
        QTest::newRow("error status") << AddressKind::Link << none << http << answered(404) << QStringLiteral("无法访问（HTTP 404）") << unusable;
        QTest::newRow("link, a page") << AddressKind::Link << none << https << answered(200, "text/html") << QStringLiteral("正常") << fine;
        QTest::newRow("link, not followed") << AddressKind::Link << none << https << answered(302) << QStringLiteral("正常") << fine;
        QTest::newRow("audio by type") << AddressKind::Audio << none << https << answered(200, "Audio/MPEG") << QStringLiteral("正常") << fine;
        QTest::newRow("mp3 with a tag") << AddressKind::Audio << none << https << answered(200, "application/octet-stream", {}, "ID3\x04") << QStringLiteral("正常") << fine;
        QTest::newRow("mp3 frame") << AddressKind::Audio << none << https << answered(200, {}, {}, "\xff\xfb\x90\x64") << QStringLiteral("正常") << fine;
        QTest::newRow("mpeg-2 frame") << AddressKind::Audio << none << https << answered(200, {}, {}, "\xff\xf3\x90\x64") << QStringLiteral("正常") << fine;
        QTest::newRow("mpeg-2.5 frame") << AddressKind::Audio << none << https << answered(200, {}, {}, "\xff\xe3\x90\x64") << QStringLiteral("正常") << fine;
        QTest::newRow("wma") << AddressKind::Audio << none << https << answered(200, {}, {}, QByteArray::fromHex("3026b2758e66cf11a6d900aa0062ce6c00")) << QStringLiteral("正常") << fine;
        QTest::newRow("wav") << AddressKind::Audio << none << https << answered(200, {}, {}, QByteArrayLiteral("RIFF\x24\0\0\0WAVEfmt ")) << QStringLiteral("正常") << fine;
        QTest::newRow("midi") << AddressKind::Audio << none << https << answered(200, {}, {}, QByteArrayLiteral("MThd\0\0\0\x06")) << QStringLiteral("正常") << fine;
        QTest::newRow("riff, not wave") << AddressKind::Audio << none << https << answered(200, {}, {}, QByteArrayLiteral("RIFF\x24\0\0\0AVI LIST")) << QStringLiteral("不是音频") << unusable;
        QTest::newRow("a page for music") << AddressKind::Audio << none << https << answered(200, "text/html", {}, "<!DOCTYPE html>") << QStringLiteral("不是音频") << unusable;
        QTest::newRow("http, fine otherwise") << image << QSize(50, 50) << http << answered(200, {}, { 50, 50 }) << QStringLiteral("正常 50×50") + HttpNote << Severity::PlainHttp;
        QTest::newRow("http, wrong size") << image << QSize(50, 50) << http << answered(200, {}, { 60, 60 }) << QStringLiteral("尺寸不符 60×60，应为 50×50") + HttpNote << wrongSize;
        QTest::newRow("HTTP, a link") << AddressKind::Link << none << QStringLiteral("HTTP://a.example/") << answered(200) << QStringLiteral("正常") + HttpNote << Severity::PlainHttp;
        QTest::newRow("http, no answer") << image << none << http << failed(QStringLiteral("连接超时")) << QStringLiteral("无法访问（连接超时）") << unusable;
    }
    void verdicts()
    {
        QFETCH(AddressKind, kind);
        QFETCH(QSize, laidOut);
        QFETCH(QString, address);
        QFETCH(FetchResult, result);
        QFETCH(QString, text);
        QFETCH(Severity, severity);
        const Verdict verdict = judgeAddress(address, kind, laidOut, result);
        QCOMPARE(verdict.text, text);
        QCOMPARE(verdict.severity, severity);
    }

    // Empty fields ask nothing; an address typed twice is fetched once, as
    // an image if either field wants one.
    void planFetchesEachAddressOnce()
    {
        const QString a = QStringLiteral("https://a.example/a");
        const QString b = QStringLiteral("https://a.example/b");
        const QList<CheckedField> fields {
            { QStringLiteral("1"), QString(), AddressKind::Image, {} },
            { QStringLiteral("2"), b, AddressKind::Link, {} },
            { QStringLiteral("3"), a, AddressKind::Audio, {} },
            { QStringLiteral("4"), b, AddressKind::Image, { 50, 50 } },
            { QStringLiteral("5"), a, AddressKind::Audio, {} },
        };
        const QList<AddressRequest> expected { { b, AddressKind::Image }, { a, AddressKind::Audio } };
        QCOMPARE(distinctRequests(plannedRequests(fields)), expected);
    }

    // Each typed field is judged by its own address's result and its own
    // laid-out size; anything short of fine makes the report a warning.
    void reportJoinsResultsToFields()
    {
        const QString shared = QStringLiteral("https://a.example/avatar");
        const QString page = QStringLiteral("http://a.example/page");
        const QHash<QString, FetchResult> results {
            { shared, answered(200, "image/png", { 50, 50 }) },
            { page, answered(200, "text/html") },
        };
        const CheckedField small { QStringLiteral("A"), shared, AddressKind::Image, { 50, 50 } };
        const CheckedField empty { QStringLiteral("B"), QString(), AddressKind::Image, { 50, 50 } };
        const CheckedField wide { QStringLiteral("C"), shared, AddressKind::Image, { 204, 0 } };
        const CheckedField link { QStringLiteral("D"), page, AddressKind::Link, {} };

        const AddressReport mixed = addressReport({ small, empty, wide, link }, results);
        QCOMPARE(mixed.text, QStringLiteral("C：尺寸不符 50×50，应为宽 204\nD：正常") + HttpNote
                     + QStringLiteral("\nA：正常 50×50"));
        QVERIFY(mixed.hasProblems);
        QVERIFY(!addressReport({ small, empty }, results).hasProblems);
        QVERIFY(addressReport({ link }, results).hasProblems);
    }

    // With no answer from any address the fault is most likely the
    // computer's connection, said once on top; one answer is enough to
    // make it a matter of the addresses.
    void reportLeadsWithTheConnectionWhenNothingAnswered()
    {
        const QString a = QStringLiteral("https://a.example/a");
        const QString b = QStringLiteral("https://a.example/b");
        const QList<CheckedField> fields { { QStringLiteral("A"), a, AddressKind::Link, {} },
                                           { QStringLiteral("B"), b, AddressKind::Link, {} } };
        const QString offline = QStringLiteral("所有地址都无法访问：请检查电脑是否已联网\n");
        const QHash<QString, FetchResult> none { { a, failed(QStringLiteral("x")) }, { b, failed(QStringLiteral("y")) } };
        QCOMPARE(addressReport(fields, none).text,
                 offline + QStringLiteral("A：无法访问（x）\nB：无法访问（y）"));
        const QHash<QString, FetchResult> one { { a, failed(QStringLiteral("x")) }, { b, answered(404) } };
        QVERIFY(!addressReport(fields, one).text.startsWith(offline));
    }

    // A contact row's fields are named by the row's nickname as typed now.
    void contactRowsAreNamedByTheirNickname()
    {
        const QString nickname = QStringLiteral("若曦 ");
        const auto typed = [&](const QString& name) { return name == QStringLiteral("Text2_3") ? nickname : QString(); };
        QCOMPARE(reportCaption(QStringLiteral("Text4_3"), typed),
                 reportCaption(QStringLiteral("Text4_3")) + QStringLiteral("（若曦）"));
        QCOMPARE(reportCaption(QStringLiteral("Text4_4"), typed), reportCaption(QStringLiteral("Text4_4")));
        QCOMPARE(reportCaption(QStringLiteral("Text15_1"), typed), reportCaption(QStringLiteral("Text15_1")));
    }

    // The worst first: of no use, the wrong size, only plain http, fine;
    // each group in the order of the fields.
    void reportReadsWorstFirst_data()
    {
        QTest::addColumn<QList<Severity>>("severities");
        QTest::addColumn<QString>("order");
        const auto fine = Severity::Fine;
        const auto http = Severity::PlainHttp;
        const auto size = Severity::WrongSize;
        const auto unusable = Severity::Unusable;
        QTest::newRow("reversed") << QList { fine, http, size, unusable } << QStringLiteral("DCBA");
        QTest::newRow("groups keep field order")
            << QList { fine, size, unusable, fine, size, unusable } << QStringLiteral("CFBEAD");
    }
    void reportReadsWorstFirst()
    {
        QFETCH(QList<Severity>, severities);
        QFETCH(QString, order);
        QList<ReportLine> lines;
        for (const Severity severity : severities)
            lines.append({ QChar(u'A' + int(lines.size())), { QStringLiteral("v"), severity } });
        QString captions = reportText(lines);
        captions.remove(QStringLiteral("：v")).remove(QLatin1Char('\n'));
        QCOMPARE(captions, order);
    }

    // Each picture size the control table lays out is the one its label
    // states, or the one its cell has in the generator's template; a height
    // is checked only where the cell sets one.
    void laidOutSizesAreThoseOfTheLabelsAndTemplates()
    {
        static const QRegularExpression labelSize(QStringLiteral("[（(](\\d+)\\*(\\d+)[）)]"));
        int checked = 0;
        for (const ControlSpec& spec : controlInventory()) {
            if (!spec.laidOut.isValid())
                continue;
            QCOMPARE(spec.address, AddressKind::Image);
            const QRegularExpressionMatch stated = labelSize.match(findControl(spec.label)->text);
            QSize expected;
            if (stated.hasMatch())
                expected = QSize(stated.captured(1).toInt(), stated.captured(2).toInt());
            for (const Generator& generator : allGenerators()) {
                for (const FieldStep& step : generator.steps) {
                    if (step.field != spec.name || expected.isValid())
                        continue;
                    const QRegularExpression cell(QStringLiteral("<td[^>]*background=\"%1\"[^>]*>").arg(step.marker));
                    const QString tag = cell.match(loadTemplate(generator.templateFile)).captured();
                    const auto attribute = [&tag](const char* name) {
                        return QRegularExpression(QStringLiteral("%1=\"(\\d+)\"").arg(QLatin1String(name))).match(tag).captured(1).toInt();
                    };
                    expected = QSize(attribute("width"), attribute("height"));
                }
            }
            QVERIFY2(expected.width() > 0, qPrintable(spec.name + QStringLiteral(": no label or template cell states its size")));
            QCOMPARE(spec.laidOut, expected);
            ++checked;
        }
        QVERIFY(checked > 0);
    }
};

QTEST_GUILESS_MAIN(AddressCheckTest)
#include "tst_address_check.moc"
