#include "ControlInventory.h"
#include "MainWindow.h"
#include "TestSupport.h"
#include "WindowTestCase.h"
#include "TextStore.h"
#include "UiSetup.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QtTest>

#include <memory>

// The window as a user meets it, on the offscreen platform: what shows at
// start, switching panels, the About panel, the visit links, the layout's
// invariants and the clicks of the contact panel's buttons.
class WindowTest : public WindowTestCase
{
    Q_OBJECT

private:
    QList<int> visiblePanels()
    {
        QList<int> shown;
        for (int i = 0; i < PanelCount; ++i) {
            if (get(panelName(i))->isVisibleTo(m_window.get()))
                shown << i;
        }
        return shown;
    }
    void clickOption(int index)
    {
        QRadioButton* option = get<QRadioButton>(optionName(index));
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
    }
    bool activate()
    {
        m_window->activateWindow();
        return QTest::qWaitForWindowActive(m_window.get());
    }
    void type(const char* text)
    {
        for (const char* c = text; *c; ++c)
            QTest::keyClick(m_window->windowHandle(), *c);
    }
    // Shown, and inside every container up to the window.
    bool seenByUser(const QWidget* widget)
    {
        if (!widget->isVisible())
            return false;
        for (; widget != m_window.get(); widget = widget->parentWidget()) {
            if (!widget->parentWidget()->rect().contains(widget->geometry()))
                return false;
        }
        return true;
    }
    QString focusName() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }

private slots:
    void initTestCase()
    {
        applyWindowFont(*qApp);
        QVERIFY2(loadQtTranslation(*qApp), qPrintable(qtTranslationFolder()));
    }

    void init()
    {
        startWindow();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    // Owners paste by right-clicking a field: Qt's own menu must be Chinese.
    void fieldMenuSpeaksChinese()
    {
        const std::unique_ptr<QMenu> menu(get<QLineEdit>(QStringLiteral("Text12"))->createStandardContextMenu());
        QStringList texts;
        for (const QAction* action : menu->actions())
            texts << action->text().remove(QRegularExpression(QStringLiteral("\\(&.\\)|&|\\t.*")));
        QVERIFY2(texts.contains(QStringLiteral("粘贴")), qPrintable(texts.join(QLatin1Char('|'))));
    }

    void startsWithPanelZeroAndOptionZero()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("饰铺通 V1.0"));
        // The icon's small images, not its 256-pixel one, which start-up need not decode.
        const QList<QSize> iconSizes = m_window->windowIcon().availableSizes();
        QVERIFY(!iconSizes.isEmpty());
        QCOMPARE(*std::max_element(iconSizes.cbegin(), iconSizes.cend(),
                                   [](QSize a, QSize b) { return a.width() < b.width(); }),
                 QSize(128, 128));
        QCOMPARE(m_window->size(), QSize(831, 495));
        QCOMPARE(visiblePanels(), QList<int> { 0 });
        for (int i = 0; i < PanelCount; ++i) {
            QWidget* panel = get(panelName(i));
            QCOMPARE(panel->pos(), QPoint(120 / 15, 720 / 15));
            QCOMPARE(panel->height(), 6375 / 15);
            QCOMPARE(panel->width(), (i == 2 ? 12135 : 12255) / 15);
        }
        QVERIFY(get<QRadioButton>(optionName(0))->isChecked());
        QRadioButton* fixedBackground = get<QRadioButton>(optionName(5));
        QVERIFY(!fixedBackground->isVisibleTo(m_window.get()));
        QVERIFY(fixedBackground->x() >= get(QStringLiteral("Frame1"))->width());
    }

    void windowIsCentredByItsOuterRectangle()
    {
        const QRect screen = m_window->screen()->geometry();
        const QRect outer = m_window->frameGeometry();
        // The offscreen platform frames the window by two pixels a side and
        // settles it within that margin.
        const QPoint off = 2 * outer.topLeft() + QPoint(outer.width(), outer.height())
            - 2 * screen.topLeft() - QPoint(screen.width(), screen.height());
        QVERIFY2(qAbs(off.x()) <= 4 && qAbs(off.y()) <= 4,
                 qPrintable(QStringLiteral("outer %1,%2 %3x%4 on screen %5x%6").arg(outer.x()).arg(outer.y())
                                .arg(outer.width()).arg(outer.height()).arg(screen.width()).arg(screen.height())));
    }

    void visibleOptionsReadLeftToRight()
    {
        QList<QRadioButton*> options;
        for (int i = 0; i < PanelCount; ++i) {
            QRadioButton* option = get<QRadioButton>(optionName(i));
            if (option->isVisibleTo(m_window.get()))
                options << option;
        }
        std::sort(options.begin(), options.end(), [](auto* a, auto* b) { return a->x() < b->x(); });
        QStringList captions;
        for (QRadioButton* option : options)
            captions << option->text();
        QCOMPARE(captions, (QStringList { QStringLiteral("客服在线"), QStringLiteral("仿LEN滚动条"),
                                          QStringLiteral("CSS导航背景变色"), QStringLiteral("全屏海报轮播"),
                                          QStringLiteral("店铺背景音乐"), QStringLiteral("关于软件") }));
        QVERIFY(get(QStringLiteral("Label10_0"))->x() > options.last()->geometry().right());
    }

    void optionShowsItsPanelOnly()
    {
        for (int i : { 1, 2, 3, 4, 6, 0 }) {
            clickOption(i);
            QCOMPARE(visiblePanels(), QList<int> { i });
            QVERIFY(get<QRadioButton>(optionName(i))->isChecked());
        }
        clickOption(4);
        clickOption(4);
        QCOMPARE(visiblePanels(), QList<int> { 4 });
        m_window->showPanel(5);
        QCOMPARE(visiblePanels(), QList<int> { 5 });
    }

    void switchingKeepsWhatTheUserTyped()
    {
        QLineEdit* nickname = get<QLineEdit>(QStringLiteral("Text2_1"));
        nickname->clear();
        QTest::keyClicks(nickname, QStringLiteral("abc \"<x>"));
        QLineEdit* poster = get<QLineEdit>(QStringLiteral("Text15_2"));
        clickOption(3);
        poster->setText(QStringLiteral("typed on panel 3"));
        clickOption(0);
        QCOMPARE(nickname->text(), QStringLiteral("abc \"<x>"));
        clickOption(3);
        QCOMPARE(poster->text(), QStringLiteral("typed on panel 3"));
        QCOMPARE(get<QLineEdit>(QStringLiteral("Text3_1"))->text(), QStringLiteral("QX5102"));
    }

    void aboutPanelShowsEveryLine()
    {
        clickOption(6);
        auto* about = get<QPlainTextEdit>(QStringLiteral("Text22"));
        const QString expected = aboutText();
        QVERIFY(expected.startsWith(QStringLiteral("\r\n\r\n    软件开发：禾木川舍\r\n")));
        QVERIFY(expected.endsWith(QStringLiteral("    了解软件最新版功能，请到 ") + updatePageAddress() + QStringLiteral("\r\n")));
        QVERIFY(expected.contains(QStringLiteral("    软件制作： QQ：") + developerQQ() + QStringLiteral("\r\n")));
        QString shown = expected;
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        shown.chop(1);
        QCOMPARE(about->toPlainText(), shown);
        QCOMPARE(about->size(), QSize(7095 / 15, 2895 / 15));
        QCOMPARE(about->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        // Every line, the update address included, is inside the visible box.
        QTextCursor end(about->document());
        end.movePosition(QTextCursor::End);
        const QRect lastLine = about->cursorRect(end);
        QVERIFY2(lastLine.bottom() <= about->viewport()->height(),
                 qPrintable(QStringLiteral("last line ends at %1 of %2").arg(lastLine.bottom()).arg(about->viewport()->height())));
        QCOMPARE(about->document()->lastBlock().layout()->lineCount(), 1);
    }

    void visitLinksOpenTheDevelopersPage()
    {
        for (const QString& link : { QStringLiteral("Label10_0"), QStringLiteral("Label10_1") }) {
            if (link == QStringLiteral("Label10_1"))
                clickOption(6);
            QLabel* label = get<QLabel>(link);
            QCOMPARE(label->text(), QStringLiteral("访问禾木川舍"));
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
            QTest::mouseClick(label, Qt::LeftButton);
        }
        QCOMPARE(m_opened, (QList<QUrl> { QUrl(updatePageAddress()), QUrl(updatePageAddress()) }));
        QVERIFY(m_notifier.boxes.isEmpty());
    }

    void failedVisitTellsTheAddress()
    {
        m_openerWorks = false;
        QTest::mouseClick(get<QLabel>(QStringLiteral("Label10_0")), Qt::LeftButton);
        QCOMPARE(m_notifier.boxes.size(), 1);
        QVERIFY(m_notifier.boxes.first().message.contains(updatePageAddress()));
    }

    // The page file in the cache folder: the fallback, always the latest.
    static QString previewPath(const QString& page = QStringLiteral("contact-block.html"))
    {
        return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/preview/") + page;
    }
    static QByteArray previewFile() { return readFile(previewPath()); }
    // Stands in for a browser tab showing `page`: listens for its changes,
    // and once it has heard what the server says at once, puts it in `heard`.
    static std::unique_ptr<QTcpSocket> openTab(const QUrl& page, QByteArray& heard)
    {
        auto tab = std::make_unique<QTcpSocket>();
        tab->connectToHost(QHostAddress::LocalHost, quint16(page.port()));
        tab->write("GET " + page.path().replace(QStringLiteral(".html"), QStringLiteral(".events")).toLatin1()
            + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(page.port()) + "\r\n\r\n");
        if (!QTest::qWaitFor([&] { return (heard += tab->readAll()).startsWith("HTTP/1.1 200 OK\r\n"); }))
            qWarning("the page's change events were not served");
        QTest::qWait(100);
        heard += tab->readAll();
        return tab;
    }

    // The preview shows what 生成代码 delivers, touches neither the clipboard
    // nor the work buffer, and its page follows the fields once typing pauses.
    // While a browser has the page open, F5 refreshes it; once the tab is
    // gone, F5 opens the page again, and an opener that fails names its file.
    void previewOpensThePageAndRefreshesItWhileOpen()
    {
        const Generator& contact = generatorOf("旺旺在线");
        QTest::mouseClick(get<QPushButton>(contact.button), Qt::LeftButton);
        const QString delivered = m_clipboard.content;
        m_notifier = RecordingNotifier();
        m_window->setFieldText(contact.workBuffer, QStringLiteral("kept"));

        QMenu* menu = rightClick(panelName(0));
        QVERIFY(menu);
        menu->actions().last()->trigger();
        menu->close();
        QTRY_COMPARE(m_opened.size(), 1);
        QCOMPARE(m_opened.first().host(), QStringLiteral("127.0.0.1"));
        QVERIFY(previewFile().contains(delivered.toUtf8()));
        QCOMPARE(m_clipboard.sets, 1);
        QCOMPARE(m_window->fieldText(contact.workBuffer), QStringLiteral("kept"));
        QVERIFY(m_notifier.boxes.isEmpty());

        get<QLineEdit>(QStringLiteral("Text2_1"))->setText(QStringLiteral("新昵称<b>"));
        QTRY_VERIFY(previewFile().contains("新昵称<b>"));

        QByteArray heard;
        const std::unique_ptr<QTcpSocket> tab = openTab(m_opened.first(), heard);
        const qsizetype changes = heard.count("event: change\n");
        QVERIFY(activate());
        press(Qt::Key_F5);
        QTRY_COMPARE((heard += tab->readAll()).count("event: change\n"), changes + 1);
        QCOMPARE(m_opened.size(), 1);
        tab->abort();
        // Until the server has seen the tab go, F5 still refreshes it.
        QTRY_VERIFY(([this] { press(Qt::Key_F5); return m_opened.size() >= 2; }()));
        m_openerWorks = false;
        const qsizetype opened = m_opened.size();
        press(Qt::Key_F5);
        QCOMPARE(m_opened.size(), opened + 1);
        QCOMPARE(m_notifier.boxes.size(), 1);
        QVERIFY(m_notifier.boxes.first().message.contains(QDir::toNativeSeparators(previewPath())));
    }

    // A page that cannot be written is told to the open page, which gets
    // no change and so keeps the last good version.
    void aFailedRewriteIsToldToTheOpenPage()
    {
        m_window->offer(PanelOffer::Preview, 0);
        QByteArray heard;
        const std::unique_ptr<QTcpSocket> tab = openTab(m_opened.value(0), heard);
        const qsizetype changes = heard.count("event: change");
        // Not even root can write a file where a folder stands.
        QVERIFY(QFile::remove(previewPath()) && QDir().mkdir(previewPath()));
        get<QLineEdit>(QStringLiteral("Text2_1"))->setText(QStringLiteral("写不进去"));
        QTRY_VERIFY((heard += tab->readAll()).contains("event: failed\ndata: "));
        QCOMPARE(heard.count("event: change"), changes);
        QVERIFY(QDir().rmdir(previewPath()));
    }

    // F5 previews the panel shown, however it came to show: each generator
    // into a page of its own, and typing rewrites only pages once previewed.
    // The About panel has none: F5 there does nothing.
    void f5PreviewsTheShownPanelIntoItsOwnPage()
    {
        QVERIFY(activate());
        m_window->showPanel(6);
        press(Qt::Key_F5);
        QVERIFY(m_opened.isEmpty());
        QVERIFY(m_notifier.boxes.isEmpty());

        m_window->showPanel(1);
        press(Qt::Key_F5);
        m_window->showPanel(3);
        press(Qt::Key_F5);
        QCOMPARE(m_opened.size(), 2);
        const QString strip = previewPath(QFileInfo(m_opened.at(0).path()).fileName());
        const QString carousel = previewPath(QFileInfo(m_opened.at(1).path()).fileName());
        QVERIFY(strip != carousel);
        const QDir folder = QFileInfo(strip).dir();
        const QStringList pages = folder.entryList(QDir::Files);

        m_window->setFieldText(QStringLiteral("Text7_1"), QStringLiteral("https://nav.example/never-previewed.png"));
        m_window->setFieldText(QStringLiteral("Text12"), QStringLiteral("新公告"));
        QTRY_VERIFY(readFile(strip).contains("新公告"));
        QCOMPARE(folder.entryList(QDir::Files), pages);
        QVERIFY(!readFile(carousel).contains("新公告"));
    }

    void layoutInvariantsHoldOnEveryPanel()
    {
        for (int i = 0; i < PanelCount; ++i) {
            m_window->showPanel(i);
            QWidget* panel = get(panelName(i));
            const QRect inside(QPoint(0, 0), panel->size());
            QList<QWidget*> inputs;
            for (const ControlSpec& spec : controlInventory()) {
                if (spec.container != panelName(i))
                    continue;
                QWidget* widget = get(spec.name);
                if (spec.kind == ControlKind::HiddenText) {
                    QVERIFY2(!widget->isVisibleTo(m_window.get()), qPrintable(spec.name));
                    continue;
                }
                QVERIFY2(widget->isVisibleTo(m_window.get()), qPrintable(spec.name));
                const QRect box = widget->geometry();
                if (spec.has(ControlFlag::Outside))
                    QVERIFY2(!box.intersects(inside), qPrintable(spec.name + QStringLiteral(" should lie outside")));
                else if (spec.name != QStringLiteral("Image1_3")) // drawn wider than its panel, cut at the edge
                    QVERIFY2(inside.contains(box), qPrintable(spec.name + QStringLiteral(" should lie inside")));
                if (spec.kind == ControlKind::TextField || spec.kind == ControlKind::Button) {
                    if (!spec.has(ControlFlag::Outside))
                        inputs << widget;
                }
                if (spec.has(ControlFlag::AutoSize)) {
                    auto* label = qobject_cast<QLabel*>(widget);
                    QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(label->text()), qPrintable(spec.name));
                }
            }
            for (qsizetype a = 0; a < inputs.size(); ++a) {
                for (qsizetype b = a + 1; b < inputs.size(); ++b) {
                    QVERIFY2(!inputs[a]->geometry().intersects(inputs[b]->geometry()),
                             qPrintable(inputs[a]->objectName() + QStringLiteral(" overlaps ") + inputs[b]->objectName()));
                }
            }
        }
    }

    void labelsOverPicturesStayOnTop()
    {
        for (const auto& [label, picture] : { std::pair { QStringLiteral("Label2_4"), QStringLiteral("Image1_1") },
                                              std::pair { QStringLiteral("Label2_5"), QStringLiteral("Image1_3") } }) {
            QWidget* parent = get(label)->parentWidget();
            const QObjectList& stack = parent->children();
            QVERIFY(stack.indexOf(get(label)) > stack.indexOf(get(picture)));
            QVERIFY(get(label)->geometry().intersects(get(picture)->geometry()));
        }
    }

    void picturesShowNaturalOrStretched()
    {
        for (const ControlSpec& spec : controlInventory()) {
            if (spec.kind != ControlKind::Picture)
                continue;
            auto* picture = get<QLabel>(spec.name);
            const QPixmap pixmap = picture->pixmap();
            QVERIFY2(!pixmap.isNull(), qPrintable(spec.name));
            QCOMPARE(picture->size(), spec.twips.size() / 15);
            QCOMPARE(picture->hasScaledContents(), spec.has(ControlFlag::Stretched));
            if (!spec.has(ControlFlag::Stretched))
                QCOMPARE(pixmap.size(), picture->size());
        }
    }

    void focusChainFollowsTheListedOrder()
    {
        for (int panel = 0; panel < PanelCount; ++panel) {
            m_window->showPanel(panel);
            QStringList expected;
            for (const QString& name : focusOrder()) {
                QWidget* widget = m_window->control(name);
                if (widget && widget->isVisibleTo(m_window.get()))
                    expected << name;
            }
            QStringList visited;
            QWidget* start = get(expected.first());
            QWidget* widget = start;
            do {
                const QString name = widget->objectName();
                // Options of one group keep their place in the chain, though Tab
                // itself stops only at the checked one.
                if (widget->isVisibleTo(m_window.get()) && widget->focusPolicy() != Qt::NoFocus
                    && m_window->control(name) == widget)
                    visited << name;
                widget = widget->nextInFocusChain();
            } while (widget && widget != start);
            QCOMPARE(visited.join(QLatin1Char(' ')), expected.join(QLatin1Char(' ')));
        }
    }

    void everyFieldHasItsLabelAndEveryInputOneTabPlace()
    {
        QSet<int> places;
        for (const ControlSpec& spec : controlInventory()) {
            if (spec.tab > 0) {
                QVERIFY2(!places.contains(spec.tab), qPrintable(spec.name + QStringLiteral(" shares its Tab place")));
                places.insert(spec.tab);
            }
            const bool input = spec.kind == ControlKind::TextField || spec.kind == ControlKind::Button
                || spec.kind == ControlKind::Option;
            if (input && !spec.has(ControlFlag::Hidden) && !spec.has(ControlFlag::Outside))
                QVERIFY2(spec.tab > 0, qPrintable(spec.name + QStringLiteral(" has no Tab place")));
            if (spec.kind != ControlKind::TextField)
                continue;
            // The label stands in the same panel, and the first field it names is its buddy.
            const ControlSpec* label = findControl(spec.label);
            QVERIFY2(label && label->kind == ControlKind::Label && label->container == spec.container,
                     qPrintable(spec.name));
            QWidget* buddy = get<QLabel>(spec.label)->buddy();
            QVERIFY2(buddy, qPrintable(spec.label));
            QCOMPARE(findControl(buddy->objectName())->label, spec.label);
        }
        QCOMPARE(get<QLabel>(QStringLiteral("Label1_3"))->buddy(), get(QStringLiteral("Text3_6")));
        QCOMPARE(get<QLabel>(QStringLiteral("Label9_2"))->buddy(), get(QStringLiteral("Text7_8")));
    }

    void keyboardStartsOnTheCheckedOption()
    {
        QVERIFY(activate());
        QCOMPARE(focusName(), optionName(0));
        press(Qt::Key_Space);
        QCOMPARE(focusName(), optionName(0));
        QVERIFY(get<QRadioButton>(optionName(0))->isChecked());
        QCOMPARE(visiblePanels(), QList<int> { 0 });
        press(Qt::Key_Right);
        QCOMPARE(focusName(), optionName(1));
        QVERIFY(get<QRadioButton>(optionName(1))->isChecked());
        QCOMPARE(visiblePanels(), QList<int> { 1 });
        press(Qt::Key_Left);
        QCOMPARE(focusName(), optionName(0));
        QCOMPARE(visiblePanels(), QList<int> { 0 });

        // Only the first activation picks the focus; later ones give back the user's.
        get(QStringLiteral("Text3_2"))->setFocus();
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(activate());
        QCOMPARE(focusName(), QStringLiteral("Text3_2"));
    }

    void tabNeverLandsOutsideTheShownPanel()
    {
        QVERIFY(activate());
        QHash<QString, QString> outsideValues;
        for (const ControlSpec& spec : controlInventory()) {
            if (spec.has(ControlFlag::Outside)) {
                QCOMPARE(get(spec.name)->focusPolicy(), Qt::NoFocus);
                outsideValues.insert(spec.name, m_window->fieldText(spec.name));
            }
        }
        // From every Tab stop of every panel, both ways, then typing where the
        // focus went.
        for (int panel = 0; panel < PanelCount; ++panel) {
            m_window->showPanel(panel);
            for (const QString& from : focusOrder()) {
                QWidget* start = get(from);
                if (!start->isVisible())
                    continue;
                for (const Qt::KeyboardModifiers modifiers : { Qt::NoModifier, Qt::ShiftModifier }) {
                    start->setFocus(Qt::MouseFocusReason);
                    QCOMPARE(QApplication::focusWidget(), start);
                    press(Qt::Key_Tab, modifiers);
                    QWidget* now = QApplication::focusWidget();
                    QVERIFY2(now && now != start && seenByUser(now),
                             qPrintable(QStringLiteral("panel %1: %2 from %3 went to %4")
                                            .arg(panel)
                                            .arg(modifiers ? QStringLiteral("Shift+Tab") : QStringLiteral("Tab"),
                                                 from, focusName())));
                    if (!qobject_cast<QAbstractButton*>(now)) // Space would click
                        type("xyzzy");
                }
            }
        }
        for (auto it = outsideValues.cbegin(); it != outsideValues.cend(); ++it)
            QCOMPARE(m_window->fieldText(it.key()), it.value());
    }

    void shiftTabFromTheLastContactRowReachesTheButtonsNotABanner()
    {
        QVERIFY(activate());
        QTest::mouseClick(get(QStringLiteral("Text4_9")), Qt::LeftButton);
        QCOMPARE(focusName(), QStringLiteral("Text4_9"));
        press(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focusName(), QStringLiteral("旺旺在线"));
        type("xyzzy");
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("Text4_9"));
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("Text3_9"));
        QTest::mouseClick(get(QStringLiteral("旺旺在线")), Qt::LeftButton);
        QVERIFY(!m_clipboard.content.isEmpty());
        QVERIFY(!m_clipboard.content.contains(QStringLiteral("xyzzy")));
        for (const char* banner : { "Text1_1", "Text1_2", "Text1_3" })
            QVERIFY2(m_clipboard.content.contains(initialText(QString::fromLatin1(banner))), banner);
    }

    void fieldsAndButtonsHaveAccessibleNames()
    {
        QCOMPARE(get(QStringLiteral("Text18"))->accessibleName(), QStringLiteral("音乐网络链接地址："));
        QCOMPARE(get(QStringLiteral("Text7_4"))->accessibleName(), QStringLiteral("鼠标移至,所有分类背景图："));
        QCOMPARE(get(QStringLiteral("Text3_7"))->accessibleName(), QStringLiteral("售后客服 7"));
        QCOMPARE(get(QStringLiteral("旺旺清除"))->accessibleName(), QStringLiteral("清空内容"));
        for (const ControlSpec& spec : controlInventory()) {
            if (spec.kind == ControlKind::TextField || spec.kind == ControlKind::Button)
                QVERIFY2(!get(spec.name)->accessibleName().isEmpty(), qPrintable(spec.name));
        }
    }

    void clearingAsksAndOnYesEmptiesTheContactRowsOnly()
    {
        QStringList contactFields;
        for (int n = 1; n <= 9; ++n) {
            for (const char* array : { "Text2", "Text3", "Text4" })
                contactFields << arrayElementName(QString::fromLatin1(array), n);
        }
        const QStringList untouched { QStringLiteral("Text1_1"), QStringLiteral("Text1_2"), QStringLiteral("Text1_3"),
                                      QStringLiteral("Text24"), QStringLiteral("Text23") };
        QHash<QString, QString> before;
        for (const QString& name : contactFields + untouched)
            before.insert(name, m_window->fieldText(name));

        m_notifier.answers = { false };
        get<QPushButton>(QStringLiteral("旺旺清除"))->click();
        QCOMPARE(m_notifier.boxes.size(), 1);
        QCOMPARE(m_notifier.boxes.first().kind, RecordingNotifier::Kind::Ask);
        QCOMPARE(m_notifier.boxes.first().title, QStringLiteral("提示"));
        QCOMPARE(m_notifier.boxes.first().message, QStringLiteral("清空后将无法恢复，是否要清空现在的内容？"));
        for (const QString& name : contactFields)
            QCOMPARE(m_window->fieldText(name), before.value(name));

        m_notifier.answers = { true };
        get<QPushButton>(QStringLiteral("旺旺清除"))->click();
        QCOMPARE(m_notifier.boxes.size(), 2);
        for (const QString& name : contactFields)
            QVERIFY2(m_window->fieldText(name).isEmpty(), qPrintable(name));
        for (const QString& name : untouched)
            QCOMPARE(m_window->fieldText(name), before.value(name));
        QCOMPARE(m_clipboard.clears + m_clipboard.sets + m_clipboard.reads, 0);

        // Asked again even with nothing left to clear.
        m_notifier.answers = { true };
        get<QPushButton>(QStringLiteral("旺旺清除"))->click();
        QCOMPARE(m_notifier.boxes.size(), 3);
    }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
