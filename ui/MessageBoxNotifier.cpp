#include "MessageBoxNotifier.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

struct Button
{
    QString text;
    QMessageBox::ButtonRole role = QMessageBox::AcceptRole;
};
using Buttons = QList<Button>;
// Qt's own OK, so that its text shows whether Qt's catalogue is loaded.
const Buttons StandardOk { { QString(), QMessageBox::AcceptRole } };

// A modal box with exactly the buttons given, the first the default;
// returns the index of the one pressed (closing the box presses `escape`).
qsizetype showBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& message,
                  const Buttons& buttons, qsizetype escape = 0)
{
    QMessageBox box(parent);
    box.setIcon(icon);
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(message);
    // Let the user copy what a box says, an address for instance.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.setWindowModality(Qt::ApplicationModal);
    QList<QPushButton*> added;
    for (const auto& [text, role] : buttons)
        added << (text.isEmpty() ? box.addButton(QMessageBox::Ok) : box.addButton(text, role));
    box.setDefaultButton(added.first());
    box.setEscapeButton(added.at(escape));
    box.exec();
    return added.indexOf(qobject_cast<QPushButton*>(box.clickedButton()));
}

} // namespace

void MessageBoxNotifier::inform(const QString& title, const QString& message)
{
    showBox(m_parent, QMessageBox::NoIcon, title, message, StandardOk);
}

void MessageBoxNotifier::warn(const QString& title, const QString& message)
{
    showBox(m_parent, QMessageBox::Warning, title, message, StandardOk);
}

bool MessageBoxNotifier::ask(const QString& title, const QString& message)
{
    // Built by hand: QMessageBox::question() would add a question-mark icon.
    return showBox(m_parent, QMessageBox::NoIcon, title, message,
                   { { QStringLiteral("是"), QMessageBox::YesRole }, { QStringLiteral("否"), QMessageBox::NoRole } }, 1)
        == 0;
}

qsizetype MessageBoxNotifier::choose(const QString& title, const QString& message, const QStringList& answers)
{
    Buttons buttons;
    for (const QString& answer : answers)
        buttons.append({ answer, buttons.size() + 1 == answers.size() ? QMessageBox::RejectRole : QMessageBox::AcceptRole });
    return showBox(m_parent, QMessageBox::NoIcon, title, message, buttons, answers.size() - 1);
}

bool MessageBoxNotifier::warnWithSaveOption(const QString& title, const QString& message)
{
    return showBox(m_parent, QMessageBox::Warning, title, message,
                   { { QStringLiteral("确定"), QMessageBox::AcceptRole },
                     { QStringLiteral("保存到文件…"), QMessageBox::ActionRole } })
        == 1;
}
