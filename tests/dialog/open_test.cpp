// Making the options dialog: inside the first render, from the state it finds.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "dialog_fixture.h"

using dlgtest::World;

TEST(MainDlgOpen, MadeHiddenByTheFirstRenderWhichRunsOnce)
{
    // scheme at creation, the scheme row and thumbnail it shows
    const int cases[][3] = {{0, 0, quil2a::kVuReg1}, {1, 1, quil2a::kVuReg2}, {3, 2, quil2a::kVuReg2},
                            {5, 3, quil2a::kVuReg3}};
    for (const auto& c : cases) {
        World w;
        w.a.colorscheme = static_cast<quil2a::ColorScheme>(c[0]);
        w.m.maindate = 1500.0;
        w.e.jumptodate();
        w.a.clrlist[1] = 0xABCDEF;  // a palette rebuild would replace it
        w.e.displaymap(*w.m.p, true);

        ASSERT_TRUE(w.dlg) << c[0];
        EXPECT_EQ(w.host.boxUpdates, 1) << c[0];
        EXPECT_FALSE(w.dlg->isVisible());
        EXPECT_EQ(static_cast<int>(w.a.colorscheme), c[0]);
        EXPECT_EQ(w.a.clrlist[1], 0xABCDEFu) << c[0];
        EXPECT_EQ(w.dlg->SelectCS->currentIndex(), c[1]) << c[0];
        EXPECT_EQ(w.thumbnail(), c[2]) << c[0];
        EXPECT_EQ(w.dlg->SelectReg->currentIndex(), 0);
        EXPECT_EQ(w.dlg->vmx2, w.host.vmx2);
        EXPECT_EQ(w.host.viewChanges, 0);
    }
}

TEST(MainDlgOpen, CaptionsTextSizesRowsAndSwitches)
{
    for (bool greek : {false, true}) {
        World w(greek);
        w.a.vregname[2].clear();  // the first empty name ends the region rows
        w.m.citieson = false;
        w.m.headlineson = false;
        w.full = true;
        quil2a::MainDlg& d = w.show(1500.0);

        const int ts = greek ? 9 : 10;
        for (QWidget* c : std::initializer_list<QWidget*>{d.ListLabel, d.DatesLabel, d.Qtype, d.QListBox, d.ShowPlaceAndDateBtn,
                                                          d.PriDates, d.FullScreenBox, d.HeadlinesBox, d.ClipBtn, d.res3,
                                                          d.SelectReg, d.SelectCS})
            EXPECT_EQ(quil2a::MainDlg::TextSize(c), ts) << c->objectName().toStdString();
        EXPECT_EQ(quil2a::MainDlg::TextSize(d.QScroll), 12);
        EXPECT_TRUE(d.PriDates->font().bold());

        const QString prefix = greek ? QString::fromUtf8("\u0395\u039b ") : QString();
        EXPECT_EQ(d.ShowPlaceAndDateBtn->text(), prefix + QStringLiteral("Location and date"));
        EXPECT_EQ(d.SelectCS->itemText(3), prefix + QStringLiteral("European Union"));
        EXPECT_EQ(d.Qtype->count(), 3);
        EXPECT_EQ(d.SelectReg->count(), 2);

        EXPECT_TRUE(d.FullScreenBox->isChecked());
        EXPECT_TRUE(d.CountryNamesBox->isChecked());
        EXPECT_FALSE(d.CitiesBox->isChecked());
        EXPECT_TRUE(d.CityNamesBox->isEnabled());  // follows the cities box only when it is clicked
        EXPECT_FALSE(d.HeadlinesBox->isChecked());
        EXPECT_EQ(d.geometry().size(), QSize(601, 436));
        EXPECT_EQ(d.VuReg->geometry(), QRect(376, 154, 200, 200));
    }
}
