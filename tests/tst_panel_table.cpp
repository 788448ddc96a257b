#include "ControlInventory.h"
#include "Generator.h"
#include "PanelTable.h"
#include "SamplePictures.h"

#include <QtTest>

#include <algorithm>

// The panel table against the control inventory it describes: a row that
// names the wrong generator or offers what its panel cannot do shows here.
class PanelTableTest : public QObject
{
    Q_OBJECT

private:
    static bool panelHas(const PanelSpec& panel, const std::function<bool(const ControlSpec&)>& test)
    {
        const QList<ControlSpec>& all = controlInventory();
        return std::any_of(all.cbegin(), all.cend(),
                           [&](const ControlSpec& spec) { return spec.container == panel.frame() && test(spec); });
    }

private slots:
    void everyPanelOnceWithItsOptionFrameAndGenerator()
    {
        QCOMPARE(panelTable().size(), PanelCount);
        QSet<QString> generators;
        for (int i = 0; i < PanelCount; ++i) {
            const PanelSpec& panel = panelAt(i);
            QCOMPARE(panel.index, i);
            QVERIFY(findControl(panel.frame()));
            QVERIFY(findControl(panel.option()));
            if (panel.generatorButton.isEmpty())
                continue;
            QVERIFY2(panel.generator(), qPrintable(panel.generatorButton));
            QCOMPARE(panelOfControl(panel.generatorButton), &panel);
            generators << panel.generatorButton;
        }
        QCOMPARE(generators.size(), allGenerators().size());
    }

    void menusOfferWhatTheirPanelsHold()
    {
        for (const PanelSpec& panel : panelTable()) {
            const QByteArray name = panel.frame().toUtf8();
            const char* which = name.constData();
            QCOMPARE(panel.offers(PanelOffer::RestoreDefaults),
                     panelHas(panel, [](const ControlSpec& s) { return s.kind == ControlKind::TextField; }));
            QVERIFY2(panel.offers(PanelOffer::AddressCheck) == !addressFields(panel.index).isEmpty(), which);
            QVERIFY2(panel.offers(PanelOffer::BannerAddresses) == panelHas(panel, [](const ControlSpec& s) {
                         return s.address != AddressKind::None && s.has(ControlFlag::Outside);
                     }),
                     which);
            const bool holdsASample = std::any_of(samplePictures().cbegin(), samplePictures().cend(),
                                                  [&](const SamplePicture& sample) {
                                                      return panelOfControl(sample.field) == &panel;
                                                  });
            QVERIFY2(panel.offers(PanelOffer::SampleExport) == holdsASample, which);
        }
    }
};

QTEST_GUILESS_MAIN(PanelTableTest)
#include "tst_panel_table.moc"
