#pragma once

#include "PanelForm.h"
#include "PanelTable.h"
#include "WindowServices.h"

#include <QString>
#include <QWidget>

class BrowserPreview;
class PresetActions;
struct ControlSpec;
struct Generator;

// The one window: the option bar, seven panels of which one is shown at a
// time, where it stands on the screen, and the wiring of clicks and menu
// items to what they do.
class MainWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindow(const WindowServices& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    QWidget* control(const QString& name) { return m_form->control(name); }
    QString fieldText(const QString& name) { return m_form->fieldText(name); }
    void setFieldText(const QString& name, const QString& text) { m_form->setFieldText(name, text); }

    void showPanel(int index);
    void runGenerator(const Generator& generator);
    void clearContacts();
    void visitDeveloperPage();

    void saveFieldValues();
    // Does what a panel's right-click menu offers.
    void offer(PanelOffer offer, int panel);
    PresetActions* presets() const { return m_presets; } // null without a store

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void connectHandler(const ControlSpec& spec, QWidget* widget);
    void saveSnippetToFile(const Generator& generator, const QString& snippet);

    WindowServices m_services;
    PanelForm* m_form;
    BrowserPreview* m_preview;
    PresetActions* m_presets = nullptr;
    int m_shownPanel = 0;
};
