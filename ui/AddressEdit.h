#pragma once

#include <QLineEdit>

class QAction;

// A field where an address is typed. Whenever its value would break the
// snippet it goes into, a warning sign shows inside it at its right edge;
// the sign's tooltip, and the field's, say what is wrong and what to do.
// Like every field, it takes values of any length exactly as typed.
class AddressEdit final : public QLineEdit
{
    Q_OBJECT

public:
    explicit AddressEdit(const QString& text, QWidget* parent = nullptr);

private:
    void showProblem(const QString& value);

    // Made when first needed: the style's icon costs start-up tens of
    // milliseconds, and sound values need none.
    QAction* m_sign = nullptr;
};
