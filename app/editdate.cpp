#include "app/editdate.h"

#include <cstdlib>



namespace quil2a {

EditDateClass::EditDateClass(ControlHost& host)
    : Canvas(&host.surface(), QStringLiteral("NewEditDate")), host_(host)
{
    acceptFocus = true;
    eraseBackground = true;
    onMouseEnter = [this] { setMouseCursor(Qt::IBeamCursor); };
    onMouseExit = [this] { setMouseCursor(Qt::ArrowCursor); };
    onPaint = [this](plat::Graphics& g) { Paint(g); };
    onMouseDown = [this](int x, int y) { return MouseDown(x, y); };
    onGotFocus = [this] { GotFocus(); };
    onLostFocus = [this] { LostFocus(); };
    onKeyDown = [this](const plat::Bytes& key) { return KeyDown(key); };
}

void EditDateClass::Paint(plat::Graphics& g)
{
    g.SetForeColor(BackColor);
    g.FillRect(0, 0, width(), height() - 2);
    g.SetForeColor(TextColor);
    g.SetTextFont(plat::kSerif);
    g.SetTextSize(18);

    if (!editfocus && plat::InStrB(EditText, ".") == 0) EditText += ".0";

    const int32_t len = plat::LenB(EditText);
    insertx[0] = 8;
    for (int32_t i = 1; i <= 10; ++i) insertx[i] = i <= len ? 8 + g.StringWidth(plat::LeftB(EditText, i)) : 9999;

    const int c = g.StringWidth(plat::LeftB(EditText, std::min(insertionpoint, len)));

    const int32_t dot = plat::InStrB(EditText, ".");
    const plat::Bytes intPart = dot == 0 ? EditText : plat::LeftB(EditText, dot);
    const plat::Bytes decimals = dot == 0 ? plat::Bytes() : plat::MidB(EditText, dot + 1);

    const int w = g.StringWidth(intPart);
    const int a = g.TextAscent();

    g.DrawString(intPart, 8, 17);
    g.SetTextSize(10);
    g.DrawString(decimals, 8 + w, 13);
    g.SetTextSize(18);

    if (editfocus) g.DrawLine(8 + c, 18, 8 + c, 19 - a);
}

void EditDateClass::Open() { insertionpoint = plat::LenB(EditText); }

bool EditDateClass::MouseDown(int x, int)
{
    host_.setFocusControl(this);
    int32_t best = 9999, index = 11;
    for (int32_t i = 0; i <= 10; ++i) {
        const int32_t d = std::abs(insertx[i] - x);
        if (d < best) {
            index = i;
            best = d;
        }
    }
    insertionpoint = index;
    if (editfocus) Refresh(false);
    return false;
}

void EditDateClass::GotFocus()
{
    editfocus = true;
    insertionpoint = plat::LenB(EditText);
    preedittext = EditText;
    Refresh(false);
}

void EditDateClass::LostFocus()
{
    const ShellState& s = host_.shell();
    TextColor = s.ctlgrey2;
    BackColor = host_.map().ctlbackcolor;
    editfocus = false;
    Refresh(false);
}

bool EditDateClass::KeyDown(const plat::Bytes& key)
{
    const int32_t dot = plat::InStrB(EditText, ".");
    plat::Bytes intPart, decimals;
    if (dot == 0) {
        intPart = EditText;
    } else {
        if (key == ".") return false;
        intPart = plat::LeftB(EditText, dot);
        decimals = plat::MidB(EditText, dot + 1);
    }

    if (!key.empty() && plat::InStrB(".1234567890", plat::LeftB(key, 1)) > 0) {
        if (plat::LenB(EditText) >= 7) return false;
        if ((dot == 0 || insertionpoint < dot) && plat::LenB(intPart) < 5) {
            const int32_t at = std::clamp(insertionpoint, 0, plat::LenB(EditText));
            EditText = plat::LeftB(EditText, at) + plat::LeftB(key, 1) + plat::MidB(EditText, at + 1);
        } else {
            if (!decimals.empty()) return false;
            EditText += plat::LeftB(key, 1);
        }
        insertionpoint += 1;
    } else {
        switch (plat::AscB(key)) {
        case 4:
            insertionpoint = plat::LenB(EditText);
            break;
        case 8:
            if (insertionpoint >= 1) {
                EditText = plat::LeftB(EditText, insertionpoint - 1) + plat::MidB(EditText, insertionpoint + 1);
                insertionpoint -= 1;
            }
            break;
        case 13:
        case 3: {
            host_.focusMap();
            host_.engine().jumpTo(plat::Val(EditText));
            break;
        }
        case 27:
            EditText = preedittext;
            insertionpoint = plat::LenB(EditText);
            break;
        case 28:
            insertionpoint -= 1;
            break;
        case 29:
            insertionpoint += 1;
            break;
        case 127:
            EditText.clear();
            break;
        default:
            break;
        }
    }

    insertionpoint = std::clamp(insertionpoint, 0, plat::LenB(EditText));
    Refresh(false);
    return true;
}

}  // namespace quil2a
