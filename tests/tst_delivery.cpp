#include "DeliverCode.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QTest>

#include <stdexcept>

namespace {

const QString Snippet
    = QStringLiteral("<div class=\"背景\">\r\n\t<a href=\"x?a=1&b=2\">客服</a>\r\n</div>");
const QString OtherProgramsText = QStringLiteral("另一个程序的文字");

const QString CustomModuleBox = QStringLiteral(
    "inform | 成功生成！ | 代码已生成，并复制至粘贴板，点击右键粘贴到“自定义内容模块”上使用");
const QString EditorBox = QStringLiteral(
    "inform | 成功生成 | 代码已生成，并复制至粘贴板，可直接粘贴到装修模块代码上使用");
const QString FailureBox = QStringLiteral(
    "warn | 复制失败 | 代码已生成，但未能复制至粘贴板，请关闭占用粘贴板的程序后重试。");

// The two ways generators call delivery: most clear once and try 5000 times,
// the navigation CSS clears at every attempt and tries 10000 times.
enum Caller
{
    ClearOnce,
    ClearEveryAttempt
};

enum Script
{
    FreeClipboard,
    ClearFails,
    HeldByOtherProgram, // neither clear nor set work; the other text stays
    SetNeverWorks,
    SetFailsThreeTimes,
    ReadFailsOnce,
    ReadNeverWorks,
    NothingWorks,
    OtherProgramWritesTwice, // between our set and our read
};

const auto never = [](int) { return false; };

void apply(Script script, FakeClipboard& clipboard)
{
    clipboard.content = OtherProgramsText;
    switch (script) {
    case FreeClipboard:
        break;
    case ClearFails:
        clipboard.clearWorks = never;
        break;
    case HeldByOtherProgram:
        clipboard.clearWorks = never;
        clipboard.setWorks = never;
        break;
    case SetNeverWorks:
        clipboard.setWorks = never;
        break;
    case SetFailsThreeTimes:
        clipboard.clearWorks = never;
        clipboard.setWorks = [](int call) { return call > 3; };
        break;
    case ReadFailsOnce:
        clipboard.readWorks = [](int call) { return call != 1; };
        break;
    case ReadNeverWorks:
        clipboard.readWorks = never;
        break;
    case NothingWorks:
        clipboard.clearWorks = never;
        clipboard.setWorks = never;
        clipboard.readWorks = never;
        break;
    case OtherProgramWritesTwice:
        clipboard.stores
            = [](int call, const QString& text) { return call <= 2 ? OtherProgramsText : text; };
        break;
    }
}

DeliveryOutcome deliver(
    FakeClipboard& clipboard, RecordingNotifier& notifier, Caller caller, const QString& snippet)
{
    if (caller == ClearOnce)
        return DeliverCode(clipboard, notifier, snippet, DefaultAttemptLimit, ClearingMode::Once,
            customModuleNotice());
    return DeliverCode(clipboard, notifier, snippet, NavigationAttemptLimit,
        ClearingMode::EveryAttempt, editorNotice());
}

// "clears=1 sets=1 reads=1": one compare shows every count that differs.
QString counts(const FakeClipboard& clipboard)
{
    return QStringLiteral("clears=%1 sets=%2 reads=%3")
        .arg(clipboard.clears)
        .arg(clipboard.sets)
        .arg(clipboard.reads);
}

QStringList shown(const RecordingNotifier& notifier)
{
    QStringList boxes;
    for (const RecordingNotifier::Box& box : notifier.boxes) {
        const QString kind = box.kind == RecordingNotifier::Kind::Inform ? QStringLiteral("inform")
            : box.kind == RecordingNotifier::Kind::Warn                  ? QStringLiteral("warn")
                                                                         : QStringLiteral("ask");
        boxes << kind + QStringLiteral(" | ") + box.title + QStringLiteral(" | ") + box.message;
    }
    return boxes;
}

// Notes for each box whether the clipboard's delivery was still running.
class BoxWatcher final : public Notifier
{
public:
    explicit BoxWatcher(const FakeClipboard& clipboard)
        : m_clipboard(clipboard)
    {
    }
    QList<bool> duringDelivery;

    void inform(const QString&, const QString&) override { note(); }
    void warn(const QString&, const QString&) override { note(); }
    bool ask(const QString&, const QString&) override
    {
        note();
        return true;
    }

private:
    void note() { duringDelivery << m_clipboard.delivering(); }
    const FakeClipboard& m_clipboard;
};

} // namespace

class DeliveryTest : public QObject
{
    Q_OBJECT

private slots:
    void confirmsOnlyAnExactReadBack_data();
    void confirmsOnlyAnExactReadBack();
    void alteredReadBackIsNeverConfirmed();
    void attemptsRunWithoutPause();
    void slowReadsEndAtTheTimeBudget_data();
    void slowReadsEndAtTheTimeBudget();
    void deliveryIsOverBeforeTheBox();
};

void DeliveryTest::confirmsOnlyAnExactReadBack_data()
{
    QTest::addColumn<int>("caller");
    QTest::addColumn<int>("script");
    QTest::addColumn<QString>("snippet");
    QTest::addColumn<QString>("expectedCounts");
    QTest::addColumn<QString>("expectedBox");
    QTest::addColumn<QString>("expectedClipboard");

    const auto row = [](const char* name, Caller caller, Script script, const QString& snippet,
                         const char* counts, const QString& box, const QString& clipboard) {
        QTest::newRow(name) << int(caller) << int(script) << snippet << QString::fromLatin1(counts)
                            << box << clipboard;
    };

    // CR LF, tab, quotes and Chinese arrive untouched.
    row("free, once", ClearOnce, FreeClipboard, Snippet, "clears=1 sets=1 reads=1", CustomModuleBox,
        Snippet);
    row("free, every attempt", ClearEveryAttempt, FreeClipboard, Snippet, "clears=1 sets=1 reads=1",
        EditorBox, Snippet);

    row("clear fails, once", ClearOnce, ClearFails, Snippet, "clears=1 sets=1 reads=1",
        CustomModuleBox, Snippet);
    row("clear fails, every attempt", ClearEveryAttempt, ClearFails, Snippet,
        "clears=1 sets=1 reads=1", EditorBox, Snippet);

    // The other program's non-empty text must not pass for ours.
    row("held by other, once", ClearOnce, HeldByOtherProgram, Snippet,
        "clears=1 sets=5000 reads=5000", FailureBox, OtherProgramsText);
    row("held by other, every attempt", ClearEveryAttempt, HeldByOtherProgram, Snippet,
        "clears=10000 sets=10000 reads=10000", FailureBox, OtherProgramsText);
    row("set never works, clear does", ClearOnce, SetNeverWorks, Snippet,
        "clears=1 sets=5000 reads=5000", FailureBox, QString());

    row("set fails thrice, once", ClearOnce, SetFailsThreeTimes, Snippet, "clears=1 sets=4 reads=4",
        CustomModuleBox, Snippet);
    row("set fails thrice, every attempt", ClearEveryAttempt, SetFailsThreeTimes, Snippet,
        "clears=4 sets=4 reads=4", EditorBox, Snippet);

    // A failed read is one failed attempt, not the end of the attempts.
    row("read fails once, once", ClearOnce, ReadFailsOnce, Snippet, "clears=1 sets=2 reads=2",
        CustomModuleBox, Snippet);
    row("read fails once, every attempt", ClearEveryAttempt, ReadFailsOnce, Snippet,
        "clears=2 sets=2 reads=2", EditorBox, Snippet);
    // The snippet may be there, but nothing proves it.
    row("read never works", ClearOnce, ReadNeverWorks, Snippet, "clears=1 sets=5000 reads=5000",
        FailureBox, Snippet);

    row("nothing works, once", ClearOnce, NothingWorks, Snippet, "clears=1 sets=5000 reads=5000",
        FailureBox, OtherProgramsText);
    row("nothing works, every attempt", ClearEveryAttempt, NothingWorks, Snippet,
        "clears=10000 sets=10000 reads=10000", FailureBox, OtherProgramsText);

    row("other writes twice, once", ClearOnce, OtherProgramWritesTwice, Snippet,
        "clears=1 sets=3 reads=3", CustomModuleBox, Snippet);
    row("other writes twice, every attempt", ClearEveryAttempt, OtherProgramWritesTwice, Snippet,
        "clears=3 sets=3 reads=3", EditorBox, Snippet);

    // Reading back empty text is exactly an empty snippet.
    row("empty snippet, once", ClearOnce, FreeClipboard, QString(), "clears=1 sets=1 reads=1",
        CustomModuleBox, QString());
    row("empty snippet, every attempt", ClearEveryAttempt, FreeClipboard, QString(),
        "clears=1 sets=1 reads=1", EditorBox, QString());
    row("empty snippet, held by other", ClearOnce, HeldByOtherProgram, QString(),
        "clears=1 sets=5000 reads=5000", FailureBox, OtherProgramsText);
}

void DeliveryTest::confirmsOnlyAnExactReadBack()
{
    QFETCH(int, caller);
    QFETCH(int, script);
    QFETCH(QString, snippet);
    QFETCH(QString, expectedCounts);
    QFETCH(QString, expectedBox);
    QFETCH(QString, expectedClipboard);

    FakeClipboard clipboard;
    apply(Script(script), clipboard);
    RecordingNotifier notifier;
    const DeliveryOutcome outcome = deliver(clipboard, notifier, Caller(caller), snippet);

    QCOMPARE(counts(clipboard), expectedCounts);
    QCOMPARE(shown(notifier), QStringList { expectedBox });
    QCOMPARE(clipboard.content, expectedClipboard);
    QCOMPARE(outcome.delivered, expectedBox != FailureBox);
    QCOMPARE(outcome.attempts, clipboard.sets);
}

void DeliveryTest::alteredReadBackIsNeverConfirmed()
{
    // Texts that differ from the snippet only in ways easy to overlook.
    const QList<std::function<QString(const QString&)>> alterations {
        [](const QString& text) {
            return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        },
        [](const QString& text) { return text + QStringLiteral("\r\n"); },
        [](const QString& text) { return text.chopped(1); },
        [](const QString& text) { return QLatin1Char(' ') + text; },
        [](const QString& text) { return text.toUpper(); },
    };
    for (qsizetype i = 0; i < alterations.size(); ++i) {
        FakeClipboard clipboard;
        clipboard.stores = [&](int, const QString& text) { return alterations.at(i)(text); };
        RecordingNotifier notifier;
        deliver(clipboard, notifier, ClearOnce, Snippet);

        QVERIFY2(clipboard.content != Snippet, qPrintable(QStringLiteral("alteration %1").arg(i)));
        QCOMPARE(counts(clipboard), QStringLiteral("clears=1 sets=5000 reads=5000"));
        QCOMPARE(shown(notifier), QStringList { FailureBox });
    }
}

void DeliveryTest::attemptsRunWithoutPause()
{
    // Even a 1 ms pause would make 10000 failed attempts take 10 s.
    FakeClipboard clipboard;
    clipboard.setWorks = never;
    RecordingNotifier notifier;
    QElapsedTimer timer;
    timer.start();
    deliver(clipboard, notifier, ClearEveryAttempt, Snippet);
    const qint64 elapsed = timer.elapsed();
    QCOMPARE(clipboard.reads, 10000);
    QVERIFY2(elapsed < 3000, qPrintable(QStringLiteral("took %1 ms").arg(elapsed)));
}

void DeliveryTest::slowReadsEndAtTheTimeBudget_data()
{
    QTest::addColumn<int>("script");
    QTest::addColumn<int>("readMs");
    QTest::addColumn<bool>("delivered");
    QTest::addColumn<int>("fewestAttempts");
    QTest::addColumn<int>("mostAttempts");

    // An owner that never answers: each read waits out a timeout. No
    // attempt starts once the budget is spent, so 2 s allow 5 reads of
    // 400 ms at most (fewer when the machine is slow), not 5000.
    QTest::newRow("every read slow, never the snippet") << int(HeldByOtherProgram) << 400 << false << 2 << 5;
    // The first attempt is always made, and its read-back counts however
    // late it comes.
    QTest::newRow("one read beyond the budget, not the snippet") << int(HeldByOtherProgram) << 2100 << false << 1 << 1;
    QTest::newRow("one read beyond the budget, the snippet") << int(FreeClipboard) << 2100 << true << 1 << 1;
    // Slow but within the budget: the third attempt succeeds as it would
    // on a fast clipboard.
    QTest::newRow("slow reads, the snippet on the third") << int(OtherProgramWritesTwice) << 500 << true << 3 << 3;
}

void DeliveryTest::slowReadsEndAtTheTimeBudget()
{
    QFETCH(int, script);
    QFETCH(int, readMs);
    QFETCH(bool, delivered);
    QFETCH(int, fewestAttempts);
    QFETCH(int, mostAttempts);

    FakeClipboard clipboard;
    apply(Script(script), clipboard);
    clipboard.readTakes = std::chrono::milliseconds(readMs);
    // Past its most attempts a row's reads turn fast, so a delivery the
    // budget fails to end runs out its attempt limit in moments and the
    // check below says so, instead of waiting 5000 slow reads.
    clipboard.readWorks = [&clipboard, mostAttempts](int call) {
        if (call > mostAttempts)
            clipboard.readTakes = std::chrono::milliseconds(0);
        return true;
    };
    RecordingNotifier notifier;
    QElapsedTimer timer;
    timer.start();
    const DeliveryOutcome outcome = deliver(clipboard, notifier, ClearOnce, Snippet);
    const qint64 elapsed = timer.elapsed();

    QVERIFY2(outcome.attempts >= fewestAttempts && outcome.attempts <= mostAttempts,
             qPrintable(QStringLiteral("%1 attempts, expected %2 to %3 within DeliveryTimeBudget")
                            .arg(outcome.attempts).arg(fewestAttempts).arg(mostAttempts)));
    QCOMPARE(outcome.delivered, delivered);
    QCOMPARE(outcome.outOfTime, !delivered);
    QCOMPARE(clipboard.reads, outcome.attempts);
    QCOMPARE(shown(notifier), QStringList { delivered ? CustomModuleBox : FailureBox });
    const qint64 budget = std::chrono::milliseconds(DeliveryTimeBudget).count();
    if (!delivered)
        QVERIFY2(elapsed >= budget, qPrintable(QStringLiteral("gave up after %1 ms").arg(elapsed)));
    // The budget plus the read under way when it ran out, and some slack
    // for a loaded machine.
    QVERIFY2(elapsed < budget + readMs + 1000, qPrintable(QStringLiteral("took %1 ms").arg(elapsed)));
}

void DeliveryTest::deliveryIsOverBeforeTheBox()
{
    // The system clipboard's busy pointer lasts from the start of a delivery
    // to its end: it must be gone when a box shows, and go also when an
    // attempt throws.
    for (const Script script : { FreeClipboard, HeldByOtherProgram }) {
        FakeClipboard clipboard;
        apply(script, clipboard);
        BoxWatcher notifier(clipboard);
        DeliverCode(clipboard, notifier, Snippet, DefaultAttemptLimit, ClearingMode::Once, customModuleNotice());
        QCOMPARE(clipboard.deliveriesStarted, 1);
        QCOMPARE(clipboard.deliveriesEnded, 1);
        QCOMPARE(notifier.duringDelivery, QList<bool> { false });
    }

    FakeClipboard clipboard;
    clipboard.setWorks = [](int) -> bool { throw std::runtime_error("clipboard gone"); };
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             copyToClipboard(clipboard, Snippet, DefaultAttemptLimit, ClearingMode::Once));
    QCOMPARE(clipboard.deliveriesStarted, 1);
    QCOMPARE(clipboard.deliveriesEnded, 1);
}

QTEST_GUILESS_MAIN(DeliveryTest)
#include "tst_delivery.moc"
