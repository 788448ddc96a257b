#pragma once

#include <QDialog>
#include <QList>
#include <QPair>

class PanelForm;
class QLineEdit;

// "客服横幅图片地址": the contact block's banner addresses, whose fields lie
// beyond the contact panel's edge, edited beside their captions. "确定"
// writes them back into the form; "取消" changes nothing.
class BannerAddressDialog final : public QDialog
{
    Q_OBJECT

public:
    // The banners of panel `panel`: its address fields beyond its edge.
    BannerAddressDialog(PanelForm& form, int panel, QWidget* parent);

private:
    void writeBack();

    PanelForm& m_form;
    QList<QPair<QString, QLineEdit*>> m_edits; // by field name
};
