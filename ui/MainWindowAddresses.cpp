// The parts of the window that look after the addresses an owner types:
// checking them on the network, the banner addresses that lie beyond the
// contact panel's edge, and sample pictures to upload.

#include "MainWindow.h"

#include "AddressCheckDialog.h"
#include "AddressMark.h"
#include "ControlInventory.h"
#include "Notifier.h"
#include "SamplePictures.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

const QString ReportTitle = QStringLiteral("地址检查结果");

} // namespace

void MainWindow::checkPanelAddresses(int panel)
{
    QList<CheckedField> fields;
    for (const ControlSpec* spec : addressFields(panel))
        fields.append({ reportCaption(spec->name), fieldText(spec->name), spec->address, spec->laidOut });
    if (plannedRequests(fields).isEmpty()) {
        m_services.notifier->inform(ReportTitle, QStringLiteral("本页没有填写地址。"));
        return;
    }
    auto* check = new AddressCheckDialog(fields, this);
    connect(check, &AddressCheckDialog::reportReady, this, [this](const QString& report, bool hasProblems) {
        if (hasProblems)
            m_services.notifier->warn(ReportTitle, report);
        else
            m_services.notifier->inform(ReportTitle, report);
    });
    check->start();
}

void MainWindow::editBannerAddresses()
{
    auto* dialog = new QDialog(this);
    dialog->setObjectName(QStringLiteral("BannerAddresses"));
    dialog->setWindowTitle(QStringLiteral("客服横幅图片地址"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    auto* form = new QFormLayout(dialog);
    form->setSizeConstraint(QLayout::SetFixedSize);
    // The contact panel's addresses that lie beyond its edge: the banners.
    QList<QPair<QString, QLineEdit*>> edits;
    for (const ControlSpec* spec : addressFields(0)) {
        if (!spec->has(Outside))
            continue;
        auto* edit = new QLineEdit(fieldText(spec->name), dialog);
        edit->setMaxLength(std::numeric_limits<int>::max());
        edit->setCursorPosition(0);
        edit->setMinimumWidth(twipsToPixels(spec->width));
        markAddressProblems(edit);
        form->addRow(findControl(spec->label)->text, edit);
        edits.append({ spec->name, edit });
    }
    auto* buttons = new QDialogButtonBox(dialog);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    connect(dialog, &QDialog::accepted, this, [this, edits] {
        for (const auto& [name, edit] : edits)
            setFieldText(name, edit->text());
        saveFieldValues();
    });
    dialog->open();
}

void MainWindow::exportSamples()
{
    const QString folder = m_services.chooseFolder ? m_services.chooseFolder() : QString();
    if (folder.isEmpty())
        return;
    Notifier& notifier = *m_services.notifier;
    const SampleExport result = exportSamplePictures(folder, [&notifier](const QString& name) {
        return notifier.ask(QStringLiteral("提示"), QStringLiteral("文件夹里已有“%1”，要替换它吗？").arg(name));
    });
    if (!result.problem.isEmpty()) {
        notifier.warn(QStringLiteral("导出失败"), result.problem);
        return;
    }
    notifier.inform(QStringLiteral("示例图片已导出"),
                    QStringLiteral("示例图片在文件夹 %1 里。请把它们上传到店铺的图片空间，再把得到的图片地址"
                                   "粘贴到对应的输入框；客服横幅的地址请在“客服在线”页右键菜单的"
                                   "“修改客服横幅图片地址…”里填写。")
                        .arg(QDir::toNativeSeparators(folder)));
}
