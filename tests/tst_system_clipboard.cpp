#include "DeliverCode.h"
#include "Notifier.h"
#include "SystemClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QMimeData>
#include <QtTest>

namespace {

// The pointer's override shape at a moment, -1 for none.
int overrideShape()
{
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor ? int(cursor->shape()) : -1;
}

// Notes each box's title and the pointer's override shape as it shows.
class PointerAtBox final : public Notifier
{
public:
    QStringList titles;
    QList<int> shapes;

    void inform(const QString& title, const QString&) override { note(title); }
    void warn(const QString& title, const QString&) override { note(title); }
    bool ask(const QString& title, const QString&) override
    {
        note(title);
        return true;
    }

private:
    void note(const QString& title)
    {
        titles << title;
        shapes << overrideShape();
    }
};

} // namespace

// The application's real clipboard on the offscreen platform, as delivery
// uses it.
class SystemClipboardTest : public QObject
{
    Q_OBJECT

private slots:
    void busyPointerWhileDelivering()
    {
        const QString snippet = QStringLiteral("<div class=\"背景\">\r\n\t<b>客服</b>\r\n</div>");
        QList<int> shapesWhenSet;
        const QMetaObject::Connection watch
            = connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
                      [&] { shapesWhenSet << overrideShape(); });
        SystemClipboard clipboard;
        PointerAtBox notifier;
        const DeliveryOutcome outcome = DeliverCode(clipboard, notifier, snippet, DefaultAttemptLimit,
                                                    ClearingMode::Once, customModuleNotice());
        disconnect(watch);

        QVERIFY(outcome.delivered);
        QCOMPARE(outcome.attempts, 1);
        QCOMPARE(QGuiApplication::clipboard()->text(), snippet);
        QVERIFY(!shapesWhenSet.isEmpty());
        for (const int shape : shapesWhenSet)
            QCOMPARE(shape, int(Qt::BusyCursor));
        QCOMPARE(notifier.titles, QStringList { customModuleNotice().title });
        QCOMPARE(notifier.shapes, QList<int> { -1 });
    }

    void clipboardWithoutTextReadsAsNothing()
    {
        // Not as empty text, which an empty snippet would take for itself.
        auto* picture = new QMimeData;
        picture->setData(QStringLiteral("image/png"), QByteArray("\x89PNG", 4));
        QGuiApplication::clipboard()->setMimeData(picture);
        SystemClipboard clipboard;
        QCOMPARE(clipboard.text(), std::nullopt);

        QGuiApplication::clipboard()->setText(QString());
        QCOMPARE(clipboard.text(), std::optional<QString>(QString()));
    }
};

QTEST_MAIN(SystemClipboardTest)
#include "tst_system_clipboard.moc"
