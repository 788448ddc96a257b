#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

class QButtonGroup;
class QWidget;
struct ControlSpec;

// The window's controls, built from the control inventory into `window`: its
// own controls and the option bar first, each panel's when the panel is
// first shown or one of its controls is first asked for, so that start-up
// builds only what the first panel shows. It owns access to the fields and
// the Tab order.
class PanelForm final : public QObject
{
    Q_OBJECT

public:
    // `keptValues` (by field) go into each field as its panel is built, in
    // place of the field's initial text.
    PanelForm(QWidget* window, const QHash<QString, QString>& keptValues);
    // Builds the window's own controls and the option bar; connect to
    // controlBuilt() before.
    void buildWindowControls();

    // A control by its object name, building its panel if need be.
    QWidget* control(const QString& name);
    // The text of a field, template holder or work buffer.
    QString fieldText(const QString& name);
    void setFieldText(const QString& name, const QString& text);

    // The options of the option bar, each with its panel's index as id.
    QButtonGroup* options() const { return m_options; }
    // Builds panel `index` if it is not built yet.
    void buildPanel(int index);
    // Every field of the built panels with its value; the fields of a panel
    // never built are not included.
    QHash<QString, QString> builtFieldValues() const;
    // Puts the initial text back into every field of panel `index`.
    void restoreDefaults(int index);

signals:
    // After a control is built and placed, before any other of its panel is.
    void controlBuilt(const ControlSpec& spec, QWidget* widget);
    // The text of a field the user edits changed, by typing or otherwise.
    void fieldChanged(const QString& name);

private:
    void buildControlsIn(const QString& container);
    QWidget* createControl(const ControlSpec& spec, QWidget* container);
    void applyFocusOrder();

    QWidget* m_window;
    QButtonGroup* m_options;
    QHash<QString, QWidget*> m_controls;
    QHash<QString, QString> m_keptValues;
    QSet<int> m_builtPanels;
};
