// The code of a sum that builds a text in the variable it is stored in
// (`s := s + '<li>' + IntToStr(i) + '</li>'`): guards of the kinds of the
// values, and a form that adds each term to the variable where it is, so
// that a loop building a text this way takes time in proportion to its
// length. Part of TKelCompiler (compiler.h); StoreTo calls AppendInPlace.
#include <algorithm>
#include <utility>
#include <vector>

#include "core/script/compiler.h"

namespace orv {

// A sum of two or more terms that starts with the variable it is stored in,
// each term a variable or a constant, ends the expression's code as
//   t := v + x1; t := t + x2; ...; v := t + xn
// which copies v's text into t at the first `+`: a loop that builds a text
// this way takes time in the square of the text's length. When v and every
// x hold texts, each `+` joins texts and cannot fail, so adding each term to
// v where it is gives the same text; a guard of the variables' kinds
// (two at a time) jumps to that form, placed after the routine, and any
// other kinds run the sum as it was. When calls come before the first `+`
// (`v := v + IntToStr(i) + ','`), t is the copy of v made before them, and
// the sum is t := t + x1 ...; the first guard then asks that v still hold
// the copy's text (the calls left it alone), and the form in place lets
// go of the copy before adding to v. When texts are added before the calls
// (`v := v + '<li>' + IntToStr(i) + '</li>'`), see AppendAfterCalls.
void TKelCompiler::AppendInPlace(int32_t slot, size_t code_start) {
  const size_t end = code_.Size();
  const TProgItem& last = code_.At(end - 1);
  if (last.Op != opAdd || IsConstOperand(last.B)) return;
  const int32_t temp = last.B;
  size_t first = end - 1;
  while (first > code_start && code_.At(first - 1).Op == opAdd && code_.At(first - 1).A == temp &&
         code_.At(first - 1).B == temp)
    --first;
  bool copied = false;
  size_t prefix = kNoPosition;
  if (first > code_start && code_.At(first - 1).Op == opAdd && code_.At(first - 1).A == temp &&
      code_.At(first - 1).B == slot) {
    --first;
  } else if (first + 1 < end && CopiedBefore(temp, slot, code_start, first)) {
    copied = true;
  } else if (FindTermsBeforeCalls(temp, slot, code_start, first, prefix)) {
    copied = true;
  } else {
    return;
  }
  std::vector<int32_t> texts;
  if (!copied) texts.push_back(slot);
  for (size_t i = first; i < end; ++i) {
    const int32_t term = code_.At(i).C;
    if (IsConstOperand(term)) {
      if (!TextConstant(term)) return;
    } else if (term == slot || term == temp) {
      return;
    } else if (std::find(texts.begin(), texts.end(), term) == texts.end()) {
      texts.push_back(term);
    }
  }
  std::vector<std::pair<TProgItem, size_t>> sum;
  for (size_t i = first; i < end; ++i) sum.emplace_back(code_.At(i), code_.PositionAt(i));
  if (prefix != kNoPosition) {
    AppendAfterCalls(slot, temp, prefix, std::move(sum), texts);
    return;
  }
  code_.Truncate(first);
  const size_t position = sum.front().second;
  // The guards: the first in the code, the others after the routine, each
  // going on to the next, the last to the form in place.
  const std::vector<TProgItem> guards = TextGuards(copied, slot, temp, texts);
  const int32_t in_place = UsedLabel();
  const int32_t as_it_was = UsedLabel();
  const int32_t done = UsedLabel();
  TProgItem first_guard = guards.front();
  first_guard.A = guards.size() > 1 ? UsedLabel() : in_place;
  code_.Emit(first_guard, position);
  Place(as_it_was);
  if (guards.size() > 1)
    DeferGuardChain(first_guard.A, std::vector<TProgItem>(guards.begin() + 1, guards.end()), in_place, as_it_was,
                    position);
  for (const auto& [item, at] : sum) code_.Emit(item, at);
  Place(done);
  DeferInPlace(in_place, position, slot, copied ? temp : -1, {}, sum, done);
}

std::vector<TProgItem> TKelCompiler::TextGuards(bool copied, int32_t slot, int32_t temp,
                                                const std::vector<int32_t>& texts) {
  std::vector<TProgItem> guards;
  if (copied) guards.push_back({opJumpIfSameText, 0, slot, temp});
  for (size_t p = 0; p < texts.size(); p += 2)
    guards.push_back({opJumpIfStrings, 0, texts[p], texts[p + 1 < texts.size() ? p + 1 : p]});
  return guards;
}

void TKelCompiler::DeferInPlace(int32_t label, size_t position, int32_t slot, int32_t copy,
                                const std::vector<std::pair<int32_t, size_t>>& kept,
                                const std::vector<std::pair<TProgItem, size_t>>& sum, int32_t done) {
  deferred_.push_back({label, {}, position});
  if (copy >= 0) deferred_.push_back({-1, {opMove, copy, ConstOperand(AddConst(Variant(0))), 0}, position});
  for (const auto& [term, at] : kept) deferred_.push_back({-1, {opAdd, slot, slot, term}, at});
  for (const auto& [item, at] : sum) deferred_.push_back({-1, {opAdd, slot, slot, item.C}, at});
  deferred_.push_back({-1, {opGoto, done, 0, 0}, sum.back().second});
}

namespace {

// Calls `visit(kind, field)` for each field of `item`: a data word's as the
// values of a call's arguments, any other's as its code's entry says.
// False for a code the table does not know.
template <class Visit>
bool VisitFields(const TProgItem& item, Visit visit) {
  if (item.Op == opData) {
    for (const int32_t field : {item.A, item.B, item.C}) visit(TOperand::kValue, ArgumentOperand(field));
    return true;
  }
  const TOpInfo* info = FindOpInfo(item.Op);
  if (info == nullptr) return false;
  visit(info->a, item.A);
  visit(info->b, item.B);
  visit(info->c, item.C);
  return true;
}

bool NamesSlot(TOperand kind) { return kind == TOperand::kSlot || kind == TOperand::kValue; }

// Whether `item` may stand among the terms added before a sum's last call
// (AppendAfterCalls): code that may be run a second time elsewhere, since
// it neither jumps within the routine nor ends it, and that neither reads
// nor writes `copy`. Calls of script routines qualify: they come back to
// the instruction after the call, wherever it stands.
bool RunsStraightApart(const TProgItem& item, int32_t copy) {
  if (item.Op == opReturn || item.Op == opStop || (item.Op != opGosub && NamesLabel(item.Op))) return false;
  bool apart = true;
  const bool known =
      VisitFields(item, [&](TOperand kind, int32_t field) { apart = apart && !(NamesSlot(kind) && field == copy); });
  return known && apart;
}

// One past the highest slot that `item` names (0 when it names none).
int32_t SlotsAbove(const TProgItem& item) {
  int32_t above = 0;
  VisitFields(item, [&above](TOperand kind, int32_t field) {
    if (NamesSlot(kind)) above = std::max(above, field + 1);
  });
  return above;
}

}  // namespace

bool TKelCompiler::FindTermsBeforeCalls(int32_t copy, int32_t slot, size_t code_start, size_t end,
                                        size_t& prefix) const {
  bool calls = false;
  size_t terms = 0;
  for (size_t at = end; at > code_start; --at) {
    const TProgItem& item = code_.At(at - 1);
    if (item.Op == opMove && item.A == copy && item.B == slot) {
      prefix = at - 1;
      return calls && terms > 0;
    }
    if (item.Op != opAdd || item.A != copy) {
      if (!RunsStraightApart(item, copy)) return false;
      calls = true;
      continue;
    }
    const bool text = IsConstOperand(item.C) ? TextConstant(item.C) : item.C != copy && item.C != slot;
    if (!text || ++terms > kMaxTermsBeforeCalls) return false;
    if (item.B == slot) {
      prefix = at - 1;
      return calls;
    }
    if (item.B != copy) return false;
  }
  return false;
}

// The sum v := v + k1 + c1 + ... + x1 + ..., whose terms before its last
// call (found by FindTermsBeforeCalls) are constant texts k and values c in
// slots, the results of the calls among them or other variables (a call
// may come first, the sum then adding to the copy of v made before it),
// becomes
//   if v holds a text, go to SHARED
//   t := v + k1; the calls of c1; t := t + c1 ...   the code as it was, for
//   t := t + x1 ...; v := t + ...                  other kinds of v
// SHARED (after the routine):
//   t := v (v's text, shared, not copied)
//   the calls of c1 again; unless c1 holds a text, go to FIX 1; t1 := c1 ...
//   if v still holds t's text and every x holds a text, go to IN PLACE
//   t := t + k1 + t1 ...; go on with t := t + x1 ... above (calls changed v)
// FIX n: t := t + k1 + t1 ... + cn; go on above, after the add of cn
// IN PLACE: t := 0; v := v + k1 + t1 ... + x1 ...; go on after the sum
// The terms before the calls are added after them only while they hold
// texts, so that adding them cannot fail: where one does not, those before
// it are added and it is added where the sum as written adds it, with
// whatever error that raises, before any call after it runs. Each value
// is kept in a slot of its own (t1 ...) where the sum as written reads it:
// a call after it may change a variable, and the temporaries of a call's
// arguments may be those of an earlier result.
void TKelCompiler::AppendAfterCalls(int32_t slot, int32_t temp, size_t prefix,
                                    std::vector<std::pair<TProgItem, size_t>> sum, const std::vector<int32_t>& texts) {
  std::vector<std::pair<TProgItem, size_t>> before;
  for (size_t i = prefix; i < code_.Size() - sum.size(); ++i) before.emplace_back(code_.At(i), code_.PositionAt(i));
  code_.Truncate(prefix);
  const size_t position = before.front().second;
  const int32_t shared = UsedLabel();
  const int32_t as_it_was = UsedLabel();
  const int32_t in_place = UsedLabel();
  const int32_t fix_end = UsedLabel();
  const int32_t done = UsedLabel();
  const auto is_term = [temp](const TProgItem& item) { return item.Op == opAdd && item.A == temp; };
  // The code as it was, with a label after each add of a call's result to
  // go on from when that result is not a text.
  std::vector<int32_t> resume;
  code_.Emit({opJumpIfStrings, shared, slot, slot}, position);
  for (const auto& [item, at] : before) {
    code_.Emit(item, at);
    if (is_term(item) && !IsConstOperand(item.C)) {
      resume.push_back(UsedLabel());
      Place(resume.back());
    }
  }
  Place(as_it_was);
  for (const auto& [item, at] : sum) code_.Emit(item, at);
  Place(done);
  // The terms added after the calls: texts and the slots keeping results,
  // with the places of their adds.
  std::vector<std::pair<int32_t, size_t>> terms;
  const auto add_to_copy = [this, temp](const std::vector<std::pair<int32_t, size_t>>& added) {
    for (const auto& [term, at] : added) deferred_.push_back({-1, {opAdd, temp, temp, term}, at});
  };
  struct Fix {
    int32_t label;
    std::vector<std::pair<int32_t, size_t>> terms;
    int32_t resume;
  };
  std::vector<Fix> fixes;
  // The slots that keep values lie past the statement's temporaries: code
  // that runs while they are kept (the calls) writes only those, and no
  // other statement runs until the sum is done, so later statements may
  // use them again.
  const int32_t statement_temps = next_slot_;
  for (const auto* part : {&before, &sum})
    for (const auto& [item, at] : *part) next_slot_ = std::max(next_slot_, SlotsAbove(item));
  deferred_.push_back({shared, {}, position});
  deferred_.push_back({-1, {opMove, temp, slot, 0}, position});
  for (const auto& [item, at] : before) {
    if (item.Op == opMove && item.A == temp) continue;
    if (!is_term(item)) {
      deferred_.push_back({-1, item, at});
    } else if (IsConstOperand(item.C)) {
      terms.emplace_back(item.C, at);
    } else {
      Fix fix{UsedLabel(), terms, resume[fixes.size()]};
      fix.terms.emplace_back(item.C, at);
      const int32_t kept = AllocSlot();
      const int32_t text = UsedLabel();
      deferred_.push_back({-1, {opJumpIfStrings, text, item.C, item.C}, at});
      deferred_.push_back({-1, {opGoto, fix.label, 0, 0}, at});
      deferred_.push_back({text, {}, at});
      deferred_.push_back({-1, {opMove, kept, item.C, 0}, at});
      terms.emplace_back(kept, at);
      fixes.push_back(std::move(fix));
    }
  }
  next_slot_ = statement_temps;
  DeferGuardChain(UsedLabel(), TextGuards(true, slot, temp, texts), in_place, fix_end, sum.front().second);
  deferred_.push_back({fix_end, {}, position});
  add_to_copy(terms);
  deferred_.push_back({-1, {opGoto, as_it_was, 0, 0}, position});
  for (const Fix& fix : fixes) {
    deferred_.push_back({fix.label, {}, position});
    add_to_copy(fix.terms);
    deferred_.push_back({-1, {opGoto, fix.resume, 0, 0}, position});
  }
  DeferInPlace(in_place, position, slot, temp, terms, sum, done);
}

bool TKelCompiler::CopiedBefore(int32_t copy, int32_t slot, size_t code_start, size_t end) const {
  size_t at = end;
  while (at > code_start) {
    const TProgItem& item = code_.At(--at);
    if (item.Op == opMove && item.A == copy && item.B == slot) return true;
    if (item.Op == opData) {
      for (const int32_t field : {item.A, item.B, item.C})
        if (ArgumentOperand(field) == copy) return false;
      continue;
    }
    const TOpInfo* info = FindOpInfo(item.Op);
    if (info == nullptr || (info->a == TOperand::kSlot && item.A == copy)) return false;
  }
  return false;
}

}  // namespace orv
