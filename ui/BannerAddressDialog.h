#pragma once

#include <QDialog>

class PanelForm;

// The address fields beyond a panel's edge, edited beside their captions;
// "确定" writes them back into the form.
class BannerAddressDialog final : public QDialog
{
    Q_OBJECT

public:
    BannerAddressDialog(PanelForm& form, int panel, QWidget* parent);
};
