// The options dialog: the who/where/when query list with an item's details and
// location buttons, the label and full-screen switches, the region thumbnail
// and region list, the colour schemes and the export buttons. One instance at a
// time, made hidden on first use and discarded when closed.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "atlasdata/atlas.h"
#include "dialog/drawn.h"
#include "dialog/savemap.h"
#include "engine/engine.h"
#include "engine/host.h"
#include "dialog/options.h"
#include "engine/mapstate.h"
#include "hypertext/htmlvu.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace quil2a {

// What the dialog reaches beyond the engine: the main and narrative windows
// and the stored pictures. Unset entries do nothing.
struct DialogLinks {
    // The main window's full screen and menu bar.
    std::function<bool()> fullScreen;
    std::function<void(bool)> setFullScreen;
    std::function<void(bool)> setMenuBarVisible;
    // Hides the narrative window when there is one.
    std::function<void()> hideNarrative;
    // A stored picture by resource number; null when missing.
    std::function<const plat::Picture*(int)> storedPicture;
    // The dialog was closed: its owner discards it.
    std::function<void()> onClosed;
    // The export's dialogs and animation hold; null takes the system's dialogs.
    ExportHooks* exportHooks = nullptr;
    // Outline colours of the query box on the thumbnail.
    plat::Color ctlgrey1 = plat::RGB(192, 192, 192), ctlgrey2 = plat::RGB(253, 253, 253);
};

class MainDlg : public QWidget, public OptionsDialog {
    Q_OBJECT
public:
    // Builds the window and its controls and runs its open event.
    // The atlas is the page viewer's too (it reads pages through it); the map
    // state is read only: every change goes through the engine.
    MainDlg(Atlas& atlas, const MapState& state, MapEngine& engine, EngineHost& host, DialogLinks links);
    ~MainDlg() override;

    // OptionsDialog.
    void Show() override;
    void Hide() override;
    void SetFocus() override;
    void Close() override;
    void setVisibleMapBox(int x1, int y1, int x2, int y2) override;
    void fullScreenEnded() override;

    // The window's open event: captions, text size, state, rows, query list.
    void Open();

    // Own properties.
    int32_t wid = 0, ht = 0;
    bool sortup = false;
    int32_t vqx1 = 0, vqy1 = 0, vqx2 = 0, vqy2 = 0;
    int32_t vmx1 = 0, vmx2 = 0, vmy1 = 0, vmy2 = 0;
    int32_t vdragx = 0, vdragy = 0, vlastx = 0, vlasty = 0;
    double aspect = 0.0;
    int32_t cssel = 0;
    int32_t resolution = 0;

    // Controls, in creation order.
    QListWidget* QListBox = nullptr;      // the query list: people, places or events
    QComboBox* Qtype = nullptr;           // who, where or when
    QComboBox* QSortOrder = nullptr;      // alphabetical or by date
    HTMLvu* QHTML = nullptr;              // the chosen item's description
    QLabel* ListLabel = nullptr;          // "List:"
    QLabel* SortLabel = nullptr;          // "Sort:"
    QLabel* ShowLabel = nullptr;          // "Show:", over the two location buttons
    QFrame* Separator2 = nullptr;
    QPushButton* ShowPlaceBtn = nullptr;         // the map to the item's place
    QPushButton* ShowPlaceAndDateBtn = nullptr;  // the map to its place and date
    QWidget* ResolutionGroup = nullptr;   // holds the three resolution buttons
    QRadioButton* res1 = nullptr;         // resolution 1: as displayed
    QRadioButton* res2 = nullptr;         // 2: finer (2x)
    QRadioButton* res3 = nullptr;         // 3: finest (4x)
    QPushButton* PrintBtn = nullptr;
    QPushButton* SaveBtn = nullptr;       // to a PNG file
    QLabel* ResolutionLabel = nullptr;    // "Resolution:"
    QPushButton* ClipBtn = nullptr;       // to the clipboard
    QCheckBox* FullScreenBox = nullptr;
    DrawnControl* VuReg = nullptr;        // the region thumbnail: drag a box to frame it
    QFrame* Separator1 = nullptr;
    QCheckBox* CountryNamesBox = nullptr;
    QCheckBox* CitiesBox = nullptr;
    QCheckBox* CityNamesBox = nullptr;
    QCheckBox* HeadlinesBox = nullptr;
    QComboBox* SelectReg = nullptr;       // the named view regions
    QLabel* DatesLabel = nullptr;         // "Principal dates:"
    QFrame* Separator3 = nullptr;
    QLabel* PriDates = nullptr;           // the chosen item's dates
    PopupArrow* SortArrow = nullptr;      // flips the sort direction
    QScrollBar* QScroll = nullptr;        // scrolls the description
    QComboBox* SelectCS = nullptr;        // the colour schemes

    // Query list.
    void FillQListBox();
    void DoQListSort();
    void Qtype_Change();
    void QSortOrder_Change();
    bool SortArrow_MouseDown(int x, int y);
    void SortArrow_MouseUp(int x, int y);
    void QListBox_Change();
    void QScroll_ValueChanged();
    void ShowPlaceBtn_Action();
    void ShowPlaceAndDateBtn_Action();
    // The selected row, -1 for none; setting it runs QListBox_Change for a row
    // that exists and leaves nothing selected otherwise.
    int ListIndex() const;
    void setListIndex(int row);
    // A row's cells: 0 name, 1 date1, 2 date2, 3 map box, 4 description.
    const plat::Bytes& cell(int row, int column) const;
    int rowCount() const { return static_cast<int>(rows_.size()); }

    // Region thumbnail and region list.
    bool VuReg_MouseDown(int x, int y);
    void VuReg_MouseDrag(int x, int y);
    void VuReg_MouseUp(int x, int y);
    void VuReg_Paint(plat::Graphics& g);
    void SelectReg_Change();

    // Display options and full screen.
    void FullScreenBox_Action();
    void CountryNamesBox_Action();
    void CitiesBox_Action();
    void CityNamesBox_Action();
    void HeadlinesBox_Action();

    // Colour schemes.
    void SelectCS_Change();

    // Export.
    void res1_Action() { resolution = 1; }
    void res2_Action() { resolution = 2; }
    void res3_Action() { resolution = 3; }
    void PrintBtn_Action() { SaveMap(0); }
    void SaveBtn_Action() { SaveMap(2); }
    void ClipBtn_Action() { SaveMap(1); }
    // 0 print, 1 clipboard, any other value a PNG file.
    void SaveMap(int32_t mode);

    // The text size of a control, in pixels.
    static int TextSize(const QWidget* w);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    struct Row {
        plat::Bytes cells[5];
        QString shown;  // column 0 as shown, for the alphabetical sort
    };
    void createControls();
    void addRow(const plat::Bytes& name, int32_t date1, int32_t date2, const plat::Bytes& box,
                const plat::Bytes& descriptor);
    void showRows();
    void showPage(const plat::Bytes& source);
    void setBackdrop(int resource);
    // Brings the scheme row and thumbnail in line with a scheme set elsewhere.
    void followScheme();
    QString text(int n) const;

    Atlas& a_;
    const MapState& m_;
    MapEngine& engine_;
    EngineHost& host_;
    DialogLinks links_;
    std::vector<Row> rows_;
    bool closed_ = false;
};

}  // namespace quil2a
