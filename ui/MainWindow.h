#pragma once

#include "PanelTable.h"

#include <QString>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>

class BrowserPreview;
class Clipboard;
class FieldSettings;
class Notifier;
class PanelForm;
class ScreenCentring;
struct ControlSpec;
struct Generator;

// What the window reaches outside itself; tests replace each one.
struct WindowServices
{
    Clipboard* clipboard = nullptr;
    Notifier* notifier = nullptr;
    // Opens an address in the user's browser; false when that failed.
    std::function<bool(const QUrl&)> openUrl;
    // Where field values are kept between runs; none keeps nothing.
    FieldSettings* fieldSettings = nullptr;
    // Asks where to save a snippet, offering the name given; empty when
    // the user cancels.
    std::function<QString(const QString& suggestedName)> chooseSaveFile = {};
    // Asks for a folder to export sample pictures into; empty when the user
    // cancels.
    std::function<QString()> chooseFolder = {};
};

// The one window: the option bar, seven panels of which one is shown at a
// time, where it stands on the screen, and the wiring of clicks and menu
// items to what they do.
class MainWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindow(const WindowServices& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // A control by its object name, its panel built when first asked for.
    QWidget* control(const QString& name);
    // The text of a field, template holder or work buffer.
    QString fieldText(const QString& name);
    void setFieldText(const QString& name, const QString& text);

    void showPanel(int index);
    void runGenerator(const Generator& generator);
    void clearContacts();
    void visitDeveloperPage();

    // Field values kept between runs; a panel's defaults on request.
    void saveFieldValues();
    void restorePanelDefaults(int panel);

    // The addresses the owner types: fetched and judged on request, the
    // banner addresses beyond the contact panel's edge edited in a dialog,
    // sample pictures to upload.
    void checkPanelAddresses(int panel);
    void editBannerAddresses(int panel);
    void exportSamples();
    // The panel's snippet in the owner's browser.
    void previewPanel(int panel);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void connectHandler(const ControlSpec& spec, QWidget* widget);
    void offerChosen(PanelOffer offer, int panel);
    void saveSnippetToFile(const Generator& generator, const QString& snippet);
    void arrangeAtStart();

    WindowServices m_services;
    PanelForm* m_form;
    BrowserPreview* m_preview;
    std::unique_ptr<ScreenCentring> m_centring;
};
