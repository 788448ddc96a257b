#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;

// Asks for a 方案's name. A name that cannot be used keeps the dialog open
// and says why beneath the field.
class PresetNameDialog final : public QDialog
{
    Q_OBJECT

public:
    PresetNameDialog(const QString& title, const QString& initial, const QStringList& taken, QWidget* parent = nullptr);

    QString name() const; // trimmed
    void accept() override;

    // The name given, or empty when the owner cancels.
    static QString ask(QWidget* parent, const QString& title, const QString& initial, const QStringList& taken);

private:
    QStringList m_taken;
    QLineEdit* m_field;
    QLabel* m_problem;
};
