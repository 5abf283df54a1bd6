// The date field: a small text entry that draws and edits itself. It shows
// the map's date with the tenths smaller and raised, takes digits and one
// point, and jumps the map to the typed date on Return or Enter.
#pragma once

#include <array>
#include <cstdint>

#include "app/controlhost.h"
#include "widgets/canvas.h"

namespace quil2a {

class EditDateClass : public Canvas {
    Q_OBJECT
public:
    explicit EditDateClass(ControlHost& host);

    bool editfocus = false;
    plat::Bytes EditText;
    int32_t insertionpoint = 0;
    plat::Bytes preedittext;
    std::array<int32_t, 11> insertx{};
    plat::Color BackColor = 0;
    plat::Color TextColor = 0;

    void Paint(plat::Graphics& g);
    void Open();
    bool MouseDown(int x, int y);
    void GotFocus();
    void LostFocus();
    bool KeyDown(const plat::Bytes& key);

private:
    ControlHost& host_;
};

}  // namespace quil2a
