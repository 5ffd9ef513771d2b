#include "core/script/jump_copies.h"

#include <algorithm>
#include <map>
#include <utility>

#include "core/script/compiler.h"

namespace orv {
namespace {

// Gotos followed one after another at most this many times (a chain that
// goes on longer, or round in a circle, stops where it is).
constexpr int kChainLimit = 16;

// Whether `op` jumps to a label or goes on with the next instruction, and
// may run anywhere else to the same effect: the conditional jumps, the
// guards and the steps of for loops. A goto and a call of a script routine
// (whose return comes back to the next instruction) are not.
bool JumpsOrGoesOn(int32_t op) { return op != opGoto && op != opGosub && NamesLabel(op); }

}  // namespace

void CopyJumpTargets(TCodeBuffer& code, std::vector<TIDLabelItem>& labels) {
  const size_t size = code.Size();
  const auto target_of = [&labels](int32_t label) {
    return static_cast<size_t>(labels[static_cast<size_t>(label)].Target);
  };
  std::vector<size_t> copied;  // the gotos that become copies, in order
  // The first instruction, the jump over the routines to the main block,
  // runs once and stays as it is.
  for (size_t i = 1; i < size; ++i) {
    TProgItem& item = code.At(i);
    if (item.Op != opGoto) continue;
    for (int step = 0; step < kChainLimit && target_of(item.A) < size && code.At(target_of(item.A)).Op == opGoto;
         ++step)
      item.A = code.At(target_of(item.A)).A;
    const size_t target = target_of(item.A);
    if (target + 1 < size && target != i + 1 && JumpsOrGoesOn(code.At(target).Op)) copied.push_back(i);
  }
  if (copied.empty()) return;
  // An instruction moves down by the gotos put in before it, each after the
  // copy that stands in for a goto.
  const auto moved = [&copied](size_t index) {
    return index + static_cast<size_t>(std::lower_bound(copied.begin(), copied.end(), index) - copied.begin());
  };
  std::vector<std::pair<TProgItem, size_t>> old;
  old.reserve(size);
  for (size_t i = 0; i < size; ++i) old.emplace_back(code.At(i), code.PositionAt(i));
  std::map<size_t, int32_t> after;  // a copied target -> the label of the instruction after it
  for (const size_t i : copied) {
    const size_t target = target_of(old[i].first.A);
    if (after.count(target) != 0) continue;
    labels.push_back(TIDLabelItem{static_cast<int32_t>(target + 1), true, true});
    after[target] = static_cast<int32_t>(labels.size() - 1);
  }
  code.Truncate(0);
  size_t next = 0;  // the next entry of `copied`
  for (size_t i = 0; i < size; ++i) {
    if (next < copied.size() && copied[next] == i) {
      ++next;
      const size_t target = target_of(old[i].first.A);
      code.Emit(old[target].first, old[target].second);
      code.Emit({opGoto, after[target], 0, 0}, old[target].second);
    } else {
      code.Emit(old[i].first, old[i].second);
    }
  }
  for (TIDLabelItem& label : labels)
    if (label.Placed) label.Target = static_cast<int32_t>(moved(static_cast<size_t>(label.Target)));
}

}  // namespace orv
