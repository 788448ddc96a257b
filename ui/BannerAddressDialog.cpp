#include "BannerAddressDialog.h"

#include "AddressEdit.h"
#include "ControlInventory.h"
#include "PanelForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>

BannerAddressDialog::BannerAddressDialog(PanelForm& form, int panel, QWidget* parent)
    : QDialog(parent)
    , m_form(form)
{
    setObjectName(QStringLiteral("BannerAddresses"));
    setWindowTitle(QStringLiteral("客服横幅图片地址"));
    auto* layout = new QFormLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    for (const ControlSpec* spec : addressFields(panel)) {
        if (!spec->has(ControlFlag::Outside))
            continue;
        auto* edit = new AddressEdit(form.fieldText(spec->name), this);
        edit->setMinimumWidth(pixelRect(*spec).width());
        layout->addRow(findControl(spec->label)->text, edit);
        m_edits.append({ spec->name, edit });
    }
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::accepted, this, &BannerAddressDialog::writeBack);
}

void BannerAddressDialog::writeBack()
{
    for (const auto& [name, edit] : m_edits)
        m_form.setFieldText(name, edit->text());
}
