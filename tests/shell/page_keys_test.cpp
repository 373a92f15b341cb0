// Enter and Escape reach the edits of the connection and search pages: the address editor adds
// on Enter and leaves the list alone on Escape; the rename edit keeps the name on either key.

#include "tests/support/PageFixture.h"

#include "controls/CMyEdit.h"
#include "device/IniFile.h"
#include "shell/pages/DeviceTile.h"
#include "shell/pages/MConnectDlg.h"
#include "shell/pages/MSearchMachineDlg.h"

namespace {

using ConnectPageKeys = PageFixture<MConnectDlg>;

TEST_F(ConnectPageKeys, EscapeInTheAddressEditorLeavesTheListAndEnterAddsTheAddress)
{
    const std::vector<QString> before = page->Addresses();
    page->OnAddAddress();
    ASSERT_FALSE(page->AddressEditor()->isHidden());
    page->AddressEditor()->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(page->AddressEditor(), QStringLiteral("127.0.0.9"));
    PressKey(page->AddressEditor(), Qt::Key_Escape);
    EXPECT_TRUE(page->AddressEditor()->isHidden());
    EXPECT_EQ(page->Addresses(), before);
    EXPECT_TRUE(page->isVisible());

    page->OnAddAddress();
    TypeAndEnter(page->AddressEditor(), QStringLiteral("127.0.0.9"));
    EXPECT_TRUE(page->AddressEditor()->isHidden());
    ASSERT_EQ(page->Addresses().size(), before.size() + 1);
    EXPECT_EQ(page->Addresses().back(), QStringLiteral("127.0.0.9"));
    EXPECT_TRUE(host->Of(WM_PAGE_CLOSED).empty());
}

using SearchPageKeys = PageFixture<MSearchMachineDlg>;

TEST_F(SearchPageKeys, EnterAndEscapeInTheRenameEditSaveTheName)
{
    page->AddFoundDevice(QStringLiteral("127.0.0.21"), {0x02, 0x5e, 0x00, 0x0a, 0x00, 0x15});
    const struct {
        int key;
        const char* name;
    } cases[] = {{Qt::Key_Return, "Hall A"}, {Qt::Key_Escape, "Hall B"}};
    for (const auto& c : cases) {
        page->OnLButtonDown(TileRenameIconRect(page->Tiles()[0].rect).center());
        ASSERT_FALSE(page->RenameEdit()->isHidden());
        page->RenameEdit()->selectAll();
        QTest::keyClicks(page->RenameEdit(), QString::fromLatin1(c.name));
        PressKey(page->RenameEdit(), c.key);
        EXPECT_TRUE(page->RenameEdit()->isHidden()) << c.name;
        EXPECT_EQ(page->Tiles()[0].name, QString::fromLatin1(c.name));
        EXPECT_EQ(IniReadString(InfoIni(), QStringLiteral("2-5e-0-a-0-15"), QStringLiteral("MachineName")),
                  QString::fromLatin1(c.name));
    }
    EXPECT_TRUE(page->isVisible());
}

} // namespace
