#include "AddressCheckDialog.h"

#include "AddressFetcher.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

// Window-modal, and built by hand: QProgressDialog runs the event loop
// inside setValue(), which would let answers and 取消 in mid-count.
AddressCheckDialog::AddressCheckDialog(const QList<CheckedField>& fields, QWidget* parent)
    : QDialog(parent)
    , m_requests(plannedRequests(fields))
    , m_fetcher(new AddressFetcher(this)) // the requests go with the dialog
{
    setObjectName(QStringLiteral("AddressCheckProgress"));
    setWindowTitle(QStringLiteral("检查本页图片地址"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* label = new QLabel(this);
    auto* bar = new QProgressBar(this);
    bar->setRange(0, int(m_requests.size()));
    const auto showProgress = [label, bar](int done, int total) {
        bar->setValue(done);
        label->setText(QStringLiteral("正在检查地址：%1/%2").arg(done).arg(total));
    };
    showProgress(0, int(m_requests.size()));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    layout->addWidget(label);
    layout->addWidget(bar);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_fetcher, &AddressFetcher::progress, this, showProgress);
    connect(m_fetcher, &AddressFetcher::finished, this, [this, fields] {
        // Out of the way before the report's box comes up.
        hide();
        deleteLater();
        const AddressReport report = addressReport(fields, m_fetcher->results());
        emit reportReady(report.text, report.hasProblems);
    });
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
