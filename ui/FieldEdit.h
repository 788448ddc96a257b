#pragma once

#include "FieldCheck.h"

#include <QLineEdit>

class QAction;

// Every field the owner types into: any length, shown from its start, and a
// value that would break the snippet where it lands shows a warning sign at
// the right edge, whose tooltip (and the field's) says what to do.
class FieldEdit final : public QLineEdit
{
    Q_OBJECT

public:
    FieldEdit(FieldCheck check, const QString& text, QWidget* parent = nullptr);

private:
    void showProblem(const QString& value);

    FieldCheck m_check;
    // Made when first needed: the icon costs start-up tens of milliseconds.
    QAction* m_sign = nullptr;
};
