// Keys on a page: an edit sees Enter and Escape before the page, commits the clamped value once
// through its binding, and neither key closes the page or presses a default button; an open drop
// list takes both keys.

#include "tests/support/PageFixture.h"

#include "controls/CDropButton.h"
#include "controls/oRealEdit.h"
#include "device/CommandIds.h"
#include "pagekit/FieldBinding.h"
#include "pagekit/PageControls.h"

#include <QPushButton>

namespace {

constexpr int kAlphaEditId = 4101;

// A page with one bound edit (PIP-1's alpha, 0..64, sent with the PIP command) and a default
// button that must never fire.
class BoundEditPage : public MBaseDialog {
public:
    explicit BoundEditPage(QWidget* parent) : MBaseDialog(9001, parent, true)
    {
        alpha = MakePageEdit(this, kAlphaEditId, 0, 0, 64, QStringLiteral("%d"), QRect(20, 40, 80, 24));
        bindings.Bind(alpha, {[] { return static_cast<int>(GetDeviceData().chnl[1].alpha); },
                              [](int v) { GetDeviceData().chnl[1].alpha = static_cast<uint8_t>(v); },
                              [] { GetDeviceData().SendCommand(CMD_SET_PIP, 0); }});
        fallback = new QPushButton(QStringLiteral("Default"), this);
        fallback->setGeometry(20, 80, 80, 24);
        fallback->setDefault(true);
        fallback->setAutoDefault(true);
        QObject::connect(fallback, &QPushButton::clicked, this, [this] { ++defaultPresses; });
        list = new CDropButton(this);
        list->Create(QString(), this, 4102, 0x101010, 0x101010, 0xEBEBEB, 0, nullptr, 0x2E2E2E,
                     QRect(20, 120, 120, 20));
        for (const char* text : {"a", "b"}) list->GetList()->AddString(QString::fromLatin1(text));
        list->SetCurSel(0);
    }
    LRESULT OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload) override
    {
        if (msg == WM_VALUE_CHANGED && bindings.Commit(static_cast<int>(wParam))) return 0;
        return MBaseDialog::OnMessage(msg, wParam, lParam, payload);
    }

    oRealEdit* alpha = nullptr;
    QPushButton* fallback = nullptr;
    CDropButton* list = nullptr;
    FieldBindings bindings;
    int defaultPresses = 0;
};

using PageKeys = PageFixture<BoundEditPage>;

TEST_F(PageKeys, EnterInANumericEditCommitsTheClampedValueOnce)
{
    GetDeviceData().chnl[1].onOff = 1;
    TypeAndEnter(page->alpha, QStringLiteral("80"));

    EXPECT_EQ(GetDeviceData().chnl[1].alpha, 64);
    const auto sent = Sent(CMD_SET_PIP);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, Block32({1, 1, 64})));
    EXPECT_EQ(page->alpha->text(), QStringLiteral("64"));
}

TEST_F(PageKeys, NeitherKeyClosesThePageNorPressesTheDefaultButton)
{
    for (QWidget* target : {static_cast<QWidget*>(page->alpha), static_cast<QWidget*>(page->fallback),
                            static_cast<QWidget*>(page.get())}) {
        target->setFocus(Qt::OtherFocusReason);
        for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) PressKey(target, key);
    }
    EXPECT_TRUE(page->isVisible());
    EXPECT_EQ(page->defaultPresses, 0);
    EXPECT_TRUE(host->Of(WM_PAGE_CLOSED).empty());
}

TEST_F(PageKeys, EscapeClosesAnOpenDropListAndEnterChoosesInIt)
{
    page->list->DropList();
    ASSERT_TRUE(page->list->IsListShown());
    PressKey(page->list->GetList(), Qt::Key_Escape);
    EXPECT_FALSE(page->list->IsListShown());
    page->list->DropList();
    PressKey(page->list->GetList(), Qt::Key_Down);
    PressKey(page->list->GetList(), Qt::Key_Return);
    EXPECT_FALSE(page->list->IsListShown());
    EXPECT_EQ(page->list->Caption(), QStringLiteral("b"));
    EXPECT_TRUE(page->isVisible());
}

TEST_F(PageKeys, ARefreshShowsTheStoredValue)
{
    GetDeviceData().chnl[1].alpha = 33;
    page->bindings.ShowAll();
    EXPECT_EQ(page->alpha->text(), QStringLiteral("33"));
    EXPECT_TRUE(Sent(CMD_SET_PIP).empty());
}

struct ScaledCase {
    double value, min, max;
    int scale, stored;
};

TEST(ScaledFieldValue, RoundsToTheStepAndClamps)
{
    const ScaledCase cases[] = {
        {59.94, 0, 240, 100, 5994}, {29.97, 0, 240, 100, 2997}, {1.9, 0, 5, 10, 19}, {0.7, 0, 5, 10, 7},
        {1.3, 0, 5, 10, 13},        {80, 0, 64, 1, 64},         {-3, 0, 64, 1, 0},   {64.9, 0, 64, 1, 64},
        {12.5, 64, 0, 1, 13},       {std::nan(""), 2, 9, 1, 2},
    };
    for (const ScaledCase& c : cases)
        EXPECT_EQ(ScaledFieldValue(c.value, c.min, c.max, c.scale), c.stored) << c.value << " x" << c.scale;
}

} // namespace
