// The contact block's preview in a real browser: Debian's chromium,
// headless, reading the page from an HTTP server of the test's own on
// 127.0.0.1. Every host name resolves to 127.0.0.1, so the template's own
// addresses (chat status, spacer) fail here instead of leaving the machine.
// Two avatars load, one answers 404, and a nickname carries a script and an
// inline handler. Then a tab kept open over the DevTools protocol follows
// the window's fields, and a picture that never answers times out.

#include "BrowserPreview.h"
#include "ControlInventory.h"
#include "DevToolsBrowser.h"
#include "Generator.h"
#include "LocalHttpServer.h"
#include "PanelTable.h"
#include "PreviewPage.h"
#include "WindowTestCase.h"

#include <QBuffer>
#include <QEventLoop>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <unistd.h>

namespace {

QByteArray png(Qt::GlobalColor colour)
{
    QImage image(50, 50, QImage::Format_RGB32);
    image.fill(colour);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data();
}

// Sets an attribute that no source text holds: it appears in the DOM only
// when the code ran.
const QString Typed
    = QStringLiteral("<script>document.body.setAttribute('data-typed-script', 'r' + 'an')</script>"
                     "<img src=\"/nothing.png\" "
                     "onerror=\"document.body.setAttribute('data-typed-handler', 'r' + 'an')\">");

// The test's own page, no policy of its own: it carries the typed code to
// show that it runs where nothing stops it, and measures the preview's
// column in a same-origin frame.
QByteArray measuringPage()
{
    return "<!DOCTYPE html><html><body>" + Typed.toUtf8()
        + "<iframe id=\"preview\" src=\"/preview.html\" "
          "style=\"width:1200px;height:600px;border:0\"></iframe>"
          "<script>document.getElementById('preview').addEventListener('load', function () {"
          "var frame = this.contentDocument, box = frame.getElementById('"
        + QByteArray(PreviewFrameId)
        + "').getBoundingClientRect();"
          "document.body.setAttribute('data-column', box.left + ' ' + box.width + ' ' + "
          "frame.documentElement.clientWidth);});</script></body></html>";
}

// The opening tags of the contact cells whose background is `address`.
QStringList cellsShowing(const QString& dom, const QString& address)
{
    QStringList cells;
    QRegularExpressionMatchIterator it = QRegularExpression(
        QStringLiteral("<td [^>]*background=\"%1\"[^>]*>").arg(QRegularExpression::escape(address)))
                                             .globalMatch(dom);
    while (it.hasNext())
        cells << it.next().captured();
    return cells;
}

} // namespace

class PreviewBrowserTest : public WindowTestCase
{
    Q_OBJECT

private slots:
    void initTestCase();
    void barNamesTheMissingPicture();
    void onlyTheMissingAvatarIsMarked();
    void contentColumnIs950PixelsCentred();
    void codeTypedIntoANicknameDoesNotRun();
    void anOpenPageFollowsTheFieldsInPlace();
    void aPictureThatNeverAnswersTimesOut();

private:
    QString dumpDom(const QString& url);
    QStringList browserArguments();
    QProcessEnvironment browserEnvironment();
    // The tab's text of element `id`, once there is one (without `busy`).
    QString settledText(DevToolsBrowser& browser, const char* id, const QString& busy);
    bool pageShows(DevToolsBrowser& browser, const QString& text);

    QString m_chromium;
    int m_runs = 0;
    QTemporaryDir m_browserHome;
    LocalHttpServer m_server;
    QString m_loaded[2];
    QString m_missing;
    QString m_preview; // the preview's DOM once loaded
    QString m_measured; // the measuring page's DOM
};

void PreviewBrowserTest::initTestCase()
{
    m_chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (m_chromium.isEmpty() && !qEnvironmentVariable("CI").isEmpty())
        QFAIL("chromium is not installed; scripts/setup-debian.sh installs it");
    if (m_chromium.isEmpty())
        QSKIP("chromium is not installed; scripts/setup-debian.sh installs it");
    QVERIFY(m_browserHome.isValid());

    m_server.put("/a.png", "image/png", png(Qt::darkRed));
    m_server.put("/b.png", "image/png", png(Qt::darkBlue));
    m_loaded[0] = m_server.url("/a.png");
    m_loaded[1] = m_server.url("/b.png");
    m_missing = m_server.url("/missing.png");

    // The contact block's page as the window writes it, from the fields'
    // start values with the avatars and the first nickname changed.
    QHash<QString, QString> fields;
    for (int row = 1; row <= ContactRowCount; ++row)
        fields.insert(contactRowFields(row).at(2), row == 3 ? m_missing : m_loaded[row % 2]);
    fields.insert(contactRowFields(1).at(0), Typed);
    const PreviewInput input = previewInput(
        panelAt(0), [&fields](const QString& field) { return fields.value(field, initialText(field)); },
        QDateTime::currentDateTime());
    m_server.put("/preview.html", "text/html; charset=utf-8", previewPage(input));
    m_server.put("/measure.html", "text/html; charset=utf-8", measuringPage());

    m_preview = dumpDom(m_server.url("/preview.html"));
    m_measured = dumpDom(m_server.url("/measure.html"));
}

QStringList PreviewBrowserTest::browserArguments()
{
    QStringList arguments = {
        QStringLiteral("--headless"),
        QStringLiteral("--disable-gpu"),
        QStringLiteral("--no-first-run"),
        QStringLiteral("--disable-background-networking"),
        QStringLiteral("--disable-component-update"),
        QStringLiteral("--disable-sync"),
        QStringLiteral("--disable-quic"),
        QStringLiteral("--no-proxy-server"),
        QStringLiteral("--host-resolver-rules=MAP * 127.0.0.1"),
        QStringLiteral("--user-data-dir=")
            + m_browserHome.filePath(QStringLiteral("profile-%1").arg(++m_runs)),
    };
    // Chromium's sandbox refuses to start as root.
    if (geteuid() == 0)
        arguments.prepend(QStringLiteral("--no-sandbox"));
    return arguments;
}

QProcessEnvironment PreviewBrowserTest::browserEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : { "HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME" })
        environment.insert(QString::fromLatin1(name), m_browserHome.path());
    return environment;
}

QString PreviewBrowserTest::dumpDom(const QString& url)
{
    QProcess browser;
    browser.setProcessEnvironment(browserEnvironment());
    browser.setProcessChannelMode(QProcess::SeparateChannels);
    const QStringList arguments = browserArguments()
        + QStringList { QStringLiteral("--virtual-time-budget=10000"), QStringLiteral("--dump-dom"), url };
    // The server answers on this thread: wait in an event loop.
    QEventLoop loop;
    connect(&browser, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(90000, &loop, &QEventLoop::quit);
    browser.start(m_chromium, arguments);
    loop.exec();
    if (browser.state() != QProcess::NotRunning) {
        browser.kill();
        browser.waitForFinished();
        qWarning("chromium did not finish within 90 s");
    }
    return QString::fromUtf8(browser.readAllStandardOutput());
}

void PreviewBrowserTest::barNamesTheMissingPicture()
{
    const qsizetype start
        = m_preview.indexOf(QStringLiteral("id=\"") + QLatin1String(PreviewBarId));
    QVERIFY2(start >= 0, qPrintable(m_preview));
    const QString bar
        = m_preview.mid(start, m_preview.indexOf(QStringLiteral("</header>"), start) - start);
    QVERIFY2(bar.contains(QStringLiteral(" 张图片无法显示</p>")), qPrintable(bar));
    QVERIFY2(bar.contains(QStringLiteral("<li>") + m_missing + QStringLiteral("</li>")),
        qPrintable(bar));
    QVERIFY2(!bar.contains(m_loaded[0]) && !bar.contains(m_loaded[1]), qPrintable(bar));
}

void PreviewBrowserTest::onlyTheMissingAvatarIsMarked()
{
    const QStringList missing = cellsShowing(m_preview, m_missing);
    QCOMPARE(missing.size(), 1);
    QVERIFY2(missing.first().contains(
                 QStringLiteral("class=\"") + QLatin1String(PreviewBrokenClass) + QLatin1Char('"')),
        qPrintable(missing.first()));
    QVERIFY2(missing.first().contains(QStringLiteral("title=\"") + m_missing + QLatin1Char('"')),
        qPrintable(missing.first()));
    const QStringList loaded
        = cellsShowing(m_preview, m_loaded[0]) + cellsShowing(m_preview, m_loaded[1]);
    QCOMPARE(loaded.size(), ContactRowCount - 1);
    for (const QString& cell : loaded)
        QVERIFY2(!cell.contains(QLatin1String(PreviewBrokenClass)), qPrintable(cell));
}

void PreviewBrowserTest::contentColumnIs950PixelsCentred()
{
    const QRegularExpressionMatch column
        = QRegularExpression(QStringLiteral("data-column=\"([\\d.]+) ([\\d.]+) (\\d+)\""))
              .match(m_measured);
    QVERIFY2(column.hasMatch(), qPrintable(m_measured));
    const double left = column.captured(1).toDouble();
    const double width = column.captured(2).toDouble();
    QCOMPARE(width, 950.0);
    QCOMPARE(2 * left + width, column.captured(3).toDouble());
}

// The measuring page shows the typed code running where no policy stops it.
void PreviewBrowserTest::codeTypedIntoANicknameDoesNotRun()
{
    for (const QString& attribute :
        { QStringLiteral("data-typed-script"), QStringLiteral("data-typed-handler") }) {
        const QString ran = attribute + QStringLiteral("=\"ran\"");
        QVERIFY2(m_measured.contains(ran), qPrintable(m_measured.left(2000)));
        QVERIFY2(!m_preview.contains(ran), qPrintable(m_preview.left(2000)));
    }
    QVERIFY2(m_preview.contains(Typed.left(40)), qPrintable(m_preview)); // the nickname is there
}

QString PreviewBrowserTest::settledText(DevToolsBrowser& browser, const char* id, const QString& busy)
{
    QString text;
    DevToolsBrowser::waitFor([&] {
        text = browser.evaluate(QStringLiteral("document.getElementById('%1').textContent").arg(QLatin1String(id))).toString();
        return !text.isEmpty() && (busy.isEmpty() || !text.contains(busy));
    }, 20000);
    return text;
}

bool PreviewBrowserTest::pageShows(DevToolsBrowser& browser, const QString& text)
{
    return DevToolsBrowser::waitFor([&] {
        return browser.evaluate(QStringLiteral("document.body.innerHTML.includes('%1')").arg(text)).toBool();
    }, 10000);
}

// The window's own page, kept open: an avatar address changed in the window
// shows without a reload, where the page was scrolled to, and is counted;
// an edit made just before the window closes still arrives, with the news.
void PreviewBrowserTest::anOpenPageFollowsTheFieldsInPlace()
{
    startWindow();
    m_window->offer(PanelOffer::Preview, 0);
    DevToolsBrowser browser;
    QVERIFY(browser.start(m_chromium, browserArguments() << QStringLiteral("--window-size=800,300"), browserEnvironment()));
    QVERIFY(browser.open(m_opened.value(0).toString()));
    QVERIFY(!settledText(browser, "shiputong-count", QStringLiteral("正在检查")).isEmpty());
    // What a reload would undo: a variable of the page, the scroll position.
    QCOMPARE(browser.evaluate(QStringLiteral("window.kept = 'kept'; scrollTo(0, 120); scrollY")).toInt(), 120);

    const QString gone = m_server.url("/gone.png");
    m_window->setFieldText(contactRowFields(1).at(2), gone);
    QVERIFY(pageShows(browser, gone));
    QCOMPARE(browser.evaluate(QStringLiteral("[window.kept, scrollY].join()")).toString(), QStringLiteral("kept,120"));
    QVERIFY(settledText(browser, "shiputong-failed", QStringLiteral("正在检查")).contains(gone));

    m_window->setFieldText(contactRowFields(1).at(0), QStringLiteral("临关前的昵称"));
    m_window->close();
    QCOMPARE(settledText(browser, "shiputong-live", QString()), QStringLiteral("饰铺通已关闭，预览不再更新"));
    QVERIFY(pageShows(browser, QStringLiteral("临关前的昵称")));
}

// Avatars that answer 404 and never finish: the count completes once the
// (here shortened) time is up, the slow one with "超时", the 404 marked.
void PreviewBrowserTest::aPictureThatNeverAnswersTimesOut()
{
    const QString hanging = m_server.url("/hang.png");
    const QHash<QString, QString> fields { { contactRowFields(1).at(2), hanging }, { contactRowFields(2).at(2), m_missing } };
    m_server.put("/stalling.html", "text/html; charset=utf-8", previewPage(previewInput(
        panelAt(0), [&fields](const QString& field) { return fields.value(field, initialText(field)); }, {})));
    DevToolsBrowser browser;
    QVERIFY(browser.start(m_chromium, browserArguments(), browserEnvironment()));
    QVERIFY(browser.open(m_server.url("/stalling.html") + QStringLiteral("#timeout=1500")));
    QVERIFY(settledText(browser, "shiputong-count", QStringLiteral("正在检查")).endsWith(QStringLiteral(" 张图片无法显示")));
    const QString failed = browser.evaluate(QStringLiteral(
        "Array.from(document.querySelectorAll('#shiputong-failed li'), function (item) { return item.textContent; }).join('|')")).toString();
    QVERIFY2(failed.contains(hanging + QStringLiteral("超时|")) && failed.contains(m_missing + QLatin1Char('|')), qPrintable(failed));
    QCOMPARE(browser.evaluate(QStringLiteral("document.querySelector('td[background=\"%1\"]').className").arg(m_missing)).toString(),
        QLatin1String(PreviewBrokenClass));
}

QTEST_MAIN(PreviewBrowserTest)
#include "tst_preview_browser.moc"
