#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "components/object.h"
#include "core/script/compiler_error.h"
#include "core/script/dyna_vars.h"
#include "core/script/engine.h"
#include "core/script/event_types.h"
#include "core/script/host_registry.h"
#include "core/script/obj_collect.h"
#include "core/script/object_value.h"

namespace orv {
namespace {

void ReturnsOne(TObject*, const std::string&, ArgBlock&, Variant& result) { result = Variant(1); }
void ReturnsTwo(TObject*, const std::string&, ArgBlock&, Variant& result) { result = Variant(2); }
void ReturnsName(TObject*, const std::string& name, ArgBlock&, Variant& result) { result = Variant(name); }

// Every test runs on freshly created registries.
class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { EngineStartup(); }
  void TearDown() override { EngineShutdown(); }
};

TEST_F(RegistryTest, FunctionsAreFoundInAnyCaseWithTheirShortName) {
  RegisterFunc("TStrings.Add", ReturnsName, {pkValue});
  RegisterProc("WriteLn", ReturnsOne, {pkValue});
  int32_t add = FindFunction("tstrings.ADD");
  ASSERT_GE(add, 0);
  const TFunListItem& item = FunctionAt(add);
  EXPECT_EQ(item.Name, "Add");
  EXPECT_EQ(item.Kind, fkFunction);
  EXPECT_EQ(item.ParamCount, 1);
  Variant result;
  ArgBlock args;
  item.Code(nullptr, item.Name, args, result);
  EXPECT_EQ(result.AsString(), "Add");
  EXPECT_EQ(FunctionAt(FindFunction("writeln")).Kind, fkProcedure);
  EXPECT_EQ(FindFunction("WriteLine"), -1);
}

TEST_F(RegistryTest, LaterRegistrationWinsAndNumbersStayStable) {
  RegisterFunc("F", ReturnsOne, {pkNone});
  int32_t before = FindFunction("F");
  for (const char* name : {"A", "Z", "B", "E"}) RegisterFunc(name, ReturnsOne, {pkNone});
  EXPECT_EQ(FindFunction("F"), before);
  RegisterProc("f", ReturnsTwo, {pkValue, pkVar});
  EXPECT_EQ(FindFunction("F"), before);
  const TFunListItem& item = FunctionAt(before);
  EXPECT_EQ(item.Code, &ReturnsTwo);
  EXPECT_EQ(item.Kind, fkProcedure);
  EXPECT_EQ(item.ParamCount, 2);
  EXPECT_EQ(item.ParamKinds[1], pkVar);
}

TEST_F(RegistryTest, ParameterCounts) {
  RegisterFunc("NoArgs", ReturnsOne, {pkNone});
  EXPECT_EQ(FunctionAt(FindFunction("NoArgs")).ParamCount, 0);
  RegisterFunc("Hundred", ReturnsOne, std::vector<ParamKind>(100, pkValue));
  EXPECT_EQ(FunctionAt(FindFunction("Hundred")).ParamCount, 100);
  try {
    RegisterFunc("TooMany", ReturnsOne, std::vector<ParamKind>(101, pkValue));
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Function TooMany has 101 parameters; at most 100 are allowed");
  }
  EXPECT_EQ(FindFunction("TooMany"), -1);
  EXPECT_THROW(RegisterProc("Nothing", nullptr, {pkNone}), Exception);
  EXPECT_THROW(FunctionAt(12345), ECompilerError);
  EXPECT_THROW(FunctionAt(-1), ECompilerError);
}

bool DeclinesAll(TObject*, const Variant* const*, Variant&) { return false; }

// A shortcut reads its arguments where they lie, so only a routine of one to
// three value parameters may have one; a later registration without one
// drops it.
TEST_F(RegistryTest, ShortcutsOnlyForOneToThreeValueParameters) {
  RegisterFunc("Quick", ReturnsOne, {pkValue, pkValue, pkValue}, DeclinesAll);
  EXPECT_EQ(FunctionAt(FindFunction("Quick")).Shortcut, &DeclinesAll);
  const std::vector<std::vector<ParamKind>> refused = {
      {pkNone}, {}, {pkValue, pkValue, pkValue, pkValue}, {pkVar}, {pkValue, pkArray}, {pkAssigned}};
  for (const std::vector<ParamKind>& kinds : refused) {
    try {
      RegisterFunc("Refused", ReturnsOne, kinds, DeclinesAll);
      ADD_FAILURE() << kinds.size() << " kinds were taken";
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), "Function Refused cannot have a shortcut: it takes 3 values at most, and at least one");
    }
  }
  EXPECT_EQ(FindFunction("Refused"), -1);
  RegisterFunc("QUICK", ReturnsTwo, {pkValue});
  EXPECT_EQ(FunctionAt(FindFunction("Quick")).Shortcut, nullptr);
}

TEST_F(RegistryTest, PropertiesRegisterGetterAndSetters) {
  RegisterProp("TFORM.CAPTION", ReturnsOne, ReturnsTwo);
  const TFunListItem& getter = FunctionAt(FindFunction("TForm.Caption"));
  EXPECT_EQ(getter.ParamCount, 0);
  EXPECT_EQ(getter.ParamKinds, std::vector<ParamKind>{pkNone});
  EXPECT_EQ(getter.Kind, fkFunction);
  const TFunListItem& setter = FunctionAt(FindFunction("TFORM.CAPTION_SET"));
  EXPECT_EQ(setter.ParamKinds, std::vector<ParamKind>{pkValue});
  EXPECT_EQ(setter.Name, "CAPTION_SET");

  RegisterProp("TIMAGEINFO.WIDTH", ReturnsOne);
  EXPECT_EQ(FindFunction("TIMAGEINFO.WIDTH_SET"), -1);

  RegisterIndexedProp("TSTRINGS.STRINGS", 1, ReturnsOne, ReturnsTwo);
  EXPECT_EQ(FunctionAt(FindFunction("TSTRINGS.STRINGS")).ParamKinds, std::vector<ParamKind>{pkValue});
  EXPECT_EQ(FunctionAt(FindFunction("TSTRINGS.STRINGS_VET")).ParamKinds,
            (std::vector<ParamKind>{pkValue, pkAssigned}));
  EXPECT_THROW(RegisterIndexedProp("TOOBIG", 100, ReturnsOne, ReturnsTwo), Exception);
  EXPECT_THROW(RegisterIndexedProp("NEGATIVE", -1, ReturnsOne), Exception);
}

TEST_F(RegistryTest, ClassChainLookupClimbsToTheRegisteringAncestor) {
  RegisterClass("TRegTestPersistent", "TObject");
  RegisterClass("TRegTestStrings", "TRegTestPersistent");
  RegisterClass("TRegTestStringList", "TRegTestStrings");
  RegisterProc("TREGTESTPERSISTENT.ASSIGN", ReturnsOne, {pkValue});
  RegisterIndexedProp("TREGTESTSTRINGS.STRINGS", 1, ReturnsOne, ReturnsTwo);
  EXPECT_EQ(FindInClassChain("TREGTESTSTRINGLIST.ASSIGN", ""), FindFunction("TREGTESTPERSISTENT.ASSIGN"));
  EXPECT_EQ(FindInClassChain("TREGTESTSTRINGLIST.STRINGS", "_VET"),
            FindFunction("TREGTESTSTRINGS.STRINGS_VET"));
  EXPECT_EQ(FindInClassChain("TREGTESTSTRINGLIST.MISSING", ""), -1);
  EXPECT_EQ(FindInClassChain("TUNKNOWNCLASS.ASSIGN", ""), -1);
  EXPECT_EQ(FindInClassChain("ASSIGN", ""), -1);
  RegisterFunc("PLAIN", ReturnsOne, {pkNone});
  EXPECT_EQ(FindInClassChain("plain", ""), FindFunction("PLAIN"));
}

// A deferred class's members are registered by the first lookup of a name
// of the class, directly or from a subclass, once; other lookups leave them.
TEST_F(RegistryTest, DeferredMembersArriveWithTheFirstLookupOfTheirClass) {
  RegisterClass("TRegTestDeferred", "TObject");
  RegisterClass("TRegTestDeferredChild", "TRegTestDeferred");
  int runs = 0;
  DeferClassMembers("TRegTestDeferred", [&runs] {
    ++runs;
    RegisterFunc("TRegTestDeferred.Width", ReturnsOne, {pkNone});
    RegisterProp("TRegTestDeferred.Caption", ReturnsName, ReturnsTwo);
  });
  RegisterFunc("PLAIN", ReturnsOne, {pkNone});
  EXPECT_GE(FindFunction("plain"), 0);
  EXPECT_EQ(FindFunction("TREGTESTOTHER.WIDTH"), -1);
  EXPECT_EQ(FindInClassChain("TREGTESTOTHER.WIDTH", ""), -1);
  EXPECT_EQ(runs, 0);
  const int32_t width = FindInClassChain("TREGTESTDEFERREDCHILD.WIDTH", "");
  EXPECT_EQ(runs, 1);
  ASSERT_GE(width, 0);
  EXPECT_EQ(FunctionKey(width), "TREGTESTDEFERRED.WIDTH");
  EXPECT_EQ(FindFunction("tregtestdeferred.caption_set"), FindInClassChain("TREGTESTDEFERRED.CAPTION", "_SET"));
  EXPECT_EQ(FindFunction("TRegTestDeferred.Width"), width);
  EXPECT_EQ(runs, 1);
}

// What a class's deferred registration adds never replaces a routine
// registered under its names before the class was first used.
TEST_F(RegistryTest, DeferredMembersLeaveLaterRegistrationsInPlace) {
  DeferClassMembers("TRegTestLate", [] {
    RegisterFunc("TREGTESTLATE.SHOW", ReturnsOne, {pkNone});
    RegisterFunc("TREGTESTLATE.HIDE", ReturnsOne, {pkNone});
  });
  RegisterProc("TRegTestLate.Show", ReturnsTwo, {pkValue, pkVar});
  const TFunListItem& show = FunctionAt(FindFunction("TREGTESTLATE.SHOW"));
  EXPECT_EQ(show.Code, ReturnsTwo);
  EXPECT_EQ(show.Kind, fkProcedure);
  EXPECT_EQ(show.ParamCount, 2);
  EXPECT_EQ(FunctionAt(FindFunction("TREGTESTLATE.HIDE")).Code, ReturnsOne);
}

// Counting the routines registers every deferred class, in the order the
// classes were deferred, so that listing them by number lists them all.
TEST_F(RegistryTest, CountingRegistersEveryDeferredClassInOrder) {
  const int32_t before = FunctionCount();
  DeferClassMembers("TRegTestFirst", [] { RegisterFunc("TREGTESTFIRST.ONE", ReturnsOne, {pkNone}); });
  DeferClassMembers("TRegTestSecond", [] { RegisterFunc("TREGTESTSECOND.TWO", ReturnsTwo, {pkNone}); });
  DeferClassMembers("TRegTestFirst", [] { RegisterFunc("TREGTESTFIRST.THREE", ReturnsTwo, {pkNone}); });
  ASSERT_EQ(FunctionCount(), before + 3);
  EXPECT_EQ(FunctionKey(before), "TREGTESTFIRST.ONE");
  EXPECT_EQ(FunctionKey(before + 1), "TREGTESTSECOND.TWO");
  EXPECT_EQ(FunctionKey(before + 2), "TREGTESTFIRST.THREE");
  EXPECT_EQ(FindFunction("TREGTESTSECOND.TWO"), before + 1);
  EXPECT_EQ(FunctionCount(), before + 3);
}

TEST_F(RegistryTest, Constants) {
  EXPECT_EQ(ConstAt(FindConst("ssDouble")).AsInteger(), 6);
  EXPECT_EQ(ConstAt(FindConst("MBMIDDLE")).AsInteger(), 2);
  EXPECT_EQ(ConstAt(FindConst("qrBandSizeChange")).AsInteger(), 2);
  RegisterConst("pi", Variant(3.141592653589793));
  int32_t pi = FindConst("PI");
  RegisterConst("Pi", Variant(3.0));
  EXPECT_EQ(FindConst("pi"), pi);
  EXPECT_EQ(ConstAt(pi).AsReal(), 3.0);
  RegisterConst("Greeting", Variant("hi"));
  RegisterConst("Yes", Variant(true));
  EXPECT_THROW(RegisterConst("Nothing", Variant()), Exception);
  EXPECT_THROW(RegisterConst("List", Variant::Array(1)), Exception);
  EXPECT_THROW(RegisterConst("When", Variant::Date(1)), Exception);
  EXPECT_EQ(FindConst("Nothing"), -1);
  EXPECT_THROW(ConstAt(999), ECompilerError);
}

TEST_F(RegistryTest, EveryEntryCanBeListedByNumber) {
  int32_t functions = FunctionCount();
  RegisterFunc("TListed.Member", ReturnsOne, {pkNone});
  RegisterFunc("tlisted.member", ReturnsTwo, {pkNone});
  ASSERT_EQ(FunctionCount(), functions + 1);
  EXPECT_EQ(FunctionKey(functions), "TLISTED.MEMBER");
  EXPECT_THROW(FunctionKey(functions + 1), ECompilerError);
  EXPECT_THROW(FunctionKey(-1), ECompilerError);
  int32_t constants = ConstCount();
  RegisterConst("Listed", Variant(1));
  ASSERT_EQ(ConstCount(), constants + 1);
  EXPECT_EQ(ConstKey(constants), "LISTED");
  EXPECT_EQ(ConstKey(FindConst("ssShift")), "SSSHIFT");
  EXPECT_THROW(ConstKey(constants + 1), ECompilerError);
}

TEST_F(RegistryTest, ConstArrayFromVariant) {
  Variant array = Variant::Array(3);
  array.PutElement(0, Variant(2));
  array.PutElement(1, Variant("a"));
  array.PutElement(2, Variant(5));
  array.PutElement(3, Variant("stale"));
  std::span<const Variant> values = ConstArrayFromVariant(array);
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(values[0].AsString(), "a");
  EXPECT_EQ(values[1].AsInteger(), 5);
  EXPECT_EQ(&values[0], &array.Element(1));  // viewed where they are
  Variant empty = Variant::Array(0);
  empty.PutElement(0, Variant(0));
  EXPECT_TRUE(ConstArrayFromVariant(empty).empty());
  array.PutElement(0, Variant(4));
  EXPECT_THROW(ConstArrayFromVariant(array), EVariantError);
  EXPECT_THROW(ConstArrayFromVariant(Variant(1)), EVariantError);
  EXPECT_THROW(ConstArrayFromVariant(Variant::Array(-1)), EVariantError);
}

// A provider over a fixed list of names; records what was written.
struct FakeProvider {
  std::vector<std::string> names;
  std::vector<Variant> values;
  int32_t Register(const char* name, TObject* owner) {
    values.resize(names.size());
    return RegisterDynaVars(
        name, owner, [this](int32_t id) { return values.at(id); },
        [this](int32_t id, const Variant& v) { values.at(id) = v; },
        [this](const std::string& n) -> int32_t {
          for (size_t i = 0; i < names.size(); ++i)
            if (names[i] == n) return static_cast<int32_t>(i);
          return -1;
        });
  }
};

TEST_F(RegistryTest, DynamicVariablesSearchLastRegisteredFirst) {
  FakeProvider first{{"COLOR", "SIZE"}, {}}, second{{"SIZE"}, {}};
  int32_t a = first.Register("First", nullptr);
  int32_t b = second.Register("Second", nullptr);
  auto size = FindDynaVar("size", nullptr);
  ASSERT_TRUE(size.has_value());
  EXPECT_EQ(size->Provider, b);
  EXPECT_EQ(size->Id, 0);
  auto color = FindDynaVar("Color", nullptr);
  ASSERT_TRUE(color.has_value());
  EXPECT_EQ(color->Provider, a);
  EXPECT_EQ(color->Id, 0);
  DynaVarSet(b, 0, Variant(12));
  EXPECT_EQ(second.values[0].AsInteger(), 12);
  EXPECT_EQ(DynaVarGet(b, 0).AsInteger(), 12);
  EXPECT_FALSE(FindDynaVar("WEIGHT", nullptr).has_value());
}

TEST_F(RegistryTest, BoundProvidersServeOnlyTheirComponent) {
  TObject mine, other;
  FakeProvider bound{{"TITLE"}, {}};
  bound.Register("Comp1", &mine);
  EXPECT_TRUE(FindDynaVar("TITLE", &mine).has_value());
  EXPECT_FALSE(FindDynaVar("TITLE", &other).has_value());
  EXPECT_FALSE(FindDynaVar("TITLE", nullptr).has_value());
}

TEST_F(RegistryTest, RemovingAProviderNeverRedirectsCompiledReferences) {
  FakeProvider first{{"X"}, {}}, second{{"X"}, {}}, third{{"X"}, {}};
  first.Register("First", nullptr);
  int32_t b = second.Register("Second", nullptr);
  int32_t c = third.Register("Third", nullptr);
  UnregisterDynaVars("second");
  EXPECT_EQ(FindDynaVar("X", nullptr)->Provider, c);
  DynaVarSet(c, 0, Variant(3));
  EXPECT_EQ(third.values[0].AsInteger(), 3);
  try {
    DynaVarGet(b, 0);
    FAIL();
  } catch (const ECompilerError& e) {
    EXPECT_EQ(e.Text(), "Dynamic variable provider " + std::to_string(b) + " is no longer registered");
  }
  EXPECT_THROW(DynaVarSet(-1, 0, Variant(1)), ECompilerError);
  // Registering a name again retires the old handle and is searched first.
  FakeProvider again{{"X"}, {}};
  int32_t d = again.Register("First", nullptr);
  EXPECT_GT(d, c);
  EXPECT_EQ(FindDynaVar("X", nullptr)->Provider, d);
  UnregisterDynaVars("Nobody");
}

TEST_F(RegistryTest, ProviderMayUnregisterItselfWhileRunning) {
  int32_t handle = RegisterDynaVars(
      "SelfRemoving", nullptr,
      [](int32_t) {
        UnregisterDynaVars("SelfRemoving");
        return Variant(7);
      },
      [](int32_t, const Variant&) {}, [](const std::string&) { return 0; });
  EXPECT_EQ(DynaVarGet(handle, 0).AsInteger(), 7);
  EXPECT_THROW(DynaVarGet(handle, 0), ECompilerError);
}

TEST_F(RegistryTest, InternalVariablesHoldTheEngineWideResult) {
  auto result = FindDynaVar("result", nullptr);
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->Id, 0);
  DynaVarSet(result->Provider, 0, Variant("done"));
  EXPECT_EQ(InternalVars().Result.AsString(), "done");
  InternalVars().Add("Counter", Variant(4));
  auto counter = FindDynaVar("COUNTER", nullptr);
  ASSERT_TRUE(counter.has_value());
  EXPECT_EQ(counter->Id, 1);
  EXPECT_EQ(DynaVarGet(counter->Provider, counter->Id).AsInteger(), 4);
  // Ids no variable has, as a program image may give them, read as 0 and
  // take nothing.
  for (const int32_t id : {99, -1, INT32_MIN, INT32_MAX}) {
    EXPECT_EQ(InternalVars().GetVar(id).AsInteger(), 0) << id;
    InternalVars().SetVar(id, Variant(5));
    EXPECT_EQ(InternalVars().GetVar(id).Type(), varInteger) << id;
  }
  EXPECT_EQ(InternalVars().Result.AsString(), "done");
  EXPECT_EQ(DynaVarGet(counter->Provider, counter->Id).AsInteger(), 4);
}

TEST_F(RegistryTest, NamedObjects) {
  TObject object;
  tobjcollect objects;
  objects.Add("Button1", &object);
  objects.Add("Screen", nullptr);
  const tobjitem* item = objects.Find("BUTTON1");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->ClassName, "TOBJECT");
  EXPECT_EQ(ObjectFromHandle(item->Handle), &object);
  EXPECT_EQ(objects.Find("screen")->Handle, 0u);
  EXPECT_EQ(objects.Find("Edit1"), nullptr);
  objects.Clear();
  EXPECT_EQ(objects.Count(), 0);
  EXPECT_EQ(objects.Find("Button1"), nullptr);
}

TEST_F(RegistryTest, LazyNamedObjectIsMadeOnFirstLookup) {
  TObject object;
  int made = 0;
  tobjcollect objects;
  objects.AddLazy("Screen", "TScreen", [&] {
    ++made;
    return &object;
  });
  EXPECT_EQ(made, 0);
  const tobjitem* item = objects.Find("SCREEN");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->ClassName, "TSCREEN");
  EXPECT_EQ(ObjectFromHandle(item->Handle), &object);
  objects.Find("screen");
  EXPECT_EQ(made, 1);
  objects.AddLazy("Broken", "TScreen", []() -> TObject* { throw ECompilerError("no screen here"); });
  EXPECT_THROW(objects.Find("Broken"), ECompilerError);
}

// A binding that records the firing and changes every value it gets.
class RecordingBinding : public TObject, public IEventBinding {
 public:
  void Dispatch(TObject* sender, std::vector<Variant>& args) override {
    last_sender = sender;
    received = args;
    for (Variant& arg : args) arg = replacement;
  }
  TObject* last_sender = nullptr;
  std::vector<Variant> received;
  Variant replacement;
};

TEST_F(RegistryTest, EventTypes) {
  const TEventListItem* close = FindRegisteredEventType("tcloseevent");
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->BindingClass, "TKelEvent");
  EXPECT_TRUE(close->HasSender);
  ASSERT_EQ(close->Args.size(), 1u);
  EXPECT_TRUE(close->Args[0].by_ref);
  const TEventListItem* help = FindRegisteredEventType("THelpEvent");
  ASSERT_NE(help, nullptr);
  EXPECT_FALSE(help->HasSender);
  EXPECT_EQ(help->Args.size(), 3u);
  EXPECT_EQ(FindRegisteredEventType("TMouseWheelEvent"), nullptr);
  for (const char* report : {"TQRNotifyEvent", "TQRFilterEvent", "TQRLabelOnPrintEvent", "TQRPageAvailableEvent"})
    EXPECT_NE(FindRegisteredEventType(report), nullptr) << report;

  RecordingBinding binding;
  TObject sender;
  binding.replacement = Variant(2);
  EventArgs args{int64_t{1}};
  close->Thunk(&binding, &sender, args);
  EXPECT_EQ(binding.last_sender, &sender);
  EXPECT_EQ(binding.received.at(0).AsInteger(), 1);
  EXPECT_EQ(args[0], PropertyValue(int64_t{2}));
  TObject not_a_binding;
  EXPECT_THROW(close->Thunk(&not_a_binding, &sender, args), ECompilerError);
  EXPECT_TRUE(IsClassRegistered("TKelComp"));
}

// Each kind of argument reaches the routine as the value it stands for, and
// only by-reference arguments go back, converted to what the event passes.
TEST_F(RegistryTest, EventThunksConvertArguments) {
  RecordingBinding binding;
  TObject source;
  struct Case {
    const char* type;
    EventArgs args;
    std::vector<std::string> seen;  // AsString of each value the routine got
    Variant replacement;
    EventArgs back;
  };
  const Case cases[] = {
      {"TKeyPressEvent", {std::string("a")}, {"a"}, Variant(std::string("xyz")), {std::string("x")}},
      {"TKeyPressEvent", {std::string("a")}, {"a"}, Variant(std::string()), {std::string(1, '\0')}},
      {"TKeyPressEvent", {std::string("\xC3\xA9")}, {"\xC3\xA9"}, Variant(std::string("\xE2\x82\xAC!")),
       {std::string("\xE2\x82\xAC")}},
      {"TKeyPressEvent", {std::string("\xC3")}, {"\xC3"}, Variant(std::string("\xE2\x82")), {std::string("\xE2")}},
      {"TKeyEvent", {int64_t{65}, int64_t{4}}, {"65", "4"}, Variant(0), {int64_t{0}, int64_t{4}}},
      {"TCloseQueryEvent", {true}, {"True"}, Variant(false), {false}},
      {"TMouseEvent", {int64_t{1}, int64_t{8}, int64_t{3}, int64_t{4}}, {"1", "8", "3", "4"}, Variant(9),
       {int64_t{1}, int64_t{8}, int64_t{3}, int64_t{4}}},
      {"TQRLabelOnPrintEvent", {std::string("page 1")}, {"page 1"}, Variant(std::string("p. 1")),
       {std::string("p. 1")}},
      {"TDragOverEvent", {&source, int64_t{1}, int64_t{2}, int64_t{0}, false}, {"", "1", "2", "0", "False"},
       Variant(true), {&source, int64_t{1}, int64_t{2}, int64_t{0}, true}},
      {"TCloseEvent", {}, {""}, Variant(2), {}},  // an event that passes less
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    EventArgs args = c.args;
    binding.replacement = c.replacement;
    FindRegisteredEventType(c.type)->Thunk(&binding, nullptr, args);
    std::vector<std::string> seen;
    for (const Variant& value : binding.received) seen.push_back(value.AsString());
    EXPECT_EQ(seen, c.seen);
    EXPECT_EQ(args, c.back);
  }
  EventArgs drag{&source, int64_t{0}, int64_t{0}};
  FindRegisteredEventType("TDragDropEvent")->Thunk(&binding, nullptr, drag);
  EXPECT_EQ(VariantToObj(binding.received.at(0)), &source);
  EventArgs start{&source};
  binding.replacement = Variant();
  FindRegisteredEventType("TStartDragEvent")->Thunk(&binding, nullptr, start);
  EXPECT_EQ(start[0], PropertyValue(static_cast<TObject*>(nullptr)));
}

TEST(EngineTest, StartupNestsAndRegistriesExistOnlyWhileStarted) {
  EXPECT_FALSE(EngineStarted());
  EXPECT_THROW(FindFunction("X"), ECompilerError);
  try {
    RegisterProc("X", ReturnsOne, {pkNone});
    FAIL();
  } catch (const ECompilerError& e) {
    EXPECT_STREQ(e.what(), "Script engine not started");
  }
  EngineStartup();
  EngineStartup();
  RegisterProc("X", ReturnsOne, {pkNone});
  EngineShutdown();
  EXPECT_TRUE(EngineStarted());
  EXPECT_GE(FindFunction("X"), 0);
  EngineShutdown();
  EXPECT_FALSE(EngineStarted());
  EngineShutdown();  // an unmatched shut-down does nothing
  EngineStartup();
  EXPECT_EQ(FindFunction("X"), -1);
  EngineShutdown();
}

}  // namespace
}  // namespace orv
