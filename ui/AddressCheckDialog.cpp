#include "AddressCheckDialog.h"

#include "AddressFetcher.h"
#include "ControlInventory.h"
#include "Notifier.h"
#include "PanelForm.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

const QString ReportTitle = QStringLiteral("地址检查结果");

// Window-modal, and built by hand: QProgressDialog runs the event loop
// inside setValue(), which would let answers and 取消 in mid-count.
AddressCheckDialog::AddressCheckDialog(PanelForm& form, int panel, Notifier& notifier, QWidget* parent)
    : QDialog(parent)
    , m_notifier(notifier)
    , m_fetcher(new AddressFetcher(this)) // the requests go with the dialog
{
    const FieldText text = [&form](const QString& name) { return form.fieldText(name); };
    for (const ControlSpec* spec : addressFields(panel))
        m_fields.append({ reportCaption(spec->name, text), text(spec->name), spec->address, spec->laidOut });
    setObjectName(QStringLiteral("AddressCheckProgress"));
    setWindowTitle(QStringLiteral("检查本页图片地址"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* label = new QLabel(this);
    auto* bar = new QProgressBar(this);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    layout->addWidget(label);
    layout->addWidget(bar);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_fetcher, &AddressFetcher::progress, this, [label, bar](int done, int total) {
        bar->setRange(0, total);
        bar->setValue(done);
        label->setText(QStringLiteral("正在检查地址：%1/%2").arg(done).arg(total));
    });
    connect(m_fetcher, &AddressFetcher::finished, this, [this] {
        // Out of the way before the report's box comes up.
        hide();
        deleteLater();
        const AddressReport report = addressReport(m_fields, m_fetcher->results());
        if (report.hasProblems)
            m_notifier.warn(ReportTitle, report.text);
        else
            m_notifier.inform(ReportTitle, report.text);
    });
}

void AddressCheckDialog::start()
{
    const QList<AddressRequest> requests = plannedRequests(m_fields);
    if (requests.isEmpty()) {
        deleteLater();
        m_notifier.inform(ReportTitle, QStringLiteral("本页没有填写地址。"));
        return;
    }
    open();
    m_fetcher->fetch(requests);
}

void AddressCheckDialog::reject()
{
    m_fetcher->cancel();
    QDialog::reject();
    deleteLater();
}
