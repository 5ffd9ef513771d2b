#include "core/site/define_names.h"

#include <algorithm>
#include <deque>

#include "platform/user_settings.h"

namespace orv {

namespace {

// Each byte as the loose search sees it: ASCII letters in lower case, '@'
// as '`' (WildcardPos without regard to case lets '`' in a text match '@').
struct FoldTable {
  std::array<uint8_t, 256> of{};
  FoldTable() {
    for (int byte = 0; byte < 256; ++byte)
      of[static_cast<size_t>(byte)] = static_cast<uint8_t>(byte >= 'A' && byte <= 'Z' ? byte + 32 : byte);
    of['@'] = '`';
  }
};
const FoldTable kFold;

uint8_t Folded(char c) { return kFold.of[static_cast<uint8_t>(c)]; }

// The longest part of `name` without '?' (the first of equal length).
std::string_view LongestPart(std::string_view name) {
  std::string_view best;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find('?', start);
    if (end == std::string_view::npos) end = name.size();
    if (end - start > best.size()) best = name.substr(start, end - start);
    start = end + 1;
  }
  return best;
}

}  // namespace

int32_t DefineNameFinder::Automaton::Child(int32_t node, uint8_t byte) const {
  if (node == 0) return root_next_[byte];
  for (const auto& [key, child] : At(node).next)
    if (key == byte) return child;
  return 0;
}

void DefineNameFinder::Automaton::Add(std::string_view part, int32_t name) {
  int32_t node = 0;
  for (char c : part) {
    uint8_t byte = Folded(c);
    int32_t child = Child(node, byte);
    if (child == 0) {
      child = static_cast<int32_t>(nodes_.size());
      nodes_.emplace_back();
      if (node == 0)
        root_next_[byte] = child;
      else
        nodes_[static_cast<size_t>(node)].next.emplace_back(byte, child);
    }
    node = child;
  }
  Node& end = nodes_[static_cast<size_t>(node)];
  outputs_.emplace_back(name, end.output);
  end.output = static_cast<int32_t>(outputs_.size() - 1);
}

void DefineNameFinder::Automaton::Link() {
  std::deque<int32_t> queue;
  for (int32_t child : root_next_)
    if (child != 0) queue.push_back(child);
  while (!queue.empty()) {
    const int32_t node = queue.front();
    queue.pop_front();
    for (const auto& [byte, child] : At(node).next) {
      int32_t fail = At(node).fail;
      while (fail != 0 && Child(fail, byte) == 0) fail = At(fail).fail;
      Node& linked = nodes_[static_cast<size_t>(child)];
      linked.fail = Child(fail, byte);
      const Node& target = At(linked.fail);
      linked.output_link = target.output >= 0 ? linked.fail : target.output_link;
      queue.push_back(child);
    }
  }
}

DefineNameFinder::Automaton::Automaton(const TUserSettingList& defines, size_t first, size_t end)
    : first_(first), end_(end), nodes_(1) {
  for (size_t i = first; i < end; ++i) {
    const std::string& name = defines.Items(static_cast<int>(i)).Name;
    if (name.empty()) continue;
    std::string_view part = LongestPart(name);
    if (part.empty())
      wildcard_only_.emplace_back(static_cast<int32_t>(i), name.size());
    else
      Add(part, static_cast<int32_t>(i));
  }
  Link();
}

void DefineNameFinder::Automaton::Find(std::string_view text, std::vector<bool>& found) const {
  for (const auto& [name, length] : wildcard_only_)
    if (text.size() >= length) found[static_cast<size_t>(name)] = true;
  if (nodes_.size() <= 1) return;
  int32_t node = 0;
  for (char c : text) {
    const uint8_t byte = Folded(c);
    if (node == 0) {
      // Most bytes of a page start no name: one look at the root's table.
      node = root_next_[byte];
      if (node == 0) continue;
    } else {
      int32_t next = Child(node, byte);
      while (next == 0 && node != 0) {
        node = At(node).fail;
        next = Child(node, byte);
      }
      node = next;
      if (node == 0) continue;
    }
    for (int32_t at = At(node).output >= 0 ? node : At(node).output_link; at >= 0; at = At(at).output_link)
      for (int32_t out = At(at).output; out >= 0; out = outputs_[static_cast<size_t>(out)].second)
        found[static_cast<size_t>(outputs_[static_cast<size_t>(out)].first)] = true;
  }
}

void DefineNameFinder::Prepare(const TUserSettingList& defines) {
  const TUserSettingFollower::Step step = follower_.Follow(defines);
  if (step.restart) {
    automata_.clear();
    longest_ = 0;
  }
  const size_t count = static_cast<size_t>(defines.Count());
  size_t first = static_cast<size_t>(step.first);
  if (first == count) return;
  for (size_t i = first; i < count; ++i) longest_ = std::max(longest_, defines.Items(static_cast<int>(i)).Name.size());
  while (!automata_.empty() && automata_.back().Size() < 2 * (count - first)) {
    first = automata_.back().First();
    automata_.pop_back();
  }
  automata_.emplace_back(defines, first, count);
}

void DefineNameFinder::Find(std::string_view text, std::vector<bool>& found) const {
  for (const Automaton& automaton : automata_) automaton.Find(text, found);
}

}  // namespace orv
