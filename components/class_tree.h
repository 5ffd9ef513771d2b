// The class tree of the component library: every class that scripts, form
// files and dialogs can name, with its parent. The class registry starts out
// holding this tree, so a walk from any bound class (TForm, TMemo, ...) up to
// TObject passes through every class whose members scripts may call, the
// base classes without members of their own included.
#pragma once

#include <span>

namespace orv {

// The library that holds the visual classes. It is loaded on the first use of
// one of them, so a program that uses none does not load Qt.
inline constexpr const char* kControlsLibrary = "liborvcontrols.so";

// One class of the tree: its name as scripts and form files spell it, the
// name of its parent ("" for the root), and the library that implements it
// (null: this library).
struct ClassTreeEntry {
  const char* name;
  const char* parent;
  const char* library = nullptr;
};

// The whole tree, parents listed before their children.
std::span<const ClassTreeEntry> StandardClassTree();

}  // namespace orv
