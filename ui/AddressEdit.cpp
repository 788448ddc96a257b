#include "AddressEdit.h"

#include "AddressCheck.h"

#include <QAction>
#include <QStyle>
#include <limits>

AddressEdit::AddressEdit(const QString& text, QWidget* parent)
    : QLineEdit(parent)
{
    setMaxLength(std::numeric_limits<int>::max());
    setText(text);
    // Long addresses show from their start.
    setCursorPosition(0);
    connect(this, &QLineEdit::textChanged, this, &AddressEdit::showProblem);
    showProblem(text);
}

void AddressEdit::showProblem(const QString& value)
{
    const QString problem = addressProblem(value);
    if (!m_sign && problem.isEmpty())
        return;
    if (!m_sign) {
        m_sign = addAction(
            style()->standardIcon(QStyle::SP_MessageBoxWarning), QLineEdit::TrailingPosition);
        m_sign->setObjectName(QStringLiteral("addressProblem"));
    }
    m_sign->setVisible(!problem.isEmpty());
    m_sign->setToolTip(problem);
    setToolTip(problem);
}
