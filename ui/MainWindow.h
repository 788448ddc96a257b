#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <functional>

class Clipboard;
class FieldSettings;
class Notifier;
class QButtonGroup;
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

// The one window: the option bar, seven panels of which one is shown, every
// control built from the control inventory, and the click handlers.
class MainWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindow(const WindowServices& services, QWidget* parent = nullptr);

    // A control by its object name. The controls of a panel are built when
    // the panel is first shown or one of them is first asked for, so that
    // start-up builds only what the first panel shows.
    QWidget* control(const QString& name);
    // The text of a field, template holder or work buffer.
    QString fieldText(const QString& name);
    void setFieldText(const QString& name, const QString& text);

    void showPanel(int index);
    void runGenerator(const Generator& generator);
    void clearContacts();
    void visitDeveloperPage();

    // Keeping the owner's work (MainWindowKeep.cpp): field values kept
    // between runs, a panel's defaults on request.
    void saveFieldValues();
    void restorePanelDefaults(int panel);

    // The addresses the owner types (MainWindowAddresses.cpp): fetched and
    // judged on request, the banner addresses beyond the contact panel's
    // edge edited in a dialog, sample pictures to upload.
    void checkPanelAddresses(int panel);
    void editBannerAddresses();
    void exportSamples();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void offerPanelMenus();
    void showPanelMenu(int panel, const QPoint& globalPos);
    void saveSnippetToFile(const Generator& generator, const QString& snippet);

    static int panelIndexOf(const QString& container);
    void buildPanel(int index);
    void buildControlsIn(const QString& container);
    QWidget* createControl(const ControlSpec& spec, QWidget* container);
    void connectHandler(const ControlSpec& spec, QWidget* widget);
    void applyFocusOrder();
    void arrangeAtStart();
    void centreOnScreen();
    bool isCentredOnScreen() const;

    WindowServices m_services;
    QHash<QString, QWidget*> m_controls;
    QHash<QString, QString> m_keptValues; // from the last run, by field
    QButtonGroup* m_options = nullptr;
    QSet<int> m_builtPanels;
    bool m_placementSettled = false;
};
