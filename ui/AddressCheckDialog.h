#pragma once

#include "AddressCheck.h"

#include <QDialog>
#include <QList>

class AddressFetcher;
class Notifier;
class PanelForm;

// The address check of one panel, whole: says when the panel has no address,
// else shows progress with "取消", owns the requests, and ends with the
// report's box. Gone once done or cancelled; a cancelled check reports nothing.
class AddressCheckDialog final : public QDialog
{
    Q_OBJECT

public:
    AddressCheckDialog(PanelForm& form, int panel, Notifier& notifier, QWidget* parent);

    void start();
    void reject() override;

private:
    QList<CheckedField> m_fields;
    Notifier& m_notifier;
    AddressFetcher* m_fetcher;
};
