#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

class QButtonGroup;
class QWidget;
struct ControlSpec;

// The window's controls, built from the control inventory: the window's own
// and the option bar first, a panel's when first shown or asked for, so that
// start-up builds only the first panel. Owns field access and the Tab order.
class PanelForm final : public QObject
{
    Q_OBJECT

public:
    // `keptValues` replace the fields' initial texts as their panels are built.
    PanelForm(QWidget* window, const QHash<QString, QString>& keptValues);
    void buildWindowControls(); // connect to controlBuilt() before

    // A control by its object name, building its panel if need be.
    QWidget* control(const QString& name);
    // The text of a field, template holder or work buffer.
    QString fieldText(const QString& name);
    void setFieldText(const QString& name, const QString& text);

    QButtonGroup* options() const { return m_options; } // ids are panel indexes
    void buildPanel(int index);
    // The fields of the panels built so far, with their values.
    QHash<QString, QString> builtFieldValues() const;
    void restoreDefaults(int index); // the initial texts back into a panel's fields
    // Every field of every panel, built or not, takes its value from `values`
    // (its initial text where `values` has none).
    void replaceValues(const QHash<QString, QString>& values);

signals:
    void controlBuilt(const ControlSpec& spec, QWidget* widget); // placed, before the next
    void fieldChanged(const QString& name); // by typing or otherwise

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
