#pragma once

#include "Notifier.h"

#include <QPointer>
#include <QWidget>

// Buttons in the window's language whatever the locale (the OK of a one-button
// box is Qt's own, from its Chinese catalogue); only warnings carry an icon.
class MessageBoxNotifier final : public Notifier
{
public:
    void setParentWidget(QWidget* parent) { m_parent = parent; }

    void inform(const QString& title, const QString& message) override;
    void warn(const QString& title, const QString& message) override;
    bool ask(const QString& title, const QString& message) override;
    qsizetype choose(const QString& title, const QString& message, const QStringList& answers) override;
    bool warnWithSaveOption(const QString& title, const QString& message) override;

private:
    QPointer<QWidget> m_parent;
};
