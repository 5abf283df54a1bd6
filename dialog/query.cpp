// The who/where/when list, the selected item's details and its location buttons.
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "dialog/maindlg.h"
#include "platform/codepage.h"

namespace quil2a {

namespace {
const plat::Bytes kBlankPage = "<body bgcolor='#ffffff'><br>";

plat::Bytes boxText(double x1, double y1, double x2, double y2)
{
    return plat::Str(plat::Int(x1)) + " " + plat::Str(plat::Int(y1)) + " " + plat::Str(plat::Int(x2)) + " " +
           plat::Str(plat::Int(y2));
}

// The box of the place a person or an event belongs to; none when the place
// number names no loaded place.
plat::Bytes placeBox(const Atlas& a, int32_t placeID)
{
    if (!a.place.valid(placeID) || !a.place[placeID]) return {};
    const placetype& p = *a.place[placeID];
    return boxText(p.x1, p.y1, p.x2, p.y2);
}
}  // namespace

void MainDlg::addRow(const plat::Bytes& name, int32_t date1, int32_t date2, const plat::Bytes& box,
                     const plat::Bytes& descriptor)
{
    Row r;
    r.cells[0] = plat::ReplaceAllB(plat::ReplaceAllB(name, "^", " "), "]", " ");
    r.cells[1] = plat::Str(date1);
    r.cells[2] = plat::Str(date2);
    r.cells[3] = box;
    r.cells[4] = descriptor;
    r.shown = plat::decode(r.cells[0], a_.textCodePage());
    rows_.push_back(std::move(r));
}

void MainDlg::FillQListBox()
{
    rows_.clear();
    const double lo = m_.mindate * 10, hi = m_.maxdate * 10;
    auto inRange = [&](int32_t d1, int32_t d2) { return double(d2) > lo && double(d1) < hi; };
    auto listed = [](const std::string& name) { return name.empty() || name[0] != '^'; };

    auto walkPeople = [&](const auto& table) {
        for (int32_t i = 1; i <= table.ubound() && table[i]; ++i) {
            const auto& r = *table[i];
            if (listed(r.name) && inRange(r.date1, r.date2))
                addRow(r.name, r.date1, r.date2, placeBox(a_, r.placeID), r.descriptor);
        }
    };

    switch (Qtype->currentIndex()) {
    case 0: walkPeople(a_.people); break;
    case 1:
        for (int32_t i = 1; i <= a_.place.ubound() && a_.place[i]; ++i) {
            const placetype& p = *a_.place[i];
            if (listed(p.name) && inRange(p.date1, p.date2))
                addRow(p.name, p.date1, p.date2, boxText(p.x1, p.y1, p.x2, p.y2), p.descriptor);
        }
        for (int32_t i = 1; i <= a_.city.ubound() && a_.city[i]; ++i) {
            const citiestype& c = *a_.city[i];
            if (listed(c.name)) addRow(c.name, c.date1, c.date2, boxText(c.x - 5, c.y - 5, c.x + 5, c.y + 5), c.descriptor);
        }
        break;
    case 2: walkPeople(a_.events); break;
    default: break;
    }
    showRows();

    PriDates->setText(QString());
    showPage(kBlankPage);
}

void MainDlg::showRows()
{
    const QSignalBlocker quiet(QListBox);
    QListBox->clear();
    for (const Row& r : rows_) QListBox->addItem(r.shown);
    QListBox->update();
}

void MainDlg::DoQListSort()
{
    const int column = QSortOrder->currentIndex();
    if (column == 0 || column == 1) {
        auto less = [column](const Row& x, const Row& y) {
            if (column == 0) return QString::compare(x.shown, y.shown, Qt::CaseInsensitive) < 0;
            return x.cells[1] < y.cells[1];
        };
        if (sortup) std::stable_sort(rows_.begin(), rows_.end(), [&](const Row& x, const Row& y) { return less(y, x); });
        else std::stable_sort(rows_.begin(), rows_.end(), less);
    }
    showRows();
}

void MainDlg::Qtype_Change()
{
    FillQListBox();
    DoQListSort();
    setListIndex(0);
}

void MainDlg::QSortOrder_Change()
{
    DoQListSort();
    setListIndex(0);
}

bool MainDlg::SortArrow_MouseDown(int, int) { return true; }

void MainDlg::SortArrow_MouseUp(int, int)
{
    sortup = !sortup;
    SortArrow->Facing = sortup ? 2 : 3;
    SortArrow->Refresh(true);
    DoQListSort();
    setListIndex(0);
}

int MainDlg::ListIndex() const
{
    const QList<QListWidgetItem*> sel = QListBox->selectedItems();
    return sel.isEmpty() ? -1 : QListBox->row(sel.first());
}

void MainDlg::setListIndex(int row)
{
    {
        const QSignalBlocker quiet(QListBox);
        if (row < 0 || row >= QListBox->count()) {
            QListBox->clearSelection();
            return;
        }
        QListBox->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    }
    QListBox_Change();
}

const plat::Bytes& MainDlg::cell(int row, int column) const
{
    static const plat::Bytes none;
    if (row < 0 || row >= rowCount() || column < 0 || column > 4) return none;
    return rows_[static_cast<size_t>(row)].cells[column];
}

void MainDlg::showPage(const plat::Bytes& source)
{
    QHTML->LoadFromString(source);
    QHTML->update();
}

void MainDlg::QListBox_Change()
{
    const int r = ListIndex();
    if (r < 0) {
        vqx2 = -1;
        VuReg->Refresh(false);
        return;
    }
    const int32_t d1 = plat::Int(plat::Val(cell(r, 1)));
    const int32_t d2 = plat::Int(plat::Val(cell(r, 2)));

    showPage(kBlankPage + cell(r, 4));

    // A page shorter than half the viewer has nothing to scroll.
    {
        const QSignalBlocker quiet(QScroll);
        QScroll->setSingleStep(1);
        QScroll->setRange(0, std::max(QHTML->ytext - QHTML->height() / 2, 0));
        QScroll->setPageStep(QHTML->height());
        QScroll->setValue(QHTML->ybase);
    }
    QHTML->ybase = QScroll->value();
    QHTML->update();

    plat::Bytes s;
    if (d1 > 10000) s = plat::Str(d1 / 10);
    if (d2 < 20099) {
        if (d2 / 10 != d1 / 10) {
            if (!s.empty()) s += " - ";
            s += plat::Str(d2 / 10);
        }
    } else if (!s.empty()) {
        s += a_.quilstring[34];
    } else {
        s = "---";
    }
    PriDates->setText(plat::decode(s, a_.textCodePage()));

    // An item without a full box (its place is not loaded) has none.
    const std::vector<plat::Bytes> parts = plat::Split(cell(r, 3), " ");
    if (parts.size() >= 4) {
        vqx1 = plat::Int(plat::Val(parts[0]));
        vqy1 = plat::Int(plat::Val(parts[1]));
        vqx2 = plat::Int(plat::Val(parts[2]));
        vqy2 = plat::Int(plat::Val(parts[3]));
    } else {
        vqx1 = vqy1 = vqy2 = 0;
        vqx2 = -1;
    }
    VuReg->Refresh(false);
}

void MainDlg::QScroll_ValueChanged()
{
    QHTML->ybase = QScroll->value();
    QHTML->update();
}

void MainDlg::ShowPlaceBtn_Action()
{
    if (vqx2 <= 0) return;  // no item box stored
    engine_.fitRegion(vqx1, vqy1, vqx2, vqy2, true);
}

void MainDlg::ShowPlaceAndDateBtn_Action()
{
    const int r = ListIndex();
    if (r < 0 || vqx2 <= 0) return;
    const double y1 = plat::Val(cell(r, 1)) / 10, y2 = plat::Val(cell(r, 2)) / 10;
    if (y1 > 1000.0 || y2 < 2009.9) {
        engine_.jumpTo((y1 + y2) / 2);
    }
    engine_.fitRegion(vqx1, vqy1, vqx2, vqy2, true);
}

}  // namespace quil2a
