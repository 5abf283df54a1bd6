// The stored pictures by number.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "app/appicon.h"
#include "app/pictures.h"
#include "app_harness.h"
#include "data/stored_items.h"
#include "platform/resources.h"

TEST(StoredPictures, LoadedOnceAndAskedForAgainWhileMissing)
{
    std::map<int, int> fetches;
    bool served = false;
    auto previous = plat::setResourceProvider([&](const std::string& type, int n) -> plat::Bytes {
        ++fetches[n];
        if (type != "PICT" || (n == quil2a::StoredPictures::kFlash1 && !served)) return {};
        return quillmere_data::storedResource(type, n);
    });

    quil2a::StoredPictures pics;
    EXPECT_EQ(pics.flash1(), nullptr);
    EXPECT_EQ(pics.flash1(), nullptr);
    EXPECT_EQ(fetches[177], 2);
    served = true;
    const plat::Picture* splash = pics.flash1();
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(pics.flash1(), splash);
    EXPECT_EQ(fetches[177], 3);
    EXPECT_EQ(splash->Width(), 350);
    EXPECT_EQ(splash->Height(), 150);
    ASSERT_NE(pics.flashgr(), nullptr);
    EXPECT_NE(pics.flashgr()->image(), splash->image());

    // Nine distinct roller frames.
    const int numbers[9] = {170, 171, 172, 173, 174, 175, 176, 168, 169};
    std::vector<QImage> frames;
    for (int k = 0; k <= 8; ++k) {
        EXPECT_EQ(quil2a::StoredPictures::rollerFrameNumber(k), numbers[k]);
        const plat::Picture* f = pics.btnf(k);
        ASSERT_NE(f, nullptr) << k;
        EXPECT_EQ(f->Width(), 54);
        EXPECT_EQ(f->Height(), 54);
        for (const QImage& other : frames) EXPECT_NE(f->image(), other) << k;
        frames.push_back(f->image());
    }
    EXPECT_EQ(pics.btn0f(), pics.btnf(0));

    // Not a picture at all.
    plat::setResourceProvider([](const std::string&, int) -> plat::Bytes { return "not a picture"; });
    EXPECT_EQ(pics.picture(300), nullptr);
    plat::setResourceProvider(std::move(previous));
}

TEST(StoredPictures, EveryWindowCarriesTheIconDrawnFromTheMapThumbnail)
{
    apptest::Harness h;
    h.open();
    EXPECT_FALSE(h.win().windowIcon().isNull());
    const QList<QSize> sizes = QGuiApplication::windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(256, 256)));
    // The map fills the middle; the corners stay clear of the rounded frame.
    const QImage icon = quil2a::atlasIcon(h.app->pictures().picture(quil2a::kIconThumbnail)->image(), 64);
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(32, 32)), 255);
    EXPECT_NE(icon.pixel(32, 32) & 0xFFFFFFu, 0x101010u);
    EXPECT_TRUE(quil2a::atlasIcon(QImage(), 64).isNull());
}
