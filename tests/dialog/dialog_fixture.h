// The options dialog over the hand-made test atlas, made as the program makes
// it: by the first full render, through the host's visible-map box. The main
// and narrative windows are recorded, the thumbnails are plain colours.
#pragma once

#include <QComboBox>
#include <QListWidget>
#include <cmath>
#include <map>
#include <memory>

#include "dialog/maindlg.h"
#include "atlasdata/colorscheme.h"
#include "engine/thumbmap.h"
#include "support/atlas_loader.h"
#include "support/inner_engine.h"
#include "support/items.h"

namespace dlgtest {

struct Host : quil2a::NullHost {
    using NullHost::NullHost;
    std::function<void(int, int, int, int)> onBox;
    void setVisibleMapBox(int a, int b, int c, int d) override
    {
        NullHost::setVisibleMapBox(a, b, c, d);
        if (onBox) onBox(a, b, c, d);
    }
};

// The thumbnail colour that stands for stored picture n.
inline plat::Color thumbColor(int n) { return plat::RGB(n, 255 - n, 7); }

struct World {
    std::unique_ptr<quil2a::Atlas> atlas;
    quil2a::Atlas& a;
    quil2a::MapState m;
    Host host{600, 400};
    testsupport::InnerEngine e{a, m, host};
    std::map<int, std::unique_ptr<plat::Picture>> pics;
    int narrHides = 0, closes = 0;
    bool full = false, menuBar = true;
    std::unique_ptr<quil2a::MainDlg> dlg;

    explicit World(bool greek = false)
        : atlas(testsupport::loadAtlas(testsupport::miniAtlasFolder(), greek)), a(*atlas)
    {
        m.makePictures(640, 440);
        m.xc = 300;
        m.yc = 200;
        m.scale = std::pow(0.8, 13);
        for (int n : {quil2a::kVuReg1, quil2a::kVuReg2, quil2a::kVuReg3, quil2a::kVuReg4}) {
            pics[n] = plat::NewPicture(200, 200);
            pics[n]->graphics().SetForeColor(thumbColor(n));
            pics[n]->graphics().FillRect(0, 0, 200, 200);
        }
        host.onBox = [this](int x1, int y1, int x2, int y2) { dialog().setVisibleMapBox(x1, y1, x2, y2); };
    }

    quil2a::MainDlg& dialog()
    {
        if (!dlg) {
            quil2a::DialogLinks l;
            l.fullScreen = [this] { return full; };
            l.setFullScreen = [this](bool on) { full = on; };
            l.setMenuBarVisible = [this](bool on) { menuBar = on; };
            l.hideNarrative = [this] { ++narrHides; };
            l.storedPicture = [this](int n) -> const plat::Picture* {
                auto it = pics.find(n);
                return it == pics.end() ? nullptr : it->second.get();
            };
            l.onClosed = [this] { ++closes; };
            dlg = std::make_unique<quil2a::MainDlg>(a, m, e, host, std::move(l));
        }
        return *dlg;
    }

    // The map rebuilt for a date, then rendered (which makes the dialog): the dialog.
    quil2a::MainDlg& show(double date)
    {
        m.maindate = date;
        e.jumptodate();
        e.displaymap(*m.p, true);
        return *dlg;
    }

    // Which stored thumbnail the dialog shows: its number, 0 for another picture.
    int thumbnail()
    {
        const plat::Picture* b = dialog().VuReg->backdrop();
        for (auto& [n, pic] : pics)
            if (pic.get() == b) return n;
        return 0;
    }
    plat::Bytes name(int row) { return dialog().cell(row, 0); }
};

// A person's choice of a popup row.
inline void choose(QComboBox* c, int row)
{
    c->setCurrentIndex(row);
    emit c->activated(row);
}

}  // namespace dlgtest
