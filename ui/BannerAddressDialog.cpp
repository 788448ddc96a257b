#include "BannerAddressDialog.h"

#include "ControlInventory.h"
#include "FieldEdit.h"
#include "PanelForm.h"
#include "PanelTable.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

BannerAddressDialog::BannerAddressDialog(PanelForm& form, int panel, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("BannerAddresses"));
    setWindowTitle(QStringLiteral("客服横幅图片地址"));
    auto* layout = new QFormLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    QStringList captions;
    for (const ControlSpec* spec : addressFields(panel)) {
        if (!spec->has(ControlFlag::Outside))
            continue;
        auto* edit = new FieldEdit(spec->check, form.fieldText(spec->name), this);
        edit->setMinimumWidth(pixelRect(*spec).width());
        const QSize size = pictureSize(*spec);
        layout->addRow(QStringLiteral("%1（%2×%3）").arg(findControl(spec->label)->text, QString::number(size.width()),
                                                       QString::number(size.height())),
                       edit);
        captions << spec->label;
        connect(this, &QDialog::accepted, edit,
                [&form, name = spec->name, edit] { form.setFieldText(name, edit->text()); });
    }
    // The rest beyond the panel's edge, the hint on the working hours, and
    // what else of the block is fixed text, changed in the shop editor.
    for (const ControlSpec& spec : controlInventory()) {
        if (spec.container == panelName(panel) && spec.kind == ControlKind::Label && spec.has(ControlFlag::Outside)
            && !captions.contains(spec.name))
            layout->addRow(new QLabel(spec.text, this));
    }
    if (const Generator* generator = panelAt(panel).generator(); generator && !generator->fixedText.isEmpty())
        layout->addRow(new QLabel(generator->fixedText, this));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}
