// The preview server's handling of outside input: any bytes as the decoded
// path of a request to a small served folder that has a page, an index, a
// link inside it and links out of it, beside a file that must never be
// sent; and the same bytes as a page that gets the live reload script. A
// file found must lie inside the folder; a page keeps all its bytes, in
// order, around the script.

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "cc/serve/live_reload.h"
#include "cc/serve/served_files.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "scratch_path.h"

namespace {

namespace fs = std::filesystem;

// The served folder, resolved (no final '/').
const std::string& Root() {
  static const std::string root = [] {
    static const orv::fuzz::ScratchPath scratch("orv-served-path-fuzz");
    const std::string& top = scratch.Path;
    fs::create_directories(top + "/out/news");
    orv::WriteFileBytes(top + "/secret.txt", "not served");
    orv::WriteFileBytes(top + "/out/index.html", "<p>home</p>");
    orv::WriteFileBytes(top + "/out/news/first.html", "<p>first</p>");
    std::error_code ec;
    fs::create_symlink("../secret.txt", top + "/out/secret.txt", ec);
    fs::create_symlink("..", top + "/out/up", ec);
    fs::create_symlink("news", top + "/out/latest", ec);
    char* resolved = ::realpath((top + "/out").c_str(), nullptr);
    std::string result = resolved ? resolved : "";
    std::free(resolved);
    return result;
  }();
  return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const orv::ServedFile found = orv::FindServedFile(Root(), input);
  if (found.Found != orv::ServedFile::Kind::None &&
      (found.Path.compare(0, Root().size(), Root()) != 0 ||
       (found.Path.size() > Root().size() && found.Path[Root().size()] != '/') ||
       found.Path.find("secret") != std::string::npos))
    __builtin_trap();
  if (found.Found == orv::ServedFile::Kind::File) (void)orv::ContentTypeOf(found.Path);

  // The script goes where "</body>" or the end was: the page is the input
  // with the script put in at the point where the two part (or one byte
  // later, as both begin with '<').
  static const std::string script = orv::WithLiveReload(std::string(), 7);
  const std::string page = orv::WithLiveReload(input, 7);
  size_t at = 0;
  while (at < input.size() && page[at] == input[at]) ++at;
  if (page.compare(at, script.size(), script) != 0 && at > 0) --at;
  if (page.size() != input.size() + script.size() || page.compare(0, at, input, 0, at) != 0 ||
      page.compare(at, script.size(), script) != 0 || page.compare(at + script.size(), std::string::npos, input, at) != 0)
    __builtin_trap();
  return 0;
}
