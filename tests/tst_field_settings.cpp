#include "ControlInventory.h"
#include "FieldSettings.h"
#include "SnippetFile.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QtTest>

// The settings file earlier versions kept field values in, read once when
// upgrading, and the snippet file a failed delivery can be saved to, without
// a window.
class FieldSettingsTest : public QObject
{
    Q_OBJECT

private:
    TemporaryHome m_home;
    int m_files = 0;

    // A fresh file name per case: QSettings caches what it has read.
    QString freshFile() { return m_home.path() + QStringLiteral("/case-%1.conf").arg(++m_files); }
    static QString rawFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    // As earlier versions left them: text where it could be, else Base64
    // of the UTF-16LE units.
    void earlierValuesComeBackExactly_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("value");
        QTest::newRow("text with escapes") << QByteArray("店小二 \\\"金牌\\\"\\t😀\\r\\n")
                                           << QStringLiteral("店小二 \"金牌\"\t😀\r\n");
        // A cleared contact row stays cleared, not back to the sample.
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("lone surrogate and NUL") << QByteArray("@ByteArray(PdgAAGEA)") << units({ 0xD83D, 0, u'a' });
        QTest::newRow("1 MiB") << "@ByteArray(" + QByteArray("\x97\x5e").repeated(1 << 20).toBase64() + ')'
                               << QString(1 << 20, QChar(u'店'));
    }
    void earlierValuesComeBackExactly()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, value);
        const QString path = rawFile(freshFile(), "[fields]\r\nText18=" + stored + "\r\nText2_1=other\r\n");
        const QHash<QString, QString> loaded = FieldSettings(path).load();
        QCOMPARE(loaded.size(), 2);
        QCOMPARE(loaded.value(QStringLiteral("Text18")).size(), value.size());
        QVERIFY(loaded.value(QStringLiteral("Text18")) == value);
        QCOMPARE(loaded.value(QStringLiteral("Text2_1")), QStringLiteral("other"));
    }

    // Written by hand or by another version: never templates or buffers.
    void onlyEditableFieldsAreRead()
    {
        const QString path = rawFile(freshFile(), "[fields]\nText7_3=#123456\nText19=tampered\nText24=tampered\n"
                                                  "Label2_4=a label\n");
        QCOMPARE(FieldSettings(path).load(), (QHash<QString, QString> { { QStringLiteral("Text7_3"), QStringLiteral("#123456") } }));
    }

    void badFilesGiveNoValues_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("loaded");
        QTest::newRow("empty") << QByteArray() << QStringList();
        QTest::newRow("binary garbage") << QByteArrayLiteral("\x01\x02\xff\xfe garbage\n=\n[[[") << QStringList();
        QTest::newRow("UTF-16 file") << QByteArrayLiteral("\xff\xfe[\0f\0]\0") << QStringList();
        QTest::newRow("section never closed") << QByteArray("[fields\nText18=abc\n") << QStringList();
        QTest::newRow("key without value") << QByteArray("[fields]\nText18\n") << QStringList();
        // Damage to single entries costs those entries only.
        QTest::newRow("odd byte count") << QByteArray("[fields]\nText18=@ByteArray(YWJj)\nText9=blue\n")
                                        << QStringList { QStringLiteral("Text9=blue") };
        QTest::newRow("not Base64") << QByteArray("[fields]\nText18=@ByteArray(a!b)\nText9=blue\n")
                                    << QStringList { QStringLiteral("Text9=blue") };
        QTest::newRow("list, not text") << QByteArray("[fields]\nText12=a, b\nText9=blue\n")
                                        << QStringList { QStringLiteral("Text9=blue") };
        QTest::newRow("unknown group and keys") << QByteArray("[other]\nText9=red\n[fields]\nText99=x\nText9=blue\n")
                                                << QStringList { QStringLiteral("Text9=blue") };
    }
    void badFilesGiveNoValues()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, loaded);
        QStringList got;
        const QHash<QString, QString> values = FieldSettings(rawFile(freshFile(), content)).load();
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            got << it.key() + QLatin1Char('=') + it.value();
        QCOMPARE(got, loaded);
    }

    void missingOrUnreadableFileGivesNoValues()
    {
        QVERIFY(FieldSettings(freshFile()).load().isEmpty());
        // Root reads every file whatever its mode bits: a folder in the
        // file's place stops it.
        const QString folder = freshFile();
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(FieldSettings(folder).load().isEmpty());
    }

    void snippetFileNamesFollowTheTemplates()
    {
        QCOMPARE(suggestedSnippetFileName(QStringLiteral("contact-block.txt")), QStringLiteral("contact-block.html"));
        QCOMPARE(suggestedSnippetFileName(QStringLiteral("navigation-css.txt")), QStringLiteral("navigation-css.css"));
        QCOMPARE(suggestedSnippetFileName(QStringLiteral("background-music.txt")), QStringLiteral("background-music.html"));
    }

    void snippetFileHoldsTheExactBytes()
    {
        const QString snippet = QStringLiteral("<div title=\"店铺\">\r\n\t<a href=\"x\">一</a>\r\n</div>\r\n");
        const QString path = m_home.path() + QStringLiteral("/snippet.html");
        rawFile(path, "an older, longer file that must be replaced completely");
        QCOMPARE(writeSnippetFile(path, snippet), QString());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), snippet.toUtf8());
        QVERIFY(QDir(m_home.path()).entryList({ QStringLiteral("snippet.html*") }, QDir::Files).size() == 1);

        const QString nowhere = m_home.path() + QStringLiteral("/no such folder/snippet.html");
        const QString problem = writeSnippetFile(nowhere, snippet);
        QVERIFY2(problem.contains(nowhere), qPrintable(problem));
        QVERIFY(!QFile::exists(nowhere));
    }
};

QTEST_GUILESS_MAIN(FieldSettingsTest)
#include "tst_field_settings.moc"
