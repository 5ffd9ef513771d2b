// Finding which defines' names may occur in a text with one pass over it,
// whatever the number of defines: Aho-Corasick automata over the names. The
// define stage replaces only the defines found, so its cost grows with the
// page and the defines that occur in it, not with every define kept by the
// build.
//
// The search is loose, never narrow: a name is looked for by its longest
// part without '?' (which matches any character), with ASCII letters, and
// '@' with '`', taken as equal without regard to case. So every place where
// WildcardPos finds the name, with or without regard to case, is found;
// some places found may not be matches.
//
// Defines are only added while a build runs, often one or a few a page. The
// names are kept in a few automata over consecutive runs of the list, each
// run at least twice as long as the next: the names added since the last
// search make one automaton together with the runs before them that are
// shorter than twice what it holds so far. A name's run grows by half at
// least each time it is made again, so each name is taken in O(log n) times
// in all, and a text is searched by at most log2(n) + 1 automata. A list
// whose defines are all added at once has one.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/user_settings.h"

namespace orv {

// The automata of the names of a list of defines.
class DefineNameFinder {
 public:
  // Makes the automata for the names of `defines`. What was made for this
  // list stands while it has lost no item (TUserSettingList::Removals):
  // only the names added since are taken in. Item names are not changed in
  // place.
  void Prepare(const TUserSettingList& defines);

  // Sets found[i] for every define i whose name may occur in `text`
  // (`found` has one entry per define). An empty name never occurs; a name
  // of '?' only occurs wherever the text is long enough.
  void Find(std::string_view text, std::vector<bool>& found) const;

  // The length of the longest name.
  size_t LongestName() const { return longest_; }

  // The number of automata (for tests).
  size_t AutomatonCount() const { return automata_.size(); }

 private:
  // The automaton of the names of the defines [First, End) of a list.
  class Automaton {
   public:
    Automaton(const TUserSettingList& defines, size_t first, size_t end);
    size_t First() const { return first_; }
    size_t Size() const { return end_ - first_; }
    void Find(std::string_view text, std::vector<bool>& found) const;

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

    size_t first_;
    size_t end_;
    std::vector<Node> nodes_;
    std::array<int32_t, 256> root_next_{};
    // Names ending at a node: (define, next entry of the same node or -1).
    std::vector<std::pair<int32_t, int32_t>> outputs_;
    // Names without a part to look for (all '?'), with their lengths.
    std::vector<std::pair<int32_t, size_t>> wildcard_only_;
  };

  TUserSettingFollower follower_;
  // Over consecutive runs of the list, oldest first; each run at least
  // twice as long as the next.
  std::vector<Automaton> automata_;
  size_t longest_ = 0;
};

}  // namespace orv
