#include "ControlInventory.h"
#include "PanelForm.h"
#include "PanelTable.h"
#include "PresetNameDialog.h"
#include "PresetStore.h"
#include "WindowTestCase.h"

#include <QLabel>
#include <QLineEdit>

// The 方案 as the owner meets them in the window: the menus, the title,
// switching, and the name dialog's refusals.
class PresetsWindowTest : public WindowTestCase
{
    Q_OBJECT

private:
    std::unique_ptr<PresetStore> m_store;
    QStringList m_names; // the name dialog's answers, in turn

    QStringList presetCaptions(QMenu* menu)
    {
        const QAction* last = menu->actions().last();
        return last->menu() ? captions(last->menu()) : captions(menu);
    }
    // Chooses `caption` from the 方案 items of the menu `name` opens.
    void choose(const QString& name, const QString& caption)
    {
        QMenu* menu = rightClick(name);
        QVERIFY2(menu, qPrintable(name));
        QMenu* items = menu->actions().last()->menu() ? menu->actions().last()->menu() : menu;
        const QList<QAction*> actions = items->actions();
        const auto it = std::find_if(actions.cbegin(), actions.cend(), [&caption](QAction* a) { return a->text() == caption; });
        QVERIFY2(it != actions.cend(), qPrintable(caption));
        (*it)->trigger();
        menu->close();
    }

private slots:
    void menusTitleAndSwitchingKeepEachSetApart()
    {
        m_store = std::make_unique<PresetStore>();
        m_store->open();
        // A value of a panel that start-up does not build.
        QVERIFY(m_store->save({ { QStringLiteral("Text15_2"), QStringLiteral("https://a.example/") } }));
        WindowServices services;
        services.presets = m_store.get();
        services.askPresetName = [this](const QString&, const QString&, const QStringList&) { return m_names.takeFirst(); };
        startWindow(services);
        QCOMPARE(m_window->windowTitle(), windowCaption());

        m_window->showPanel(0);
        m_window->setFieldText(QStringLiteral("Text2_1"), QStringLiteral("A的昵称"));
        m_names = { QStringLiteral("B店") };
        choose(optionName(0), QStringLiteral("新建方案…"));
        QTRY_COMPARE(m_window->windowTitle(), windowCaption() + QStringLiteral(" - B店"));
        QCOMPARE(m_window->fieldText(QStringLiteral("Text2_1")), initialText(QStringLiteral("Text2_1")));
        QCOMPARE(m_window->fieldText(QStringLiteral("Text15_2")), initialText(QStringLiteral("Text15_2")));
        m_window->setFieldText(QStringLiteral("Text18"), QStringLiteral("http://b.example/b.mp3"));

        // A switch tells of each field it changes, as typing does, so that a
        // previewed page follows it.
        QSignalSpy changed(m_window->findChild<PanelForm*>(), &PanelForm::fieldChanged);
        const QVariantList music { QStringLiteral("Text18") };
        for (int round = 0; round < 2; ++round) {
            changed.clear();
            choose(QStringLiteral("Label2_0"), QStringLiteral("默认方案"));
            QTRY_COMPARE(m_window->windowTitle(), windowCaption() + QStringLiteral(" - 默认方案"));
            QCOMPARE(m_window->fieldText(QStringLiteral("Text2_1")), QStringLiteral("A的昵称"));
            QCOMPARE(m_window->fieldText(QStringLiteral("Text15_2")), QStringLiteral("https://a.example/"));
            QCOMPARE(m_window->fieldText(QStringLiteral("Text18")), initialText(QStringLiteral("Text18")));
            QVERIFY(changed.contains(music));

            changed.clear();
            choose(optionName(0), QStringLiteral("B店"));
            QTRY_COMPARE(m_window->windowTitle(), windowCaption() + QStringLiteral(" - B店"));
            QCOMPARE(m_window->fieldText(QStringLiteral("Text2_1")), initialText(QStringLiteral("Text2_1")));
            QCOMPARE(m_window->fieldText(QStringLiteral("Text15_2")), initialText(QStringLiteral("Text15_2")));
            QCOMPARE(m_window->fieldText(QStringLiteral("Text18")), QStringLiteral("http://b.example/b.mp3"));
            QVERIFY(changed.contains(music));
        }


        // Every panel's menu but the About panel's, and the option bar.
        const QStringList items { QStringLiteral("B店"), QStringLiteral("默认方案"), QString(), QStringLiteral("新建方案…"), QStringLiteral("复制当前方案…"),
                                  QStringLiteral("重命名当前方案…"), QStringLiteral("删除当前方案…"), QString(),
                                  QStringLiteral("导入方案…"), QStringLiteral("导出当前方案…"), QStringLiteral("导出全部方案…") };
        for (int panel = 0; panel < PanelCount; ++panel) {
            m_window->showPanel(panel);
            QMenu* menu = rightClick(panelName(panel));
            QCOMPARE(bool(menu), !panelAt(panel).menu().isEmpty());
            if (!menu)
                continue;
            const QList<QAction*> actions = menu->actions();
            QVERIFY(actions.at(actions.size() - 2)->isSeparator());
            QCOMPARE(actions.last()->text(), QStringLiteral("方案"));
            QCOMPARE(presetCaptions(menu), items);
            menu->close();
        }
        QMenu* bar = rightClick(optionName(2));
        QVERIFY(bar);
        QCOMPARE(presetCaptions(bar), items);
        QVERIFY(bar->actions().first()->isChecked());
        bar->close();

        // Deleted, the last one left: the title is as it always was.
        m_notifier.answers = { true };
        choose(optionName(0), QStringLiteral("删除当前方案…"));
        QTRY_COMPARE(m_window->windowTitle(), windowCaption());
        QCOMPARE(m_window->fieldText(QStringLiteral("Text2_1")), QStringLiteral("A的昵称"));
        m_window.reset();
    }

    void nameDialogRefusesAndStaysOpen()
    {
        PresetNameDialog dialog(QStringLiteral("新建方案"), QString(), { QStringLiteral("A店") });
        dialog.show();
        auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("PresetNameField"));
        auto* problem = dialog.findChild<QLabel*>(QStringLiteral("PresetNameProblem"));
        QVERIFY(field && problem);
        const std::pair<QString, QString> refused[] = {
            { QStringLiteral("   "), QStringLiteral("不能为空") },
            { QString(41, QChar(u'店')), QStringLiteral("不能超过 40 个字符") },
            { QStringLiteral(" A店 "), QStringLiteral("已有名为“A店”的方案") },
        };
        for (const auto& [typed, said] : refused) {
            field->setText(typed);
            QTest::keyClick(field, Qt::Key_Return);
            QVERIFY2(dialog.isVisible(), qPrintable(typed));
            QVERIFY2(problem->text().contains(said), qPrintable(problem->text()));
        }
        field->setText(QStringLiteral(" CON "));
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.name(), QStringLiteral("CON"));
    }
};

QTEST_MAIN(PresetsWindowTest)
#include "tst_presets_window.moc"
