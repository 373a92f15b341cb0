// Keyboard shortcuts of the main window: Ctrl + digit recalls a preset, Ctrl + S saves the
// project, S held + digit saves a preset after a confirmation (never while typing into a text
// field), and the rename edit's keys stay its own.

#include "PresetTestSupport.h"

#include "shell/MainWindowIds.h"
#include "shell/PresetNames.h"
#include "shell/PresetShortcuts.h"

#include <QLineEdit>

namespace mw = ctl::main_window;

namespace {

const SentCommand kGetAll{0, {0x55, 0x55}};

SentCommand Preset(int op, int slot)
{
    return {1, {static_cast<uint8_t>(op), static_cast<uint8_t>(slot)}};
}

TEST(PresetShortcutRules, DigitsAndChords)
{
    EXPECT_EQ(DigitOfKey(Qt::Key_0), 0);
    EXPECT_EQ(DigitOfKey(Qt::Key_9), 9);
    EXPECT_EQ(DigitOfKey(Qt::Key_A), -1);
    EXPECT_EQ(DigitOfKey(Qt::Key_F1), -1);

    KeyReleaseFacts f;
    f.key = Qt::Key_3;
    EXPECT_FALSE(ShortcutsForKeyRelease(f).Any());
    f.ctrlDown = true;
    EXPECT_EQ(ShortcutsForKeyRelease(f).recallSlot, 3);
    EXPECT_EQ(ShortcutsForKeyRelease(f).saveSlot, -1);
    f.sHeld = true;  // both, independently
    EXPECT_EQ(ShortcutsForKeyRelease(f).recallSlot, 3);
    EXPECT_EQ(ShortcutsForKeyRelease(f).saveSlot, 3);
    f.textFieldFocused = true;  // typing: no chord, Ctrl still counts
    EXPECT_EQ(ShortcutsForKeyRelease(f).recallSlot, 3);
    EXPECT_EQ(ShortcutsForKeyRelease(f).saveSlot, -1);
    f.autoRepeat = true;
    EXPECT_FALSE(ShortcutsForKeyRelease(f).Any());

    KeyReleaseFacts s;
    s.key = Qt::Key_S;
    s.ctrlDown = true;
    EXPECT_TRUE(ShortcutsForKeyRelease(s).saveProject);
    EXPECT_EQ(ShortcutsForKeyRelease(s).recallSlot, -1);
    s.ctrlDown = false;
    EXPECT_FALSE(ShortcutsForKeyRelease(s).Any());
}

class PresetShortcutTest : public PresetBarTest {};

TEST_F(PresetShortcutTest, CtrlZeroRecallsSlotOne)
{
    KordalDlg& w = Ready();
    MessageBoxRecorder boxes;
    GetDeviceData().presetStored[0] = kPresetStored;
    Release(&w, Qt::Key_0, Qt::ControlModifier);
    EXPECT_TRUE(boxes.requests.empty());
    EXPECT_EQ(SentCommands(recording_), (std::vector<SentCommand>{Preset(1, 0), kGetAll}));
    EXPECT_EQ(w.CurrentPresetSlot(), 0);
    EXPECT_EQ(w.PresetButton(0)->CaptionColor(), kSlotCurrentColor);
    EXPECT_TRUE(w.m_BusyDlg.isVisible());
    HideBusy(w);
}

TEST_F(PresetShortcutTest, CtrlNineOnAnEmptySlotSaysInvalid)
{
    KordalDlg& w = Ready();
    MessageBoxRecorder boxes;
    Release(&w, Qt::Key_9, Qt::ControlModifier);
    ASSERT_EQ(boxes.requests.size(), 1u);
    EXPECT_EQ(boxes.requests[0].text, "Preset is Invalid");
    EXPECT_TRUE(recording_.Commands().empty());
    EXPECT_EQ(w.CurrentPresetSlot(), 9);
    EXPECT_FALSE(w.m_BusyDlg.isVisible());
}

TEST_F(PresetShortcutTest, CtrlDigitFromAPageRecallsToo)
{
    KordalDlg& w = Ready();
    MessageBoxRecorder boxes;
    GetDeviceData().presetStored[9] = kPresetStored;
    auto* button = new QWidget(&w.m_MainDlg);
    button->show();
    Release(button, Qt::Key_9, Qt::ControlModifier);
    EXPECT_EQ(SentCommands(recording_), (std::vector<SentCommand>{Preset(1, 9), kGetAll}));
    HideBusy(w);
}

TEST_F(PresetShortcutTest, HeldKeyRepeatsRecallOnce)
{
    KordalDlg& w = Ready();
    MessageBoxRecorder boxes;
    GetDeviceData().presetStored[2] = kPresetStored;
    SendKey(&w, QEvent::KeyRelease, Qt::Key_2, Qt::ControlModifier, true);
    EXPECT_TRUE(recording_.Commands().empty());
}

TEST_F(PresetShortcutTest, SHeldWithFiveSavesSlotSixAfterConfirmation)
{
    KordalDlg& w = Ready();
    MessageBoxRecorder boxes;
    Press(&w, Qt::Key_S);
    Press(&w, Qt::Key_5);
    Release(&w, Qt::Key_5);
    Release(&w, Qt::Key_S);
    ASSERT_EQ(boxes.requests.size(), 1u);
    EXPECT_EQ(boxes.requests[0].text, "Save The Preset?");
    EXPECT_EQ(boxes.requests[0].type, MB_OKCANCEL);
    EXPECT_EQ(SentCommands(recording_), (std::vector<SentCommand>{Preset(2, 5)}));
    EXPECT_EQ(GetDeviceData().presetStored[5], kPresetStored);
    EXPECT_EQ(w.CurrentPresetSlot(), 5);
    EXPECT_TRUE(w.PresetButton(5)->IsPressed());
    EXPECT_FALSE(w.m_BusyDlg.isVisible());

    // With S up again a digit alone does nothing.
    recording_.ClearCalls();
    Release(&w, Qt::Key_5);
    EXPECT_EQ(boxes.requests.size(), 1u);
    EXPECT_TRUE(recording_.Commands().empty());
}

TEST_F(PresetShortcutTest, SChordCancelledSendsNothing)
{
    KordalDlg& w = Ready();
    MessageBoxRecorder boxes(IDCANCEL);
    Press(&w.m_MainDlg, Qt::Key_S);
    Release(&w.m_MainDlg, Qt::Key_3);
    EXPECT_EQ(boxes.requests.size(), 1u);
    EXPECT_TRUE(recording_.Commands().empty());
    EXPECT_EQ(GetDeviceData().presetStored[3], kPresetEmpty);
    EXPECT_EQ(w.CurrentPresetSlot(), -1);
}

TEST_F(PresetShortcutTest, TypingSFiveIntoAPageFieldSavesNothing)
{
    KordalDlg& w = Ready();
    MessageBoxRecorder boxes;
    auto* edit = new QLineEdit(&w.m_MainDlg);
    edit->show();
    edit->setFocus();
    ASSERT_TRUE(IsTextEntryWidget(edit));
    Press(edit, Qt::Key_S);
    Press(edit, Qt::Key_5);
    Release(edit, Qt::Key_5);
    Release(edit, Qt::Key_S);
    EXPECT_TRUE(boxes.requests.empty());
    EXPECT_TRUE(recording_.Commands().empty());

    // A read-only field is no text entry: the chord works there.
    edit->setReadOnly(true);
    Press(edit, Qt::Key_S);
    Release(edit, Qt::Key_5);
    EXPECT_EQ(boxes.requests.size(), 1u);
    Release(edit, Qt::Key_S);
}

TEST_F(PresetShortcutTest, TypingIntoTheRenameEditTriggersNoShortcut)
{
    KordalDlg& w = Ready();
    MessageBoxRecorder boxes;
    GetDeviceData().presetStored[1] = kPresetStored;
    ASSERT_TRUE(w.BeginRenameAt(SlotNameBand(w.PresetButton(0)->geometry()).center()));
    QLineEdit* edit = w.RenameEdit();
    ASSERT_NE(edit, nullptr);
    Press(edit, Qt::Key_S);
    Release(edit, Qt::Key_5);
    Release(edit, Qt::Key_1, Qt::ControlModifier);
    Release(edit, Qt::Key_S);
    EXPECT_TRUE(boxes.requests.empty());
    EXPECT_TRUE(recording_.Commands().empty());
    EXPECT_TRUE(edit->isVisible());
}

TEST_F(PresetShortcutTest, EnterAndEscapeAreEatenOnTheWindow)
{
    KordalDlg& w = Ready();
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &press);
        EXPECT_TRUE(press.isAccepted()) << key;
    }
    EXPECT_TRUE(w.isVisible());
}

TEST_F(PresetShortcutTest, CtrlSSavesTheProjectWithoutChangingThePath)
{
    KordalDlg& w = Ready();
    const QString path = w.ProjectPath();
    ASSERT_FALSE(QFile::exists(path));
    w.ShowBusyDialog(true, QStringLiteral("busy"));
    w.setEnabled(true);  // keys reach an enabled window only
    Release(&w, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(w.ProjectPath(), path);
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_TRUE(ReadBytes(path).contains("[")) << "a whole project was written";
    EXPECT_FALSE(w.m_BusyDlg.isVisible());
    EXPECT_TRUE(w.isEnabled());
}

TEST_F(PresetShortcutTest, ForgottenKeysAfterTheProgramLosesTheKeyboard)
{
    Ready();
    WatchHeldKeys();
    QWidget target;
    Press(&target, Qt::Key_S);
    EXPECT_TRUE(IsKeyHeld(Qt::Key_S));
    QEvent deactivate(QEvent::ApplicationDeactivate);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &deactivate);
    EXPECT_FALSE(IsKeyHeld(Qt::Key_S));
}

} // namespace
