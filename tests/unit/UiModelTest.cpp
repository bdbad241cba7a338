#include "fakes/FakePlatform.h"
#include "fakes/HeadlessBackend.h"
#include "platform/Exception.h"
#include "ui/Application.h"
#include "ui/Controls.h"
#include "ui/Menu.h"
#include "ui/Timer.h"

#include <gtest/gtest.h>

using namespace korimba;
using namespace korimba::ui;

namespace {

struct TestForm : Form {
    TestForm() : Form("TestForm") {
        OnCreate = [this] {
            createdWithReference = (Instance == this);
            throw Exception("Cannot open file C:\\x.bmp");
        };
    }
    Panel Panel1{this, "Panel1"};
    Edit Edit1{&Panel1, "Edit1"};
    Edit Edit2{&Panel1, "Edit2"};
    RadioButton RadioButton1{this, "RadioButton1"};
    RadioButton RadioButton2{this, "RadioButton2"};
    RadioButton RadioButton3{&Panel1, "RadioButton3"};
    ComboBox ComboBox1{this, "ComboBox1"};
    Button Button1{this, "Button1"};
    PopupMenu PopupMenu1{"PopupMenu1"};
    Timer Timer1{this, "Timer1"};
    bool createdWithReference = false;
    static TestForm* Instance;
};
TestForm* TestForm::Instance = nullptr;

struct OtherForm : Form {
    OtherForm() : Form("OtherForm") {}
};
OtherForm* Other = nullptr;

class UiModel : public ::testing::Test {
protected:
    fakes::FakePlatform platform;
    fakes::HeadlessBackend backend;
    Application application{platform.bundle(), backend};
    TestForm& form = application.createForm(TestForm::Instance);
};

} // namespace

TEST_F(UiModel, CreationSetsTheReferenceFirstAndShowsACreationErrorAndGoesOn) {
    EXPECT_TRUE(form.createdWithReference);
    ASSERT_EQ(backend.messages.size(), 1u);
    EXPECT_EQ(backend.messages[0].title, "Error");
    EXPECT_EQ(backend.messages[0].text, "Cannot open file C:\\x.bmp");
    application.createForm(Other);
    EXPECT_EQ(application.forms().size(), 2u);
    EXPECT_EQ(application.mainForm(), &form);
}

TEST_F(UiModel, HandlerErrorIsShownAndSkipsOnlyTheRestOfThatHandler) {
    std::vector<std::string> trace;
    form.Edit1.OnChange = [&] {
        trace.push_back("change");
        throw Exception("Unable to write to win.ini");
        trace.push_back("never");
    };
    form.Button1.OnClick = [&] {
        form.Edit1.setText("a");
        trace.push_back("after");
    };
    form.Button1.userPress();
    EXPECT_EQ(trace, (std::vector<std::string>{"change", "after"}));
    EXPECT_EQ(backend.messageTexts().back(), "Unable to write to win.ini");
}

TEST_F(UiModel, FocusRaisesExitOfTheOldThenEnterOfTheNew) {
    std::vector<std::string> trace;
    form.Edit1.OnEnter = [&] { trace.push_back("enter1"); };
    form.Edit1.OnExit = [&] { trace.push_back("exit1"); };
    form.Edit2.OnEnter = [&] { trace.push_back("enter2"); };
    form.Edit1.setFocus();
    form.Edit2.setFocus();
    form.Edit2.setFocus();
    EXPECT_EQ(trace, (std::vector<std::string>{"enter1", "exit1", "enter2"}));
    EXPECT_TRUE(form.Edit2.focused());
}

TEST_F(UiModel, TextChangeRaisesOnChangeOnlyForARealChange) {
    int changes = 0;
    form.Edit1.OnChange = [&] { ++changes; };
    form.Edit1.setText("x");
    form.Edit1.setText("x");
    form.Edit1.setText("");
    EXPECT_EQ(changes, 2);
}

TEST_F(UiModel, RadioButtonsAreExclusiveWithinTheirParentOnly) {
    form.RadioButton1.setChecked(true);
    form.RadioButton3.setChecked(true);
    form.RadioButton2.setChecked(true);
    EXPECT_FALSE(form.RadioButton1.checked());
    EXPECT_TRUE(form.RadioButton2.checked());
    EXPECT_TRUE(form.RadioButton3.checked());
}

TEST_F(UiModel, ComboBoxIndexOutsideTheItemsLeavesNoSelection) {
    form.ComboBox1.setItems({"a", "b"});
    form.ComboBox1.setItemIndex(1);
    EXPECT_EQ(form.ComboBox1.itemIndex(), 1);
    form.ComboBox1.setItemIndex(10);
    EXPECT_EQ(form.ComboBox1.itemIndex(), -1);
}

TEST_F(UiModel, ModalFormRunsItsDialogAndHandsActivationBack) {
    application.createForm(Other);
    int activations = 0;
    form.OnActivate = [&] { ++activations; };
    application.run();
    EXPECT_EQ(activations, 1);
    bool sawModal = false;
    backend.onModal["OtherForm"] = [&](Form& shown) {
        sawModal = shown.modal() && shown.visible();
        shown.close();
    };
    Other->showModal();
    EXPECT_TRUE(sawModal);
    EXPECT_FALSE(Other->visible());
    EXPECT_EQ(activations, 2);
}

TEST_F(UiModel, ClosingTheMainFormAsksFirstAndEndsTheProgram) {
    std::vector<std::string> trace;
    form.OnCloseQuery = [&](bool& canClose) {
        trace.push_back("query");
        canClose = trace.size() > 1;
    };
    form.OnClose = [&] { trace.push_back("close"); };
    form.close();
    EXPECT_FALSE(application.terminated());
    form.close();
    EXPECT_EQ(trace, (std::vector<std::string>{"query", "query", "close"}));
    EXPECT_TRUE(application.terminated());
}

TEST_F(UiModel, ButtonWithMenuDropsItUnderItselfAndRunsTheChosenItem) {
    bool chosen = false;
    auto& sub = form.PopupMenu1.add("Cleanup1", "&Fixations");
    sub.add("Fix1", "&Fix processes").OnClick = [&] { chosen = true; };
    form.Button1.setBounds(8, 145, 89, 25);
    form.Button1.setDropDownMenu(&form.PopupMenu1);
    backend.menuChoice = "Fix1";
    form.Button1.userPress();
    EXPECT_TRUE(chosen);
    EXPECT_EQ(backend.lastPopupAt.x, 8);
    EXPECT_EQ(backend.lastPopupAt.y, 170);
}

TEST_F(UiModel, DisabledTimerDoesNotTick) {
    int ticks = 0;
    form.Timer1.OnTimer = [&] { ++ticks; };
    form.Timer1.tick();
    form.Timer1.setEnabled(false);
    form.Timer1.tick();
    EXPECT_EQ(ticks, 1);
}

TEST_F(UiModel, MemoTextAndLinesAreOneContent) {
    Memo memo{&form, "Memo1"};
    int changes = 0;
    memo.OnChange = [&] { ++changes; };
    memo.setText("C:\\a.wav\r\n\r\nC:\\b.wav");
    EXPECT_EQ(memo.lines(), (TextLines{"C:\\a.wav", "", "C:\\b.wav"}));
    EXPECT_EQ(memo.text(), "C:\\a.wav\r\n\r\nC:\\b.wav\r\n");
    EXPECT_EQ(changes, 1);
    memo.lines().add("C:\\c.wav");
    memo.linesChanged();
    EXPECT_EQ(memo.text(), "C:\\a.wav\r\n\r\nC:\\b.wav\r\nC:\\c.wav\r\n");
    memo.setText("");
    EXPECT_EQ(memo.lines().count(), 0u);
}

// Windows may close the main window while a handler waits in a nested loop
// (taskkill, a log-off): the close steps run once, and the handler that opened
// the loop does not go on with an answer nobody gave.
class CloseDuringNestedLoop : public UiModel {
protected:
    void SetUp() override {
        application.createForm(Other);
        form.OnCloseQuery = [this](bool&) { ++closeQueries; };
        form.OnActivate = [this] { trace.push_back("main form activated"); };
    }
    void closeFromOutside() {
        form.userClose();
        form.userClose();
    }
    // Runs a handler that waits in a loop during which the close arrives.
    void runHandler(const std::function<void()>& wait) {
        application.dispatch([&] {
            wait();
            trace.push_back("handler went on");
        });
        EXPECT_TRUE(application.terminated());
        EXPECT_EQ(closeQueries, 1);
        EXPECT_EQ(trace, std::vector<std::string>{});
        // Nothing runs after the end, not even a handler raised while going down.
        application.dispatch([&] { trace.push_back("late handler"); });
        EXPECT_EQ(trace, std::vector<std::string>{});
    }
    int closeQueries = 0;
    std::vector<std::string> trace;
};

TEST_F(CloseDuringNestedLoop, MessageBox) {
    backend.whileMessageShown = [this](const fakes::ShownMessage&) { closeFromOutside(); };
    runHandler([&] {
        if (application.messageBox(MessageKind::Warning, "Close all applications.") == Answer::Ok)
            trace.push_back("acted on an answer nobody gave");
    });
}

TEST_F(CloseDuringNestedLoop, ModalForm) {
    backend.onModal["OtherForm"] = [this](Form&) { closeFromOutside(); };
    runHandler([&] { Other->showModal(); });
    EXPECT_FALSE(Other->visible());
}

TEST_F(CloseDuringNestedLoop, OpenDialog) {
    backend.onOpenDialog = [this](ui::OpenDialog&) {
        closeFromOutside();
        return true;
    };
    runHandler([&] {
        ui::OpenDialog dialog(&form);
        dialog.execute();
    });
}

TEST_F(CloseDuringNestedLoop, PopupMenu) {
    form.PopupMenu1.add("Item1", "&Item").OnClick = [this] { trace.push_back("item ran"); };
    backend.menuChoice = "Item1";
    backend.whileMenuShown = [this] { closeFromOutside(); };
    runHandler([&] { form.PopupMenu1.popup(0, 0); });
}
