// The region thumbnail, the region list and fitting the map to a box.
#include <QComboBox>
#include <QSignalBlocker>

#include "dialog/maindlg.h"
#include "engine/view.h"
#include "engine/thumbmap.h"

namespace quil2a {

namespace {
// Two nested one-pixel outlines, each at least 2 x 2.
void drawBox(plat::Graphics& g, int a, int b, int c, int d, plat::Color outer, plat::Color inner)
{
    const int w = std::max(c - a + 1, 2), h = std::max(d - b + 1, 2);
    g.SetForeColor(outer);
    g.DrawRect(a, b, w, h);
    g.SetForeColor(inner);
    g.DrawRect(a + 1, b + 1, w - 2, h - 2);
}
}  // namespace

bool MainDlg::VuReg_MouseDown(int x, int y)
{
    vlastx = vdragx = x;
    vlasty = vdragy = y;
    VuReg->Refresh(false);
    return true;
}

void MainDlg::VuReg_MouseDrag(int x, int y)
{
    if (x == vlastx && y == vlasty) return;
    vlastx = x;
    vlasty = y;
    VuReg->Refresh(false);
}

void MainDlg::VuReg_MouseUp(int, int)
{
    engine_.fitRegion(unvux(vdragx), unvuy(vdragy), unvux(vlastx), unvuy(vlasty), true);
    vdragx = -1;
    VuReg->Refresh(false);
}

void MainDlg::VuReg_Paint(plat::Graphics& g)
{
    if (vqx2 > 0) drawBox(g, vux(vqx1), vuy(vqy1), vux(vqx2), vuy(vqy2), links_.ctlgrey2, links_.ctlgrey1);

    if (vdragx > 0) {
        const int d = plat::Int(vdragy + aspect * (vlastx - vdragx));
        drawBox(g, vdragx, vdragy, vlastx, d, plat::RGB(255, 240, 0), plat::RGB(240, 192, 0));
    } else if (vmx2 > 0) {
        // A box of no width keeps the last ratio.
        if (vmx2 != vmx1) aspect = double(vmy2 - vmy1) / double(vmx2 - vmx1);
        drawBox(g, vux(vmx1), vuy(vmy1), vux(vmx2), vuy(vmy2), plat::RGB(255, 240, 0), plat::RGB(240, 192, 0));
    }
}

void MainDlg::SelectReg_Change()
{
    const int i = SelectReg->currentIndex();
    double box[4];
    // An entry without four numbers is no region.
    if (i > 0 && a_.vregxy.valid(i) && parseMapBox(a_.vregxy[i], box))
        engine_.fitRegion(box[0], box[1], box[2], box[3], true);
    const QSignalBlocker quiet(SelectReg);
    SelectReg->setCurrentIndex(0);
    SelectReg->update();
}

}  // namespace quil2a
