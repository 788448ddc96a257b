#pragma once

#include <QLineEdit>

class QAction;

// A field for an address: a value that would break the snippet shows a warning
// sign at its right edge, whose tooltip (and the field's) says what to do.
class AddressEdit final : public QLineEdit
{
    Q_OBJECT

public:
    explicit AddressEdit(const QString& text, QWidget* parent = nullptr);

private:
    void showProblem(const QString& value);

    // Made when first needed: the icon costs start-up tens of milliseconds.
    QAction* m_sign = nullptr;
};
