#pragma once

#include "AddressCheck.h"

#include <QDialog>
#include <QList>

class AddressFetcher;
class QLabel;
class QProgressBar;

// The progress of an address check, with "取消": owns the requests for the
// fields' addresses and hands back the report once each has an answer.
// Gone once done or cancelled; a cancelled check reports nothing.
class AddressCheckDialog final : public QDialog
{
    Q_OBJECT

public:
    AddressCheckDialog(const QList<CheckedField>& fields, QWidget* parent);

    // Shows the progress and sends the requests.
    void start();
    void reject() override;

signals:
    void reportReady(const QString& report, bool hasProblems);

private:
    void showProgress(int done, int total);
    void conclude();

    QList<CheckedField> m_fields;
    QList<AddressRequest> m_requests;
    AddressFetcher* m_fetcher;
    QLabel* m_label;
    QProgressBar* m_bar;
};
