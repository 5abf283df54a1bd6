// The options dialog as the rest of the program sees it: MainDlg implements
// it; the main window and the application hold it.
#pragma once

namespace quil2a {

class OptionsDialog {
public:
    virtual ~OptionsDialog() = default;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void SetFocus() = 0;
    virtual void Close() = 0;
    // The part of the map the canvas shows, in map units; repaints the thumbnail.
    virtual void setVisibleMapBox(int x1, int y1, int x2, int y2) = 0;
    // Full screen was left from the main window: the full-screen box is
    // cleared as a person would clear it.
    virtual void fullScreenEnded() = 0;
};

}  // namespace quil2a
