#pragma once

#include <QString>

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
    // The warning with a second button, "保存到文件…"; true when the user
    // chose it. A notifier that cannot offer it shows the plain warning.
    virtual bool warnWithSaveOption(const QString& title, const QString& message)
    {
        warn(title, message);
        return false;
    }
};
