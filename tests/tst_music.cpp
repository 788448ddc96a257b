#include "ControlInventory.h"
#include "DeliverCode.h"
#include "TestSupport.h"

#include <QTest>

namespace {

const QString Marker = QStringLiteral("背景音乐");

QString expectedSnippet(const QString& address)
{
    return QStringLiteral("<bgsound src=\"") + address
        + QStringLiteral("\"  loop=\"infinite\"></bgsound>");
}

} // namespace

class MusicTest : public QObject
{
    Q_OBJECT

private slots:
    void templateIsOneLineOf47Characters();
    void defaultAddressGivesOneLineElement();
    void addressIsInsertedExactlyAsTyped_data();
    void addressIsInsertedExactlyAsTyped();
    void addressHoldingTheMarkerStaysUnchanged();
    void deliversOnceWithCustomModuleNotice();
};

void MusicTest::templateIsOneLineOf47Characters()
{
    const QString text = templateOf("背景音乐生成");
    QCOMPARE(text, QStringLiteral("<bgsound src=\"背景音乐\"  loop=\"infinite\"></bgsound>"));
    QCOMPARE(text.size(), 47);
    QCOMPARE(text.count(Marker), 1);
    // The hidden holder of the window shows this very template.
    QCOMPARE(initialText(QStringLiteral("Text19")), text);
}

void MusicTest::defaultAddressGivesOneLineElement()
{
    const QString address = initialText(QStringLiteral("Text18"));
    QVERIFY2(address.startsWith(QStringLiteral("http")) && address.endsWith(QStringLiteral(".mp3")),
        qPrintable(address));

    const QString snippet
        = composeSnippet(initialText(QStringLiteral("Text19")), generatorOf("背景音乐生成").steps, { address });
    QCOMPARE(snippet, expectedSnippet(address));
    QVERIFY(!snippet.contains(QLatin1Char('\r')) && !snippet.contains(QLatin1Char('\n')));
    QVERIFY(snippet.endsWith(QStringLiteral("</bgsound>")));
    QVERIFY(snippet.contains(QStringLiteral("\"  loop=")));
}

void MusicTest::addressIsInsertedExactlyAsTyped_data()
{
    QTest::addColumn<QString>("address");

    QTest::newRow("empty leaves empty source") << QString();
    QTest::newRow("double quote kept") << QStringLiteral("http://a/b\".mp3");
    QTest::newRow("spaces around kept") << QStringLiteral("  http://a/b.mp3 ");
    QTest::newRow("query string not encoded") << QStringLiteral("http://a/歌.mp3?x=1&y=%20");
    QTest::newRow("markup not escaped") << QStringLiteral("<b>&amp;</b>");
}

void MusicTest::addressIsInsertedExactlyAsTyped()
{
    QFETCH(QString, address);
    QCOMPARE(composeSnippet(templateOf("背景音乐生成"), generatorOf("背景音乐生成").steps, { address }),
        expectedSnippet(address));
}

void MusicTest::addressHoldingTheMarkerStaysUnchanged()
{
    const QString address = QStringLiteral("http://a/背景音乐.mp3");
    const QString snippet = composeSnippet(templateOf("背景音乐生成"), generatorOf("背景音乐生成").steps, { address });
    QCOMPARE(snippet, expectedSnippet(address));
    QCOMPARE(snippet.count(Marker), 1);
}

void MusicTest::deliversOnceWithCustomModuleNotice()
{
    const Generator& music = generatorOf("背景音乐生成");

    // Two clicks deliver the same snippet twice, each confirmed on its own.
    const QString snippet = composeSnippet(
        templateOf("背景音乐生成"), music.steps, { initialText(QStringLiteral("Text18")) });
    FakeClipboard clipboard;
    RecordingNotifier notifier;
    for (int click = 0; click < 2; ++click) {
        DeliverCode(
            clipboard, notifier, snippet, music.attemptLimit, music.clearing, music.confirmation);
        QCOMPARE(clipboard.content, snippet);
    }
    QCOMPARE(clipboard.clears, 2);
    QCOMPARE(clipboard.sets, 2);
    QCOMPARE(notifier.boxes.size(), 2);
    for (const RecordingNotifier::Box& box : notifier.boxes) {
        QVERIFY(box.kind == RecordingNotifier::Kind::Inform);
        QCOMPARE(box.title, QStringLiteral("成功生成！"));
        QCOMPARE(box.message,
            QStringLiteral("代码已生成，并复制至粘贴板，点击右键粘贴到“自定义内容模块”上使用"));
    }

    // Once mode with limit 5000: a blocked clipboard is cleared once, tried 5000 times.
    FakeClipboard blocked;
    blocked.setWorks = [](int) { return false; };
    DeliverCode(blocked, notifier, snippet, music.attemptLimit, music.clearing, music.confirmation);
    QCOMPARE(blocked.clears, 1);
    QCOMPARE(blocked.sets, 5000);
}

QTEST_GUILESS_MAIN(MusicTest)
#include "tst_music.moc"
