#pragma once

#include <QString>
#include <QStringList>

// Modal messages to the user. Delivery and the window speak through this so
// that tests can record what would be shown and answer questions.
class Notifier
{
public:
    virtual ~Notifier() = default;

    // OK-only box without icon.
    virtual void inform(const QString& title, const QString& message) = 0;
    // OK-only box with a warning icon: something did not work.
    virtual void warn(const QString& title, const QString& message) = 0;
    // Yes/No question without icon, Yes the default; true for Yes.
    virtual bool ask(const QString& title, const QString& message) = 0;
    // A question with these answers, the first the default, the last the
    // one closing the box gives; returns the index of the answer chosen.
    // A notifier that cannot ask takes the last.
    virtual qsizetype choose(const QString& title, const QString& message, const QStringList& answers)
    {
        Q_UNUSED(title);
        Q_UNUSED(message);
        return answers.size() - 1;
    }
    // The warning with a second button, "保存到文件…"; true when the user
    // chose it. A notifier that cannot offer it shows the plain warning.
    virtual bool warnWithSaveOption(const QString& title, const QString& message)
    {
        warn(title, message);
        return false;
    }
};
