#include "core/lib/classes_library.h"

#include <cstddef>
#include <memory>
#include <string_view>
#include <type_traits>

#include "core/lib/binding.h"
#include "core/lib/script_objects.h"
#include "core/script/object_value.h"

namespace orv {
namespace {

using A = ArgBlock;
using R = Variant;

TDuplicates DuplicatesValue(const Variant& value) {
  int32_t mode = value.AsInteger();
  if (mode < dupIgnore || mode > dupError)
    throw EConvertError("Invalid value for Duplicates: " + std::to_string(mode));
  return static_cast<TDuplicates>(mode);
}

// An indexed property of a list with one integer index, from one reading
// body (`Get`) and, unless nullptr, one writing body (`Put`): the routines a
// script calls and the runner's shortcuts, which take an index that is an
// integer already and leave any other index to the routines' conversion.
template <auto Get, auto Put>
void RegisterListElement(std::string_view name) {
  constexpr bool kWritable = !std::is_same_v<decltype(Put), std::nullptr_t>;
  HostProc getter = Method<TStrings, [](TStrings& s, A& a, R& r) { r = Get(s, a[0].AsInteger()); }>;
  RoutineShortcut get = [](TObject* self, const Variant* const* args, Variant& result) {
    TStrings* list = SelfIf<TStrings>(self);
    if (!list || args[0]->Type() != varInteger) return false;
    result = Get(*list, args[0]->IntegerField());
    return true;
  };
  if constexpr (kWritable) {
    HostProc setter = Method<TStrings, [](TStrings& s, A& a, R&) { Put(s, a[0].AsInteger(), a[1]); }>;
    RoutineShortcut put = [](TObject* self, const Variant* const* args, Variant&) {
      TStrings* list = SelfIf<TStrings>(self);
      if (!list || args[0]->Type() != varInteger) return false;
      Put(*list, args[0]->IntegerField(), *args[1]);
      return true;
    };
    RegisterIndexedProp(name, getter, setter, get, put);
  } else {
    RegisterIndexedProp(name, getter, nullptr, get, nullptr);
  }
}

void RegisterPersistent() {
  RegisterProc("TPERSISTENT.ASSIGN", Method<TPersistent, [](TPersistent& self, A& a, R&) {
                 TObject* source = VariantToObj(a[0]);
                 auto* persistent = dynamic_cast<TPersistent*>(source);
                 if (source && !persistent)
                   throw EConvertError("Cannot assign a " + source->ClassName() + " to a " + self.ClassName());
                 self.Assign(persistent);
               }>,
               {pkValue});
}

void RegisterStrings() {
  RegisterFunc("TSTRINGS.ADD", Method<TStrings, [](TStrings& s, A& a, R& r) { r = s.AddShared(a[0].SharedString()); }>,
               {pkValue});
  RegisterFunc("TSTRINGS.ADDOBJECT", Method<TStrings, [](TStrings& s, A& a, R& r) {
                 r = s.AddObject(TextArg(a[0]), VariantToObj(a[1]));
               }>,
               {pkValue, pkValue});
  RegisterFunc("TSTRINGS.EQUALS", Method<TStrings, [](TStrings& s, A& a, R& r) {
                 TStrings* other = ObjectArg<TStrings>(a[0], "TStrings.EQUALS");
                 r = other != nullptr && s.Equals(*other);
               }>,
               {pkValue});
  RegisterFunc("TSTRINGS.INDEXOF", Method<TStrings, [](TStrings& s, A& a, R& r) { r = s.IndexOf(TextArg(a[0])); }>,
               {pkValue});
  RegisterFunc("TSTRINGS.INDEXOFNAME",
               Method<TStrings, [](TStrings& s, A& a, R& r) { r = s.IndexOfName(a[0].AsString()); }>, {pkValue});
  RegisterFunc("TSTRINGS.INDEXOFOBJECT",
               Method<TStrings, [](TStrings& s, A& a, R& r) { r = s.IndexOfObject(VariantToObj(a[0])); }>,
               {pkValue});
  RegisterProc("TSTRINGS.APPEND", Method<TStrings, [](TStrings& s, A& a, R&) { s.Append(TextArg(a[0])); }>,
               {pkValue});
  RegisterProc("TSTRINGS.ADDSTRINGS", Method<TStrings, [](TStrings& s, A& a, R&) {
                 s.AddStrings(RequiredObjectArg<TStrings>(a[0], "TStrings.ADDSTRINGS"));
               }>,
               {pkValue});
  RegisterProc("TSTRINGS.BEGINUPDATE", Method<TStrings, [](TStrings& s, A&, R&) { s.BeginUpdate(); }>, {pkNone});
  RegisterProc("TSTRINGS.CLEAR", Method<TStrings, [](TStrings& s, A&, R&) { s.Clear(); }>, {pkNone});
  RegisterProc("TSTRINGS.DELETE", Method<TStrings, [](TStrings& s, A& a, R&) { s.Delete(a[0].AsInteger()); }>,
               {pkValue});
  RegisterProc("TSTRINGS.ENDUPDATE", Method<TStrings, [](TStrings& s, A&, R&) { s.EndUpdate(); }>, {pkNone});
  RegisterProc("TSTRINGS.EXCHANGE", Method<TStrings, [](TStrings& s, A& a, R&) {
                 s.Exchange(a[0].AsInteger(), a[1].AsInteger());
               }>,
               {pkValue, pkValue});
  RegisterProc("TSTRINGS.INSERT", Method<TStrings, [](TStrings& s, A& a, R&) {
                 s.Insert(a[0].AsInteger(), a[1].AsString());
               }>,
               {pkValue, pkValue});
  RegisterProc("TSTRINGS.LOADFROMFILE",
               Method<TStrings, [](TStrings& s, A& a, R&) { s.LoadFromFile(a[0].AsString()); }>,
               {pkValue});
  RegisterProc("TSTRINGS.MOVE", Method<TStrings, [](TStrings& s, A& a, R&) {
                 s.Move(a[0].AsInteger(), a[1].AsInteger());
               }>,
               {pkValue, pkValue});
  RegisterProc("TSTRINGS.SAVETOFILE",
               Method<TStrings, [](TStrings& s, A& a, R&) { s.SaveToFile(a[0].AsString()); }>, {pkValue});
  RegisterProp("TSTRINGS.COMMATEXT", Method<TStrings, [](TStrings& s, A&, R& r) { r = s.CommaText(); }>,
               Method<TStrings, [](TStrings& s, A& a, R&) { s.SetCommaText(a[0].AsString()); }>);
  RegisterProp("TSTRINGS.TEXT", Method<TStrings, [](TStrings& s, A&, R& r) { r = s.Text(); }>,
               Method<TStrings, [](TStrings& s, A& a, R&) { s.SetText(a[0].AsString()); }>);
  RegisterProp("TSTRINGS.COUNT", Method<TStrings, [](TStrings& s, A&, R& r) { r = s.Count(); }>);
  RegisterListElement<[](TStrings& s, int32_t i) { return Variant(s.GetShared(i)); },
                      [](TStrings& s, int32_t i, const Variant& v) { s.PutShared(i, v.SharedString()); }>(
      "TSTRINGS.STRINGS");
  RegisterListElement<[](TStrings& s, int32_t i) { return Variant(s.Names(i)); }, nullptr>("TSTRINGS.Names");
  RegisterListElement<[](TStrings& s, int32_t i) { return ObjToVariant(s.GetObject(i)); },
                      [](TStrings& s, int32_t i, const Variant& v) { s.PutObject(i, VariantToObj(v)); }>(
      "TSTRINGS.Objects");
  RegisterIndexedProp("TSTRINGS.Values", 1,
                      Method<TStrings, [](TStrings& s, A& a, R& r) { r = s.Values(a[0].AsString()); }>,
                      Method<TStrings, [](TStrings& s, A& a, R&) { s.SetValue(a[0].AsString(), a[1].AsString()); }>);
}

void RegisterStringList() {
  // Create makes a new list whatever Self holds; the list belongs to the pool
  // of the running script (script_objects.h).
  RegisterFunc("TSTRINGLIST.Create", [](TObject*, const std::string&, A&, R& r) {
                 r = ObjToVariant(AdoptScriptObject(std::make_unique<TStringList>()));
               },
               {pkNone});
  RegisterFunc("TSTRINGLIST.FIND", Method<TStringList, [](TStringList& s, A& a, R& r) {
                 int index = 0;
                 r = s.Find(a[0].AsString(), index);
                 a[1] = index;
               }>,
               {pkValue, pkVar});
  RegisterProc("TSTRINGLIST.SORT", Method<TStringList, [](TStringList& s, A&, R&) { s.Sort(); }>, {pkNone});
  RegisterProp("TSTRINGLIST.DUPLICATES",
               Method<TStringList, [](TStringList& s, A&, R& r) { r = static_cast<int32_t>(s.Duplicates()); }>,
               Method<TStringList, [](TStringList& s, A& a, R&) { s.SetDuplicates(DuplicatesValue(a[0])); }>);
  RegisterProp("TSTRINGLIST.SORTED", Method<TStringList, [](TStringList& s, A&, R& r) { r = s.Sorted(); }>,
               Method<TStringList, [](TStringList& s, A& a, R&) { s.SetSorted(a[0].AsBoolean()); }>);
}

void RegisterComponent() {
  RegisterFunc("TCOMPONENT.FINDCOMPONENT", Method<TComponent, [](TComponent& c, A& a, R& r) {
                 r = ObjToVariant(c.FindComponent(a[0].AsString()));
               }>,
               {pkValue});
  RegisterFunc("TCOMPONENT.GETPARENTCOMPONENT",
               Method<TComponent, [](TComponent& c, A&, R& r) { r = ObjToVariant(c.GetParentComponent()); }>,
               {pkNone});
  RegisterFunc("TCOMPONENT.HASPARENT", Method<TComponent, [](TComponent& c, A&, R& r) { r = c.HasParent(); }>,
               {pkNone});
  RegisterProc("TCOMPONENT.INSERTCOMPONENT", Method<TComponent, [](TComponent& c, A& a, R&) {
                 c.InsertComponent(&RequiredObjectArg<TComponent>(a[0], "TComponent.INSERTCOMPONENT"));
               }>,
               {pkValue});
  RegisterProc("TCOMPONENT.REMOVECOMPONENT", Method<TComponent, [](TComponent& c, A& a, R&) {
                 c.RemoveComponent(ObjectArg<TComponent>(a[0], "TComponent.REMOVECOMPONENT"));
               }>,
               {pkValue});
  RegisterProp("TCOMPONENT.COMPONENTINDEX",
               Method<TComponent, [](TComponent& c, A&, R& r) { r = c.ComponentIndex(); }>,
               Method<TComponent, [](TComponent& c, A& a, R&) { c.SetComponentIndex(a[0].AsInteger()); }>);
  RegisterProp("TCOMPONENT.TAG", Method<TComponent, [](TComponent& c, A&, R& r) { r = c.Tag(); }>,
               Method<TComponent, [](TComponent& c, A& a, R&) { c.SetTag(a[0].AsInteger()); }>);
  RegisterProp("TCOMPONENT.NAME", Method<TComponent, [](TComponent& c, A&, R& r) { r = c.Name(); }>,
               Method<TComponent, [](TComponent& c, A& a, R&) { c.SetName(a[0].AsString()); }>);
  RegisterProp("TCOMPONENT.COMPONENTCOUNT",
               Method<TComponent, [](TComponent& c, A&, R& r) { r = c.ComponentCount(); }>);
  RegisterProp("TCOMPONENT.OWNER", Method<TComponent, [](TComponent& c, A&, R& r) { r = ObjToVariant(c.Owner()); }>);
  RegisterIndexedProp("TCOMPONENT.COMPONENTS", 1, Method<TComponent, [](TComponent& c, A& a, R& r) {
                        r = ObjToVariant(c.Components(a[0].AsInteger()));
                      }>);
}

}  // namespace

void RegisterClassesLibrary() {
  RegisterPersistent();
  RegisterStrings();
  RegisterStringList();
  RegisterComponent();
  RegisterConst("dupIgnore", Variant(static_cast<int32_t>(dupIgnore)));
  RegisterConst("dupAccept", Variant(static_cast<int32_t>(dupAccept)));
  RegisterConst("dupError", Variant(static_cast<int32_t>(dupError)));
}

}  // namespace orv
