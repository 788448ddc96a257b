#include "FieldEdit.h"

#include <QAction>
#include <QStyle>
#include <limits>

FieldEdit::FieldEdit(FieldCheck check, const QString& text, QWidget* parent)
    : QLineEdit(parent)
    , m_check(check)
{
    // Values of any length are used exactly as typed or pasted.
    setMaxLength(std::numeric_limits<int>::max());
    setText(text);
    // Long addresses show from their start.
    setCursorPosition(0);
    if (m_check == FieldCheck::None)
        return;
    connect(this, &QLineEdit::textChanged, this, &FieldEdit::showProblem);
    showProblem(text);
}

void FieldEdit::showProblem(const QString& value)
{
    const QString problem = fieldProblem(m_check, value);
    if (!m_sign && problem.isEmpty())
        return;
    if (!m_sign) {
        m_sign = addAction(
            style()->standardIcon(QStyle::SP_MessageBoxWarning), QLineEdit::TrailingPosition);
        m_sign->setObjectName(QStringLiteral("fieldProblem"));
    }
    m_sign->setVisible(!problem.isEmpty());
    m_sign->setToolTip(problem);
    setToolTip(problem);
}
