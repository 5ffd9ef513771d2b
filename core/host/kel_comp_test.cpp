// The script component: expressions, preparing and running, named objects,
// the component's own dynamic-variable provider, the program cache, and
// running script files.
#include "core/host/kel_comp.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "core/lib/script_runners.h"
#include "core/script/compiler_error.h"
#include "core/host/host_startup.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/message_service.h"

namespace orv {
namespace {

class RecordingSink : public MessageSink {
 public:
  void ShowMessage(MessageKind, const std::string&, const std::string& text) override { messages.push_back(text); }
  void Beep() override {}
  std::vector<std::string> messages;
};

class KelCompTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { HostStartup(); }
  static void TearDownTestSuite() { HostShutdown(); }
};

TEST_F(KelCompTest, ExpressionBecomesAThreeLineScript) {
  TKelComp comp;
  EXPECT_EQ(comp.Script().Text(), "begin\r\nend.\r\n");
  EXPECT_FALSE(comp.Modified());
  comp.SetExpression("1+2");
  EXPECT_TRUE(comp.Modified());
  EXPECT_EQ(comp.Script().Text(), "begin\r\nResult:=1+2;\r\nend.\r\n");
  EXPECT_EQ(comp.Evaluate().AsInteger(), 3);
  comp.SetExpression("'a' + 'b';");
  EXPECT_EQ(comp.Script().Get(1), "Result:='a' + 'b';");
  EXPECT_EQ(comp.Evaluate().AsString(), "ab");
  comp.SetExpression("");
  EXPECT_EQ(comp.Script().Get(1), "Result:='a' + 'b';") << "an empty expression leaves the script";
}

TEST_F(KelCompTest, EvaluateWithoutResultKeepsThePreviousResult) {
  TKelComp first;
  first.SetExpression("42");
  first.Evaluate();
  TKelComp second;
  second.SetScriptText("begin end.");
  EXPECT_EQ(second.Evaluate().AsInteger(), 42);
}

TEST_F(KelCompTest, RunNeedsPrepareAndKeepsGlobalsUntilModified) {
  TKelComp comp;
  try {
    comp.Run();
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Compile before run");
  }
  comp.SetScriptText("var N: Integer; begin N := N + 1; Result := N end.");
  EXPECT_EQ(comp.Evaluate().AsInteger(), 1);
  EXPECT_EQ(comp.Evaluate().AsInteger(), 2) << "the runner keeps its global values";
  comp.SetScriptText("var N: Integer; begin N := N + 1; Result := N end.");
  EXPECT_EQ(comp.Evaluate().AsInteger(), 1) << "a modified script gets a new runner";
}

TEST_F(KelCompTest, CompileErrorsPassUnchanged) {
  TKelComp comp;
  comp.SetScriptText("begin\n  x := ;\nend.");
  try {
    comp.Evaluate();
    ADD_FAILURE();
  } catch (const ECompilerError& e) {
    EXPECT_EQ(e.Line(), 2);
  }
}

TEST_F(KelCompTest, NamedObjectsAndSender) {
  TComponent form;
  auto* inner = new TComponent(&form);
  inner->SetName("Inner");
  inner->SetTag(7);
  TKelComp comp(&form);
  comp.SetScriptText("begin Result := Inner.Tag + Self.Tag + Sender.Tag end.");
  TComponent sender;
  sender.SetTag(100);
  form.SetTag(20);
  comp.Prepare("Sender", &sender);
  comp.Run();
  EXPECT_EQ(InternalVars().Result.AsInteger(), 127);
}

TEST_F(KelCompTest, OwnProviderIsRegisteredAndRemoved) {
  Variant stored = 5;
  {
    TComponent owner;
    TKelComp comp(&owner);
    comp.SetName("Calc");
    comp.VarNameTOID = [](const std::string& name) { return name == "COUNTER" ? 1 : -1; };
    comp.GetVar = [&stored](int32_t) { return stored; };
    comp.SetVar = [&stored](int32_t, const Variant& value) { stored = value; };
    comp.Loaded();
    EXPECT_TRUE(comp.ProvidersRegistered());
    comp.SetScriptText("begin Counter := Counter * 2 end.");
    comp.Evaluate();
    EXPECT_EQ(stored.AsInteger(), 10);
    TKelComp other;
    other.SetScriptText("begin Counter := 1 end.");
    EXPECT_THROW(other.Evaluate(), ECompilerError) << "the provider serves only its own component";
  }
  EXPECT_FALSE(FindDynaVar("COUNTER", nullptr).has_value());
}

TEST_F(KelCompTest, CachedProgramsStartWithFreshSlots) {
  TKelProgramCache cache;
  const char* text = "var N: Integer; begin N := N + 1; Result := N end.";
  for (int i = 0; i < 3; ++i) {
    TKelComp comp;
    comp.Cache = &cache;
    comp.SetScriptText(text);
    EXPECT_EQ(comp.Evaluate().AsInteger(), 1);
    EXPECT_EQ(comp.Evaluate().AsInteger(), 2) << "a component keeps its globals between its own runs";
  }
  EXPECT_EQ(cache.Count(), 1u);
  TKelComp failing;
  failing.Cache = &cache;
  failing.SetScriptText("begin x := end.");
  EXPECT_THROW(failing.Evaluate(), ECompilerError);
  EXPECT_EQ(cache.Count(), 1u) << "a failed compilation is not stored";
}

// Compile readies the program Run would run, from the cache or the
// compiler, and runs nothing; Run then runs that program once.
TEST_F(KelCompTest, CompileReadiesTheProgramWithoutRunningIt) {
  TKelProgramCache cache;
  const char* text = "var N: Integer; begin N := N + 1; Result := N end.";
  for (TKelProgramCache* used : {static_cast<TKelProgramCache*>(nullptr), &cache, &cache}) {
    TKelComp comp;
    comp.Cache = used;
    comp.SetScriptText(text);
    InternalVars().Result = Variant(0);
    EXPECT_THROW(comp.Compile(), Exception) << "Compile before run";
    comp.Prepare();
    comp.Compile();
    ASSERT_NE(comp.Machine(), nullptr);
    const TProgram* program = &comp.Machine()->Program();
    comp.Compile();
    EXPECT_EQ(&comp.Machine()->Program(), program) << "compiled once";
    EXPECT_EQ(InternalVars().Result.AsInteger(), 0) << "nothing ran";
    comp.Run();
    EXPECT_EQ(InternalVars().Result.AsInteger(), 1);
    EXPECT_EQ(&comp.Machine()->Program(), program);
  }
  EXPECT_EQ(cache.Count(), 1u) << "the second component took the first one's program";
  TKelComp failing;
  failing.SetScriptText("begin x := end.");
  failing.Prepare();
  EXPECT_THROW(failing.Compile(), ECompilerError);
}

TEST_F(KelCompTest, ForgottenObjectsAreFreedWithTheComponent) {
  uint32_t handle = 0;
  {
    TKelComp comp;
    comp.SetScriptText("var L: TStringList; begin L := TStringList.Create; L.Add('x'); Result := L end.");
    handle = comp.Evaluate().ValueField();
    EXPECT_NE(ObjectFromHandle(handle), nullptr);
  }
  EXPECT_EQ(ObjectFromHandle(handle), nullptr);
}

TEST_F(KelCompTest, RunScriptFileAndRunMacro) {
  const std::string dir = DataDir() + "kelcomp/";
  std::filesystem::create_directories(dir);
  WriteFileBytes(dir + "inner.ops", "begin Result := 'from inner' end.");
  Variant result = 5;
  RunScriptFile(dir + "inner.ops", nullptr, result);
  EXPECT_EQ(result.AsString(), "from inner");

  auto sink = std::make_shared<RecordingSink>();
  auto previous = SetMessageSink(sink);
  result = 5;
  RunScriptFile(dir + "none.ops", nullptr, result);
  SetMessageSink(previous);
  EXPECT_EQ(result.AsInteger(), 5) << "a missing file leaves the result";
  EXPECT_EQ(sink->messages, std::vector<std::string>{"File " + dir + "none.ops not found"});

  TKelComp outer;
  outer.SetScriptText("begin Result := RunMacro('" + dir + "inner.ops') + '!' end.");
  EXPECT_EQ(outer.Evaluate().AsString(), "from inner!");
  std::filesystem::remove_all(dir);
}

bool LibraryLoaded(const std::string& library) {
  std::ifstream maps("/proc/self/maps");
  std::string line;
  while (std::getline(maps, line))
    if (line.find(library) != std::string::npos) return true;
  return false;
}

// Screen and Application are the visual classes' objects: a script that does
// not name them leaves Qt unloaded; one that does gets the real objects.
// (Last in this program: it loads the visual classes.)
TEST_F(KelCompTest, ScreenAndApplicationAreReachedOnlyWhenNamed) {
  TKelComp plain;
  plain.SetExpression("'no screen here'");
  EXPECT_EQ(plain.Evaluate().AsString(), "no screen here");
  EXPECT_FALSE(LibraryLoaded("liborvcontrols"));
  EXPECT_FALSE(LibraryLoaded("libQt6"));
  TKelComp uses;
  uses.SetExpression("Screen.ClassName + ' ' + Application.ClassName");
  EXPECT_EQ(uses.Evaluate().AsString(), "TScreen TApplication");
  EXPECT_TRUE(LibraryLoaded("liborvcontrols"));
}

}  // namespace
}  // namespace orv
