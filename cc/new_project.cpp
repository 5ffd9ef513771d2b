#include "cc/new_project.h"

#include <filesystem>
#include <system_error>

#include "platform/exception.h"
#include "platform/files.h"

namespace orv {

namespace {

namespace fs = std::filesystem;

constexpr char kProject[] =
    "; A new ORV site. Build it with:  orvcc site.orv\n"
    "; Relative folders and files are taken from this file's folder.\n"
    "[directories]\n"
    "src=src\n"
    "out=out\n"
    "img=static/images\n"
    "\n"
    "[other]\n"
    "; <%RootPath%> leads from each page back to the output folder, and\n"
    "; ../static/images/ on to the images beside it, from every folder.\n"
    "imgprep=<%RootPath%>../static/images/\n"
    "lineends=lf\n"
    "\n"
    "[Compiler]\n"
    "vars=1\n"
    "scripts=1\n"
    "includes=1\n"
    "extapps=1\n"
    "\n"
    "[variables]\n"
    "SiteName=My new site\n"
    "\n"
    "; Every .hts page under src/, in name order: a new page needs no new line here.\n"
    "[files]\n"
    "0=src/**/*.hts\n";

constexpr char kIndex[] =
    "<+ DefVar('Title', 'Home') +>\n"
    "<&header.hsn&>\n"
    "<h1>Welcome</h1>\n"
    "<p>This page is <code>src/index.hts</code>. Edit it and build again:</p>\n"
    "<pre>orvcc site.orv</pre>\n"
    "<p>Add a page as <code>src/about.hts</code> (or in a sub-folder, <code>src/notes/first.hts</code>);\n"
    "every <code>.hts</code> file under <code>src/</code> is built.</p>\n"
    "<&footer.hsn&>\n";

constexpr char kHeader[] =
    "<!DOCTYPE html>\n"
    "<html lang=\"en\">\n"
    "<head>\n"
    "<meta charset=\"utf-8\">\n"
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
    "<title><%Title%> - <%SiteName%></title>\n"
    "<link rel=\"stylesheet\" href=\"<%RootPath%>../static/style.css\">\n"
    "</head>\n"
    "<body>\n"
    "<header><a href=\"<%RootPath%>index.html\"><%SiteName%></a></header>\n"
    "<main>\n";

constexpr char kFooter[] =
    "</main>\n"
    "<footer><%SiteName%></footer>\n"
    "</body>\n"
    "</html>\n";

constexpr char kStyle[] =
    "body { max-width: 40em; margin: 2em auto; padding: 0 1em; font-family: sans-serif; line-height: 1.5; }\n"
    "header { border-bottom: 1px solid #ccc; padding-bottom: 0.5em; }\n"
    "header a { color: inherit; font-weight: bold; text-decoration: none; }\n"
    "footer { border-top: 1px solid #ccc; margin-top: 2em; padding-top: 0.5em; color: #666; }\n";

// Removes what a failed creation made, newest first.
void Undo(const std::vector<fs::path>& made) {
  std::error_code ec;
  for (auto it = made.rbegin(); it != made.rend(); ++it) fs::remove(*it, ec);
}

// Creates `dir` and its missing parents, noting each one it made.
void MakeFolders(const fs::path& dir, std::vector<fs::path>& made) {
  std::error_code ec;
  if (dir.empty() || fs::is_directory(dir, ec)) return;
  MakeFolders(dir.parent_path(), made);
  if (!fs::create_directory(dir, ec) && !fs::is_directory(dir))
    throw EInOutError("cannot create folder " + dir.string() + ": " + ec.message());
  made.push_back(dir);
}

}  // namespace

const std::vector<StarterFile>& StarterFiles() {
  static const std::vector<StarterFile> files = {
      {"site.orv", kProject},          {"src/index.hts", kIndex},       {"src/header.hsn", kHeader},
      {"src/footer.hsn", kFooter},     {"static/style.css", kStyle},
  };
  return files;
}

std::string CreateStarterProject(const std::string& folder) {
  if (folder.empty()) return "orvcc: --new needs the folder to create the project in";
  const fs::path root = fs::path(folder).lexically_normal();
  std::error_code ec;
  const fs::file_status status = fs::status(root, ec);
  if (fs::exists(status) && !fs::is_directory(status)) return "orvcc: " + folder + " exists and is not a folder";
  if (fs::is_directory(status)) {
    const bool empty = fs::is_empty(root, ec);
    if (ec) return "orvcc: cannot read folder " + folder + ": " + ec.message();
    if (!empty) return "orvcc: " + folder + " is not empty; give a new or empty folder for the new project";
  }
  std::vector<fs::path> made;
  try {
    MakeFolders(root, made);
    MakeFolders(root / "static" / "images", made);
    for (const StarterFile& file : StarterFiles()) {
      const fs::path path = root / file.Path;
      MakeFolders(path.parent_path(), made);
      made.push_back(path);
      WriteFileBytes(path.string(), file.Text);
    }
  } catch (const Exception& error) {
    Undo(made);
    return "orvcc: the new project was not created: " + std::string(error.what());
  }
  return std::string();
}

}  // namespace orv
