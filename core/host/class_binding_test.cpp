// The bindings of the visual classes: the core registers what the class
// tables bind, and scripts that create forms and controls set and
// read their properties, call their methods and use the units' constants.
#include "core/host/class_binding.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "components/class_table.h"
#include "components/published.h"
#include "controls/controls_test_support.h"
#include "controls/form.h"
#include "core/host/script_test_support.h"

namespace orv {
namespace {

using test::Lines;

class ClassBindingTest : public test::ScriptTest {
 protected:
  static void SetUpTestSuite() {
    ScriptTest::SetUpTestSuite();
    RegisterFunc("TESTSCREEN", [](TObject*, const std::string&, ArgBlock&, Variant& r) {
      r = ObjToVariant(Screen());
    }, {pkNone});
  }
};

// The rows the core registered at start-up were written at build time from
// the class tables; they must be what the loaded library's tables bind now.
TEST_F(ClassBindingTest, TheRegisteredBindingsAreThoseOfTheClassTables) {
  std::vector<BoundMember> tables = BoundMembers();
  const std::vector<const MemberBinding*>& registered = RegisteredMembers();
  ASSERT_GT(registered.size(), 300u);
  ASSERT_EQ(registered.size(), tables.size());
  // A class's members are registered when the class is first used, so the
  // rows are matched by name rather than by place.
  std::map<std::string, const MemberBinding*> by_key;
  for (const MemberBinding* row : registered) by_key[BindingKey(*row)] = row;
  for (const BoundMember& bound : tables) {
    std::string key = (bound.class_name.empty() ? "" : UpperCase(bound.class_name) + ".") + UpperCase(bound.name);
    ASSERT_TRUE(by_key.count(key)) << key;
    const MemberBinding& row = *by_key[key];
    EXPECT_EQ(row.class_name, bound.class_name) << key;
    EXPECT_EQ(row.member, UpperCase(bound.name)) << key;
    EXPECT_EQ(row.kind, bound.kind) << key;
    EXPECT_EQ(row.params, bound.params) << key;
    EXPECT_GE(FindFunction(key), 0) << key;
    if (row.kind == MemberKind::Constructor) {
      const ClassDescriptor* descriptor = FindClassDescriptor(row.class_name);
      ASSERT_NE(descriptor, nullptr) << key;
      EXPECT_EQ(descriptor->factory != nullptr, key != "TCOMMONDIALOG.CREATE") << key;
    }
    if (row.kind == MemberKind::Property || row.kind == MemberKind::ReadOnly) {
      EXPECT_NE(FindProperty(row.class_name, row.member)->type->kind, TypeKind::Method) << key << " is an event";
    }
  }
}

TEST_F(ClassBindingTest, MembersOfTheBaseClassesServeEveryControl) {
  EXPECT_EQ(FunctionKey(FindInClassChain("TEDIT.LEFT", "")), "TCONTROL.LEFT");
  EXPECT_EQ(FunctionKey(FindInClassChain("TEDIT.LEFT", "_SET")), "TCONTROL.LEFT_SET");
  EXPECT_EQ(FunctionKey(FindInClassChain("TEDIT.CANFOCUS", "")), "TWINCONTROL.CANFOCUS");
  EXPECT_EQ(FunctionKey(FindInClassChain("TMEMO.SELECTALL", "")), "TCUSTOMEDIT.SELECTALL");
  EXPECT_EQ(FunctionKey(FindInClassChain("TFORM.NAME", "")), "TCOMPONENT.NAME");
  EXPECT_EQ(FunctionKey(FindInClassChain("TSAVEDIALOG.FILENAME", "")), "TOPENDIALOG.FILENAME");
  EXPECT_EQ(FunctionKey(FindInClassChain("TEDIT.CREATE", "")), "TEDIT.CREATE");
  EXPECT_EQ(FunctionKey(FindInClassChain("TSTRINGLIST.STRINGS", "_VET")), "TSTRINGS.STRINGS_VET");
  EXPECT_EQ(FindInClassChain("TSTRINGLIST.Names", "_VET"), -1);
  EXPECT_EQ(FunctionKey(FindInClassChain("TCHECKBOX.CREATE", "")), "TCHECKBOX.CREATE");
}

TEST_F(ClassBindingTest, FormsAndControlsFromAScript) {
  EXPECT_EQ(Run("var F: TForm; E: TEdit; B: TButton;\n"
                "begin\n"
                "  F := TForm.Create(0); F.Caption := 'Settings'; F.ClientWidth := 300;\n"
                "  E := TEdit.Create(F); E.Name := 'Edit1'; E.SetBounds(8, 16, 120, 24);\n"
                "  E.Text := 'typed'; E.PasswordChar := '*'; E.MaxLength := 20; E.ReadOnly := True;\n"
                "  B := TButton.Create(F); B.Caption := '&OK'; B.ModalResult := mrOk; B.Default := True;\n"
                "  TESTOUT(F.Caption); TESTOUT(F.ClientWidth); TESTOUT(E.Left); TESTOUT(E.Top);\n"
                "  TESTOUT(E.Width); TESTOUT(E.Text); TESTOUT(E.PasswordChar); TESTOUT(E.MaxLength);\n"
                "  TESTOUT(E.ReadOnly); TESTOUT(B.ModalResult); TESTOUT(E.Parent = F); TESTOUT(E.Owner = F);\n"
                "  TESTOUT(F.ControlCount); TESTOUT(F.ComponentCount); TESTOUT(E.ClassName);\n"
                "  TESTOUT(F.FindComponent('Edit1') = E); TESTOUT(E.Showing);\n"
                "  E.PasswordChar := ''; TESTOUT(Length(E.PasswordChar)); TESTOUT(E.PasswordChar = #0);\n"
                "end."),
            (Lines{"Settings", "300", "8", "16", "120", "typed", "*", "20", "True", "1", "True", "True", "2", "2",
                   "TEdit", "True", "False", "1", "True"}));
  EXPECT_EQ(pool_.LiveCount(), 3u) << "the form and the controls it owns";
}

TEST_F(ClassBindingTest, ObjectAndListPropertiesAndMethods) {
  EXPECT_EQ(Run("var F: TForm; M: TMemo; C: TComboBox; P: TPanel; K: TCheckBox; L: TStrings; N: TFont;\n"
                "begin\n"
                "  F := TForm.Create(0);\n"
                "  P := TPanel.Create(F); P.Align := alClient; P.Caption := 'Panel';\n"
                "  M := TMemo.Create(F); M.Parent := P; L := M.Lines; L.Add('one'); L.Add('two');\n"
                "  TESTOUT(L.Count); TESTOUT(P.ControlCount); TESTOUT(F.ControlCount);\n"
                "  TESTOUT(P.ContainsControl(M)); TESTOUT(F.ContainsControl(M));\n"
                "  C := TComboBox.Create(F); C.Style := csDropDownList; L := C.Items; L.Add('red'); L.Add('blue');\n"
                "  C.ItemIndex := 1; TESTOUT(C.Text); TESTOUT(C.Style);\n"
                "  K := TCheckBox.Create(P); K.AllowGrayed := True; K.State := cbGrayed; TESTOUT(K.Checked);\n"
                "  K.Checked := True; TESTOUT(K.State);\n"
                "  N := M.Font; TESTOUT(N.ClassName); M.Font := P.Font;\n"
                "  M.Text := 'abc'; M.SelectAll; TESTOUT(M.SelLength); M.Clear; L := M.Lines; TESTOUT(L.Count);\n"
                "  TESTOUT(M.Perform(0, 0, 0)); P.Hide; TESTOUT(P.Visible); P.Show; TESTOUT(P.Visible);\n"
                "  P.ParentCtl3D := False; TESTOUT(P.ParentCtl3D);\n"
                "  F.Free;\n"
                "end."),
            (Lines{"2", "1", "1", "True", "True", "blue", "2", "False", "1", "TFont", "3", "0", "0", "False", "True",
                   "False"}));
  EXPECT_EQ(pool_.LiveCount(), 0u) << "freeing the form freed what it owned";
}

TEST_F(ClassBindingTest, IndexedPropertiesOfTheScreen) {
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  form->SetName("FrmTest");
  Lines out = Run("var S: TScreen; I: Integer; F: TForm;\n"
                  "begin S := TESTSCREEN; F := S.Forms[S.FormCount - 1]; TESTOUT(F.Name);\n"
                  "  TESTOUT(S.Width > 0); TESTOUT(S.PixelsPerInch > 0) end.");
  EXPECT_EQ(out, (Lines{"FrmTest", "True", "True"}));
}

TEST_F(ClassBindingTest, ApplicationTitleIsTheProgramsNameUntilSet) {
  RegisterFunc("TESTAPPLICATION", [](TObject*, const std::string&, ArgBlock&, Variant& r) {
    r = ObjToVariant(Application());
  }, {pkNone});
  EXPECT_EQ(Run("var A: TApplication; begin A := TESTAPPLICATION; TESTOUT(A.Title); A.Title := 'Lists';\n"
                "  TESTOUT(A.Title); A.Title := '' end."),
            (Lines{"host_bindings_test", "Lists"}));
}

TEST_F(ClassBindingTest, StringListsOfTheClassesUnit) {
  EXPECT_EQ(Run("var L: TStringList; I: Integer;\n"
                "begin L := TStringList.Create; L.Add('b'); L.Add('a'); L.Sorted := True;\n"
                "  TESTOUT(L.Strings[0]); TESTOUT(L.Find('b', I)); TESTOUT(I);\n"
                "  L.Sorted := False; L.Strings[0] := 'x'; TESTOUT(L.Strings[0]) end."),
            (Lines{"a", "True", "1", "x"}));
  // Names has no setter: the assignment does not compile, so nothing runs.
  std::string error = ErrorOf("var L: TStringList; begin TESTOUT('ran'); L.Names[0] := 'b' end.");
  EXPECT_EQ(error.rfind("Syntax error in ", 0), 0u) << error;
  EXPECT_TRUE(TestOut().empty());
}

TEST_F(ClassBindingTest, ConstantsOfTheUnits) {
  EXPECT_EQ(Run("begin TESTOUT(mbHelp); TESTOUT(mrYes); TESTOUT(mrNo); TESTOUT(bsNone); TESTOUT(bsSingle);\n"
                "  TESTOUT(bsDialog); TESTOUT(clNavy); TESTOUT(crHourglass); TESTOUT(alClient);\n"
                "  TESTOUT(stCircle); TESTOUT(mtConfirmation); TESTOUT(lbOwnerDrawVariable); TESTOUT(dupError) end."),
            (Lines{"10", "6", "7", "0", "1", "3", "8388608", "-11", "5", "5", "3", "2", "2"}));
  // Registered by the extra controls and again by the forms unit, with the same values.
  EXPECT_EQ(ConstAt(FindConst("BSNONE")).AsInteger(), 0);
  EXPECT_EQ(ConstAt(FindConst("BSSINGLE")).AsInteger(), 1);
}

TEST_F(ClassBindingTest, MembersOfNilFreedAndForeignObjectsAreScriptErrors) {
  struct Case {
    const char* script;
    const char* message;
  } cases[] = {
      {"var E: TEdit; begin E.Left := 1 end.", "TControl.LEFT called on a nil object"},
      {"var E: TEdit; begin TESTOUT(E.Text) end.", "TWinControl.TEXT called on a nil object"},
      {"var E: TEdit; begin E := TEdit.Create(0); E.Free; E.SelectAll end.",
       "TCustomEdit.SELECTALL called on a nil object"},
      {"var E: TEdit; begin E := TStringList.Create; E.Width := 3 end.",
       "TControl.WIDTH called on an object of class TStringList"},
      {"var E: TEdit; begin E := TEdit.Create(0); E.PasswordChar := 'ab' end.",
       "TEdit.PASSWORDCHAR takes one character, not 'ab'"},
      {"var E: TEdit; L: TStringList; begin L := TStringList.Create; E := TEdit.Create(L) end.",
       "The owner in TEdit.CREATE must be a component, not a TStringList"},
      {"var D: TCommonDialog; begin D := TCommonDialog.Create(0) end.",
       "Cannot create an object of class TCommonDialog"},
      {"var E: TEdit; F: TForm; begin E := TEdit.Create(0); F := TForm.Create(0); F.Free; E.Parent := F end.",
       "Object reference is not valid"},
  };
  for (const Case& c : cases) EXPECT_EQ(ErrorOf(c.script), c.message) << c.script;
}

TEST_F(ClassBindingTest, ControlsOfAFormShowWithItAndAreFoundByName) {
  Run("var F: TForm; E: TEdit; begin F := TForm.Create(0); F.Name := 'FrmScript';\n"
      "  E := TEdit.Create(F); E.Name := 'Edit1'; E.Text := 'shown'; F.Show end.");
  QWidget* edit = test::FindIn("FrmScript", "Edit1");
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->isVisible());
}

}  // namespace
}  // namespace orv
