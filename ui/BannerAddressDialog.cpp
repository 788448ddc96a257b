#include "BannerAddressDialog.h"

#include "AddressEdit.h"
#include "ControlInventory.h"
#include "PanelForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>

BannerAddressDialog::BannerAddressDialog(PanelForm& form, int panel, QWidget* parent)
    : QDialog(parent)
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
        connect(this, &QDialog::accepted, edit,
                [&form, name = spec->name, edit] { form.setFieldText(name, edit->text()); });
    }
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}
