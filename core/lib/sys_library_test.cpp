#include "core/lib/sys_library.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "components/string_list.h"
#include "core/lib/library_test_support.h"
#include "core/lib/print_attachments.h"
#include "core/lib/script_runners.h"
#include "core/script/compiler_error.h"
#include "core/script/object_value.h"
#include "platform/message_service.h"

namespace orv {
namespace {

using SysLibraryTest = LibraryTest;

TEST_F(SysLibraryTest, RoutinesAreRegisteredWithTheirKinds) {
  struct Case {
    const char* name;
    uint8_t kind;
    std::vector<ParamKind> kinds;
  } cases[] = {
      {"RunMacro", fkFunction, {pkValue}},
      {"RunForm", fkProcedure, {pkValue}},
      {"Print", fkProcedure, {pkArray}},
      {"PrintError", fkProcedure, {pkArray}},
      {"SetLength", fkProcedure, {pkVar, pkValue}},
      {"Insert", fkProcedure, {pkValue, pkVar, pkValue}},
      {"Delete", fkProcedure, {pkVar, pkValue, pkValue}},
      {"Str", fkProcedure, {pkValue, pkVar}},
      {"TOBJECT.FREE", fkProcedure, {pkNone}},
      {"TOBJECT.DISPATCH", fkProcedure, {pkVar}},
      {"MOVE", fkProcedure, {pkValue, pkVar, pkValue}},
      {"VARCOPY", fkProcedure, {pkVar, pkValue}},
      {"VARARRAYREF", fkFunction, {pkValue}},
      {"FPOWER10", fkProcedure, {pkNone}},
      {"TEXTSTART", fkProcedure, {pkNone}},
  };
  for (const Case& c : cases) {
    const TFunListItem& e = Entry(c.name);
    EXPECT_EQ(e.Kind, c.kind) << c.name;
    EXPECT_EQ(e.ParamKinds, c.kinds) << c.name;
  }
  EXPECT_EQ(Entry("TOBJECT.CLASSNAME").Name, "CLASSNAME");
  EXPECT_EQ(Entry("inttohex").Name, "IntToHex");
  // Registration order: each unit's routines take consecutive numbers.
  EXPECT_LT(FindFunction("RunMacro"), FindFunction("TEXTSTART"));
  EXPECT_LT(FindFunction("TEXTSTART"), FindFunction("IntToHex"));
  EXPECT_LT(FindFunction("TSTRINGS.ADD"), FindFunction("RunMacro"));
  int32_t pi = FindConst("PI");
  ASSERT_GE(pi, 0);
  EXPECT_DOUBLE_EQ(ConstAt(pi).AsReal(), 3.141592653589793);
}

TEST_F(SysLibraryTest, StringRoutines) {
  EXPECT_EQ(Call("Length", {Variant("abc")}).AsInteger(), 3);
  EXPECT_EQ(Call("Length", {Variant(1234)}).AsInteger(), 4);
  EXPECT_EQ(Call("Pos", {Variant(""), Variant("abc")}).AsInteger(), 0);
  EXPECT_EQ(Call("Pos", {Variant("c"), Variant("abcc")}).AsInteger(), 3);
  EXPECT_EQ(Call("Copy", {Variant("abc"), Variant(2), Variant(10)}).AsString(), "bc");
  EXPECT_EQ(Call("Copy", {Variant("abc"), Variant(4), Variant(1)}).AsString(), "");
  EXPECT_EQ(Call("Copy", {Variant("abc"), Variant(0), Variant(2)}).AsString(), "ab");
  EXPECT_EQ(Call("Copy", {Variant("abc"), Variant(-5), Variant(1)}).AsString(), "a");
  EXPECT_EQ(Call("Copy", {Variant("abc"), Variant(1), Variant(-1)}).AsString(), "");
  Call("Insert", {Variant("X"), Variant("ab"), Variant(99)});
  EXPECT_EQ(args_[1].AsString(), "abX");
  Call("Insert", {Variant("X"), Variant("ab"), Variant(-3)});
  EXPECT_EQ(args_[1].AsString(), "Xab");
  Call("Insert", {Variant("X"), Variant("ab"), Variant(2)});
  EXPECT_EQ(args_[1].AsString(), "aXb");
  Call("Delete", {Variant("abcdef"), Variant(2), Variant(3)});
  EXPECT_EQ(args_[0].AsString(), "aef");
  Call("Delete", {Variant("abc"), Variant(0), Variant(1)});
  EXPECT_EQ(args_[0].AsString(), "bc");
  Call("Delete", {Variant("abc"), Variant(9), Variant(1)});
  EXPECT_EQ(args_[0].AsString(), "abc");
  Call("SetLength", {Variant("abcdef"), Variant(2)});
  EXPECT_EQ(args_[0].AsString(), "ab");
  Call("SetLength", {Variant("ab"), Variant(4)});
  EXPECT_EQ(args_[0].AsString(), "ab  ");
  Call("SetLength", {Variant("ab"), Variant(-1)});
  EXPECT_EQ(args_[0].AsString(), "");
  EXPECT_THROW(Call("SetLength", {Variant("ab"), Variant(2147483647)}), EOutOfMemory);
  Call("Str", {Variant(5), Variant("")});
  EXPECT_EQ(args_[1].AsString(), " 5.00000000000000E+0000");
  EXPECT_EQ(Call("UPCASE", {Variant("abc")}).AsString(), "A");
  EXPECT_EQ(Call("UPCASE", {Variant("")}).AsString(), "");
  EXPECT_EQ(Call("upcase", {Variant("\xc3\xa9")}).AsString(), "\xc3");
}

TEST_F(SysLibraryTest, ValueRoutines) {
  EXPECT_EQ(Call("VARTYPE", {Variant("x")}).AsInteger(), 256);
  EXPECT_EQ(Call("VARTYPE", {Variant(1.5)}).AsInteger(), 5);
  EXPECT_EQ(Call("VARTYPE", {ArrayArg({})}).AsInteger(), 0x200C);
  EXPECT_EQ(Call("VARASTYPE", {Variant("12"), Variant(3)}).Type(), varInteger);
  EXPECT_THROW(Call("VARASTYPE", {Variant("x"), Variant(3)}), EConvertError);
  EXPECT_TRUE(Call("VARISEMPTY", {Variant()}).AsBoolean());
  EXPECT_TRUE(Call("VARISNULL", {Variant::Null()}).AsBoolean());
  EXPECT_EQ(Call("VARTOSTR", {Variant::Null()}).AsString(), "");
  Call("VARCLEAR", {Variant(3)});
  EXPECT_TRUE(args_[0].IsEmpty());
  Call("VARCOPY", {Variant(), Variant("s")});
  EXPECT_EQ(args_[0].AsString(), "s");
  Variant date = Call("VARFROMDATETIME", {Variant(2.5)});
  EXPECT_EQ(date.Type(), varDate);
  EXPECT_EQ(Call("VARTODATETIME", {Variant("05.03.2024")}).Type(), varDate);
  Variant one = Call("VARARRAYOF", {Variant(7)});
  EXPECT_EQ(one.ArrayHigh(), 0);
  EXPECT_EQ(one.Element(0).AsInteger(), 7);
  EXPECT_EQ(Call("VARARRAYDIMCOUNT", {one}).AsInteger(), 1);
  EXPECT_EQ(Call("VARARRAYDIMCOUNT", {Variant(1)}).AsInteger(), 0);
  EXPECT_EQ(Call("VARARRAYLOWBOUND", {one, Variant(1)}).AsInteger(), 0);
  EXPECT_EQ(Call("VARARRAYHIGHBOUND", {ArrayArg({Variant(1), Variant(2)}), Variant(1)}).AsInteger(), 2);
  EXPECT_THROW(Call("VARARRAYHIGHBOUND", {one, Variant(2)}), EVariantError);
  EXPECT_THROW(Call("VARARRAYLOWBOUND", {Variant(1), Variant(1)}), EVariantError);
  EXPECT_EQ(Call("VARARRAYREF", {Variant("same")}).AsString(), "same");
  EXPECT_TRUE(Call("VARISARRAY", {one}).AsBoolean());
  Call("UNIQUESTRING", {Variant("keep")});
  EXPECT_EQ(args_[0].AsString(), "keep");
  EXPECT_EQ(Call("IORESULT").AsInteger(), 0);
  EXPECT_GE(Call("PARAMCOUNT").AsInteger(), 0);
  EXPECT_FALSE(Call("PARAMSTR", {Variant(0)}).AsString().empty());
  EXPECT_EQ(Call("PARAMSTR", {Variant(9999)}).AsString(), "");
  EXPECT_EQ(Call("PARAMSTR", {Variant(-1)}).AsString(), "");
}

TEST_F(SysLibraryTest, MoveStaysInsideTheValues) {
  Call("MOVE", {Variant(7), Variant(1.5), Variant(16)});
  EXPECT_EQ(args_[1].AsInteger(), 7);
  Call("MOVE", {Variant(7), Variant("text"), Variant(0)});
  EXPECT_EQ(args_[1].AsString(), "text");
  // Copying the type code and the low value bytes of an integer over another.
  Call("MOVE", {Variant(0x01020304), Variant(0), Variant(12)});
  EXPECT_EQ(args_[1].Type(), varInteger);
  EXPECT_EQ(args_[1].AsInteger(), 0x01020304);
  Call("MOVE", {Variant(2), Variant(1.0), Variant(2)});
  EXPECT_EQ(args_[1].Type(), varInteger) << "the type code moved, the value bytes stayed";
  EXPECT_THROW(Call("MOVE", {Variant("abc"), Variant(1), Variant(4)}), EConvertError);
  EXPECT_THROW(Call("MOVE", {Variant(1), Variant("abc"), Variant(4)}), EConvertError);
}

TEST_F(SysLibraryTest, ObjectRoutines) {
  auto list = std::make_unique<TStringList>();
  list->Add("x");
  EXPECT_EQ(Call("TSTRINGLIST.CLASSNAME", {}, list.get()).AsString(), "TStringList");
  EXPECT_TRUE(Call("TOBJECT.CLASSNAMEIS", {Variant("tstringlist")}, list.get()).AsBoolean());
  EXPECT_FALSE(Call("TOBJECT.CLASSNAMEIS", {Variant("TStrings")}, list.get()).AsBoolean());
  EXPECT_GT(Call("TOBJECT.INSTANCESIZE", {}, list.get()).AsInteger(), 0);
  Call("TOBJECT.DISPATCH", {Variant(5)}, list.get());
  EXPECT_EQ(args_[0].AsInteger(), 5);
  Call("TOBJECT.DEFAULTHANDLER", {Variant("m")}, list.get());
  EXPECT_EQ(args_[0].AsString(), "m");
  Call("TOBJECT.CLEANUPINSTANCE", {}, list.get());
  EXPECT_EQ(list->Count(), 0);
  try {
    Call("TOBJECT.CLASSNAME");
    FAIL();
  } catch (const ECompilerError& e) {
    EXPECT_STREQ(e.what(), "TObject.CLASSNAME called on a nil object");
  }
  uint32_t handle = list->Handle();
  Call("TOBJECT.FREE", {}, list.release());
  EXPECT_EQ(ObjectFromHandle(handle), nullptr);
  Call("TOBJECT.FREE");  // nil: nothing happens
}

class RecordingSink : public MessageSink {
 public:
  void ShowMessage(MessageKind, const std::string&, const std::string& text) override { shown.push_back(text); }
  void Beep() override {}
  std::vector<std::string> shown;
};

TEST_F(SysLibraryTest, RunMacroOfAMissingFileShowsAMessageAndYieldsEmpty) {
  auto sink = std::make_shared<RecordingSink>();
  auto previous = SetMessageSink(sink);
  Variant result = Call("RunMacro", {Variant("/no/such/macro.ops")});
  SetMessageSink(previous);
  EXPECT_TRUE(result.IsEmpty());
  ASSERT_EQ(sink->shown.size(), 1u);
  EXPECT_EQ(sink->shown[0], "File /no/such/macro.ops not found");
}

TEST_F(SysLibraryTest, RunMacroAndRunFormUseTheInstalledRunners) {
  std::string path = testing::TempDir() + "macro_test.ops";
  TStringList script;
  script.Add("begin Result := 1 end.");
  script.SaveToFile(path);
  SetScriptFileRunner(nullptr);
  EXPECT_THROW(Call("RunMacro", {Variant(path)}), ECompilerError);
  SetScriptFileRunner([](const std::string& file) { return Variant("ran " + file); });
  EXPECT_EQ(Call("RunMacro", {Variant(path)}).AsString(), "ran " + path);
  SetScriptFileRunner(nullptr);
  try {
    Call("RunForm", {Variant("form.dfm")});
    FAIL();
  } catch (const ECompilerError& e) {
    EXPECT_STREQ(e.what(), "RunForm is not available in this program");
  }
  std::string shown;
  SetScriptFormRunner([&](const std::string& file) { shown = file; });
  Call("RunForm", {Variant("form.dfm")});
  SetScriptFormRunner(nullptr);
  EXPECT_EQ(shown, "form.dfm");
}

TEST_F(SysLibraryTest, PrintAndPrintErrorWriteToTheirAttachments) {
  SetErrorFlag(false);
  Call("Print", {ArrayArg({Variant("nothing attached")})});
  Call("PrintError", {ArrayArg({Variant("still nothing")})});
  EXPECT_TRUE(ErrorFlag());
  SetErrorFlag(false);

  TStringList log, errors;
  std::string control;
  SetPrintLog(&log);
  SetErrorLog(&errors);
  SetPrintControl([&](const std::string& text) { control = text; });
  Call("Print", {ArrayArg({Variant("Total: "), Variant(5), Variant(" "), Variant(1.5)})});
  Call("Print", {ArrayArg({Variant(1), Variant(2)})});
  Call("PrintError", {ArrayArg({Variant("bad "), Variant(true)})});
  SetPrintControl(nullptr);
  SetErrorLog(nullptr);
  SetPrintLog(nullptr);
  EXPECT_EQ(log.CommaText(), "\"Total: 5 1.5\",12");
  EXPECT_EQ(control, "12");
  EXPECT_EQ(errors.CommaText(), "\"bad True\"");
  EXPECT_TRUE(ErrorFlag());
  SetErrorFlag(false);
}

TEST_F(SysLibraryTest, AttachedLogDestroyedIsNotWritten) {
  auto log = std::make_unique<TStringList>();
  SetPrintLog(log.get());
  log.reset();
  EXPECT_EQ(PrintLog(), nullptr);
  Call("Print", {ArrayArg({Variant("x")})});
  SetPrintLog(nullptr);
}

}  // namespace
}  // namespace orv
