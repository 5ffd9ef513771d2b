// A folder filled under a hidden name beside the place it is meant for and
// then renamed into place, so that everything in it appears at once.
//
// A clean build writes its output folder from nothing. Written straight
// into place, each page would have to be made whole before it gets its name
// (an unnamed file and a link), since a reader may look at any moment;
// written into a folder nobody looks at, a page is simply created, and the
// whole folder, every page complete, takes its name in one rename.
#pragma once

#include <string>
#include <string_view>

namespace orv {

// A hidden folder standing in for a folder that does not exist yet.
class StagingFolder {
 public:
  // Makes the hidden folder that stands in for `target` until Publish:
  // ".NAME.orv-PID-N" in the folder of `target`. False, with nothing made,
  // when `target` exists or its folder is missing or cannot be written to
  // (the caller then writes into place as usual).
  bool Begin(const std::string& target);
  bool Active() const { return !hidden_.empty(); }
  // The hidden folder (no final '/'), empty when not active.
  const std::string& Hidden() const { return hidden_; }

  // Whether a look at `path` would see other things before Publish than
  // after: it is the target, lies within it, or is a folder the target lies
  // in. A relative path is taken from the working folder.
  bool Covers(std::string_view path) const;
  // `path`, which lies within the target, as it lies in the hidden folder;
  // any other path as it is.
  std::string Redirect(const std::string& path) const;

  // Gives the hidden folder the target's name. When the target was made in
  // the meantime, moves every file into it instead (a file of the same name
  // there is replaced, each move whole) and removes the hidden folder.
  // Throws EInOutError, naming the hidden folder, when the files could not
  // all be moved; those left stay in it. Not active afterwards either way.
  void Publish();

 private:
  std::string target_;  // no final '/'
  std::string placed_;  // target_ from the root, for Covers
  std::string hidden_;
};

}  // namespace orv
