// Form scripts driven through their widgets, headless: events of a form read
// from a form file run the routines of the script beside it, by-reference
// arguments reach the control, a second instance of a form finds the same
// routines, and forms that are freed while their events run or wait stay
// safe.
#include "core/host/script_form.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <unistd.h>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "components/published.h"
#include "controls/controls_test_support.h"
#include "controls/form.h"
#include "core/host/host_startup.h"
#include "core/host/kel_comp.h"
#include "core/host/kel_event.h"
#include "core/script/host_registry.h"
#include "platform/message_service.h"
#include "platform/run_limits.h"
#include "platform/window.h"

namespace orv {
namespace {

using test::FindIn;
using test::WhenShown;
using test::WhenUp;

std::vector<std::string> g_log;

class RecordingSink : public MessageSink {
 public:
  void ShowMessage(MessageKind, const std::string&, const std::string& text) override { messages.push_back(text); }
  void Beep() override {}
  std::vector<std::string> messages;
};

// The main form file of these tests and its script.
const char* const kForm =
    "object Form1: TForm1\n"
    "  Caption = 'Script form'\n"
    "  OnClose = FormClose\n"
    "  object Button1: TButton\n"
    "    Caption = 'Go'\n"
    "    OnClick = Button1Click\n"
    "  end\n"
    "  object Edit1: TEdit\n"
    "    Top = 40\n"
    "    OnKeyPress = Edit1KeyPress\n"
    "    OnKeyDown = Edit1KeyDown\n"
    "  end\n"
    "  object Missing: TButton\n"
    "    Top = 80\n"
    "    OnClick = MissingClick\n"
    "  end\n"
    "  object NoSender: TButton\n"
    "    Top = 120\n"
    "    OnClick = NoSenderClick\n"
    "  end\n"
    "  object ScrollBar1: TScrollBar\n"
    "    Top = 160\n"
    "    OnScroll = ScrollBar1Scroll\n"
    "  end\n"
    "end\n";

const char* const kScript =
    "type TForm1 = class(TForm)\n"
    "  procedure Button1Click(Sender: TComponent);\n"
    "  procedure FormClose(Sender: TObject; var Action: TCloseAction);\n"
    "  procedure Edit1KeyPress(Sender: TObject; var Key: Char);\n"
    "  procedure Edit1KeyDown(Sender: TObject; var Key: Word; Shift: TShiftState);\n"
    "  procedure NoSenderClick;\n"
    "end;\n"
    "var closes: Integer;\n"
    "procedure TForm1.Button1Click(Sender: TComponent);\n"
    "begin TestLog(Sender.ClassName + ' ' + Sender.Name + ' in ' + Self.Name) end;\n"
    "procedure TForm1.FormClose(Sender: TObject; var Action: TCloseAction);\n"
    "begin\n"
    "  closes := closes + 1;\n"
    "  TestLog('close ' + IntToStr(closes) + ' ' + IntToStr(Action));\n"
    "  if closes = 1 then Action := 0 else Action := 2;\n"
    "end;\n"
    "procedure TForm1.Edit1KeyPress(Sender: TObject; var Key: Char);\n"
    "begin\n"
    "  if Key = 'a' then Key := 'b';\n"
    "  if Key = 'x' then Key := #0;\n"
    "end;\n"
    "procedure TForm1.Edit1KeyDown(Sender: TObject; var Key: Word; Shift: TShiftState);\n"
    "begin if Key = 90 then Key := 0 end;\n"
    "procedure TForm1.NoSenderClick;\n"
    "begin TestLog('no sender') end;\n"
    "begin TestLog('main program') end.\n";

class ScriptFormTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    HostStartup();
    RegisterProc("TestLog", [](TObject*, const std::string&, ArgBlock& a, Variant&) {
      g_log.push_back(a[0].AsString());
    }, {pkValue});
    EnsureQtApplication();
  }
  static void TearDownTestSuite() { HostShutdown(); }

  void SetUp() override {
    g_log.clear();
    sink_ = std::make_shared<RecordingSink>();
    previous_ = SetMessageSink(sink_);
    dir_ = std::filesystem::path(::testing::TempDir()) / ("script_form_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    FreeScriptForms();
    QCoreApplication::processEvents();
    SetMessageSink(previous_);
    std::filesystem::remove_all(dir_);
  }

  std::string Write(const std::string& name, const std::string& text) {
    std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  std::string MainForm() {
    Write("main.pas", kScript);
    return Write("main.dfm", kForm);
  }

  std::shared_ptr<RecordingSink> sink_;
  std::shared_ptr<MessageSink> previous_;
  std::filesystem::path dir_;
};

TComponent* Child(TComponent* form, const char* name) { return form->FindComponent(name); }

TMethod Event(TComponent* component, const char* name) {
  return std::get<TMethod>(GetPropValue(*component, name));
}

bool Visible(TComponent* form) { return std::get<bool>(GetPropValue(*form, "Visible")); }

TEST_F(ScriptFormTest, ClickRunsTheRoutineWithItsSender) {
  TComponent* form = ShowScriptForm(MainForm());
  EXPECT_EQ(g_log, std::vector<std::string>{}) << "the main program is not run";
  ASSERT_TRUE(Visible(form));
  QTest::mouseClick(FindIn("Form1", "Button1"), Qt::LeftButton);
  EXPECT_EQ(g_log, std::vector<std::string>{"TButton Button1 in Form1"});
  std::vector<std::string> routines;
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* binding = dynamic_cast<TKelEvent*>(form->Components(i)); binding && !binding->RoutineName().empty())
      routines.push_back(binding->RoutineName());
  EXPECT_EQ(routines, std::vector<std::string>{"TFORM1.BUTTON1CLICK"}) << "resolved on first use";
}

TEST_F(ScriptFormTest, CloseActionComesBackByReference) {
  TComponent* form = ShowScriptForm(MainForm());
  uint32_t handle = form->Handle();
  FindIn("Form1", "Button1")->window()->close();
  EXPECT_TRUE(Visible(form)) << "caNone keeps the form open";
  FindIn("Form1", "Button1")->window()->close();
  EXPECT_EQ(g_log, (std::vector<std::string>{"close 1 1", "close 2 1"}));
  EXPECT_FALSE(Visible(form));
  EXPECT_FALSE(ScriptFormsOpen());
  QCoreApplication::processEvents();
  EXPECT_EQ(ObjectFromHandle(handle), nullptr) << "caFree frees the form";
}

TEST_F(ScriptFormTest, KeyHandlersChangeAndSwallowKeys) {
  TComponent* form = ShowScriptForm(MainForm());
  QWidget* edit = FindIn("Form1", "Edit1");
  ASSERT_NE(edit, nullptr);
  QTest::keyClicks(edit, "axcz");
  EXPECT_EQ(std::get<std::string>(GetPropValue(*Child(form, "Edit1"), "Text")), "bc");
}

TEST_F(ScriptFormTest, SecondInstanceReachesTheSameRoutines) {
  std::string file = MainForm();
  ShowScriptForm(file);
  TComponent* second = ShowScriptForm(file);
  EXPECT_EQ(second->Name(), "Form1_1");
  QTest::mouseClick(FindIn("Form1_1", "Button1"), Qt::LeftButton);
  QTest::mouseClick(FindIn("Form1", "Button1"), Qt::LeftButton);
  EXPECT_EQ(g_log, (std::vector<std::string>{"TButton Button1 in Form1_1", "TButton Button1 in Form1"}));
}

// A second instance has its own name before its events run: OnCreate sees
// it already.
TEST_F(ScriptFormTest, SecondInstanceIsRenamedBeforeItsEventsRun) {
  Write("created.pas",
        "type TForm1 = class(TForm) procedure FormCreate(Sender: TComponent); end;\n"
        "procedure TForm1.FormCreate(Sender: TComponent); begin TestLog(Self.Name + ' ' + Sender.Name) end;\n"
        "begin end.\n");
  const std::string file = Write("created.dfm", "object Form1: TForm1\n  OnCreate = FormCreate\nend\n");
  for (int i = 0; i < 3; ++i) ShowScriptForm(file);
  EXPECT_EQ(g_log, (std::vector<std::string>{"Form1 Form1", "Form1_1 Form1_1", "Form1_2 Form1_2"}));
}

// The events of a form run under the limits of the script that showed it,
// each afresh: an endless handler ends with the time limit's error.
TEST_F(ScriptFormTest, EventsRunUnderTheLimitsOfTheScriptThatShowedTheForm) {
  Write("endless.pas",
        "type TForm1 = class(TForm) procedure Button1Click(Sender: TObject); end;\n"
        "procedure TForm1.Button1Click(Sender: TObject); begin TestLog('start'); while True do begin end end;\n"
        "begin end.\n");
  const std::string file =
      Write("endless.dfm", "object Form1: TForm1\n  object Button1: TButton\n    OnClick = Button1Click\n  end\nend\n");
  {
    ScriptRunLimits limits(1, 0);
    ShowScriptForm(file);
  }
  std::string shown;
  WhenUp("MessageDlg", [&](QWidget& box) {
    shown = qobject_cast<QLabel*>(box.findChild<QWidget*>("Message"))->text().toStdString();
    QTest::mouseClick(box.findChild<QWidget*>("OK"), Qt::LeftButton);
  });
  QTest::mouseClick(FindIn("Form1", "Button1"), Qt::LeftButton);
  EXPECT_EQ(g_log, std::vector<std::string>{"start"});
  EXPECT_EQ(shown, "Script ran longer than 1 seconds (line 2)");
}

TEST_F(ScriptFormTest, FormNamedWithAnUnderscoreKeepsItsWholeName) {
  Write("under.pas",
        "type TForm_2 = class(TForm) procedure Button1Click(Sender: TObject); end;\n"
        "procedure TForm_2.Button1Click(Sender: TObject); begin TestLog('whole name') end;\n"
        "begin end.\n");
  ShowScriptForm(Write("under.dfm",
                       "object Form_2: TForm_2\n object Button1: TButton\n OnClick = Button1Click\n end\nend\n"));
  QTest::mouseClick(FindIn("Form_2", "Button1"), Qt::LeftButton);
  EXPECT_EQ(g_log, std::vector<std::string>{"whole name"});
}

TEST_F(ScriptFormTest, UnknownEventTypeAndMissingScriptLeaveEventsEmpty) {
  TComponent* form = ShowScriptForm(MainForm());
  EXPECT_FALSE(Event(Child(form, "ScrollBar1"), "OnScroll").Assigned()) << "TScrollEvent is not registered";
  EXPECT_TRUE(Event(Child(form, "Button1"), "OnClick").Assigned());
  int bindings = 0;
  for (int i = 0; i < form->ComponentCount(); ++i) bindings += form->Components(i)->ClassName() == "TKelEvent";
  EXPECT_EQ(bindings, 6);

  std::unique_ptr<TComponent> bare(CreateComponent("TForm", nullptr));
  LoadScriptForm(Write("bare.dfm", kForm), *bare);
  EXPECT_FALSE(Event(Child(bare.get(), "Button1"), "OnClick").Assigned());
  EXPECT_FALSE(Event(Child(bare.get(), "Edit1"), "OnKeyPress").Assigned());
  EXPECT_TRUE(Event(bare.get(), "OnClose").Assigned()) << "the handler that frees the form";
  QTest::mouseClick(test::FindWidget("Button1"), Qt::LeftButton);
}

TEST_F(ScriptFormTest, ScriptFileIsFoundInAnyCase) {
  Write("upper.PAS", "begin end.");
  Write("mixed.Pas", "begin end.");
  EXPECT_EQ(ScriptFileOfForm((dir_ / "upper.dfm").string()), (dir_ / "upper.PAS").string());
  EXPECT_EQ(ScriptFileOfForm((dir_ / "mixed.dfm").string()), (dir_ / "mixed.Pas").string());
  EXPECT_EQ(ScriptFileOfForm((dir_ / "none.dfm").string()), "");
}

TEST_F(ScriptFormTest, FormWithoutOnCloseIsFreedWhenClosed) {
  Write("plain.pas",
        "type TPlain = class(TForm) procedure FormCreate(Sender: TObject); end;\n"
        "procedure TPlain.FormCreate(Sender: TObject); begin TestLog('created ' + Self.Name) end;\n"
        "begin end.\n");
  TComponent* form =
      ShowScriptForm(Write("plain.dfm", "object Plain: TPlain\n  OnCreate = FormCreate\nend\n"));
  EXPECT_EQ(g_log, std::vector<std::string>{"created Plain"}) << "OnCreate runs once";
  uint32_t handle = form->Handle();
  SendMessage(dynamic_cast<TWinControl*>(form)->WindowHandle(), 0x0010, 0, 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(ObjectFromHandle(handle), nullptr);
}

TEST_F(ScriptFormTest, MissingProcedureIsReportedAndMissingSenderGoesOn) {
  ShowScriptForm(MainForm());
  std::string shown;
  WhenShown([&] {
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->objectName() == "MessageDlg" && top->isVisible())
        shown = qobject_cast<QLabel*>(top->findChild<QWidget*>("Message"))->text().toStdString();
    QTest::mouseClick(FindIn("MessageDlg", "OK"), Qt::LeftButton);
  });
  QTest::mouseClick(FindIn("Form1", "Missing"), Qt::LeftButton);
  EXPECT_EQ(shown, "Procedure TFORM1.MISSINGCLICK not found");

  QTest::mouseClick(FindIn("Form1", "NoSender"), Qt::LeftButton);
  EXPECT_EQ(sink_->messages, std::vector<std::string>{"Parameter TFORM1.NOSENDERCLICK.Sender not found"});
  EXPECT_EQ(g_log, std::vector<std::string>{"no sender"});
}

// Clicks, mouse presses and key presses whose handler frees the form.
TEST_F(ScriptFormTest, HandlerMayFreeItsOwnForm) {
  Write("self.pas",
        "type TSelfFree = class(TForm)\n"
        "  procedure Free1(Sender: TObject);\n"
        "  procedure Free2(Sender: TObject; Button: TMouseButton; Shift: TShiftState; X, Y: Integer);\n"
        "  procedure Free3(Sender: TObject; var Key: Char);\n"
        "end;\n"
        "procedure TSelfFree.Free1(Sender: TObject); begin TestLog('click'); Self.Free; TestLog('after') end;\n"
        "procedure TSelfFree.Free2(Sender: TObject; Button: TMouseButton; Shift: TShiftState; X, Y: Integer);\n"
        "begin TestLog('down ' + IntToStr(Button)); Self.Free end;\n"
        "procedure TSelfFree.Free3(Sender: TObject; var Key: Char); begin TestLog('key ' + Key); Self.Free end;\n"
        "begin end.\n");
  std::string file = Write("self.dfm",
                           "object SelfFree: TSelfFree\n"
                           "  object Button1: TButton\n    OnClick = Free1\n  end\n"
                           "  object Button2: TButton\n    Top = 30\n    OnMouseDown = Free2\n  end\n"
                           "  object Edit1: TEdit\n    Top = 60\n    OnKeyPress = Free3\n  end\n"
                           "end\n");
  const std::function<void()> actions[] = {
      [] { QTest::mouseClick(FindIn("SelfFree", "Button1"), Qt::LeftButton); },
      [] { QTest::mouseClick(FindIn("SelfFree", "Button2"), Qt::RightButton); },
      [] { QTest::keyClicks(FindIn("SelfFree", "Edit1"), "qr"); },
  };
  for (const auto& act : actions) {
    uint32_t handle = ShowScriptForm(file)->Handle();
    act();
    EXPECT_EQ(ObjectFromHandle(handle), nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(FindIn("SelfFree", "Button1"), nullptr) << "the widgets go once the loop runs";
  }
  EXPECT_EQ(g_log, (std::vector<std::string>{"click", "after", "down 1", "key q"}));
}

TEST_F(ScriptFormTest, FormFreedWhileEventsWait) {
  TComponent* form = ShowScriptForm(MainForm());
  QWidget* button = FindIn("Form1", "Button1");
  QPointF centre = QRect(QPoint(), button->size()).center();
  QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonPress, centre, button->mapToGlobal(centre),
                                                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
  QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonRelease, centre,
                                                      button->mapToGlobal(centre), Qt::LeftButton, Qt::NoButton,
                                                      Qt::NoModifier));
  PostMessage(dynamic_cast<TWinControl*>(form)->WindowHandle(), 0x0010, 0, 0);
  delete form;
  QCoreApplication::processEvents();
  ProcessMessages();
  EXPECT_EQ(g_log, std::vector<std::string>{});
}

TEST_F(ScriptFormTest, ScriptEndsWhileItsFormStaysOpen) {
  MainForm();
  std::string runner = Write("run.ops", "begin RunForm('" + (dir_ / "main.dfm").string() + "'); Result := 7 end.");
  Variant result;
  RunScriptFile(runner, nullptr, result);
  EXPECT_EQ(result.AsInteger(), 7);
  ASSERT_TRUE(ScriptFormsOpen());
  QTest::mouseClick(FindIn("Form1", "Button1"), Qt::LeftButton);
  EXPECT_EQ(g_log, std::vector<std::string>{"TButton Button1 in Form1"});
}

TEST_F(ScriptFormTest, TimerClosesTheFormAndEndsTheLoop) {
  Write("timed.pas",
        "type TTimed = class(TForm) procedure Timer1Timer(Sender: TObject); end;\n"
        "procedure TTimed.Timer1Timer(Sender: TObject);\n"
        "var m: Integer;\n"
        "begin TestLog('tick'); m := 16; Self.Dispatch(m) end;\n"
        "begin end.\n");
  ShowScriptForm(Write("timed.dfm",
                       "object Timed: TTimed\n object Timer1: TTimer\n Interval = 1\n OnTimer = Timer1Timer\n end\nend\n"));
  RunScriptForms();
  EXPECT_FALSE(ScriptFormsOpen());
  EXPECT_EQ(g_log.at(0), "tick");
}

TEST_F(ScriptFormTest, KelCompRunsOnTheLinkedEvent) {
  TComponent* form = ShowScriptForm(Write("linked.dfm",
                                          "object Linked: TForm\n"
                                          "  object Button2: TButton\n  end\n"
                                          "  object KelComp1: TKelComp\n"
                                          "    ControlLink = Button2\n"
                                          "    EventLink = 'OnClick'\n"
                                          "    Script.Strings = (\n"
                                          "      'begin TestLog(Sender.Name + '' '' + Application.ClassName) end.')\n"
                                          "  end\n"
                                          "end\n"));
  QTest::mouseClick(FindIn("Linked", "Button2"), Qt::LeftButton);
  EXPECT_EQ(g_log, std::vector<std::string>{"Button2 TApplication"});
  auto* comp = dynamic_cast<TKelComp*>(Child(form, "KelComp1"));
  ASSERT_NE(comp, nullptr);
  delete Child(form, "Button2");
  EXPECT_EQ(comp->ControlLink(), nullptr);
}

TEST_F(ScriptFormTest, CompileErrorOfTheScriptPassesUnchanged) {
  Write("broken.pas", "begin x := end.");
  std::unique_ptr<TComponent> form(CreateComponent("TForm", nullptr));
  EXPECT_THROW(LoadScriptForm(Write("broken.dfm", "object Broken: TForm\nend\n"), *form), std::exception);
  EXPECT_THROW(ShowScriptForm((dir_ / "absent.dfm").string()), std::exception);
}

}  // namespace
}  // namespace orv
