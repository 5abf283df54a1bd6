// The narrative window and the options dialog as the rest of the program sees
// them. The windows implement these; the main window holds them.
#pragma once

#include "platform/text.h"

namespace quil2a {

class NarrativeWindow {
public:
    virtual ~NarrativeWindow() = default;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void SetFocus() = 0;
    virtual void Close() = 0;
    // Shows "page" or "page#anchor" of the language set in force.
    virtual void Update(const plat::Bytes& pageAndAnchor) = 0;
    // Outer geometry in screen pixels.
    virtual void setGeometry(int left, int top, int width, int height) = 0;
};

class OptionsDialog {
public:
    virtual ~OptionsDialog() = default;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void SetFocus() = 0;
    virtual void Close() = 0;
    // The part of the map the canvas shows, in map units; repaints the thumbnail.
    virtual void setVisibleMapBox(int x1, int y1, int x2, int y2) = 0;
};

}  // namespace quil2a
