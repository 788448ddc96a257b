#include "ControlInventory.h"
#include "PresetStore.h"
#include "PresetTransfer.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QtTest>

// The store of 方案 and its exchange file, without a window.
class PresetsTest : public QObject
{
    Q_OBJECT

private:
    TemporaryHome m_home;
    int m_folders = 0;
    QStringList m_reports;
    RecordingNotifier m_notifierSink;

    QString freshFolder() { return m_home.path() + QStringLiteral("/store-%1").arg(++m_folders); }
    std::unique_ptr<PresetStore> store(const QString& folder, const QString& earlier = QString())
    {
        auto opened = std::make_unique<PresetStore>(folder, earlier);
        opened->report = [this](const QString& problem) { m_reports << problem; };
        opened->open();
        return opened;
    }
    static QString writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    // Every file of a folder with its bytes.
    static QHash<QString, QByteArray> snapshot(const QString& folder)
    {
        QHash<QString, QByteArray> files;
        for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
            files.insert(name, readFile(folder + QLatin1Char('/') + name));
        return files;
    }
    static QString idOf(const PresetStore& store, const QString& name)
    {
        for (const PresetEntry& entry : store.presets()) {
            if (entry.name == name)
                return entry.id;
        }
        return QString();
    }

private slots:
    void init() { m_reports.clear(); }

    // Names no file system takes as they stand, and values JSON and UTF-8
    // find hard, through export and import into another store.
    void exportAndImportKeepHostileValuesExactly()
    {
        QString hostile = QStringLiteral("\"引号\"\r\n\t制表 😀 𠀀 \\u0041 ");
        hostile += QChar(0xD83D); // a lone high surrogate
        hostile += QStringLiteral("x");
        hostile += QChar(0xDC00);
        QString huge(1 << 20, QChar(u'店'));
        huge[12345] = QChar(0xDFFF);
        const QStringList names { QStringLiteral("CON"), QStringLiteral("a/b"), QStringLiteral("a:b"),
                                  QStringLiteral(".."), QStringLiteral("名字?") };
        auto from = store(freshFolder());
        for (const QString& name : names)
            QVERIFY(from->create(name, { { QStringLiteral("Text2_1"), name + hostile }, { QStringLiteral("Text18"), huge } }));
        QStringList ids;
        for (const QString& name : names)
            ids << idOf(*from, name);
        const QString file = m_home.path() + QStringLiteral("/全部 方案.json");
        QVERIFY(exportPresetFile(*from, ids, file, m_notifierSink));

        auto to = store(freshFolder());
        const ImportOutcome outcome = importPresetFile(*to, file, m_notifierSink, [](const QString&) { return NameClash::Cancel; });
        QVERIFY2(outcome.imported.size() == names.size(), qPrintable(m_notifierSink.boxes.value(0).message));
        auto reopened = store(to->folder());
        for (const QString& name : names) {
            QVERIFY(reopened->switchTo(idOf(*reopened, name)));
            QCOMPARE(reopened->currentName(), name);
            const QHash<QString, QString> values = reopened->currentFullValues();
            QVERIFY(values.value(QStringLiteral("Text2_1")) == name + hostile);
            QVERIFY(values.value(QStringLiteral("Text18")) == huge);
            QCOMPARE(values.value(QStringLiteral("Text9")), initialText(QStringLiteral("Text9")));
        }
        QCOMPARE(m_reports, QStringList());
    }

    void badFileChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("said");
        const QByteArray good = R"({"format": "shiputong-presets", "version": 1, "presets": [{"name": "A店", "fields": {"Text2_1": "阿杰"}}]})";
        auto with = [&good](const char* from, const char* to) { return QByteArray(good).replace(from, to); };
        QTest::newRow("not JSON") << QByteArray("方案：A店") << QStringLiteral("不是有效的 JSON");
        QTest::newRow("truncated") << good.left(good.size() - 9) << QStringLiteral("不完整");
        QTest::newRow("another shape") << QByteArray(R"([{"name": "A店"}])") << QStringLiteral("结构不对");
        QTest::newRow("another format") << with("shiputong-presets", "other-presets") << QStringLiteral("other-presets");
        QTest::newRow("newer version") << with("\"version\": 1", "\"version\": 2") << QStringLiteral("请升级饰铺通");
        QTest::newRow("empty name") << with("A店", "   ") << QStringLiteral("名称不能为空");
        QTest::newRow("name too long") << with("A店", QByteArray(41 * 3, 'x').replace("xxx", "店").constData())
                                       << QStringLiteral("不能超过 40 个字符");
        QTest::newRow("same name twice") << with("}}]", "}}, {\"name\": \" A店 \", \"fields\": {}}]") << QStringLiteral("已有名为“A店”的方案");
        QTest::newRow("value not text") << with("\"阿杰\"", "7") << QStringLiteral("Text2_1 不是文字");
        QTest::newRow("no presets") << with(R"([{"name": "A店", "fields": {"Text2_1": "阿杰"}}])", "[]") << QStringLiteral("没有方案");
        QTest::newRow("over 64 MiB") << QByteArray("sparse") << QStringLiteral("文件太大");
        QTest::newRow("unreadable") << QByteArray("folder") << QStringLiteral("无法读取");
    }
    void badFileChangesNothing()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, said);
        auto target = store(freshFolder());
        QVERIFY(target->create(QStringLiteral("A店"), { { QStringLiteral("Text2_1"), QStringLiteral("原来的") } }));
        const QHash<QString, QByteArray> before = snapshot(target->folder());
        const QString path = m_home.path() + QStringLiteral("/坏文件 %1.json").arg(QString::fromUtf8(QTest::currentDataTag()));
        if (content == "folder") {
            QVERIFY(QDir().mkpath(path));
        } else {
            writeFile(path, content);
            if (content == "sparse")
                QVERIFY(QFile::resize(path, PresetFileLimit + 1));
        }
        RecordingNotifier notifier;
        bool asked = false;
        importPresetFile(*target, path, notifier, [&asked](const QString&) {
            asked = true;
            return NameClash::Replace;
        });
        QVERIFY(!asked);
        QCOMPARE(notifier.boxes.size(), 1);
        QCOMPARE(notifier.boxes.first().kind, RecordingNotifier::Kind::Warn);
        QVERIFY2(notifier.boxes.first().message.contains(QDir::toNativeSeparators(path)), qPrintable(notifier.boxes.first().message));
        QVERIFY2(notifier.boxes.first().message.contains(said), qPrintable(notifier.boxes.first().message));
        QCOMPARE(snapshot(target->folder()), before);
        QCOMPARE(target->currentValues().value(QStringLiteral("Text2_1")), QStringLiteral("原来的"));
    }

    // A taken name is asked about once; 取消 at any of them leaves all as it was.
    void takenNamesAreAskedAboutAndCancelImportsNothing()
    {
        auto target = store(freshFolder());
        QVERIFY(target->create(QStringLiteral("A店"), { { QStringLiteral("Text2_1"), QStringLiteral("旧A") } }));
        QVERIFY(target->create(QStringLiteral("B店"), { { QStringLiteral("Text2_1"), QStringLiteral("旧B") } }));
        const QString path = writeFile(m_home.path() + QStringLiteral("/two.json"), presetFileBytes({
            { QStringLiteral("A店"), { { QStringLiteral("Text2_1"), QStringLiteral("新A") }, { QStringLiteral("Text99"), QStringLiteral("?") } } },
            { QStringLiteral("B店"), { { QStringLiteral("Text2_1"), QStringLiteral("新B") }, { QStringLiteral("Zzz"), QStringLiteral("?") } } },
        }));
        const QHash<QString, QByteArray> before = snapshot(target->folder());
        QList<NameClash> answers { NameClash::KeepBoth, NameClash::Cancel };
        QStringList asked;
        auto answer = [&](const QString& name) {
            asked << name;
            return answers.takeFirst();
        };
        RecordingNotifier notifier;
        QVERIFY(importPresetFile(*target, path, notifier, answer).cancelled);
        QCOMPARE(snapshot(target->folder()), before);
        QCOMPARE(notifier.boxes.size(), 0);

        answers = { NameClash::KeepBoth, NameClash::Replace };
        const ImportOutcome outcome = importPresetFile(*target, path, notifier, answer);
        QCOMPARE(asked, (QStringList { QStringLiteral("A店"), QStringLiteral("B店"), QStringLiteral("A店"), QStringLiteral("B店") }));
        QVERIFY(outcome.currentReplaced); // B店 was current
        QCOMPARE(target->names(), (QStringList { QStringLiteral("A店"), QStringLiteral("A店 (2)"), QStringLiteral("B店"), QStringLiteral("默认方案") }));
        QCOMPARE(target->currentValues().value(QStringLiteral("Text2_1")), QStringLiteral("新B"));
        QCOMPARE(notifier.boxes.size(), 1);
        const QString message = notifier.boxes.first().message;
        QVERIFY2(message.contains(QStringLiteral("导入 2 个方案")) && message.contains(QStringLiteral("Text99、Zzz")), qPrintable(message));
        QCOMPARE(message.count(QLatin1Char('\n')), 1);
    }

    void switchingBackAndForthKeepsBothSets()
    {
        auto shops = store(freshFolder());
        QVERIFY(shops->create(QStringLiteral("A店"), { { QStringLiteral("Text2_1"), QStringLiteral("阿强") } }));
        const QString a = shops->currentId();
        QVERIFY(shops->save({ { QStringLiteral("Text18"), QStringLiteral("A的地址") } }));
        QVERIFY(shops->create(QStringLiteral("B店")));
        const QString b = shops->currentId();
        QVERIFY(shops->save({ { QStringLiteral("Text2_1"), QStringLiteral("小B") } }));
        for (int round = 0; round < 2; ++round) {
            QVERIFY(shops->switchTo(a));
            QCOMPARE(shops->currentValues(), (QHash<QString, QString> { { QStringLiteral("Text2_1"), QStringLiteral("阿强") }, { QStringLiteral("Text18"), QStringLiteral("A的地址") } }));
            QVERIFY(shops->switchTo(b));
            QCOMPARE(shops->currentValues(), (QHash<QString, QString> { { QStringLiteral("Text2_1"), QStringLiteral("小B") } }));
        }
    }

    // The one set earlier versions kept, in the user's settings folder,
    // becomes 默认方案; its file stays as it was.
    void earlierValuesBecomeTheDefaultPreset()
    {
        const QString folder = m_home.configHome() + QStringLiteral("/shiputong");
        QVERIFY(QDir().mkpath(folder));
        writeFile(folder + QStringLiteral("/shiputong.conf"), "[fields]\nText2_1=老店主\nText9=blue\n");
        const QHash<QString, QByteArray> before = snapshot(folder);
        PresetStore upgraded;
        upgraded.open();
        QCOMPARE(upgraded.names(), QStringList { QStringLiteral("默认方案") });
        QCOMPARE(upgraded.currentValues(), (QHash<QString, QString> { { QStringLiteral("Text2_1"), QStringLiteral("老店主") }, { QStringLiteral("Text9"), QStringLiteral("blue") } }));
        QCOMPARE(snapshot(folder), before);
        // Once only: later starts read the store, not the earlier file.
        QVERIFY(upgraded.save({ { QStringLiteral("Text9"), QStringLiteral("red") } }));
        PresetStore later;
        later.open();
        QCOMPARE(later.currentValues().value(QStringLiteral("Text9")), QStringLiteral("red"));
    }

    // Two program copies, each in its own 方案, writing in turns.
    void twoStoresWritingAtOnceLoseNothing()
    {
        const QString folder = freshFolder();
        auto first = store(folder);
        auto second = store(folder);
        QVERIFY(first->create(QStringLiteral("A店")));
        QVERIFY(second->create(QStringLiteral("B店")));
        for (int i = 0; i < 5; ++i) {
            QVERIFY(first->save({ { QStringLiteral("Text2_1"), QStringLiteral("A%1").arg(i) } }));
            QVERIFY(second->save({ { QStringLiteral("Text2_1"), QStringLiteral("B%1").arg(i) } }));
        }
        auto later = store(folder);
        QCOMPARE(later->currentName(), QStringLiteral("B店")); // used last
        QCOMPARE(later->currentValues().value(QStringLiteral("Text2_1")), QStringLiteral("B4"));
        QVERIFY(later->switchTo(idOf(*later, QStringLiteral("A店"))));
        QCOMPARE(later->currentValues().value(QStringLiteral("Text2_1")), QStringLiteral("A4"));
    }

    // A damaged 方案 costs itself only; as the current one, its file stays
    // until the owner changes a field.
    void damagedPresetIsSkippedAndKeptUntilAChange()
    {
        const QString folder = freshFolder();
        auto shops = store(folder);
        QVERIFY(shops->create(QStringLiteral("A店"), { { QStringLiteral("Text2_1"), QStringLiteral("阿杰") } }));
        QVERIFY(shops->create(QStringLiteral("B店"), { { QStringLiteral("Text2_1"), QStringLiteral("小B") } }));
        const QString damagedFile = folder + QLatin1Char('/') + shops->currentId() + QStringLiteral(".json");
        const QByteArray damaged = snapshot(folder).value(QFileInfo(damagedFile).fileName()).chopped(20);
        writeFile(damagedFile, damaged);

        auto reopened = store(folder);
        QCOMPARE(m_reports.size(), 1);
        QVERIFY2(m_reports.first().contains(damagedFile), qPrintable(m_reports.first()));
        QCOMPARE(reopened->currentName(), QStringLiteral("B店"));
        QCOMPARE(reopened->currentValues(), (QHash<QString, QString> {}));
        QCOMPARE(reopened->names().size(), 3);
        QVERIFY(reopened->save({ { QStringLiteral("Text2_1"), initialText(QStringLiteral("Text2_1")) } }));
        QCOMPARE(snapshot(folder).value(QFileInfo(damagedFile).fileName()), damaged);
        QVERIFY(reopened->save({ { QStringLiteral("Text2_1"), QStringLiteral("新的") } }));
        QCOMPARE(store(folder)->currentValues().value(QStringLiteral("Text2_1")), QStringLiteral("新的"));
    }
};

QTEST_GUILESS_MAIN(PresetsTest)
#include "tst_presets.moc"
