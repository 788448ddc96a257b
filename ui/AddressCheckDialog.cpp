#include "AddressCheckDialog.h"

#include "AddressFetcher.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

// Window-modal, and built by hand: QProgressDialog runs the event loop
// inside setValue(), which would let the requests' answers and the cancel
// button in while a previous answer is still being counted.
AddressCheckDialog::AddressCheckDialog(const QList<CheckedField>& fields, QWidget* parent)
    : QDialog(parent)
    , m_fields(fields)
    , m_requests(plannedRequests(fields))
    , m_fetcher(new AddressFetcher(this)) // the requests go with the dialog
    , m_label(new QLabel(this))
    , m_bar(new QProgressBar(this))
{
    setObjectName(QStringLiteral("AddressCheckProgress"));
    setWindowTitle(QStringLiteral("检查本页图片地址"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_bar->setRange(0, int(m_requests.size()));
    showProgress(0, int(m_requests.size()));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_fetcher, &AddressFetcher::progress, this, &AddressCheckDialog::showProgress);
    connect(m_fetcher, &AddressFetcher::finished, this, &AddressCheckDialog::conclude);
}

void AddressCheckDialog::start()
{
    open();
    m_fetcher->fetch(m_requests);
}

void AddressCheckDialog::reject()
{
    m_fetcher->cancel();
    QDialog::reject();
    deleteLater();
}

void AddressCheckDialog::showProgress(int done, int total)
{
    m_bar->setValue(done);
    m_label->setText(QStringLiteral("正在检查地址：%1/%2").arg(done).arg(total));
}

void AddressCheckDialog::conclude()
{
    // Out of the way before the report's box comes up.
    hide();
    deleteLater();
    const AddressReport report = addressReport(m_fields, m_fetcher->results());
    emit reportReady(report.text, report.hasProblems);
}
