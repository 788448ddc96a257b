#include "MessageBoxNotifier.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

void prepare(QMessageBox& box, QMessageBox::Icon icon, const QString& title, const QString& message)
{
    box.setIcon(icon);
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(message);
    // Let the user copy what a box says, an address for instance.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.setWindowModality(Qt::ApplicationModal);
}

void showOk(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& message)
{
    QMessageBox box(parent);
    prepare(box, icon, title, message);
    QPushButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

} // namespace

void MessageBoxNotifier::inform(const QString& title, const QString& message)
{
    showOk(m_parent, QMessageBox::NoIcon, title, message);
}

void MessageBoxNotifier::warn(const QString& title, const QString& message)
{
    showOk(m_parent, QMessageBox::Warning, title, message);
}

bool MessageBoxNotifier::ask(const QString& title, const QString& message)
{
    // Built by hand: QMessageBox::question() would add a question-mark icon.
    QMessageBox box(m_parent);
    prepare(box, QMessageBox::NoIcon, title, message);
    QPushButton* yes = box.addButton(QStringLiteral("是"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("否"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

bool MessageBoxNotifier::warnWithSaveOption(const QString& title, const QString& message)
{
    QMessageBox box(m_parent);
    prepare(box, QMessageBox::Warning, title, message);
    QPushButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    QPushButton* save = box.addButton(QStringLiteral("保存到文件…"), QMessageBox::ActionRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return box.clickedButton() == save;
}
