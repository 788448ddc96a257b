#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <functional>

class Clipboard;
class Notifier;
class QButtonGroup;
class QLabel;
struct ControlSpec;
struct Generator;

// What the window reaches outside itself; tests replace each one.
struct WindowServices
{
    Clipboard* clipboard = nullptr;
    Notifier* notifier = nullptr;
    // Opens an address in the user's browser; false when that failed.
    std::function<bool(const QUrl&)> openUrl;
};

// The one window: the option bar, seven panels of which one is shown, every
// control built from the control inventory, and the click handlers.
class MainWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindow(const WindowServices& services, QWidget* parent = nullptr);

    QWidget* control(const QString& name) const { return m_controls.value(name); }
    // The text of a field, template holder or work buffer.
    QString fieldText(const QString& name) const;
    void setFieldText(const QString& name, const QString& text);

    void showPanel(int index);
    void runGenerator(const Generator& generator);
    void clearContacts();
    void visitDeveloperPage();

protected:
    bool event(QEvent* event) override;

private:
    void buildControls();
    QWidget* createControl(const ControlSpec& spec, QWidget* container);
    void connectHandlers();
    void applyFocusOrder();
    void arrangeAtStart();
    void centreOnScreen();
    bool isCentredOnScreen() const;

    WindowServices m_services;
    QHash<QString, QWidget*> m_controls;
    QButtonGroup* m_options = nullptr;
    bool m_placementSettled = false;
    // Pictures of the panels hidden at start, decoded when their panel is
    // first shown: start-up need not wait for them.
    QHash<QWidget*, QList<QPair<QLabel*, QString>>> m_pendingPictures;
};
