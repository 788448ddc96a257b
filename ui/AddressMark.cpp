#include "AddressMark.h"

#include "AddressCheck.h"

#include <QAction>
#include <QLineEdit>
#include <QStyle>

QAction* markAddressProblems(QLineEdit* field)
{
    QAction* sign = field->addAction(field->style()->standardIcon(QStyle::SP_MessageBoxWarning),
                                     QLineEdit::TrailingPosition);
    sign->setObjectName(QStringLiteral("addressProblem"));
    const auto update = [field, sign](const QString& value) {
        const QString problem = addressProblem(value);
        sign->setVisible(!problem.isEmpty());
        sign->setToolTip(problem);
        field->setToolTip(problem);
    };
    QObject::connect(field, &QLineEdit::textChanged, sign, update);
    update(field->text());
    return sign;
}
