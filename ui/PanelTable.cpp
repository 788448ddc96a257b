#include "PanelTable.h"

#include "SamplePictures.h"

#include <algorithm>

namespace {

bool panelHolds(const PanelSpec& panel, const std::function<bool(const ControlSpec&)>& test)
{
    const QList<ControlSpec>& all = controlInventory();
    const QString frame = panel.frame();
    return std::any_of(all.cbegin(), all.cend(),
                       [&](const ControlSpec& spec) { return spec.container == frame && test(spec); });
}

// The panel whose control of that kind (`&PanelSpec::frame`, ...) is named `name`.
const PanelSpec* panelWhose(QString (PanelSpec::*control)() const, const QString& name)
{
    const auto it = std::find_if(panelTable().cbegin(), panelTable().cend(),
                                 [&](const PanelSpec& panel) { return (panel.*control)() == name; });
    return it == panelTable().cend() ? nullptr : &*it;
}

} // namespace

const Generator* PanelSpec::generator() const
{
    for (const Generator& generator : allGenerators()) {
        if (const ControlSpec* button = findControl(generator.button); button && button->container == frame())
            return &generator;
    }
    return nullptr;
}

QList<PanelOffer> PanelSpec::menu() const
{
    QList<PanelOffer> offers;
    if (panelHolds(*this, [](const ControlSpec& s) { return s.kind == ControlKind::TextField; }))
        offers << PanelOffer::RestoreDefaults;
    if (!addressFields(index).isEmpty())
        offers << PanelOffer::AddressCheck;
    if (panelHolds(*this, [](const ControlSpec& s) { return s.address != AddressKind::None && s.has(ControlFlag::Outside); }))
        offers << PanelOffer::BannerAddresses;
    const QList<SamplePicture>& samples = samplePictures();
    if (std::any_of(samples.cbegin(), samples.cend(),
                    [this](const SamplePicture& sample) { return panelOfControl(sample.field) == this; }))
        offers << PanelOffer::SampleExport;
    // A hidden option's panel is never shown, so nobody asks for its page.
    if (const Generator* shown = generator(); shown && shown->preview && !findControl(option())->has(ControlFlag::Hidden))
        offers << PanelOffer::Preview;
    return offers;
}

const QList<PanelSpec>& panelTable()
{
    static const QList<PanelSpec> panels { { 0 }, { 1 }, { 2 }, { 3 }, { 4 }, { 5 }, { 6 } };
    return panels;
}

const PanelSpec& panelAt(int index)
{
    return panelTable().at(index);
}

const PanelSpec* panelOfFrame(const QString& frame)
{
    return panelWhose(&PanelSpec::frame, frame);
}

const PanelSpec* panelOfOption(const QString& option)
{
    return panelWhose(&PanelSpec::option, option);
}

const PanelSpec* panelOfControl(const QString& control)
{
    const ControlSpec* spec = findControl(control);
    return spec ? panelOfFrame(spec->container) : nullptr;
}

QString menuText(PanelOffer offer)
{
    // In the order of PanelOffer.
    static const QString texts[] = {
        QStringLiteral("恢复本页默认内容"), QStringLiteral("检查本页图片地址"),
        QStringLiteral("修改客服横幅图片地址…"), QStringLiteral("导出示例图片…"), QStringLiteral("在浏览器中预览"),
    };
    return texts[int(offer)];
}

QKeySequence menuShortcut(PanelOffer offer)
{
    return offer == PanelOffer::Preview ? QKeySequence(Qt::Key_F5) : QKeySequence();
}
