#include "components/class_table.h"

#include <algorithm>

#include "platform/paths.h"

namespace orv {
namespace {

// The bindings a table listed, kept as written until BoundMembers works them out.
struct ClassBindings {
  std::string class_name;
  std::vector<Binding> bindings;
};

struct Bindings {
  std::vector<ClassBindings> classes;  // in the order the classes were first registered
  std::vector<BoundMember> routines;   // worked out when registered
};

Bindings& Registered() {
  static Bindings bindings;
  return bindings;
}

// `bound` with what `binding` gives explicitly put over what the member gave.
BoundMember Override(BoundMember bound, const Binding& binding) {
  if (binding.kind) bound.kind = *binding.kind;
  if (binding.params) bound.params = *binding.params;
  return bound;
}

BoundMember FromMethod(std::string class_name, const MethodInfo& method) {
  return {std::move(class_name), method.name, method.result ? MemberKind::Function : MemberKind::Procedure,
          std::string(method.params.size(), 'v')};
}

BoundMember Resolve(const std::string& class_name, const Binding& binding) {
  if (SameText(binding.name, "Create")) return Override({class_name, binding.name, MemberKind::Constructor, ""}, binding);
  const PropertyInfo* property = FindProperty(class_name, binding.name);
  const MethodInfo* method = FindMethod(class_name, binding.name);
  if (property && method)
    throw EPropertyError(class_name + " binds " + binding.name + ", which is both a property and a method");
  if (property) {
    MemberKind kind = property->set ? MemberKind::Property : MemberKind::ReadOnly;
    return Override({class_name, property->name, kind, ""}, binding);
  }
  if (method) return Override(FromMethod(class_name, *method), binding);
  throw EPropertyError(class_name + " binds " + binding.name + ", which it does not have");
}

// Moves the members of `rows` into `into`, and the bindings among them into `bindings`.
template <class Info>
void Take(std::vector<TableMember<Info>>& rows, std::vector<Info>& into, std::vector<Binding>& bindings) {
  for (TableMember<Info>& row : rows) {
    if (row.binding) bindings.push_back(std::move(*row.binding));
    into.push_back(std::move(row.info));
  }
}

}  // namespace

TableMember<MethodInfo> Bound(MethodInfo routine, std::string params) {
  TableMember<MethodInfo> bound = Bound(std::move(routine));
  bound.binding->params = std::move(params);
  return bound;
}

void RegisterClassTable(ClassTable table) {
  ClassDescriptor descriptor{table.name, std::move(table.parent), std::move(table.factory), {}};
  ClassMembers members;
  std::vector<Binding> bindings;
  Take(table.published, descriptor.properties, bindings);
  Take(table.properties, members.properties, bindings);
  Take(table.methods, members.methods, bindings);
  bindings.insert(bindings.end(), table.bound.begin(), table.bound.end());
  RegisterClassDescriptor(std::move(descriptor));
  RegisterClassMembers(table.name, std::move(members));

  std::vector<ClassBindings>& classes = Registered().classes;
  auto same = std::find_if(classes.begin(), classes.end(),
                           [&](const ClassBindings& known) { return SameText(known.class_name, table.name); });
  if (same != classes.end()) same->bindings = std::move(bindings);
  else classes.push_back({std::move(table.name), std::move(bindings)});
}

void RegisterRoutines(std::vector<TableMember<MethodInfo>> routines) {
  std::vector<BoundMember>& bound = Registered().routines;
  for (TableMember<MethodInfo>& routine : routines) {
    if (routine.binding) {
      std::erase_if(bound, [&](const BoundMember& known) { return SameText(known.name, routine.info.name); });
      bound.push_back(Override(FromMethod("", routine.info), *routine.binding));
    }
    RegisterRoutine(std::move(routine.info));
  }
}

std::vector<BoundMember> BoundMembers() {
  const Bindings& registered = Registered();
  std::vector<BoundMember> members;
  for (const ClassBindings& table : registered.classes)
    for (const Binding& binding : table.bindings) members.push_back(Resolve(table.class_name, binding));
  members.insert(members.end(), registered.routines.begin(), registered.routines.end());
  return members;
}

}  // namespace orv
