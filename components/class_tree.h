// The class tree of the component library: every class that scripts, form
// files and dialogs can name, with its parent. The class registry starts out
// holding this tree, so a walk from any bound class (TForm, TMemo, ...) up to
// TObject passes through every class whose members scripts may call, the
// base classes without members of their own included.
#pragma once

#include <span>

namespace orv {

// One class of the tree: its name as scripts and form files spell it, and the
// name of its parent ("" for the root).
struct ClassTreeEntry {
  const char* name;
  const char* parent;
};

// The whole tree, parents listed before their children.
std::span<const ClassTreeEntry> StandardClassTree();

}  // namespace orv
