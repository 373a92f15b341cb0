// Applying the current language file to a window: title, captions by control id, window-specific
// keys, edits that keep their text, hidden controls that stay hidden, nested dialogs left alone.

#include "tests/support/AppDirTestSupport.h"

#include "controls/CSxGroupBox.h"
#include "platform/CaptionTarget.h"
#include "platform/ControlId.h"
#include "pagekit/DialogLanguage.h"

#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>

#include <memory>

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "dialog_language_test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

class CaptionWidget : public QWidget, public ICaptionTarget {
public:
    using QWidget::QWidget;
    void SetCaptionText(const QString& text) override
    {
        caption = text;
        ++calls;
    }
    QString caption;
    int calls = 0;
};

// A button that shows its caption in its own way: the interface wins over setText.
class CaptionButton : public QPushButton, public ICaptionTarget {
public:
    using QPushButton::QPushButton;
    void SetCaptionText(const QString& text) override { caption = text; }
    QString caption;
};

template <typename T>
T* AddControl(QWidget* parent, int id, const QString& text = QStringLiteral("old"))
{
    auto* w = new T(parent);
    SetControlId(w, id);
    if constexpr (std::is_base_of_v<QAbstractButton, T> || std::is_same_v<T, QLabel> ||
                  std::is_same_v<T, QLineEdit>)
        w->setText(text);
    return w;
}

class DialogLanguage : public TempAppDirTest {
protected:
    void SetUp() override
    {
        TempAppDirTest::SetUp();
        App();
    }
    void UseFile(const QByteArrayList& lines)
    {
        ASSERT_TRUE(WriteLanguageFile("Test.ini", LanguageFileBytes("Test", lines)));
        ASSERT_EQ(SelectLanguage("Test"), "Test");
    }
};

TEST_F(DialogLanguage, TitleAndCaptionsOfEachKind)
{
    UseFile({"IDD110_Title=Picture Setting", "IDS_1=Button", "IDS_2=Label", "IDS_3=Group", "IDS_4=Check",
             "IDS_5=Custom", "IDS_6=Frame"});
    QWidget window;
    window.setWindowTitle("before");
    auto* button = AddControl<QPushButton>(&window, 1);
    auto* label = AddControl<QLabel>(&window, 2);
    auto* group = AddControl<QGroupBox>(&window, 3);
    group->setTitle("old");
    auto* check = AddControl<QCheckBox>(&window, 4);
    auto* custom = AddControl<CaptionWidget>(&window, 5);
    auto* frame = AddControl<CSxGroupBox>(&window, 6);
    frame->SetCaption("old");

    ApplyDialogLanguage(&window, 110);
    EXPECT_EQ(window.windowTitle(), "Picture Setting");
    EXPECT_EQ(button->text(), "Button");
    EXPECT_EQ(label->text(), "Label");
    EXPECT_EQ(group->title(), "Group");
    EXPECT_EQ(check->text(), "Check");
    EXPECT_EQ(custom->caption, "Custom");
    EXPECT_EQ(frame->Caption(), "Frame");
}

TEST_F(DialogLanguage, WindowSpecificKeyWinsOverThePlainOne)
{
    UseFile({"IDS_1255=Plain", "IDD102_IDS_1255=Main window", "IDD158_IDS_1255=System page"});
    QWidget main;
    auto* inMain = AddControl<QPushButton>(&main, 1255);
    QWidget page;
    auto* inPage = AddControl<QPushButton>(&page, 1255);
    QWidget other;
    auto* inOther = AddControl<QPushButton>(&other, 1255);

    ApplyDialogLanguage(&main, 102);
    ApplyDialogLanguage(&page, 158);
    ApplyDialogLanguage(&other, 110);
    EXPECT_EQ(inMain->text(), "Main window");
    EXPECT_EQ(inPage->text(), "System page");
    EXPECT_EQ(inOther->text(), "Plain");
}

TEST_F(DialogLanguage, EditsNeverTakeAText)
{
    UseFile({"IDS_10=edit", "IDS_11=edit", "IDS_12=edit", "IDS_13=edit", "IDS_14=edit", "IDS_15=label"});
    QWidget window;
    auto* line = AddControl<QLineEdit>(&window, 10, "typed");
    auto* text = AddControl<QTextEdit>(&window, 11);
    text->setPlainText("rich");
    auto* plain = AddControl<QPlainTextEdit>(&window, 12);
    plain->setPlainText("plain");
    auto* spin = AddControl<QSpinBox>(&window, 13);
    spin->setValue(42);
    auto* dspin = AddControl<QDoubleSpinBox>(&window, 14);
    dspin->setValue(1.5);
    auto* label = AddControl<QLabel>(&window, 15);

    ApplyDialogLanguage(&window, 110);
    EXPECT_EQ(line->text(), "typed");
    EXPECT_EQ(text->toPlainText(), "rich");
    EXPECT_EQ(plain->toPlainText(), "plain");
    EXPECT_EQ(spin->value(), 42);
    EXPECT_EQ(spin->text(), "42");
    EXPECT_DOUBLE_EQ(dspin->value(), 1.5);
    EXPECT_EQ(label->text(), "label");
}

TEST_F(DialogLanguage, HiddenControlsStayHiddenAndVisibleOnesStayVisible)
{
    UseFile({"IDS_20=hidden caption", "IDS_21=visible caption"});
    QWidget window;
    auto* hidden = AddControl<QPushButton>(&window, 20);
    auto* visible = AddControl<QPushButton>(&window, 21);
    hidden->hide();
    window.show();
    ASSERT_TRUE(visible->isVisible());

    ApplyDialogLanguage(&window, 110);
    EXPECT_EQ(hidden->text(), "hidden caption");
    EXPECT_TRUE(hidden->isHidden());
    EXPECT_FALSE(hidden->isVisible());
    EXPECT_EQ(visible->text(), "visible caption");
    EXPECT_TRUE(visible->isVisible());
}

TEST_F(DialogLanguage, AbsentOrEmptyKeysKeepTheText)
{
    UseFile({"IDS_31=", "IDD110_IDS_32=", "IDS_32=plain"});
    QWidget window;
    window.setWindowTitle("kept");
    auto* absent = AddControl<QPushButton>(&window, 30);
    auto* empty = AddControl<QPushButton>(&window, 31);
    auto* emptySpecific = AddControl<QPushButton>(&window, 32);
    auto* withoutId = new QPushButton("no id", &window);

    ApplyDialogLanguage(&window, 110);
    EXPECT_EQ(window.windowTitle(), "kept");
    EXPECT_EQ(absent->text(), "old");
    EXPECT_EQ(empty->text(), "old");
    EXPECT_EQ(emptySpecific->text(), "plain");
    EXPECT_EQ(withoutId->text(), "no id");
}

TEST_F(DialogLanguage, WithoutALanguageFileNothingChanges)
{
    SelectLanguage("Missing");
    ASSERT_TRUE(g_LanguageFile.isEmpty());
    QWidget window;
    window.setWindowTitle("kept");
    auto* button = AddControl<QPushButton>(&window, 1);
    ApplyDialogLanguage(&window, 110);
    EXPECT_EQ(window.windowTitle(), "kept");
    EXPECT_EQ(button->text(), "old");
    ApplyDialogLanguage(nullptr, 110);
}

TEST_F(DialogLanguage, ReachesControlsInsideContainersButNotNestedDialogs)
{
    UseFile({"IDS_40=inner", "IDS_41=group", "IDS_42=page control", "IDD102_IDS_42=main control"});
    QWidget main;
    auto* container = new QWidget(&main);
    auto* inner = AddControl<QPushButton>(container, 40);
    auto* group = AddControl<QGroupBox>(&main, 41);
    auto* inGroup = AddControl<QPushButton>(group, 40);
    auto* own = AddControl<QPushButton>(&main, 42);

    auto* page = new QWidget(&main);
    SetDialogId(page, 158);
    auto* pageControl = AddControl<QPushButton>(page, 42);
    auto* popup = new QWidget(&main, Qt::Window);
    auto* popupControl = AddControl<QPushButton>(popup, 42);

    ApplyDialogLanguage(&main, 102);
    EXPECT_EQ(inner->text(), "inner");
    EXPECT_EQ(group->title(), "group");
    EXPECT_EQ(inGroup->text(), "inner");
    EXPECT_EQ(own->text(), "main control");
    EXPECT_EQ(pageControl->text(), "old");
    EXPECT_EQ(popupControl->text(), "old");

    ApplyDialogLanguage(page, 158);
    EXPECT_EQ(pageControl->text(), "page control");
    EXPECT_EQ(GetDialogId(page), 158);
}

TEST_F(DialogLanguage, CaptionInterfaceWinsAndLineBreaksAreDecoded)
{
    UseFile({"IDS_1117=Full\\nScreen", "IDS_50=Two\\nLines"});
    QWidget window;
    auto* button = AddControl<QPushButton>(&window, 1117);
    auto* custom = AddControl<CaptionButton>(&window, 50);
    ApplyDialogLanguage(&window, 117);
    EXPECT_EQ(button->text(), "Full\nScreen");
    EXPECT_EQ(custom->caption, "Two\nLines");
    EXPECT_EQ(custom->text(), "old");
}

TEST_F(DialogLanguage, DialogIdMarks)
{
    QWidget w;
    EXPECT_EQ(GetDialogId(&w), 0);
    SetDialogId(&w, -5);
    EXPECT_EQ(GetDialogId(&w), 0);
    SetDialogId(&w, 164);
    EXPECT_EQ(GetDialogId(&w), 164);
    EXPECT_EQ(GetDialogId(nullptr), 0);
    SetDialogId(nullptr, 1);
}

} // namespace
