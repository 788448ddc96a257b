// A click to a verified clipboard: the window's own button and handler, the
// application's clipboard, and a notifier that records the confirmation
// instead of showing the modal box. Then delivery alone with growing snippets.
// Run it under a real X server for the figures; --smoke runs a short check
// with loose bounds on whatever platform it is given.

#include "BenchSupport.h"
#include "BrowserPreview.h"
#include "ControlInventory.h"
#include "DeliverCode.h"
#include "MainWindow.h"
#include "Notifier.h"
#include "PanelTable.h"
#include "PresetActions.h"
#include "PresetStore.h"
#include "PresetTransfer.h"
#include "PreviewServer.h"
#include "SystemClipboard.h"
#include "UiSetup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

using namespace bench;

namespace {

// Counts the boxes a click would show, and notes when the confirmation
// came: the snippet was then on the clipboard and read back.
class CountingNotifier final : public Notifier
{
public:
    int confirmations = 0;
    int warnings = 0;
    Clock::time_point confirmed;

    void inform(const QString&, const QString&) override
    {
        confirmed = Clock::now();
        ++confirmations;
    }
    void warn(const QString&, const QString&) override { ++warnings; }
    bool ask(const QString&, const QString&) override { return true; }
};

struct Settings
{
    int clicks;
    double clickGoal; // seconds
    std::vector<qsizetype> sizes;
    int deliveryRuns;
    double flatGoal;
    double previewGoal; // seconds
    double liveGoal; // seconds
    int liveRuns; // each after one run to settle
};

Settings settingsFor(bool smoke)
{
    if (smoke)
        return { 15, 50e-3, { 1 << 10, 64 << 10, 1 << 20 }, 5, 3.0, 150e-3, 100e-3, 3 };
    return { 101, 5e-3, { 1 << 10, 64 << 10, 1 << 20, 16 << 20 }, 11, 1.5, 50e-3, 20e-3, 11 };
}

QString platformNote()
{
    return QStringLiteral("Platform: %1%2.")
        .arg(QGuiApplication::platformName(),
             QGuiApplication::platformName() == QLatin1String("xcb")
                 ? QStringLiteral(" (display ") + qEnvironmentVariable("DISPLAY") + QStringLiteral(")")
                 : QString());
}

// From the button's release, which makes the click, to the confirmation.
double timedClick(QAbstractButton* button, CountingNotifier& notifier)
{
    QTest::mousePress(button, Qt::LeftButton);
    QCoreApplication::processEvents();
    const int before = notifier.confirmations;
    const auto start = Clock::now();
    QTest::mouseRelease(button, Qt::LeftButton);
    if (notifier.confirmations != before + 1 || notifier.warnings != 0)
        qFatal("the click did not end in a confirmation");
    const double seconds = std::chrono::duration<double>(notifier.confirmed - start).count();
    // Let the clipboard's and the window's own events through between
    // clicks, as between a user's clicks.
    QCoreApplication::processEvents();
    return seconds;
}

// Shows the panel that holds the button, as a user would.
void showPanelOf(MainWindow& window, QAbstractButton* button)
{
    for (int panel = 0; panel < PanelCount; ++panel) {
        if (window.control(panelName(panel)) == button->parentWidget())
            window.showPanel(panel);
    }
    QCoreApplication::processEvents();
}

QAbstractButton* buttonOf(MainWindow& window, const Generator& generator)
{
    auto* button = qobject_cast<QAbstractButton*>(window.control(generator.button));
    if (!button)
        qFatal("no button %s", qPrintable(generator.button));
    return button;
}

void clicks(Report& report, const Settings& settings, MainWindow& window, CountingNotifier& notifier)
{
    report.section(QStringLiteral("A click to a verified clipboard"),
                   QStringLiteral("The generate button pressed and released with the mouse at the start "
                                  "values, timed from the release to the confirmation: compose, keep the "
                                  "work buffer, put on the clipboard, read back (the box is recorded, not "
                                  "shown). First click: the first of the process for that generator, one "
                                  "sample. Median of %1 clicks. %2 Goal: under %3.")
                       .arg(settings.clicks - 1)
                       .arg(platformNote(), formatSeconds(settings.clickGoal)));
    report.table({ QStringLiteral("generator"), QStringLiteral("attempts"), QStringLiteral("first click"),
                   QStringLiteral("median"), QStringLiteral("slowest"), QStringLiteral("verdict") });
    for (const Generator& generator : allGenerators()) {
        QAbstractButton* button = buttonOf(window, generator);
        showPanelOf(window, button);

        const QString expected = composeSnippet(window.fieldText(generator.templateHolder), generator.steps,
                                                [&] {
                                                    QStringList values;
                                                    for (const FieldStep& step : generator.steps)
                                                        values << window.fieldText(step.field);
                                                    return values;
                                                }());
        std::vector<double> samples;
        for (int i = 0; i < settings.clicks; ++i)
            samples.push_back(timedClick(button, notifier));
        if (QGuiApplication::clipboard()->text() != expected)
            qFatal("the clipboard does not hold the snippet");
        const double first = samples.front();
        samples.erase(samples.begin());
        const double median = bench::median(samples);
        const double slowest = *std::max_element(samples.begin(), samples.end());
        report.row({ generatorLabel(generator), QString::number(generator.attemptLimit), formatSeconds(first),
                     formatSeconds(median), formatSeconds(slowest) },
                   median < settings.clickGoal);
    }
}

// The contact block's click with one field holding N characters: an address
// (replacement only) and a Chinese chat id (replacement and encoder).
void largeFieldClicks(Report& report, const Settings& settings, MainWindow& window, CountingNotifier& notifier)
{
    const Generator& contacts = *generatorForButton(QStringLiteral("旺旺在线"));
    QStringList columns { QStringLiteral("field") };
    for (const qsizetype size : settings.sizes)
        columns << sizeLabel(size).replace(QStringLiteral("B"), QString());
    columns << QStringLiteral("per char, %1 / 64 Ki").arg(sizeLabel(settings.sizes.back()).replace(QStringLiteral("B"), QString()))
            << QStringLiteral("same for a copy") << QStringLiteral("ratio over the copy's") << QStringLiteral("verdict");
    report.section(QStringLiteral("A click with one large field"),
                   QStringLiteral("The contact block's button, timed as above, with one field holding N "
                                  "characters typed into the window beforehand (untimed). Median of %1 "
                                  "clicks and, in brackets, time per character. Then the time per character "
                                  "of the largest over that of 64 Ki, the same ratio for one fresh copy of "
                                  "as many characters as the field and the snippet together, and the first "
                                  "ratio over the second. Goal: linear, that is either ratio within %2×.")
                       .arg(settings.deliveryRuns)
                       .arg(settings.flatGoal));
    report.table(columns);
    QAbstractButton* button = buttonOf(window, contacts);
    showPanelOf(window, button);
    const std::pair<QString, QString> fields[] = {
        { arrayElementName(QStringLiteral("Text4"), 1), initialText(arrayElementName(QStringLiteral("Text4"), 1)) },
        { arrayElementName(QStringLiteral("Text3"), 1), QStringLiteral("饰品店客服阿杰") },
    };
    for (const auto& [field, unit] : fields) {
        const QString original = window.fieldText(field);
        QStringList cells { field + (unit.at(0).unicode() > 127 ? QStringLiteral(" (Chinese chat id)") : QString()) };
        double reference = 0;
        double largest = 0;
        double copyReference = 0;
        double copyLargest = 0;
        for (const qsizetype size : settings.sizes) {
            window.setFieldText(field, repeated(unit, size));
            std::vector<double> samples;
            for (int i = 0; i < settings.deliveryRuns; ++i)
                samples.push_back(timedClick(button, notifier));
            const double seconds = median(samples);
            const double copy
                = medianCopySeconds(size + window.fieldText(contacts.workBuffer).size(), settings.deliveryRuns);
            const double perChar = seconds / double(size);
            if (size == (64 << 10)) {
                reference = perChar;
                copyReference = copy / double(size);
            }
            largest = perChar;
            copyLargest = copy / double(size);
            cells << formatSeconds(seconds) + QStringLiteral(" (") + formatSeconds(perChar) + QStringLiteral(")");
        }
        window.setFieldText(field, original);
        const double ratio = largest / reference;
        const double copyRatio = copyLargest / copyReference;
        cells << QString::number(ratio, 'f', 2) + QStringLiteral("×") << QString::number(copyRatio, 'f', 2) + QStringLiteral("×")
              << QString::number(ratio / copyRatio, 'f', 2) + QStringLiteral("×");
        // Linear: flat per character, or growing no faster than a plain copy.
        report.row(cells, std::min(ratio, ratio / copyRatio) <= settings.flatGoal);
    }
}

// From the menu's choice to the browser asked, the page written by then,
// with a field of the panel holding 1 MiB: each field in turn, the slowest.
void previews(Report& report, const Settings& settings, MainWindow& window, const Clock::time_point& opened)
{
    report.section(QStringLiteral("A preview with a 1 MiB field"),
                   QStringLiteral("Each panel's preview with one of its fields set to 1 Mi ASCII "
                                  "characters, each field in turn: the page composed, written to the cache "
                                  "folder and handed to the browser (here a stand-in that notes the time). "
                                  "Median of %1 runs for the slowest field. Goal: within %2.")
                       .arg(settings.deliveryRuns)
                       .arg(formatSeconds(settings.previewGoal)));
    report.table({ QStringLiteral("panel"), QStringLiteral("slowest field"),
                   QStringLiteral("page written, browser asked"), QStringLiteral("verdict") });
    const QString large = repeated(QStringLiteral("https://img.example/a.jpg"), 1 << 20);
    for (const PanelSpec& panel : panelTable()) {
        if (!panel.offers(PanelOffer::Preview))
            continue;
        QString slowestField;
        double slowest = 0;
        for (const ControlSpec& spec : controlInventory()) {
            if (spec.container != panel.frame() || spec.kind != ControlKind::TextField)
                continue;
            const QString original = window.fieldText(spec.name);
            window.setFieldText(spec.name, large);
            std::vector<double> samples;
            for (int i = 0; i < settings.deliveryRuns; ++i) {
                const auto start = Clock::now();
                window.offer(PanelOffer::Preview, panel.index);
                samples.push_back(std::chrono::duration<double>(opened - start).count());
            }
            window.setFieldText(spec.name, original);
            if (const double seconds = median(samples); seconds > slowest) {
                slowest = seconds;
                slowestField = spec.name;
            }
        }
        report.row({ panel.generator()->button, slowestField, formatSeconds(slowest) }, slowest <= settings.previewGoal);
    }
}

// The server is not there until the first preview asks for it; then it
// takes the first preview's own time.
void previewServerStart(Report& report, bool startedWithWindow, double firstPreview)
{
    report.section(QStringLiteral("The preview server at start-up"),
                   QStringLiteral("Whether the window starts the preview's loopback server, and the "
                                  "first preview of the process, which starts it (the contact block at "
                                  "its start values, one sample). Goal: no server before the first preview."));
    report.table({ QStringLiteral("server at start-up"), QStringLiteral("first preview, server started"),
                   QStringLiteral("verdict") });
    report.row({ startedWithWindow ? QStringLiteral("listening") : QStringLiteral("not started"),
                 formatSeconds(firstPreview) },
               !startedWithWindow);
}

// A browser tab listening for a page's changes, on a thread of its own as
// a browser is a process of its own: it counts the changes it is told of,
// fetches the page at each as the page does, and counts the pages fetched.
class ListeningTab
{
public:
    explicit ListeningTab(const QUrl& page)
        : m_page(page)
        , m_thread([this] { listen(); })
    {
        while (!m_ready)
            QCoreApplication::processEvents(); // the server answers on this thread
    }
    ~ListeningTab()
    {
        m_stop = true;
        m_thread.join();
    }
    int changes() const { return m_changes; }
    int fetched() const { return m_fetched; }

private:
    QByteArray request(const QString& path) const
    {
        return "GET " + path.toLatin1() + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(m_page.port())
            + "\r\n\r\n";
    }
    void listen()
    {
        QTcpSocket tab;
        tab.connectToHost(QHostAddress::LocalHost, quint16(m_page.port()));
        tab.write(request(m_page.path().replace(QStringLiteral(".html"), QStringLiteral(".events"))));
        QByteArray heard;
        while (!m_stop) {
            tab.waitForReadyRead(5);
            heard += tab.readAll();
            if (!m_ready && heard.contains("\r\n\r\n")) {
                heard.clear();
                m_ready = true;
            }
            for (qsizetype end; (end = heard.indexOf("\n\n")) >= 0; heard.remove(0, end + 2)) {
                ++m_changes;
                fetch();
            }
        }
    }
    // Until the server closes the connection, which it does after the page.
    void fetch()
    {
        QTcpSocket page;
        page.connectToHost(QHostAddress::LocalHost, quint16(m_page.port()));
        page.write(request(m_page.path()));
        while (page.state() != QAbstractSocket::UnconnectedState && !m_stop) {
            page.waitForReadyRead(5);
            page.readAll();
        }
        ++m_fetched;
    }

    const QUrl m_page;
    std::atomic<bool> m_ready = false;
    std::atomic<bool> m_stop = false;
    std::atomic<int> m_changes = 0;
    std::atomic<int> m_fetched = 0;
    std::thread m_thread;
};

// From the end of the typing pause to an open tab told of the change, and
// to the tab having fetched the new page, with a field of the panel holding
// 1 MiB: each field in turn, the slowest.
void livePreview(Report& report, const Settings& settings, MainWindow& window, const QUrl& opened)
{
    report.section(QStringLiteral("An open preview follows a 1 MiB field"),
                   QStringLiteral("Each panel's page open in a stand-in tab (a thread that listens for the "
                                  "page's change events and fetches the page at each, as the page's script "
                                  "does); one of the panel's fields set to 1 Mi ASCII characters, each field "
                                  "in turn. Timed from the end of the typing pause (what its timer calls) to "
                                  "the change received by the tab (page composed, file written, event sent "
                                  "over loopback), and to the new page fetched whole. Median of %1 runs for "
                                  "the slowest field. Goal: the change received within %2.")
                       .arg(settings.liveRuns)
                       .arg(formatSeconds(settings.liveGoal)));
    report.table({ QStringLiteral("panel"), QStringLiteral("slowest field"), QStringLiteral("page size"),
                   QStringLiteral("pause end to change received"), QStringLiteral("to page fetched"),
                   QStringLiteral("verdict") });
    auto* preview = window.findChild<BrowserPreview*>();
    const QString large = repeated(QStringLiteral("https://img.example/a.jpg"), 1 << 20);
    for (const PanelSpec& panel : panelTable()) {
        if (!panel.offers(PanelOffer::Preview))
            continue;
        window.offer(PanelOffer::Preview, panel.index);
        const QString file = opened.fileName();
        const ListeningTab tab(opened);
        QString slowestField;
        double slowest = 0;
        double slowestFetch = 0;
        qint64 slowestSize = 0;
        for (const ControlSpec& spec : controlInventory()) {
            if (spec.container != panel.frame() || spec.kind != ControlKind::TextField)
                continue;
            const QString original = window.fieldText(spec.name);
            std::vector<double> told;
            std::vector<double> fetched;
            for (int i = 0; i <= settings.liveRuns; ++i) {
                window.setFieldText(spec.name, large + QString::number(i % 2));
                // The field repaints while the owner types, before the pause
                // ends; and should its timer have run meanwhile, the tab catches up.
                QCoreApplication::processEvents();
                while (tab.fetched() != tab.changes())
                    QCoreApplication::processEvents();
                const int changes = tab.changes();
                const int pages = tab.fetched();
                const auto start = Clock::now();
                preview->fieldChanged(spec.name);
                preview->rewritePending();
                while (tab.changes() == changes)
                    QCoreApplication::processEvents();
                const double toldAfter = secondsSince(start);
                while (tab.fetched() == pages)
                    QCoreApplication::processEvents();
                if (i > 0) { // the first to settle
                    told.push_back(toldAfter);
                    fetched.push_back(secondsSince(start));
                }
            }
            const qint64 size = QFileInfo(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)
                                          + QStringLiteral("/preview/") + file)
                                    .size();
            window.setFieldText(spec.name, original);
            preview->rewritePending();
            while (tab.fetched() != tab.changes())
                QCoreApplication::processEvents();
            if (const double seconds = median(told); seconds > slowest) {
                slowest = seconds;
                slowestFetch = median(fetched);
                slowestField = spec.name;
                slowestSize = size;
            }
        }
        report.row({ panel.generator()->button, slowestField, sizeLabel(slowestSize), formatSeconds(slowest),
                     formatSeconds(slowestFetch) },
                   slowest < settings.liveGoal);
    }
}

void delivery(Report& report, const Settings& settings)
{
    QStringList columns { QStringLiteral("clearing") };
    for (const qsizetype size : settings.sizes)
        columns << sizeLabel(size).replace(QStringLiteral("B"), QString());
    columns << QStringLiteral("per char, %1 / 64 Ki").arg(sizeLabel(settings.sizes.back()).replace(QStringLiteral("B"), QString()))
            << QStringLiteral("verdict");
    report.section(QStringLiteral("Delivery with growing snippets"),
                   QStringLiteral("copyToClipboard on the application's clipboard with a snippet of N "
                                  "characters (Ki = 1024): set, read back, compare. Median of %1 runs and, "
                                  "in brackets, time per character. %2 Goal: time per character of the "
                                  "largest within %3× of 64 Ki.")
                       .arg(settings.deliveryRuns)
                       .arg(platformNote())
                       .arg(settings.flatGoal));
    report.table(columns);
    SystemClipboard clipboard;
    for (const ClearingMode clearing : { ClearingMode::Once, ClearingMode::EveryAttempt }) {
        QStringList cells { clearing == ClearingMode::Once ? QStringLiteral("once") : QStringLiteral("every attempt") };
        double reference = 0;
        double largest = 0;
        for (const qsizetype size : settings.sizes) {
            const QString snippet = repeated(QStringLiteral("<img src=\"图片地址\"/>\r\n"), size);
            const double seconds = medianSecondsOfRuns(
                [&] {
                    if (!copyToClipboard(clipboard, snippet, DefaultAttemptLimit, clearing).delivered)
                        qFatal("delivery failed");
                    QCoreApplication::processEvents();
                },
                settings.deliveryRuns);
            const double perChar = seconds / double(size);
            if (size == (64 << 10))
                reference = perChar;
            largest = perChar;
            cells << formatSeconds(seconds) + QStringLiteral(" (") + formatSeconds(perChar) + QStringLiteral(")");
        }
        const double ratio = largest / reference;
        cells << QString::number(ratio, 'f', 2) + QStringLiteral("×");
        report.row(cells, ratio <= settings.flatGoal);
    }
}

} // namespace

// Every field of a 方案 filled with a value of its own.
QHash<QString, QString> filledValues(int preset)
{
    QHash<QString, QString> values;
    for (const ControlSpec& spec : controlInventory()) {
        if (spec.kind == ControlKind::TextField)
            values.insert(spec.name, QStringLiteral("https://img.example/店铺%1/%2/").arg(preset).arg(spec.name)
                              + QString(160, QLatin1Char('x')));
    }
    return values;
}

// `count` 方案 in the store at `folder`, every field of each filled.
void writePresets(const QString& folder, int count)
{
    PresetStore store(folder, QString());
    store.open();
    store.save(filledValues(0));
    for (int i = 1; i < count; ++i) {
        if (!store.create(QStringLiteral("店铺 %1").arg(i), filledValues(i)))
            qFatal("cannot write the 方案");
    }
}

// The 方案 with 200 in the store: the submenu, a switch, export and import.
void presets(Report& report, const Settings& settings, Clipboard& clipboard, Notifier& notifier)
{
    constexpr int Count = 200;
    QTemporaryDir folder;
    writePresets(folder.filePath(QStringLiteral("presets")), Count);
    PresetStore store(folder.filePath(QStringLiteral("presets")), QString());
    store.open();
    MainWindow window({ &clipboard, &notifier, [](const QUrl&) { return true; }, &store });
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("the window was never shown");
    report.section(QStringLiteral("方案: 200 in the store, every field filled"),
                   QStringLiteral("The submenu: from the right-click on a panel to its menu shown, the "
                                  "方案 submenu filled from the store (each file's first bytes). A switch: "
                                  "every panel built, the fields of the one left kept, the other's put into "
                                  "every field. Export: all 200 into one file, all or nothing. Import: that "
                                  "file into an empty store. Median of %1 runs.")
                       .arg(settings.deliveryRuns));
    report.table({ QStringLiteral("what"), QStringLiteral("median"), QStringLiteral("goal"), QStringLiteral("verdict") });
    const double scale = report.smoke() ? 3 : 1;

    QWidget* frame = window.control(panelName(0));
    const double menu = medianSecondsOfRuns([&] {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), frame->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(frame, &event);
        QWidget* popup = QApplication::activePopupWidget();
        if (!popup)
            qFatal("no menu opened");
        popup->close();
        QCoreApplication::processEvents();
    }, settings.deliveryRuns);
    report.row({ QStringLiteral("the menu with its 方案 submenu"), formatSeconds(menu), formatSeconds(50e-3 * scale) },
               menu < 50e-3 * scale);

    for (int panel = 0; panel < PanelCount; ++panel)
        window.showPanel(panel);
    const QList<PresetEntry> entries = store.presets();
    int turn = 0;
    const double switching = medianSecondsOfRuns([&] {
        window.presets()->switchTo(entries.at(turn++ % 2).id);
        QCoreApplication::processEvents();
    }, settings.deliveryRuns);
    report.row({ QStringLiteral("a switch"), formatSeconds(switching), formatSeconds(50e-3 * scale) },
               switching < 50e-3 * scale);

    QStringList ids;
    for (const PresetEntry& entry : entries)
        ids << entry.id;
    const QString file = folder.filePath(QStringLiteral("全部方案.json"));
    const double exporting = medianSecondsOfRuns([&] {
        if (!exportPresetFile(store, ids, file, notifier))
            qFatal("the export failed");
    }, settings.deliveryRuns);
    report.row({ QStringLiteral("export of 200 (%1)").arg(sizeLabel(QFileInfo(file).size())), formatSeconds(exporting),
                 formatSeconds(1.0 * scale) },
               exporting < 1.0 * scale);
    int run = 0;
    const double importing = medianSecondsOfRuns([&] {
        PresetStore into(folder.filePath(QStringLiteral("import-%1").arg(++run)), QString());
        into.open();
        if (importPresetFile(into, file, notifier, [](const QString&) { return NameClash::KeepBoth; }).imported.size() != Count)
            qFatal("the import failed");
    }, settings.deliveryRuns);
    report.row({ QStringLiteral("import of 200"), formatSeconds(importing), formatSeconds(1.0 * scale) },
               importing < 1.0 * scale);
}

int main(int argc, char** argv)
{
    // The start-up benchmark's store: bench_click --write-presets FOLDER
    if (argc == 3 && std::strcmp(argv[1], "--write-presets") == 0) {
        QCoreApplication app(argc, argv);
        writePresets(QString::fromLocal8Bit(argv[2]), 200);
        return 0;
    }
    QApplication app(argc, argv);
    applyWindowFont(app);
    Report report(smokeRun(argc, argv));
    const Settings settings = settingsFor(report.smoke());

    // Preview pages go to a cache folder of the run's own.
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    SystemClipboard clipboard;
    CountingNotifier notifier;
    Clock::time_point opened;
    QUrl openedUrl;
    MainWindow window({ &clipboard, &notifier, [&opened, &openedUrl](const QUrl& url) {
                           opened = Clock::now();
                           openedUrl = url;
                           return true;
                       } });
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("the window was never shown");

    const bool startedWithWindow = window.findChild<PreviewServer*>() != nullptr;
    const auto firstPreview = Clock::now();
    window.offer(PanelOffer::Preview, 0);
    const double firstPreviewSeconds = secondsSince(firstPreview);
    if (!window.findChild<PreviewServer*>())
        qFatal("the first preview started no server");

    clicks(report, settings, window, notifier);
    largeFieldClicks(report, settings, window, notifier);
    delivery(report, settings);
    previews(report, settings, window, opened);
    presets(report, settings, clipboard, notifier);
    previewServerStart(report, startedWithWindow, firstPreviewSeconds);
    livePreview(report, settings, window, openedUrl);
    return report.finish();
}
