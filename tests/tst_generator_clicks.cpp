#include "ControlInventory.h"
#include "Generator.h"
#include "MainWindow.h"
#include "PanelTable.h"
#include "TestSupport.h"
#include "WindowTestCase.h"

#include <QPushButton>
#include <QtTest>


// Each generate button as the user presses it: what reaches the clipboard,
// what the work buffer keeps, how delivery is driven and which box follows.
class GeneratorClicksTest : public WindowTestCase
{
    Q_OBJECT

private:
    QPushButton* button(const Generator& generator) { return get<QPushButton>(generator.button); }
    QString composedFromWindow(const Generator& generator)
    {
        return composeFromFields(generator, [this](const QString& field) { return m_window->fieldText(field); });
    }
    const Generator& generatorAt(int row) { return allGenerators().at(row); }

private slots:
    void init() { startWindow(); }
    void cleanup() { m_window.reset(); }

    void clickDeliversExactlyTheComposition_data()
    {
        QTest::addColumn<int>("row");
        for (int row = 0; row < allGenerators().size(); ++row)
            QTest::newRow(allGenerators().at(row).button.toUtf8().constData()) << row;
    }

    void clickDeliversExactlyTheComposition()
    {
        QFETCH(int, row);
        // The button's own row of the generator table says what it must do.
        const Generator& generator = generatorAt(row);
        const int limit = generator.attemptLimit;
        const bool clearsEveryAttempt = generator.clearing == ClearingMode::EveryAttempt;
        const QString& workBuffer = generator.workBuffer;

        m_window->showPanel(panelOfControl(generator.button)->index);
        QTest::mouseClick(button(generator), Qt::LeftButton);

        const QString expected = composedFromWindow(generator);
        QCOMPARE(m_clipboard.content, expected);
        QVERIFY(!expected.contains(QStringLiteral("图片地址1")));
        if (!workBuffer.isEmpty())
            QCOMPARE(m_window->fieldText(workBuffer), expected);
        // The holder keeps the template: the next click starts from it again.
        QCOMPARE(m_window->fieldText(generator.templateHolder), initialText(generator.templateHolder));
        QCOMPARE(m_clipboard.sets, 1);
        QCOMPARE(m_clipboard.reads, 1);
        QCOMPARE(m_clipboard.clears, 1);
        QCOMPARE(m_notifier.boxes.size(), 1);
        QCOMPARE(m_notifier.boxes.first().kind, RecordingNotifier::Kind::Inform);
        QCOMPARE(m_notifier.boxes.first().title, generator.confirmation.title);
        QCOMPARE(m_notifier.boxes.first().message, generator.confirmation.prompt);

        // The second click starts again from the template: same snippet.
        QTest::mouseClick(button(generator), Qt::LeftButton);
        QCOMPARE(m_clipboard.content, expected);

        // A clipboard that never takes the text: every attempt is made, with
        // the clearing the button asks for, and the failure box follows.
        m_clipboard = FakeClipboard();
        m_clipboard.setWorks = [](int) { return false; };
        m_clipboard.content = QStringLiteral("another program's text");
        m_notifier.boxes.clear();
        QTest::mouseClick(button(generator), Qt::LeftButton);
        QCOMPARE(m_clipboard.sets, limit);
        QCOMPARE(m_clipboard.reads, limit);
        QCOMPARE(m_clipboard.clears, clearsEveryAttempt ? limit : 1);
        QCOMPARE(m_notifier.boxes.size(), 1);
        QCOMPARE(m_notifier.boxes.first().kind, RecordingNotifier::Kind::Warn);
        QCOMPARE(m_notifier.boxes.first().title, QStringLiteral("复制失败"));
        // The snippet is still kept, so the next click can deliver it.
        if (!workBuffer.isEmpty())
            QCOMPARE(m_window->fieldText(workBuffer), expected);
    }

    void chatIdsAreEncodedOnTheWayIntoTheLinks()
    {
        m_window->setFieldText(QStringLiteral("Text3_4"), QStringLiteral("中文ID😀"));
        button(generatorAt(0))->click();
        QCOMPARE(m_clipboard.content.count(QStringLiteral("%E4%B8%AD%E6%96%87ID%F0%9F%98%80&amp;")), 2);
        QCOMPARE(m_window->fieldText(QStringLiteral("Text3_4")), QStringLiteral("中文ID😀"));
    }
};

QTEST_MAIN(GeneratorClicksTest)
#include "tst_generator_clicks.moc"
