// The address check through the real window, against an HTTP server of the
// test's own on 127.0.0.1: no request before the owner asks, the report for
// the contact and poster panels, at most four requests at a time and "取消"
// ending them all, and the warning sign the offline rule puts in a field.
// Every address of a checked panel points at that server or is empty: no
// request leaves this machine.

#include "AddressCheck.h"
#include "ControlInventory.h"
#include "LocalHttpServer.h"
#include "MainWindow.h"
#include "TestSupport.h"
#include "WindowTestCase.h"

#include <QAction>
#include <QBuffer>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QToolTip>
#include <QtTest>

#include <memory>

namespace {

QByteArray png(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkRed);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data();
}

std::unique_ptr<LocalHttpServer> startServer()
{
    QFile gif(QFINDTESTDATA("data/poster-1440x500.gif"));
    gif.open(QIODevice::ReadOnly);
    return std::make_unique<LocalHttpServer>(QHash<QByteArray, QByteArray> {
        { "/a50.png", httpAnswer("200 OK", "Content-Type: image/png\r\n", png(50, 50)) },
        { "/a60.png", httpAnswer("200 OK", "Content-Type: image/png\r\n", png(60, 60)) },
        { "/poster.gif", httpAnswer("200 OK", "Content-Type: image/gif\r\n", gif.readAll()) },
        { "/page", httpAnswer("200 OK", "Content-Type: text/html\r\n", "<!DOCTYPE html><p>shop</p>") },
        { "/moved", httpAnswer("302 Found", "Location: /a50.png\r\n", {}) },
    });
}

} // namespace

class AddressWindowTest : public WindowTestCase
{
    Q_OBJECT

private:
    std::unique_ptr<LocalHttpServer> m_server;

    // Every address field of `panel` empty but those given.
    void setAddresses(int panel, const QHash<QString, const char*>& paths)
    {
        for (const ControlSpec& spec : controlInventory()) {
            if (spec.container == panelName(panel) && spec.address != AddressKind::None)
                m_window->setFieldText(spec.name, paths.contains(spec.name) ? m_server->url(paths.value(spec.name)) : QString());
        }
    }
    QString reportOf(int panel)
    {
        m_window->offer(PanelOffer::AddressCheck, panel);
        [&] { QTRY_COMPARE_WITH_TIMEOUT(m_notifier.boxes.size(), 1, 15000); }();
        const RecordingNotifier::Box box = m_notifier.boxes.value(0);
        return box.title + QLatin1Char('|') + QString::number(int(box.kind)) + QLatin1Char('\n') + box.message;
    }

private slots:
    void init()
    {
        m_server = startServer();
        startWindow();
    }
    void cleanup()
    {
        m_window.reset();
        m_server.reset();
    }

    void contactPanelReport()
    {
        setAddresses(0, { { QStringLiteral("Text4_1"), "/a50.png" }, { QStringLiteral("Text4_2"), "/a60.png" },
                          { QStringLiteral("Text4_3"), "/missing" }, { QStringLiteral("Text4_4"), "/page" },
                          { QStringLiteral("Text4_5"), "/moved" }, { QStringLiteral("Text1_1"), "/a50.png" } });
        // Editing addresses asks nothing of the network: only the menu does.
        auto* avatar = get<QLineEdit>(QStringLiteral("Text4_1"));
        avatar->end(false);
        QTest::keyClicks(avatar, QStringLiteral("?v=2"));
        QTest::qWait(200);
        QCOMPARE(m_server->connections, 0);
        // The worst first: what is of no use, then the wrong sizes, then what
        // is wrong only for its plain http.
        QCOMPARE(reportOf(0), QStringLiteral("地址检查结果|1\n")
                     + QStringLiteral("头像图片地址 3（") + initialText(QStringLiteral("Text2_3")) + QStringLiteral("）：无法访问（HTTP 404）")
                     + QStringLiteral("\n头像图片地址 4（") + initialText(QStringLiteral("Text2_4")) + QStringLiteral("）：不是图片") + HttpNote
                     + QStringLiteral("\n头像图片地址 2（") + initialText(QStringLiteral("Text2_2")) + QStringLiteral("）：尺寸不符 60×60，应为 50×50") + HttpNote
                     + QStringLiteral("\n客服中心+售前客服图片地址：尺寸不符 50×50，应为宽 204") + HttpNote
                     + QStringLiteral("\n头像图片地址 1（") + initialText(QStringLiteral("Text2_1")) + QStringLiteral("）：正常 50×50") + HttpNote
                     + QStringLiteral("\n头像图片地址 5（") + initialText(QStringLiteral("Text2_5")) + QStringLiteral("）：正常 50×50") + HttpNote);
    }

    void posterPanelReport()
    {
        setAddresses(3, { { QStringLiteral("Text15_1"), "/poster.gif" }, { QStringLiteral("Text15_2"), "/page" },
                          { QStringLiteral("Text15_3"), "/a60.png" }, { QStringLiteral("Text15_4"), "/missing" } });
        QCOMPARE(reportOf(3), QStringLiteral("地址检查结果|1\n")
                     + QStringLiteral("商品链接地址 2：无法访问（HTTP 404）")
                     + QStringLiteral("\n海报图片地址B：尺寸不符 60×60，应为 1440×500") + HttpNote
                     + QStringLiteral("\n海报图片地址A：正常 1440×500") + HttpNote
                     + QStringLiteral("\n商品链接地址 1：正常") + HttpNote);
    }

    void fourAtATimeAndCancelEndsThemAll()
    {
        QHash<QString, const char*> hanging;
        const char* paths[] = { "/hang1", "/hang2", "/hang3", "/hang4", "/hang5", "/hang6" };
        for (int row = 1; row <= 6; ++row)
            hanging.insert(arrayElementName(QStringLiteral("Text4"), row), paths[row - 1]);
        setAddresses(0, hanging);
        m_window->offer(PanelOffer::AddressCheck, 0);
        // Settles at once when too many start, so that the count tells it.
        QTRY_VERIFY(m_server->openConnections() >= 4);
        QTest::qWait(200);
        QCOMPARE(m_server->connections, 4);

        auto* progress = m_window->findChild<QDialog*>(QStringLiteral("AddressCheckProgress"));
        QVERIFY(progress && progress->isVisible());
        QCOMPARE(progress->findChild<QProgressBar*>()->maximum(), 6);
        for (QPushButton* button : progress->findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("取消"))
                QTest::mouseClick(button, Qt::LeftButton);
        }
        QTRY_COMPARE_WITH_TIMEOUT(m_server->openConnections(), 0, 1000);
        QTest::qWait(200);
        QCOMPARE(m_server->connections, 4);
        QVERIFY(m_notifier.boxes.isEmpty());
        QTRY_VERIFY(!m_window->findChild<QDialog*>(QStringLiteral("AddressCheckProgress")));
    }

    // The sign shows while a value would break the snippet; the snippet
    // still carries the value exactly as typed.
    void signMarksAFieldAndTheSnippetKeepsItsValue()
    {
        m_window->showPanel(4);
        auto* music = get<QLineEdit>(QStringLiteral("Text18"));
        QVERIFY(!music->findChild<QAction*>(QStringLiteral("fieldProblem")));
        const QString broken = QStringLiteral("music.example/a\".mp3 ");
        music->setText(broken);
        auto* sign = music->findChild<QAction*>(QStringLiteral("fieldProblem"));
        QVERIFY(sign && sign->isVisible());
        QVERIFY(!sign->toolTip().isEmpty());
        QCOMPARE(music->toolTip(), sign->toolTip());

        QTest::mouseClick(get<QPushButton>(QStringLiteral("背景音乐生成")), Qt::LeftButton);
        QCOMPARE(m_notifier.boxes.value(0).kind, RecordingNotifier::Kind::Inform);
        QVERIFY(m_clipboard.content.contains(broken));

        music->setText(QStringLiteral("https://music.example/a.mp3"));
        QVERIFY(!sign->isVisible());
        QVERIFY(music->toolTip().isEmpty());
    }

    // Each panel's right-click menu as the owner sees it, the preview's key,
    // and the tooltip over the panel that tells of them (not over a field).
    void panelMenusAsTheOwnerSeesThem()
    {
        const auto hover = [this](const QString& name) {
            QWidget* widget = get(name);
            QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(widget, &event);
        };
        hover(QStringLiteral("Text2_1"));
        QVERIFY(!QToolTip::isVisible());
        const QString restore = QStringLiteral("恢复本页默认内容");
        const QString check = QStringLiteral("检查本页图片地址");
        const QString banners = QStringLiteral("修改客服横幅图片地址…");
        const QString samples = QStringLiteral("导出示例图片…");
        const QString preview = QStringLiteral("在浏览器中预览");
        const QList<QStringList> menus {
            { restore, check, banners, samples, preview },
            { restore, check, samples, preview },
            { restore, check, preview },
            { restore, check, preview },
            { restore, check, preview },
            { restore, check },
            {},
        };
        for (int i = 0; i < PanelCount; ++i) {
            m_window->showPanel(i);
            QMenu* menu = rightClick(panelName(i));
            QStringList shown = menu ? captions(menu) : QStringList();
            shown.removeAll(QString());
            QCOMPARE(shown, menus.at(i));
            if (shown.contains(preview))
                QCOMPARE(menu->actions().last()->shortcut(), QKeySequence(Qt::Key_F5));
            if (!shown.isEmpty()) {
                hover(panelName(i));
                const QString hint = QToolTip::text();
                for (const QString& caption : shown)
                    QVERIFY2(hint.contains(caption), qPrintable(hint));
                QCOMPARE(hint.contains(QStringLiteral("F5")), shown.contains(preview));
            }
            if (menu)
                menu->close();
        }
    }
};

QTEST_MAIN(AddressWindowTest)
#include "tst_address_window.moc"
