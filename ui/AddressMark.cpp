#include "AddressMark.h"

#include "AddressCheck.h"

#include <QAction>
#include <QLineEdit>
#include <QStyle>

void markAddressProblems(QLineEdit* field)
{
    const auto update = [field](const QString& value) {
        const QString problem = addressProblem(value);
        auto* sign = field->findChild<QAction*>(QStringLiteral("addressProblem"), Qt::FindDirectChildrenOnly);
        if (!sign && problem.isEmpty())
            return;
        if (!sign) {
            sign = field->addAction(field->style()->standardIcon(QStyle::SP_MessageBoxWarning),
                                    QLineEdit::TrailingPosition);
            sign->setObjectName(QStringLiteral("addressProblem"));
        }
        sign->setVisible(!problem.isEmpty());
        sign->setToolTip(problem);
        field->setToolTip(problem);
    };
    QObject::connect(field, &QLineEdit::textChanged, field, update);
    update(field->text());
}
