#include "PanelTable.h"


const QList<PanelSpec>& panelTable()
{
    using O = PanelOffer;
    using L = PreviewLayout;
    // The samples are the contact block's and the strip's pictures; only the
    // contact block has banners beyond its panel's edge.
    static const QList<PanelSpec> panels {
        { 0, QStringLiteral("旺旺在线"),
          { O::RestoreDefaults, O::AddressCheck, O::BannerAddresses, O::SampleExport, O::Preview }, L::Column },
        { 1, QStringLiteral("LEN滚动"), { O::RestoreDefaults, O::AddressCheck, O::SampleExport, O::Preview }, L::Column },
        { 2, QStringLiteral("CSS导航"), { O::RestoreDefaults, O::AddressCheck, O::Preview }, L::NavigationCss },
        { 3, QStringLiteral("全屏轮播"), { O::RestoreDefaults, O::AddressCheck, O::Preview }, L::FullWidth },
        { 4, QStringLiteral("背景音乐生成"), { O::RestoreDefaults, O::AddressCheck, O::Preview }, L::Music },
        // Its option is hidden: nobody reaches its preview.
        { 5, QStringLiteral("悬浮背景"), { O::RestoreDefaults, O::AddressCheck } },
        { 6, QString(), {} },
    };
    return panels;
}

const PanelSpec& panelAt(int index)
{
    return panelTable().at(index);
}

const PanelSpec* panelOfFrame(const QString& frame)
{
    for (const PanelSpec& panel : panelTable()) {
        if (panel.frame() == frame)
            return &panel;
    }
    return nullptr;
}

const PanelSpec* panelOfOption(const QString& option)
{
    for (const PanelSpec& panel : panelTable()) {
        if (panel.option() == option)
            return &panel;
    }
    return nullptr;
}

const PanelSpec* panelOfControl(const QString& control)
{
    const ControlSpec* spec = findControl(control);
    return spec ? panelOfFrame(spec->container) : nullptr;
}

QString menuText(PanelOffer offer)
{
    switch (offer) {
    case PanelOffer::RestoreDefaults:
        return QStringLiteral("恢复本页默认内容");
    case PanelOffer::AddressCheck:
        return QStringLiteral("检查本页图片地址");
    case PanelOffer::BannerAddresses:
        return QStringLiteral("修改客服横幅图片地址…");
    case PanelOffer::SampleExport:
        return QStringLiteral("导出示例图片…");
    case PanelOffer::Preview:
        return QStringLiteral("在浏览器中预览");
    }
    Q_UNREACHABLE();
}

QKeySequence menuShortcut(PanelOffer offer)
{
    return offer == PanelOffer::Preview ? QKeySequence(Qt::Key_F5) : QKeySequence();
}
