#include "MainWindow.h"

#include "AddressCheckDialog.h"
#include "BannerAddressDialog.h"
#include "BrowserPreview.h"
#include "ControlInventory.h"
#include "DeliverCode.h"
#include "Generator.h"
#include "LinkLabel.h"
#include "Notifier.h"
#include "PanelMenu.h"
#include "PresetActions.h"
#include "PresetStore.h"
#include "SamplePictures.h"
#include "ScreenCentring.h"
#include "SnippetFile.h"
#include "UiSetup.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QPushButton>

MainWindow::MainWindow(const WindowServices& services, QWidget* parent)
    : QWidget(parent)
    , m_services(services)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(windowCaption());
    setWindowIcon(programIcon());
    // The layout is fixed; the window does not follow a change of size.
    setFixedSize(twipsToPixels(WindowClientWidth), twipsToPixels(WindowClientHeight));

    // Kept values go in as each panel is built: start-up builds one panel.
    m_form = new PanelForm(this, m_services.presets ? m_services.presets->currentValues() : QHash<QString, QString>());
    connect(m_form, &PanelForm::controlBuilt, this, &MainWindow::connectHandler);
    connect(m_form->options(), &QButtonGroup::idClicked, this, &MainWindow::showPanel);
    m_form->buildWindowControls();
    showPanel(m_form->options()->checkedId());
    new ScreenCentring(this);
    auto* panelMenu = new PanelMenu(*m_form, this);
    connect(panelMenu, &PanelMenu::chosen, this, &MainWindow::offer);
    if (m_services.presets)
        m_presets = new PresetActions(*m_form, *panelMenu, m_services, this);
    m_preview = new BrowserPreview(*m_form, *m_services.notifier, m_services.openUrl, this);
    connect(m_form, &PanelForm::fieldChanged, m_preview, &BrowserPreview::fieldChanged);
    // The menu's keys work anywhere in the window, for the panel shown.
    auto* preview = new QAction(this);
    preview->setShortcut(menuShortcut(PanelOffer::Preview));
    addAction(preview);
    connect(preview, &QAction::triggered, this, [this] {
        if (panelAt(m_shownPanel).offers(PanelOffer::Preview))
            offer(PanelOffer::Preview, m_shownPanel);
    });
    // Else the first Tab stop, an unchecked option, gets the keyboard and the
    // first Space switches panels. Set before showing, this only names what
    // activation focuses: a field clicked before then keeps the keyboard.
    if (QAbstractButton* checked = m_form->options()->checkedButton())
        checked->setFocus();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectHandler(const ControlSpec& spec, QWidget* widget)
{
    if (spec.kind == ControlKind::LinkLabel) {
        connect(static_cast<LinkLabel*>(widget), &LinkLabel::clicked, this, &MainWindow::visitDeveloperPage);
        return;
    }
    if (spec.kind != ControlKind::Button)
        return;
    auto* button = static_cast<QPushButton*>(widget);
    if (const Generator* generator = generatorForButton(spec.name))
        connect(button, &QPushButton::clicked, this, [this, generator] { runGenerator(*generator); });
    else if (spec.name == QStringLiteral("旺旺清除"))
        connect(button, &QPushButton::clicked, this, &MainWindow::clearContacts);
}

void MainWindow::showPanel(int index)
{
    if (index < 0 || index >= panelTable().size())
        return;
    for (const PanelSpec& panel : panelTable())
        control(panel.frame())->hide();
    m_form->buildPanel(index);
    control(panelAt(index).frame())->show();
    // The option bar says which panel shows, however it came to show.
    m_form->options()->button(index)->setChecked(true);
    m_shownPanel = index;
}

void MainWindow::runGenerator(const Generator& generator)
{
    Notifier& notifier = *m_services.notifier;
    // A click never brings the program down, and never reports a success
    // it did not achieve: any failure ends in the warning box.
    try {
        const QString snippet
            = composeFromFields(generator, [this](const QString& field) { return m_form->fieldText(field); });
        if (!generator.workBuffer.isEmpty())
            setFieldText(generator.workBuffer, snippet);
        const DeliveryOutcome outcome = DeliverCode(*m_services.clipboard, notifier, snippet,
                                                    generator.attemptLimit, generator.clearing,
                                                    generator.confirmation);
        if (outcome.saveRequested)
            saveSnippetToFile(generator, snippet);
    } catch (...) {
        notifier.warn(deliveryFailedTitle(), deliveryFailedMessage());
    }
    saveFieldValues();
}

void MainWindow::clearContacts()
{
    if (!m_services.notifier->ask(QStringLiteral("提示"),
                                  QStringLiteral("清空后将无法恢复，是否要清空现在的内容？")))
        return;
    for (int row = 1; row <= ContactRowCount; ++row) {
        for (const QString& field : contactRowFields(row))
            setFieldText(field, QString());
    }
}

void MainWindow::visitDeveloperPage()
{
    const QString address = updatePageAddress();
    if (m_services.openUrl && m_services.openUrl(QUrl(address)))
        return;
    m_services.notifier->warn(QStringLiteral("无法打开网页"),
                              QStringLiteral("未能打开浏览器，请手动访问：") + address);
}

void MainWindow::saveFieldValues()
{
    if (!m_services.presets)
        return;
    // Fields of a panel never built still hold what the last run kept.
    m_services.presets->save(m_form->builtFieldValues());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    saveFieldValues();
    m_preview->close();
    QWidget::closeEvent(event);
}

void MainWindow::saveSnippetToFile(const Generator& generator, const QString& snippet)
{
    if (!m_services.chooseSaveFile)
        return;
    const QString path = m_services.chooseSaveFile(suggestedSnippetFileName(generator.templateFile));
    if (path.isEmpty())
        return;
    // The work buffer keeps the snippet either way, for the next click.
    if (const QString problem = writeSnippetFile(path, snippet); !problem.isEmpty())
        m_services.notifier->warn(QStringLiteral("保存失败"), problem);
}

void MainWindow::offer(PanelOffer offer, int panel)
{
    Notifier& notifier = *m_services.notifier;
    switch (offer) {
    case PanelOffer::RestoreDefaults:
        if (notifier.ask(QStringLiteral("提示"),
                         QStringLiteral("恢复后本页现在的内容将无法恢复，是否要恢复本页默认内容？"))) {
            m_form->restoreDefaults(panel);
            saveFieldValues();
        }
        return;
    case PanelOffer::AddressCheck:
        return (new AddressCheckDialog(*m_form, panel, notifier, this))->start();
    case PanelOffer::BannerAddresses: {
        auto* dialog = new BannerAddressDialog(*m_form, panel, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog, &QDialog::accepted, this, &MainWindow::saveFieldValues);
        return dialog->open();
    }
    case PanelOffer::SampleExport:
        if (const QString folder = m_services.chooseFolder ? m_services.chooseFolder() : QString(); !folder.isEmpty())
            exportSamplesTelling(folder, notifier);
        return;
    case PanelOffer::Preview:
        return m_preview->show(panel);
    }
}
