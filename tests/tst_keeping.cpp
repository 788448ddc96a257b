#include "ControlInventory.h"
#include "Generator.h"
#include "MainWindow.h"
#include "MessageBoxNotifier.h"
#include "PanelTable.h"
#include "PresetStore.h"
#include "SamplePictures.h"
#include "SnippetFile.h"
#include "TestSupport.h"
#include "WindowTestCase.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <csignal>
#include <memory>

#include <sys/resource.h>

// The owner's work kept through the real window: values that come back at
// the next start from the user's settings (in a temporary config home),
// a panel's defaults from its right-click menu, a snippet the clipboard
// would not take saved to a file, and settings files that are damaged or
// cannot be written.
class KeepingTest : public WindowTestCase
{
    Q_OBJECT

private:
    QStringList m_reports;
    QStringList m_offeredNames;
    QString m_saveTo; // the save dialog's answer: empty cancels
    QString m_folder; // the folder dialog's answer
    std::unique_ptr<PresetStore> m_settings;

    QString settingsFolder() const { return m_home.configHome() + QStringLiteral("/shiputong/presets"); }

    void start(bool freshRecorders = false)
    {
        m_settings = std::make_unique<PresetStore>();
        m_settings->report = [this](const QString& problem) { m_reports << problem; };
        m_settings->open();
        WindowServices services;
        services.presets = m_settings.get();
        services.chooseSaveFile = [this](const QString& suggested) {
            m_offeredNames << suggested;
            return m_saveTo;
        };
        services.chooseFolder = [this] { return m_folder; };
        startWindow(services, freshRecorders);
    }
    // Closed as the user closes it, then started again on the same settings.
    void restart()
    {
        m_window->close();
        stop();
        start();
    }
    // Gone without a close, as in a crash or a power cut.
    void stop()
    {
        m_window.reset();
        m_settings.reset();
    }

    void click(const QString& button)
    {
        m_window->showPanel(panelOfControl(button)->index);
        QTest::mouseClick(get<QPushButton>(button), Qt::LeftButton);
    }
    QStringList editableFields() const
    {
        QStringList names;
        for (const ControlSpec& spec : controlInventory()) {
            if (spec.kind == ControlKind::TextField)
                names << spec.name;
        }
        return names;
    }
    static QString composed(const Generator& generator, const QHash<QString, QString>& typed)
    {
        return composeFromFields(generator, [&typed](const QString& field) { return typed.value(field, initialText(field)); });
    }
    // Runs `write` with files limited to `bytes`: a write past it fails
    // after the file is open, as on a full disk.
    template<typename Write>
    static void withFileSizeLimit(rlim_t bytes, Write write)
    {
        rlimit saved {};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit small = saved;
        small.rlim_cur = bytes;
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        write();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }
    QDialog* openBannerDialog()
    {
        m_window->offer(PanelOffer::BannerAddresses, 0);
        auto* dialog = m_window->findChild<QDialog*>(QStringLiteral("BannerAddresses"));
        return dialog && dialog->isVisible() ? dialog : nullptr;
    }
    static void press(QDialog* dialog, const QString& text)
    {
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->text() == text)
                QTest::mouseClick(button, Qt::LeftButton);
        }
    }
    static QStringList samples() { return QDir(QStringLiteral(":/samples")).entryList(QDir::Files); }
    QString sampleFolder()
    {
        const QString folder = m_home.path() + QStringLiteral("/桌面/示例图片");
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        return folder;
    }

private slots:
    void init()
    {
        QDir(m_home.configHome()).removeRecursively();
        m_reports.clear();
        m_offeredNames.clear();
        m_saveTo.clear();
        start(true);
    }
    void cleanup()
    {
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        m_window.reset();
        m_settings.reset();
    }

    void valuesComeBackAfterARestart()
    {
        const QString nickname = QStringLiteral("店小二 \"金牌\" '客服'");
        const QString chatId = QStringLiteral("中文ID😀");
        QString avatar = QStringLiteral("https://img.example/") + QString(1 << 20, QLatin1Char('a'));
        avatar += QChar(0xD800); // a lone surrogate, kept as it is
        const QString colour = QStringLiteral("#00FF00\t");
        const QString music = QStringLiteral("http://音乐.example/a \"b\".mp3");
        const QHash<QString, QString> typed {
            { QStringLiteral("Text2_1"), nickname },   { QStringLiteral("Text3_4"), chatId },
            { QStringLiteral("Text4_9"), avatar },     { QStringLiteral("Text7_3"), colour },
            { QStringLiteral("Text15_2"), QString() }, { QStringLiteral("Text18"), music },
        };
        m_window->showPanel(0);
        QLineEdit* nicknameField = get<QLineEdit>(QStringLiteral("Text2_1"));
        nicknameField->selectAll();
        QTest::keyClicks(nicknameField, QStringLiteral("typed first "));
        for (auto it = typed.cbegin(); it != typed.cend(); ++it)
            m_window->setFieldText(it.key(), it.value());
        // Edited and put back: follows the default, as if never touched.
        m_window->setFieldText(QStringLiteral("Text9"), QStringLiteral("blue"));
        m_window->setFieldText(QStringLiteral("Text9"), initialText(QStringLiteral("Text9")));
        // Templates always come from the program, whatever a holder held.
        m_window->setFieldText(QStringLiteral("Text19"), QStringLiteral("not the template"));

        restart();

        for (const QString& name : editableFields()) {
            const QString expected = typed.value(name, initialText(name));
            QVERIFY2(m_window->fieldText(name) == expected, qPrintable(name));
        }
        QCOMPARE(m_window->fieldText(QStringLiteral("Text19")), initialText(QStringLiteral("Text19")));
        QCOMPARE(get<QLineEdit>(QStringLiteral("Text4_9"))->cursorPosition(), 0);
    }

    void eachClickKeepsTheValuesWithoutAClose()
    {
        m_window->setFieldText(QStringLiteral("Text18"), QStringLiteral("http://kept.example/a.mp3"));
        click(QStringLiteral("背景音乐生成"));
        stop();
        start();
        QCOMPARE(m_window->fieldText(QStringLiteral("Text18")), QStringLiteral("http://kept.example/a.mp3"));
    }

    // Kept values wait for their panel: start-up builds no hidden panel for
    // them, and runs that never open that panel keep them as they were.
    void keptValuesWaitForTheirPanel()
    {
        m_window->setFieldText(QStringLiteral("Text18"), QStringLiteral("http://kept.example/b.mp3"));
        m_window->setFieldText(QStringLiteral("Text15_2"), QStringLiteral("https://kept.example/shop"));
        restart();
        QVERIFY(!m_window->findChild<QLineEdit*>(QStringLiteral("Text18")));
        QVERIFY(!m_window->findChild<QLineEdit*>(QStringLiteral("Text15_2")));
        click(QStringLiteral("旺旺在线"));
        restart();
        QCOMPARE(m_window->fieldText(QStringLiteral("Text18")), QStringLiteral("http://kept.example/b.mp3"));
        QCOMPARE(m_window->fieldText(QStringLiteral("Text15_2")), QStringLiteral("https://kept.example/shop"));
    }

    // Labels and pictures leave a right-click to their panel; a field keeps
    // its own edit menu.
    void rightClickOnAPanelOffersItsDefaults()
    {
        m_window->showPanel(0);
        for (const QString& name : { QStringLiteral("Label1_0"), QStringLiteral("Image1_0"), QStringLiteral("Text2_1") }) {
            QMenu* menu = rightClick(name);
            QVERIFY2(menu, qPrintable(name));
            QCOMPARE(captions(menu).contains(QStringLiteral("恢复本页默认内容")), name != QStringLiteral("Text2_1"));
            menu->close();
        }
        QVERIFY(m_notifier.boxes.isEmpty());
    }

    void restoringDefaultsAsksAndTouchesThatPanelOnly()
    {
        const QStringList panel0 { QStringLiteral("Text2_1"), QStringLiteral("Text3_9"), QStringLiteral("Text4_5") };
        const QStringList panel3 { QStringLiteral("Text15_1"), QStringLiteral("Text15_4") };
        for (const QString& name : panel0 + panel3)
            m_window->setFieldText(name, QStringLiteral("mine ") + name);

        m_window->showPanel(0);
        m_notifier.answers = { false };
        QMenu* menu = rightClick(QStringLiteral("Label2_0"));
        QVERIFY(menu);
        menu->actions().first()->trigger();
        QTRY_COMPARE(m_notifier.boxes.size(), 1);
        const RecordingNotifier::Box question = m_notifier.boxes.first();
        QCOMPARE(question.kind, RecordingNotifier::Kind::Ask);
        QCOMPARE(question.title, QStringLiteral("提示"));
        for (const QString& name : panel0 + panel3)
            QCOMPARE(m_window->fieldText(name), QStringLiteral("mine ") + name);

        m_notifier.answers = { true };
        menu = rightClick(QStringLiteral("Label2_0"));
        QVERIFY(menu);
        menu->actions().first()->trigger();
        QTRY_COMPARE(m_notifier.boxes.size(), 2);
        for (const ControlSpec& spec : controlInventory()) {
            if (spec.container == panelName(0) && spec.kind == ControlKind::TextField)
                QCOMPARE(m_window->fieldText(spec.name), spec.text);
        }
        for (const QString& name : panel3)
            QCOMPARE(m_window->fieldText(name), QStringLiteral("mine ") + name);
        QCOMPARE(m_clipboard.clears + m_clipboard.sets + m_clipboard.reads, 0);

        // Kept so at once: a restart shows the same.
        stop();
        start();
        QCOMPARE(m_window->fieldText(QStringLiteral("Text2_1")), initialText(QStringLiteral("Text2_1")));
        QCOMPARE(m_window->fieldText(QStringLiteral("Text15_4")), QStringLiteral("mine Text15_4"));
    }

    void unwritableSettingsFolderLeavesEverythingWorking()
    {
        m_window.reset();
        m_settings.reset();
        // A file where the settings folder should be: not even root can
        // write there.
        QDir(m_home.configHome()).removeRecursively();
        QVERIFY(QDir().mkpath(m_home.configHome()));
        QFile blocker(m_home.configHome() + QStringLiteral("/shiputong"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        start();
        // Each click tries to keep its edit; each delivers all the same.
        for (const Generator& generator : allGenerators()) {
            m_notifier.boxes.clear();
            const QHash<QString, QString> typed { { generator.steps.first().field, QStringLiteral("值 ") + generator.button } };
            m_window->setFieldText(typed.begin().key(), typed.begin().value());
            click(generator.button);
            QVERIFY2(m_clipboard.content == composed(generator, typed), qPrintable(generator.button));
            QCOMPARE(m_notifier.boxes.size(), 1);
            QCOMPARE(m_notifier.boxes.first().kind, RecordingNotifier::Kind::Inform);
        }
        m_window->close();
        // Told once, on standard error, naming the file; never in a box.
        QCOMPARE(m_reports.size(), 1);
        QVERIFY2(m_reports.first().contains(settingsFolder()), qPrintable(m_reports.first()));
    }

    void failureBoxSavesTheExactSnippet_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("contact block") << QStringLiteral("旺旺在线") << QStringLiteral("contact-block.html");
        QTest::newRow("announcement strip") << QStringLiteral("LEN滚动") << QStringLiteral("announcement-strip.html");
        QTest::newRow("navigation css") << QStringLiteral("CSS导航") << QStringLiteral("navigation-css.css");
        QTest::newRow("poster carousel") << QStringLiteral("全屏轮播") << QStringLiteral("poster-carousel.html");
        QTest::newRow("background music") << QStringLiteral("背景音乐生成") << QStringLiteral("background-music.html");
        QTest::newRow("fixed background") << QStringLiteral("悬浮背景") << QStringLiteral("fixed-background.html");
    }
    void failureBoxSavesTheExactSnippet()
    {
        QFETCH(QString, button);
        QFETCH(QString, fileName);
        const Generator& generator = *generatorForButton(button);
        m_clipboard.setWorks = [](int) { return false; };
        m_notifier.saveChoices = { true };
        m_saveTo = m_home.path() + QLatin1Char('/') + fileName;
        const QString field = generator.steps.first().field;
        m_window->setFieldText(field, QStringLiteral("店铺 \"一\"\t二"));

        click(button);

        QCOMPARE(m_offeredNames, QStringList { fileName });
        QCOMPARE(m_notifier.boxes.size(), 1);
        QCOMPARE(m_notifier.boxes.first().kind, RecordingNotifier::Kind::Warn);
        QCOMPARE(m_notifier.boxes.first().title, QStringLiteral("复制失败"));
        QCOMPARE(m_notifier.boxes.first().message, QStringLiteral("代码已生成，但未能复制至粘贴板，请关闭占用粘贴板的程序后重试。"));
        QVERIFY(m_notifier.boxes.first().offeredSave);
        const QString snippet = composed(generator, { { field, QStringLiteral("店铺 \"一\"\t二") } });
        QFile file(m_saveTo);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), snippet.toUtf8());
        if (button != QStringLiteral("背景音乐生成") && button != QStringLiteral("悬浮背景"))
            QVERIFY(snippet.contains(QStringLiteral("\r\n")));
        if (!generator.workBuffer.isEmpty())
            QVERIFY(m_window->fieldText(generator.workBuffer) == snippet);
    }

    void failedSaveWarnsAndKeepsTheSnippet()
    {
        const Generator& generator = *generatorForButton(QStringLiteral("旺旺在线"));
        m_clipboard.setWorks = [](int) { return false; };
        m_notifier.saveChoices = { true, true, false };
        m_saveTo = m_home.path() + QStringLiteral("/no such folder/contact-block.html");
        click(generator.button);
        const QString snippet = m_window->fieldText(generator.workBuffer);
        QCOMPARE(snippet, composed(generator, {}));
        QCOMPARE(m_notifier.boxes.size(), 2);
        QCOMPARE(m_notifier.boxes.at(1).kind, RecordingNotifier::Kind::Warn);
        QCOMPARE(m_notifier.boxes.at(1).title, QStringLiteral("保存失败"));
        QVERIFY2(m_notifier.boxes.at(1).message.contains(m_saveTo), qPrintable(m_notifier.boxes.at(1).message));
        QVERIFY(!QFile::exists(m_saveTo));

        // Cancelling the dialog writes nothing and says nothing more.
        m_saveTo.clear();
        click(generator.button);
        QCOMPARE(m_notifier.boxes.size(), 3);
        QCOMPARE(m_offeredNames.size(), 2);
        // Declining the save button does not even ask for a file.
        click(generator.button);
        QCOMPARE(m_offeredNames.size(), 2);

        // The next click with a working clipboard delivers the same snippet.
        m_clipboard = FakeClipboard();
        m_notifier.boxes.clear();
        click(generator.button);
        QCOMPARE(m_clipboard.content, snippet);
        QCOMPARE(m_notifier.boxes.first().kind, RecordingNotifier::Kind::Inform);
    }

    // A write that fails once the file is open, stopped half way by the
    // file size limit: the file saved earlier under that name keeps its bytes.
    void writeCutShortLeavesTheEarlierFile()
    {
        const QString path = m_home.path() + QStringLiteral("/contact-block.html");
        const QByteArray earlier = "<p>saved before</p>\r\n";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(earlier) == earlier.size());
        file.close();

        QString problem;
        // Smaller than Qt's write buffer, whose flush at commit() would take
        // the short file for a whole one.
        withFileSizeLimit(4096, [&] { problem = writeSnippetFile(path, QString(8 * 1024, QLatin1Char('x'))); });

        QVERIFY2(!problem.isEmpty(), "a write cut short was reported as done");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), earlier);
    }

    void failedRenameLeavesTheEarlierFile()
    {
        const QString path = m_home.path() + QStringLiteral("/contact-block.html");
        QString reason;
        QVERIFY(writeWholeFile(path, "earlier", &reason));
        const bool written = writeWholeFile(path, "later", &reason, [](QSaveFile& file) {
            file.cancelWriting();
            return file.commit();
        });
        QVERIFY(!written);
        QVERIFY(!reason.isEmpty());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("earlier"));
    }

    // The banner addresses beyond the contact panel's edge, through their
    // dialog: shown as the fields hold them, captioned with the picture's
    // size, beside the panel's hint on the fixed text; 取消 keeps them, 确定
    // puts the three into the snippet's banner cells and keeps them for the
    // next run.
    void bannerDialogEditsTheBannerAddresses()
    {
        const QStringList banners { QStringLiteral("Text1_1"), QStringLiteral("Text1_2"), QStringLiteral("Text1_3") };
        m_window->showPanel(0);
        QDialog* dialog = openBannerDialog();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("客服横幅图片地址"));
        QList<QLineEdit*> edits = dialog->findChildren<QLineEdit*>();
        QCOMPARE(edits.size(), banners.size());
        const auto* form = qobject_cast<QFormLayout*>(dialog->layout());
        for (qsizetype i = 0; i < banners.size(); ++i) {
            QCOMPARE(edits.at(i)->text(), m_window->fieldText(banners.at(i)));
            const QString caption = qobject_cast<QLabel*>(form->labelForField(edits.at(i)))->text();
            const QSize size = pictureSize(*findControl(banners.at(i)));
            QVERIFY2(caption.startsWith(get<QLabel>(findControl(banners.at(i))->label)->text())
                         && caption.contains(QStringLiteral("%1×%2").arg(size.width()).arg(size.height())),
                     qPrintable(caption));
            edits.at(i)->setText(QStringLiteral("https://img.example/dropped.png"));
        }
        const QString hours = get<QLabel>(QStringLiteral("Label4_0"))->text();
        const QList<QLabel*> labels = dialog->findChildren<QLabel*>();
        QVERIFY(std::any_of(labels.cbegin(), labels.cend(), [&](const QLabel* l) { return l->text() == hours; }));
        press(dialog, QStringLiteral("取消"));
        QTRY_VERIFY(!m_window->findChild<QDialog*>(QStringLiteral("BannerAddresses")));
        for (const QString& name : banners)
            QCOMPARE(m_window->fieldText(name), initialText(name));

        dialog = openBannerDialog();
        QVERIFY(dialog);
        edits = dialog->findChildren<QLineEdit*>();
        QHash<QString, QString> typed;
        for (qsizetype i = 0; i < banners.size(); ++i) {
            typed.insert(banners.at(i), QStringLiteral("https://img.example/横幅%1.png").arg(i + 1));
            edits.at(i)->setText(typed.value(banners.at(i)));
        }
        press(dialog, QStringLiteral("确定"));
        click(QStringLiteral("旺旺在线"));
        QVERIFY(m_clipboard.content == composed(*generatorForButton(QStringLiteral("旺旺在线")), typed));

        restart();
        for (const QString& name : banners)
            QCOMPARE(m_window->fieldText(name), typed.value(name));
    }

    // Each sample is drawn at the size its field calls for (banners: the
    // laid-out width, the banner height).
    void exportWritesEverySampleReadableAtItsSize()
    {
        m_folder = sampleFolder();
        m_window->offer(PanelOffer::SampleExport, 0);
        QCOMPARE(m_notifier.boxes.size(), 1);
        QCOMPARE(m_notifier.boxes.first().kind, RecordingNotifier::Kind::Inform);
        QCOMPARE(m_notifier.boxes.first().title, QStringLiteral("示例图片已导出"));
        QVERIFY(m_notifier.boxes.first().message.contains(QDir::toNativeSeparators(m_folder)));
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), samples());
        for (const SamplePicture& sample : samplePictures()) {
            const QImage image = QImageReader(QDir(m_folder).filePath(sample.file)).read();
            QVERIFY2(!image.isNull(), qPrintable(sample.file));
            QCOMPARE(image.size(), pictureSize(*findControl(sample.field)));
        }
    }

    // A folder holding some samples already gets one question, whatever
    // their number; the answer replaces them all, keeps them, or does nothing.
    void exportAsksOnceWhenSomeAreThere_data()
    {
        QTest::addColumn<qsizetype>("choice");
        QTest::addColumn<bool>("replaced");
        QTest::addColumn<bool>("written");
        QTest::newRow("全部替换") << qsizetype(0) << true << true;
        QTest::newRow("保留已有文件") << qsizetype(1) << false << true;
        QTest::newRow("取消") << qsizetype(2) << false << false;
    }
    void exportAsksOnceWhenSomeAreThere()
    {
        QFETCH(qsizetype, choice);
        QFETCH(bool, replaced);
        QFETCH(bool, written);
        m_folder = sampleFolder();
        const QStringList mine { samples().first(), samples().last() };
        for (const QString& name : mine) {
            QFile file(QDir(m_folder).filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("mine") == 4);
        }
        m_notifier.choices = { choice };
        m_window->offer(PanelOffer::SampleExport, 0);
        QCOMPARE(m_notifier.boxes.first().kind, RecordingNotifier::Kind::Choose);
        for (const QString& name : mine)
            QVERIFY(m_notifier.boxes.first().message.contains(name));
        QCOMPARE(m_notifier.boxes.size(), written ? 2 : 1);
        for (const QString& name : mine) {
            QFile file(QDir(m_folder).filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll() != "mine", replaced);
        }
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), written ? samples() : mine);
    }

    // A folder that takes no file (here: every write fails once the file is
    // open, as on a full disk) gets one box naming it, and no file at all.
    void exportThatCannotWriteSaysSoAndLeavesNothing()
    {
        m_folder = sampleFolder();
        withFileSizeLimit(1024, [this] { m_window->offer(PanelOffer::SampleExport, 0); });
        QCOMPARE(m_notifier.boxes.size(), 1);
        QCOMPARE(m_notifier.boxes.first().kind, RecordingNotifier::Kind::Warn);
        QCOMPARE(m_notifier.boxes.first().title, QStringLiteral("导出失败"));
        QVERIFY(m_notifier.boxes.first().message.contains(QDir::toNativeSeparators(m_folder)));
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList());
    }

    void realFailureBoxOffersSaving()
    {
        MessageBoxNotifier notifier;
        notifier.setParentWidget(m_window.get());
        for (const QString& press : { QStringLiteral("保存到文件…"), QStringLiteral("确定") }) {
            QStringList buttons;
            QString title;
            QString text;
            QMessageBox::Icon icon = QMessageBox::NoIcon;
            QTimer::singleShot(0, this, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box)
                    return;
                title = box->windowTitle();
                text = box->text();
                icon = box->icon();
                for (QAbstractButton* button : box->buttons()) {
                    buttons << button->text();
                    if (button->text() == press)
                        button->click();
                }
            });
            const bool chosen = notifier.warnWithSaveOption(QStringLiteral("复制失败"), QStringLiteral("message"));
            QCOMPARE(chosen, press == QStringLiteral("保存到文件…"));
            buttons.sort();
            QCOMPARE(buttons, (QStringList { QStringLiteral("保存到文件…"), QStringLiteral("确定") }));
            QCOMPARE(title, QStringLiteral("复制失败"));
            QCOMPARE(text, QStringLiteral("message"));
            QCOMPARE(icon, QMessageBox::Warning);
        }
    }
};

QTEST_MAIN(KeepingTest)
#include "tst_keeping.moc"
