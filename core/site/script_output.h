// What the script block being run writes into its page (WriteLn, the image
// routines), held within the room the page has left under the page-size
// bound: output beyond it is not kept, so a block that writes without end
// uses no more memory than the bound, however long it runs.
#pragma once

#include <cstddef>
#include <limits>
#include <string>

namespace orv {

// The lines written by the block being run, joined as they are written
// (each followed by CR LF, as JoinLines would give them).
class ScriptOutputBuffer {
 public:
  // Empties the output; the lines together, with their CR LF, may take at
  // most `room` bytes.
  void Start(size_t room);
  // Appends one line, unless the output is already too large or this line
  // makes it so (then what was kept is dropped).
  void Add(const std::string& line);
  // Whether the block wrote more than its room.
  bool TooLarge() const { return too_large_; }
  // The lines written, joined (empty when too large); empties the output.
  std::string Take();

 private:
  std::string text_;
  size_t room_ = std::numeric_limits<size_t>::max();
  bool too_large_ = false;
};

}  // namespace orv
