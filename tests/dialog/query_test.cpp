// The who/where/when list: what each kind lists, the sort orders, the details
// of a selection and the location buttons.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>

#include "dialog_fixture.h"

using dlgtest::choose;
using dlgtest::World;

namespace {
template <class R>
void put(quil2a::RecordTable<R>& t, int i, const char* name, int placeID, int d1, int d2, const char* text = "")
{
    t[i] = std::make_unique<R>();
    t[i]->name = name;
    t[i]->placeID = placeID;
    t[i]->date1 = d1;
    t[i]->date2 = d2;
    t[i]->descriptor = text;
}

std::vector<plat::Bytes> names(quil2a::MainDlg& d)
{
    std::vector<plat::Bytes> out;
    for (int r = 0; r < d.rowCount(); ++r) out.push_back(d.cell(r, 0));
    return out;
}
using Names = std::vector<plat::Bytes>;
}  // namespace

TEST(QueryList, EachKindListsItsRecordsWithinTheDateRange)
{
    World w;
    // Who: the range's edges, a hidden name, name markup, a place that is not loaded; a gap ends the table.
    put(w.a.people, 1, "Ends at start", 1, 9000, 10000);
    put(w.a.people, 2, "Ends after start", 2, 9000, 10001);
    put(w.a.people, 3, "^Hidden", 1, 11000, 12000);
    put(w.a.people, 4, "Mark^ed]one", 3, 11000, 12000);
    put(w.a.people, 5, "Nowhere", 99, 11000, 12000);
    put(w.a.people, 7, "After a gap", 1, 11000, 12000);
    put(w.a.events, 3, "Starts at end", 1, 20030, 20040);
    put(w.a.events, 4, "Starts before end", 1, 20029, 20040);
    w.a.city[2]->x = 100.7;  // a city outside the date range is listed all the same
    w.a.city[2]->y = 200.2;
    w.a.city[2]->date1 = 3000;
    w.a.city[2]->date2 = 4000;
    quil2a::MainDlg& d = w.show(1500.0);

    choose(d.QSortOrder, 0);
    choose(d.Qtype, 0);
    EXPECT_EQ(names(d), (Names{"Ends after start", "Mark ed one", "Nowhere"}));
    EXPECT_EQ(d.cell(0, 3), "10500 8000 15000 12000");
    EXPECT_EQ(d.cell(2, 3), "");
    EXPECT_EQ(w.a.people[4]->name, "Mark^ed]one");

    choose(d.Qtype, 1);
    EXPECT_EQ(names(d), (Names{"Aland", "Alphaville", "Beland", "Betatown", "Dol and", "South Beland"}));
    EXPECT_EQ(d.cell(3, 3), "95 195 105 205");
    EXPECT_EQ(d.cell(3, 1), "3000");

    choose(d.Qtype, 2);
    EXPECT_EQ(names(d), (Names{"Division of Beland", "Founding of Aland", "Starts before end"}));
    EXPECT_EQ(d.ListIndex(), 0);
    EXPECT_EQ(w.a.people.outsideCount() + w.a.place.outsideCount(), 0);
}

TEST(QueryList, SortOrdersAndTheDirectionArrow)
{
    World w;
    put(w.a.events, 3, "an early one", 1, 9500, 10500);  // four digits: text order puts it last
    put(w.a.events, 4, "Zenith", 1, 12000, 12500);
    quil2a::MainDlg& d = w.show(1500.0);

    EXPECT_EQ(names(d), (Names{"Founding of Aland", "Zenith", "Division of Beland", "an early one"}));
    choose(d.QSortOrder, 0);
    EXPECT_EQ(names(d), (Names{"an early one", "Division of Beland", "Founding of Aland", "Zenith"}));

    d.SortArrow_MouseUp(0, 0);
    EXPECT_TRUE(d.sortup);
    EXPECT_EQ(d.SortArrow->Facing, 2);
    EXPECT_EQ(names(d), (Names{"Zenith", "Founding of Aland", "Division of Beland", "an early one"}));
    EXPECT_EQ(d.ListIndex(), 0);
    EXPECT_EQ(d.vqx1, 6000);  // Zenith's place

    choose(d.QSortOrder, 1);
    EXPECT_EQ(names(d), (Names{"an early one", "Division of Beland", "Zenith", "Founding of Aland"}));
    d.SortArrow_MouseUp(0, 0);
    EXPECT_EQ(d.SortArrow->Facing, 3);
    EXPECT_EQ(names(d), (Names{"Founding of Aland", "Zenith", "Division of Beland", "an early one"}));
}

TEST(QueryList, ASelectionShowsItsDatesDescriptionAndBox)
{
    World w;
    // start, end, principal dates shown
    const struct {
        int d1, d2;
        const char* text;
    } cases[] = {{17895, 18210, "1789 - 1821"}, {17895, 17899, "1789"},       {10000, 15000, "1500"},
                 {18000, 20099, "1800 onwards"}, {10000, 20100, "---"},       {10000, 10005, ""}};
    for (int i = 1; i <= 6; ++i)
        put(w.a.events, i, ("E" + std::to_string(i)).c_str(), 2, cases[i - 1].d1, cases[i - 1].d2, "<b>Said</b> of it.");
    quil2a::MainDlg& d = w.show(1500.0);
    choose(d.QSortOrder, 0);
    for (int r = 0; r < 6; ++r) {
        d.QListBox->setCurrentRow(r);  // as a click does
        EXPECT_EQ(d.PriDates->text().toStdString(), cases[r].text) << r;
    }
    EXPECT_EQ(d.QHTML->HTMLstring, "<body bgcolor='#ffffff'><br><b>Said</b> of it.");
    EXPECT_EQ(d.vqx1, 10500);
    EXPECT_EQ(d.vqx2, 15000);

    // Deselecting drops the box and keeps the details.
    d.QListBox->setCurrentRow(0);
    d.QListBox->clearSelection();
    EXPECT_EQ(d.vqx2, -1);
    EXPECT_EQ(d.PriDates->text(), QStringLiteral("1789 - 1821"));
    EXPECT_EQ(d.QHTML->HTMLstring, "<body bgcolor='#ffffff'><br><b>Said</b> of it.");

    // A new kind empties the details.
    choose(d.Qtype, 0);
    EXPECT_EQ(d.QHTML->HTMLstring, "<body bgcolor='#ffffff'><br>Queen of Aland.");
    EXPECT_EQ(d.PriDates->text(), QStringLiteral("1100 - 1150"));
}

TEST(QueryList, LocationButtonsMoveTheMapAndTheDate)
{
    World w;
    put(w.a.events, 1, "Mid", 2, 18000, 18500);
    put(w.a.events, 2, "Open", 2, 10000, 20099);
    put(w.a.events, 3, "Late", 2, 20000, 20099);
    put(w.a.events, 4, "Unplaced", 77, 12000, 12100);
    quil2a::MainDlg& d = w.show(1500.0);
    choose(d.QSortOrder, 0);
    ASSERT_EQ(names(d), (Names{"Late", "Mid", "Open", "Unplaced"}));

    d.setListIndex(1);
    d.ShowPlaceBtn_Action();
    EXPECT_DOUBLE_EQ(w.m.x0, 12750);  // the middle of Beland's box
    EXPECT_DOUBLE_EQ(w.m.y0, 10000);
    EXPECT_DOUBLE_EQ(w.m.maindate, 1500.0);
    EXPECT_EQ(w.host.viewChanges, 1);

    d.ShowPlaceAndDateBtn_Action();
    EXPECT_DOUBLE_EQ(w.m.maindate, 1825.0);
    d.setListIndex(2);
    d.ShowPlaceAndDateBtn_Action();  // no real bound: the date stays
    EXPECT_DOUBLE_EQ(w.m.maindate, 1825.0);
    d.setListIndex(0);
    d.ShowPlaceAndDateBtn_Action();
    EXPECT_DOUBLE_EQ(w.m.maindate, 2003.0);
    const int refreshes = w.host.viewChanges;

    // An item without a box, and no selection at all, move nothing.
    w.m.x0 = 5;
    d.setListIndex(3);
    EXPECT_EQ(d.vqx2, -1);
    d.ShowPlaceBtn_Action();
    d.ShowPlaceAndDateBtn_Action();
    d.QListBox->clearSelection();
    d.ShowPlaceAndDateBtn_Action();
    d.ShowPlaceBtn_Action();
    EXPECT_EQ(w.m.x0, 5);
    EXPECT_DOUBLE_EQ(w.m.maindate, 2003.0);
    EXPECT_EQ(w.host.viewChanges, refreshes);
}
