#pragma once

#include "AddressCheck.h"

#include <QDialog>
#include <QList>

class AddressFetcher;

// An address check's progress, with "取消": owns the requests and hands back
// the report. Gone once done or cancelled; a cancelled check reports nothing.
class AddressCheckDialog final : public QDialog
{
    Q_OBJECT

public:
    AddressCheckDialog(const QList<CheckedField>& fields, QWidget* parent);

    void start();
    void reject() override;

signals:
    void reportReady(const QString& report, bool hasProblems);

private:
    QList<AddressRequest> m_requests;
    AddressFetcher* m_fetcher;
};
