// The date field: its look, caret, key rules and Return.
#include <gtest/gtest.h>

#include "app_harness.h"

using apptest::Harness;

namespace {
struct Field : Harness {
    Field() { open(); }
    quil2a::EditDateClass& f() { return *win().NewEditDate; }
    void focus() { win().setFocusControl(&f()); }
    // Keys as the window receives them.
    void type(const char* keys)
    {
        for (const char* k = keys; *k; ++k) QTest::keyClick(&win(), *k);
    }
    void key(Qt::Key k) { QTest::keyClick(&win(), k); }
};
}  // namespace

TEST(DateField, UnfocusedTextGetsAPointAndTheTenthsAreSmallAndRaised)
{
    Field t;
    t.win().setDateFieldText("1805.3");
    const QImage& img = t.f().shownPicture().image();
    const int w = t.f().insertx[5] - 8;  // "1805."
    int tenthsBottom = -1, intBottom = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if ((img.pixel(x, y) & 0xFFFFFF) != 0xFDFDFD) continue;
            (x >= 8 + w ? tenthsBottom : intBottom) = y;
        }
    EXPECT_GT(tenthsBottom, 0);
    EXPECT_LT(tenthsBottom, intBottom);
    EXPECT_LE(intBottom, 17);

    t.win().setDateFieldText("1805");
    EXPECT_EQ(t.f().EditText, "1805.0");
    t.win().setDateFieldText("");
    EXPECT_EQ(t.f().EditText, ".0");
}

TEST(DateField, BackspacesThenReturnJumpsAndRaisesToTheRange)
{
    Field t;
    t.win().setDateFieldText("1805.3");
    t.focus();
    EXPECT_TRUE(t.f().editfocus);
    EXPECT_EQ(t.f().insertionpoint, 6);
    for (int i = 0; i < 4; ++i) t.key(Qt::Key_Backspace);
    EXPECT_EQ(t.f().EditText, "18");
    t.key(Qt::Key_Return);
    EXPECT_EQ(t.m().maindate, 1000.0);
    EXPECT_EQ(t.f().EditText, "1000.0");
    EXPECT_FALSE(t.f().editfocus);
    EXPECT_EQ(t.win().focusControl(), t.win().MapCanvas);

    t.focus();
    t.key(Qt::Key_Delete);
    t.type("1999");
    t.key(Qt::Key_Enter);
    EXPECT_EQ(t.m().maindate, 1999.0);
    EXPECT_EQ(t.f().EditText, "1999.0");

    t.focus();
    t.key(Qt::Key_Delete);
    t.type("2500");
    t.key(Qt::Key_Return);
    EXPECT_EQ(t.m().maindate, 2003.0);
}

TEST(DateField, KeyLimits)
{
    Field t;
    t.win().setDateFieldText("1805.3");
    t.focus();
    auto& f = t.f();
    for (int ip : {0, 2, 6}) {
        f.insertionpoint = ip;
        EXPECT_FALSE(f.KeyDown("7")) << ip;
        EXPECT_FALSE(f.KeyDown(".")) << ip;
    }
    EXPECT_EQ(f.EditText, "1805.3");

    f.EditText = "1805.";
    f.insertionpoint = 1;
    EXPECT_TRUE(f.KeyDown("2"));
    EXPECT_EQ(f.EditText, "1805.2");
    EXPECT_EQ(f.insertionpoint, 2);

    // Five digits at the caret, then to the end, seven characters in all.
    f.EditText.clear();
    f.insertionpoint = 0;
    t.type("12345");
    f.insertionpoint = 1;
    t.type("67");
    EXPECT_EQ(f.EditText, "1234567");
    EXPECT_FALSE(f.KeyDown("8"));
    f.EditText = "123";
    f.insertionpoint = 1;
    t.type(".");
    EXPECT_EQ(f.EditText, "1.23");
    t.type("a");
    EXPECT_EQ(f.EditText, "1.23");

    // Backspace and the left arrow at the start change nothing; right stops at the end.
    f.insertionpoint = 0;
    t.key(Qt::Key_Backspace);
    t.key(Qt::Key_Left);
    EXPECT_EQ(f.EditText, "1.23");
    EXPECT_EQ(f.insertionpoint, 0);
    for (int i = 0; i < 6; ++i) t.key(Qt::Key_Right);
    EXPECT_EQ(f.insertionpoint, 4);
    f.insertionpoint = 9;  // the text was rewritten shorter while editing
    t.key(Qt::Key_End);
    EXPECT_EQ(f.insertionpoint, 4);
}

TEST(DateField, EscapeForwardDeleteAndTheCaretByClick)
{
    Field t;
    t.win().setDateFieldText("1805");
    t.focus();
    EXPECT_EQ(t.f().preedittext, "1805.0");
    t.type("9");
    t.key(Qt::Key_Backspace);
    t.key(Qt::Key_Backspace);
    t.key(Qt::Key_Escape);
    EXPECT_EQ(t.f().EditText, "1805.0");
    EXPECT_TRUE(t.f().editfocus);
    EXPECT_EQ(t.f().insertionpoint, 6);

    // The caret is drawn in the text colour at the caret position.
    const int c = t.f().insertx[6];
    EXPECT_EQ(t.f().shownPicture().image().pixel(c, 18) & 0xFFFFFF, 0xFDFDFDu);

    // A click between two caret positions: the nearer, and the left one at equal distance.
    auto& f = t.f();
    const int mid = (f.insertx[1] + f.insertx[2]) / 2;
    Harness::click(&f, QPoint(f.insertx[2] - 1, 10));
    EXPECT_EQ(f.insertionpoint, 2);
    if ((f.insertx[1] + f.insertx[2]) % 2 == 0) {
        Harness::click(&f, QPoint(mid, 10));
        EXPECT_EQ(f.insertionpoint, 1);
    }
    EXPECT_FALSE(f.tracking());

    t.key(Qt::Key_Delete);
    t.win().setFocusControl(t.win().MapCanvas);
    EXPECT_EQ(f.EditText, ".0");
    Harness::click(t.win().GoBtn, QPoint(5, 5));
    EXPECT_EQ(t.s().targetdate, 1000.0);
}
