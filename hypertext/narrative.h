// The narrative window as the rest of the program sees it: the window of
// narrwin.h implements it; the main window and the application hold it.
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

}  // namespace quil2a
