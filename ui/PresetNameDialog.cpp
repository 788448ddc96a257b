#include "PresetNameDialog.h"

#include "PresetFile.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PresetNameDialog::PresetNameDialog(const QString& title, const QString& initial, const QStringList& taken,
                                   QWidget* parent)
    : QDialog(parent)
    , m_taken(taken)
    , m_field(new QLineEdit(initial, this))
    , m_problem(new QLabel(this))
{
    setObjectName(QStringLiteral("PresetName"));
    setWindowTitle(title);
    m_field->setObjectName(QStringLiteral("PresetNameField"));
    m_field->selectAll();
    m_problem->setObjectName(QStringLiteral("PresetNameProblem"));
    QPalette palette = m_problem->palette();
    palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_problem->setPalette(palette);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_field, &QLineEdit::textEdited, m_problem, &QLabel::clear);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("方案名称（最多 %1 个字符）：").arg(PresetNameLimit), this));
    layout->addWidget(m_field);
    layout->addWidget(m_problem);
    layout->addWidget(buttons);
    setMinimumWidth(320);
}

QString PresetNameDialog::name() const
{
    return presetName(m_field->text());
}

void PresetNameDialog::accept()
{
    const QString problem = presetNameProblem(m_field->text(), m_taken);
    if (problem.isEmpty()) {
        QDialog::accept();
        return;
    }
    m_problem->setText(problem);
    m_field->setFocus();
}

QString PresetNameDialog::ask(QWidget* parent, const QString& title, const QString& initial, const QStringList& taken)
{
    PresetNameDialog dialog(title, initial, taken, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.name() : QString();
}
