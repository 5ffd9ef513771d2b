// Finding which defines' names may occur in a text with one pass over it,
// whatever the number of defines: an Aho-Corasick automaton over all the
// names. The define stage replaces only the defines found, so its cost grows
// with the page and the defines that occur in it, not with every define
// kept by the build.
//
// The search is loose, never narrow: a name is looked for by its longest
// part without '?' (which matches any character), with ASCII letters, and
// '@' with '`', taken as equal without regard to case. So every place where
// WildcardPos finds the name, with or without regard to case, is found;
// some places found may not be matches.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

class TUserSettingList;

// The automaton of the names of a list of defines.
class DefineNameFinder {
 public:
  // Makes the automaton for the names of `defines` unless it was made for
  // the same names already.
  void Prepare(const TUserSettingList& defines);

  // Sets found[i] for every define i whose name may occur in `text`
  // (`found` has one entry per define). An empty name never occurs; a name
  // of '?' only occurs wherever the text is long enough.
  void Find(std::string_view text, std::vector<bool>& found) const;

  // The length of the longest name.
  size_t LongestName() const { return longest_; }

 private:
  struct Node {
    std::vector<std::pair<uint8_t, int32_t>> next;  // by folded byte
    int32_t fail = 0;
    int32_t output = -1;       // first name ending here, index into outputs_
    int32_t output_link = -1;  // nearest node on the fail chain with an output
  };

  const Node& At(int32_t node) const { return nodes_[static_cast<size_t>(node)]; }
  int32_t Child(int32_t node, uint8_t byte) const;
  void Add(std::string_view part, int32_t name);
  void Link();

  std::vector<std::string> names_;
  std::vector<Node> nodes_;
  std::array<int32_t, 256> root_next_{};
  // Names ending at a node: (name, next entry of the same node or -1).
  std::vector<std::pair<int32_t, int32_t>> outputs_;
  // Names without a part to look for (all '?'), with their lengths.
  std::vector<std::pair<int32_t, size_t>> wildcard_only_;
  size_t longest_ = 0;
};

}  // namespace orv
