// The templates as the program loads them: a wrong byte here goes straight
// into a live shop page.

#include "TestSupport.h"

#include <QCryptographicHash>
#include <QFile>
#include <QtTest>

class TemplatesTest : public QObject
{
    Q_OBJECT

private slots:
    void exactBytes_data();
    void exactBytes();
};

// The template files are the only source of the snippets' fixed text: any
// changed byte, line break or tab must show up here first. What each
// composition does with them is tst_generators' part.
void TemplatesTest::exactBytes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("sha256");
    QTest::addColumn<int>("crlf"); // every CR and every LF belongs to one of these pairs
    const QList<std::tuple<const char*, QByteArray, int>> templates {
        { "contact-block.txt", "9967bd1307e97f8427fb7cfd15d4e80126b0b9a85d52a6d58566c1ea43b809db", 169 },
        { "announcement-strip.txt", "dd4af3dd40012ff0a83c2d7c816bd5be5cf3bdf71b41b6f641157078b95a1cd0", 48 },
        { "navigation-css.txt", "8d9c6b83c0b2950388ebb3d30dd75543f0701fb332d59e3ad4c047f2fe867645", 26 },
        { "poster-carousel.txt", "16affd449c9e83e2d8085ceae30bbeca8e03d74ebc01a4e86bc54689650bf86b", 63 },
        { "background-music.txt", "7c0654eba9d171f5bea13b6cc9a42417b65cdc08e77079349c11ea0a5d9cbc76", 0 },
        { "fixed-background.txt", "42f79664d08511d14f455dcd4cf82375d015e85e02c1b364eb14a186b6765e60", 0 },
    };
    for (const auto& [file, digest, crlf] : templates)
        QTest::newRow(file) << QString::fromUtf8(file) << digest << crlf;
}

void TemplatesTest::exactBytes()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, sha256);
    QFETCH(int, crlf);
    QFile stored(QStringLiteral(":/templates/") + file);
    QVERIFY2(stored.open(QIODevice::ReadOnly), qPrintable(file));
    const QByteArray bytes = stored.readAll();
    // Line breaks first: a checkout that converts them is the likeliest change.
    const auto breaks = [&bytes] {
        return QStringLiteral("CR LF %1, CR %2, LF %3")
            .arg(bytes.count("\r\n")).arg(bytes.count('\r')).arg(bytes.count('\n'));
    };
    QCOMPARE(breaks(), QStringLiteral("CR LF %1, CR %1, LF %1").arg(crlf));
    QVERIFY(crlf == 0 || bytes.endsWith("\r\n"));
    QCOMPARE(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex(), sha256);
    // The program reads exactly these bytes as UTF-8, nothing lost.
    QCOMPARE(loadTemplate(file).toUtf8(), bytes);
}

QTEST_GUILESS_MAIN(TemplatesTest)
#include "tst_templates.moc"
