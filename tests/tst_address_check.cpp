// The address check's rules without a window or a network: what the offline
// rule marks, the verdict on what a fetch brought back, the order of the
// report, and the sizes the control table lays out for each picture.

#include "AddressCheck.h"
#include "ControlInventory.h"
#include "Generator.h"

#include <QRegularExpression>
#include <QtTest>

Q_DECLARE_METATYPE(AddressKind)

namespace {

const QString HttpNote = QStringLiteral("（http 地址，店铺页面为 https，建议改用 https）");

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

    void verdicts_data()
    {
        QTest::addColumn<AddressKind>("kind");
        QTest::addColumn<QSize>("laidOut");
        QTest::addColumn<QString>("address");
        QTest::addColumn<FetchResult>("result");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("problem");
        const auto image = AddressKind::Image;
        const QString https = QStringLiteral("https://a.example/x");
        const QString http = QStringLiteral("http://a.example/x");
        const QSize none;
        QTest::newRow("the size laid out") << image << QSize(50, 50) << https << answered(200, "image/jpeg", { 50, 50 }) << QStringLiteral("正常 50×50") << false;
        QTest::newRow("too wide") << image << QSize(50, 50) << https << answered(200, {}, { 60, 60 }) << QStringLiteral("尺寸不符 60×60，应为 50×50") << true;
        QTest::newRow("too tall") << image << QSize(1440, 500) << https << answered(200, {}, { 1440, 400 }) << QStringLiteral("尺寸不符 1440×400，应为 1440×500") << true;
        QTest::newRow("width only, any height") << image << QSize(204, 0) << https << answered(200, {}, { 204, 95 }) << QStringLiteral("正常 204×95") << false;
        QTest::newRow("width only, wrong width") << image << QSize(40, 0) << https << answered(200, {}, { 204, 80 }) << QStringLiteral("尺寸不符 204×80，应为宽 40") << true;
        QTest::newRow("no size laid out") << image << none << https << answered(200, {}, { 1920, 950 }) << QStringLiteral("正常 1920×950") << false;
        QTest::newRow("not an image") << image << QSize(50, 50) << https << answered(200, "image/png") << QStringLiteral("不是图片") << true;
        QTest::newRow("no answer") << image << none << https << failed(QStringLiteral("服务器拒绝连接")) << QStringLiteral("无法访问（服务器拒绝连接）") << true;
        QTest::newRow("error status") << AddressKind::Link << none << http << answered(404) << QStringLiteral("无法访问（HTTP 404）") << true;
        QTest::newRow("link, a page") << AddressKind::Link << none << https << answered(200, "text/html") << QStringLiteral("正常") << false;
        QTest::newRow("link, not followed") << AddressKind::Link << none << https << answered(302) << QStringLiteral("正常") << false;
        QTest::newRow("audio by type") << AddressKind::Audio << none << https << answered(200, "Audio/MPEG") << QStringLiteral("正常") << false;
        QTest::newRow("mp3 with a tag") << AddressKind::Audio << none << https << answered(200, "application/octet-stream", {}, "ID3\x04") << QStringLiteral("正常") << false;
        QTest::newRow("mp3 frame") << AddressKind::Audio << none << https << answered(200, {}, {}, "\xff\xfb\x90\x64") << QStringLiteral("正常") << false;
        QTest::newRow("wma") << AddressKind::Audio << none << https << answered(200, {}, {}, QByteArray::fromHex("3026b2758e66cf11a6d900aa0062ce6c00")) << QStringLiteral("正常") << false;
        QTest::newRow("wav") << AddressKind::Audio << none << https << answered(200, {}, {}, QByteArrayLiteral("RIFF\x24\0\0\0WAVEfmt ")) << QStringLiteral("正常") << false;
        QTest::newRow("midi") << AddressKind::Audio << none << https << answered(200, {}, {}, QByteArrayLiteral("MThd\0\0\0\x06")) << QStringLiteral("正常") << false;
        QTest::newRow("riff, not wave") << AddressKind::Audio << none << https << answered(200, {}, {}, QByteArrayLiteral("RIFF\x24\0\0\0AVI LIST")) << QStringLiteral("不是音频") << true;
        QTest::newRow("a page for music") << AddressKind::Audio << none << https << answered(200, "text/html", {}, "<!DOCTYPE html>") << QStringLiteral("不是音频") << true;
        QTest::newRow("http, fine otherwise") << image << QSize(50, 50) << http << answered(200, {}, { 50, 50 }) << QStringLiteral("正常 50×50") + HttpNote << true;
        QTest::newRow("HTTP, a link") << AddressKind::Link << none << QStringLiteral("HTTP://a.example/") << answered(200) << QStringLiteral("正常") + HttpNote << true;
        QTest::newRow("http, no answer") << image << none << http << failed(QStringLiteral("连接超时")) << QStringLiteral("无法访问（连接超时）") << true;
    }
    void verdicts()
    {
        QFETCH(AddressKind, kind);
        QFETCH(QSize, laidOut);
        QFETCH(QString, address);
        QFETCH(FetchResult, result);
        QFETCH(QString, text);
        QFETCH(bool, problem);
        const Verdict verdict = judgeAddress(address, kind, laidOut, result);
        QCOMPARE(verdict.text, text);
        QCOMPARE(verdict.problem, problem);
    }

    void reportPutsProblemsFirst()
    {
        const QString report = addressReport({ { QStringLiteral("A"), { QStringLiteral("正常"), false } },
                                               { QStringLiteral("B"), { QStringLiteral("不是图片"), true } },
                                               { QStringLiteral("C"), { QStringLiteral("正常 1×1"), false } },
                                               { QStringLiteral("D"), { QStringLiteral("不是音频"), true } } });
        QCOMPARE(report, QStringLiteral("B：不是图片\nD：不是音频\nA：正常\nC：正常 1×1"));
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
