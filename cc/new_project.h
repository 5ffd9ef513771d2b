// orvcc --new FOLDER: a small starter project that builds as it is, written
// into a new or empty folder.
//
//   FOLDER/site.orv            the project file (LF line ends, a page pattern)
//   FOLDER/src/index.hts       the home page
//   FOLDER/src/header.hsn      the top of every page, with a link to the style sheet
//   FOLDER/src/footer.hsn      the bottom of every page
//   FOLDER/static/style.css    the style sheet, beside the output folder
//   FOLDER/static/images/      the image folder
#pragma once

#include <string>
#include <vector>

namespace orv {

// One file of the starter project: its path below the project folder and
// its text.
struct StarterFile {
  const char* Path;
  const char* Text;
};

// The starter project's files, in the order they are written.
const std::vector<StarterFile>& StarterFiles();

// Writes the starter project into `folder`, creating the folder (and its
// missing parents) when it does not exist. Refuses a folder that holds
// anything, and a path that names something else than a folder. On failure
// returns the message ("orvcc: ...") and leaves nothing it made behind; on
// success returns "".
std::string CreateStarterProject(const std::string& folder);

}  // namespace orv
