// Every stored narrative and help page lays out whole and without a message.
// With QUILLMERE_PAGE_SHOTS set to a folder, the laid-out pages are saved there.
#include <gtest/gtest.h>

#include <QDir>

#include "data/stored_items.h"
#include "hypertext/htmlvu.h"
#include "hypertext/viewer_fixture.h"
#include "platform/msgbox.h"

TEST(StoredPages, EveryPageLaysOutWholeWithoutMessages)
{
    const char* shots = getenv("QUILLMERE_PAGE_SHOTS");
    for (bool greek : {false, true}) {
        testsupport::TestItems items;
        for (const auto& it : quil2a::contentItems())
            items.setStored(it.key, quillmere_data::storedResource("TEXT", it.resource));
        quil2a::Atlas a;
        quil2a::Fillcfilelist(a);
        a.GreekText = greek;
        const plat::Bytes folder = greek ? "el\\" : "en\\";
        for (const auto& it : quil2a::contentItems()) {
            const plat::Bytes key = it.key;
            if (key.rfind(folder, 0) != 0 || key.size() < 4 || key.substr(key.size() - 4) != ".htm") continue;
            const plat::Bytes page = key.substr(folder.size());
            quil2a::HTMLvu v(a);
            v.resize(456, 508);
            plat::MsgBoxRecorder rec;
            v.LoadFromFile(page);
            EXPECT_TRUE(rec.messages().empty()) << key << ": " << (rec.messages().empty() ? "" : rec.messages()[0]);
            EXPECT_GT(v.bfr->Height(), v.ytext) << key;
            if (shots) {
                QDir().mkpath(shots);
                const QString name = QString::fromStdString((greek ? "el-" : "en-") + page) + ".png";
                v.bfr->image().copy(0, 0, v.bfr->Width(), std::min(v.bfr->Height(), v.ytext + 40)).save(QString(shots) + "/" + name);
            }
        }
    }
}
