// Renaming a preset slot or an input in place: a double click under the item opens the edit,
// Enter stores the name in "Info.ini", Escape drops it.

#include "PresetTestSupport.h"

#include "device/IniFile.h"
#include "platform/ControlId.h"
#include "shell/MainWindowIds.h"
#include "shell/PresetNames.h"

#include <QLineEdit>
#include <QMouseEvent>

namespace mw = ctl::main_window;

namespace {

class PresetRenameTest : public PresetBarTest {
protected:
    void DoubleClick(KordalDlg& w, QPoint pos)
    {
        QMouseEvent e(QEvent::MouseButtonDblClick, QPointF(pos), QPointF(w.mapToGlobal(pos)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &e);
    }
    int FirstEnabledInput() const
    {
        for (int k = 0; k < kInputIconCount; ++k)
            if (GetDeviceData().inputNames[k].enabled) return k;
        return -1;
    }
};

TEST_F(PresetRenameTest, EnterCommitsTheSlotNameToInfoIni)
{
    KordalDlg& w = Ready();
    const QRect band = SlotNameBand(w.PresetButton(2)->geometry());
    DoubleClick(w, band.center());
    QLineEdit* edit = w.RenameEdit();
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->isVisible());
    EXPECT_EQ(GetControlId(edit), mw::IDC_RENAME_EDIT);
    EXPECT_EQ(edit->geometry(), band);
    EXPECT_EQ(edit->text(), "0-2");
    EXPECT_EQ(edit->selectedText(), "0-2");
    EXPECT_EQ(w.RenameSlot(), 2);
    EXPECT_EQ(edit->maxLength(), 9);

    edit->setText(QStringLiteral("Keynote speech"));
    EXPECT_EQ(edit->text(), "Keynote s");  // nine characters at most
    Press(edit, Qt::Key_Return);
    EXPECT_FALSE(edit->isVisible());
    EXPECT_EQ(w.RenameSlot(), -1);
    EXPECT_EQ(w.PresetName(0, 2), "Keynote s");
    EXPECT_EQ(IniReadString(InfoIni(), "PRESET0-2", "PNAMESTR"), "Keynote s");

    // The next start reads it back.
    window_.reset();
    EXPECT_EQ(Window().PresetName(0, 2), "Keynote s");
}

// An "Info.ini" in a legacy code page cannot hold a Chinese name: the operator is told, the file
// keeps its bytes, and the name shows until the program ends.
TEST_F(PresetRenameTest, ANameTheFileCannotHoldIsReported)
{
    KordalDlg& w = Ready();
    const QByteArray legacy("[Other]\r\nKey=caf\xE9\r\n");
    ASSERT_TRUE(WriteBytes(InfoIni(), legacy));
    MessageBoxRecorder boxes;
    ASSERT_TRUE(w.BeginRenameAt(SlotNameBand(w.PresetButton(4)->geometry()).center()));
    QLineEdit* edit = w.RenameEdit();
    edit->setText(QString::fromUtf8("\xE5\xBC\x80\xE5\xB9\x95"));
    Press(edit, Qt::Key_Return);
    EXPECT_FALSE(edit->isVisible());
    ASSERT_EQ(boxes.requests.size(), 1u);
    EXPECT_TRUE(boxes.requests[0].text.contains(QStringLiteral("was not saved"))) << boxes.requests[0].text.toStdString();
    EXPECT_EQ(ReadBytes(InfoIni()), legacy);
    EXPECT_EQ(w.PresetName(0, 4), QString::fromUtf8("\xE5\xBC\x80\xE5\xB9\x95"));

    // A name the file can hold is stored without a word.
    ASSERT_TRUE(w.BeginRenameAt(SlotNameBand(w.PresetButton(4)->geometry()).center()));
    edit->setText(QStringLiteral("Opening"));
    Press(edit, Qt::Key_Return);
    EXPECT_EQ(boxes.requests.size(), 1u);
    EXPECT_EQ(IniReadString(InfoIni(), "PRESET0-4", "PNAMESTR"), "Opening");
}

TEST_F(PresetRenameTest, EscapeWritesNothing)
{
    KordalDlg& w = Ready();
    ASSERT_TRUE(IniWriteString(InfoIni(), "Other", "Key", "1"));
    const QByteArray before = ReadBytes(InfoIni());
    ASSERT_TRUE(w.BeginRenameAt(SlotNameBand(w.PresetButton(7)->geometry()).center()));
    QLineEdit* edit = w.RenameEdit();
    edit->setText(QStringLiteral("Nope"));
    Press(edit, Qt::Key_Escape);
    EXPECT_FALSE(edit->isVisible());
    EXPECT_EQ(w.PresetName(0, 7), "0-7");
    EXPECT_EQ(ReadBytes(InfoIni()), before);
    // A later done message finds no open edit and stores nothing.
    w.OnEditDone(13, mw::IDC_RENAME_EDIT);
    EXPECT_EQ(ReadBytes(InfoIni()), before);
}

TEST_F(PresetRenameTest, EditDoneCommitsWhateverTheKey)
{
    KordalDlg& w = Ready();
    ASSERT_TRUE(w.BeginRenameAt(SlotNameBand(w.PresetButton(0)->geometry()).center()));
    w.RenameEdit()->setText(QStringLiteral("Intro"));
    w.OnEditDone(27, mw::IDC_RENAME_EDIT);
    EXPECT_FALSE(w.RenameEdit()->isVisible());
    EXPECT_EQ(IniReadString(InfoIni(), "PRESET0-0", "PNAMESTR"), "Intro");
}

TEST_F(PresetRenameTest, InputRemarkCommitsToInfoIni)
{
    KordalDlg& w = Ready();
    const int k = FirstEnabledInput();
    ASSERT_GE(k, 0);
    CDeviceData& device = GetDeviceData();
    const QString tableName = device.inputNames[k].displayName;
    const QRect band = InputRemarkBand(w.InputIconRects()[static_cast<size_t>(k)]);
    DoubleClick(w, band.center());
    ASSERT_NE(w.RenameEdit(), nullptr);
    EXPECT_EQ(w.RenameInput(), k);
    EXPECT_EQ(w.RenameEdit()->text(), tableName.left(9));
    w.RenameEdit()->setText(QStringLiteral("Camera A"));
    Press(w.RenameEdit(), Qt::Key_Enter);
    EXPECT_EQ(device.inputNames[k].displayName, "Camera A");
    EXPECT_EQ(IniReadString(InfoIni(), QStringLiteral("InPutSrcRemark-%1").arg(k), "REMARKSTR"), "Camera A");
    EXPECT_EQ(w.RenameInput(), -1);

    // An empty remark shows empty now; the next start keeps the table's own name.
    DoubleClick(w, band.center());
    w.RenameEdit()->clear();
    Press(w.RenameEdit(), Qt::Key_Return);
    EXPECT_EQ(device.inputNames[k].displayName, "");
    device.inputNames[k].displayName = tableName;
    window_.reset();
    Window();
    EXPECT_EQ(device.inputNames[k].displayName, tableName);
}

TEST_F(PresetRenameTest, ASecondItemTakesOverTheEdit)
{
    KordalDlg& w = Ready();
    const int k = FirstEnabledInput();
    ASSERT_GE(k, 0);
    const QString tableName = GetDeviceData().inputNames[k].displayName;
    ASSERT_TRUE(w.BeginRenameAt(InputRemarkBand(w.InputIconRects()[static_cast<size_t>(k)]).center()));
    ASSERT_TRUE(w.BeginRenameAt(SlotNameBand(w.PresetButton(4)->geometry()).center()));
    EXPECT_EQ(w.RenameInput(), -1);
    w.RenameEdit()->setText(QStringLiteral("Slot five"));
    Press(w.RenameEdit(), Qt::Key_Return);
    // The name went to the slot, not to the input opened first.
    EXPECT_EQ(w.PresetName(0, 4), "Slot five");
    EXPECT_EQ(GetDeviceData().inputNames[k].displayName, tableName);
    EXPECT_EQ(IniReadString(InfoIni(), QStringLiteral("InPutSrcRemark-%1").arg(k), "REMARKSTR"), "");
}

TEST_F(PresetRenameTest, DoubleClickElsewhereOpensNothing)
{
    KordalDlg& w = Ready();
    EXPECT_FALSE(w.BeginRenameAt(QPoint(1, 1)));
    const QRect button = w.PresetButton(3)->geometry();
    EXPECT_FALSE(w.BeginRenameAt(QPoint(button.center().x(), button.y() + button.height() + 30)));
    EXPECT_EQ(w.RenameEdit(), nullptr);
}

} // namespace
