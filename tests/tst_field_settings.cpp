#include "ControlInventory.h"
#include "FieldSettings.h"
#include "SnippetFile.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QtTest>

// The settings file that keeps field values between runs, and the snippet
// file a failed delivery can be saved to, without a window.
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
    static QStringList storedKeys(const QString& path)
    {
        QSettings settings(path, QSettings::IniFormat);
        QStringList keys = settings.allKeys();
        keys.sort();
        return keys;
    }

private slots:
    void valuesComeBackExactly_data()
    {
        QTest::addColumn<QString>("value");
        QString loneHigh = QStringLiteral("before");
        loneHigh += QChar(0xD83D);
        loneHigh += QStringLiteral("after");
        QString loneLowAtEnd = QStringLiteral("x");
        loneLowAtEnd += QChar(0xDE00);
        QString reversedPair;
        reversedPair += QChar(0xDE00);
        reversedPair += QChar(0xD83D);
        QString withNul = QStringLiteral("a");
        withNul += QChar(0);
        withNul += QStringLiteral("b");
        QTest::newRow("Chinese and quotes") << QStringLiteral("店小二 \"金牌\" '客服'");
        QTest::newRow("tabs and CR LF") << QStringLiteral("\tline one\r\nline two\r\n\t");
        QTest::newRow("ini syntax") << QStringLiteral("[fields]\nText18=x; a,b = c #d");
        QTest::newRow("spaces at both ends") << QStringLiteral("  padded  ");
        QTest::newRow("backslashes and percent") << QStringLiteral("C:\\x\\%41%E4\\u0041");
        QTest::newRow("looks like a byte array") << QStringLiteral("@ByteArray(AAAA)");
        QTest::newRow("emoji pair") << QStringLiteral("ID😀");
        QTest::newRow("lone high surrogate") << loneHigh;
        QTest::newRow("lone low surrogate at end") << loneLowAtEnd;
        QTest::newRow("reversed pair") << reversedPair;
        QTest::newRow("NUL inside") << withNul;
        QTest::newRow("empty") << QString(u""_qs);
        QTest::newRow("1 MiB Chinese") << QString(1 << 20, QChar(u'店'));
        QString mixedHuge(1 << 20, QLatin1Char('a'));
        mixedHuge[500000] = QChar(0xDC00);
        mixedHuge[7] = QLatin1Char('\r');
        QTest::newRow("1 MiB with a lone surrogate") << mixedHuge;
    }
    void valuesComeBackExactly()
    {
        QFETCH(QString, value);
        const QString path = freshFile();
        FieldSettings writer(path);
        QVERIFY(writer.save({ { QStringLiteral("Text18"), value }, { QStringLiteral("Text2_1"), QStringLiteral("other") } }));
        // Read from a copy: QSettings would answer the same path from what
        // it keeps in memory, not from the bytes on disk.
        const QString copy = freshFile();
        QVERIFY(QFile::copy(path, copy));
        const QHash<QString, QString> loaded = FieldSettings(copy).load();
        QCOMPARE(loaded.size(), 2);
        QCOMPARE(loaded.value(QStringLiteral("Text18")).size(), value.size());
        QVERIFY(loaded.value(QStringLiteral("Text18")) == value);
        QCOMPARE(loaded.value(QStringLiteral("Text2_1")), QStringLiteral("other"));
    }

    void onlyEditedEditableFieldsAreKept()
    {
        const QString path = freshFile();
        FieldSettings settings(path);
        QVERIFY(settings.save({
            { QStringLiteral("Text18"), QStringLiteral("mine") },
            { QStringLiteral("Text7_3"), QStringLiteral("#123456") },
            { QStringLiteral("Text19"), QStringLiteral("template holder") },
            { QStringLiteral("Text24"), QStringLiteral("work buffer") },
            { QStringLiteral("Label2_4"), QStringLiteral("a label") },
            { QStringLiteral("NoSuchControl"), QStringLiteral("?") },
            { QStringLiteral("Text2_1"), initialText(QStringLiteral("Text2_1")) },
        }));
        QCOMPARE(storedKeys(path), (QStringList { QStringLiteral("fields/Text18"), QStringLiteral("fields/Text7_3") }));

        // Back to its initial text, a field is forgotten: it follows the
        // program's default from then on.
        QVERIFY(settings.save({ { QStringLiteral("Text18"), initialText(QStringLiteral("Text18")) } }));
        QCOMPARE(storedKeys(path), QStringList { QStringLiteral("fields/Text7_3") });

        // Written by hand or by another version: never templates or buffers.
        QSettings(path, QSettings::IniFormat).setValue(QStringLiteral("fields/Text19"), QStringLiteral("tampered"));
        QSettings(path, QSettings::IniFormat).setValue(QStringLiteral("fields/Text24"), QStringLiteral("tampered"));
        QCOMPARE(FieldSettings(path).load(), (QHash<QString, QString> { { QStringLiteral("Text7_3"), QStringLiteral("#123456") } }));
    }

    void unchangedValuesAreNotWrittenAgain()
    {
        const QString path = freshFile();
        FieldSettings settings(path);
        const QHash<QString, QString> values { { QStringLiteral("Text18"), QString(1 << 20, QLatin1Char('m')) },
                                               { QStringLiteral("Text9"), initialText(QStringLiteral("Text9")) } };
        QVERIFY(settings.save(values));
        const QDateTime written = QFileInfo(path).lastModified();
        QTest::qWait(30);
        QVERIFY(settings.save(values));
        QCOMPARE(QFileInfo(path).lastModified(), written);
        QVERIFY(settings.save({ { QStringLiteral("Text9"), QStringLiteral("blue") } }));
        QVERIFY(QFileInfo(path).lastModified() > written);
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
        const QString path = rawFile(freshFile(), content);
        QStringList got;
        FieldSettings settings(path);
        const QHash<QString, QString> values = settings.load();
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            got << it.key() + QLatin1Char('=') + it.value();
        QCOMPARE(got, loaded);

        // The next save replaces the damage with this run's values.
        QVERIFY(settings.save({ { QStringLiteral("Text18"), QStringLiteral("new") } }));
        QCOMPARE(FieldSettings(path).load().value(QStringLiteral("Text18")), QStringLiteral("new"));
    }

    void missingFileGivesNoValues()
    {
        QVERIFY(FieldSettings(freshFile()).load().isEmpty());
    }

    void unreadableOrUnwritableFileIsReportedOnce_data()
    {
        QTest::addColumn<QString>("kind");
        // Root reads and writes every file whatever its mode bits: a folder
        // in the file's place, or a file in its folder's place, stops it.
        QTest::newRow("folder where the file should be") << QStringLiteral("folder");
        QTest::newRow("file where the folder should be") << QStringLiteral("file");
    }
    void unreadableOrUnwritableFileIsReportedOnce()
    {
        QFETCH(QString, kind);
        QString path = freshFile();
        if (kind == QStringLiteral("folder")) {
            QVERIFY(QDir().mkpath(path));
        } else {
            rawFile(path, "not a folder");
            path += QStringLiteral("/shiputong.conf");
        }
        FieldSettings settings(path);
        QStringList reports;
        settings.report = [&reports](const QString& problem) { reports << problem; };
        QVERIFY(settings.load().isEmpty());
        QVERIFY(!settings.save({ { QStringLiteral("Text18"), QStringLiteral("x") } }));
        QVERIFY(!settings.save({ { QStringLiteral("Text18"), QStringLiteral("y") } }));
        QCOMPARE(reports.size(), 1);
        QVERIFY2(reports.first().contains(path), qPrintable(reports.first()));
    }

    void userSettingsLiveInTheConfigHome()
    {
        QCOMPARE(FieldSettings().fileName(), m_home.configHome() + QStringLiteral("/shiputong/shiputong.conf"));
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
