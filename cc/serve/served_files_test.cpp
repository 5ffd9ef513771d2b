// What a request names in the served folder: files, folders and their
// index.html, and every way out of the folder refused.
#include "cc/serve/served_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/files.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

TEST(ServedFilesTest, RequestsNameFilesInsideTheFolderOnly) {
  const std::string base = (fs::temp_directory_path() / ("orv_served_" + std::to_string(::getpid()))).string();
  fs::remove_all(base);
  const std::string root = base + "/out";
  for (const char* folder : {"/out/news", "/out/empty", "/out/a b"}) fs::create_directories(base + folder);
  for (const char* file : {"/out/index.html", "/out/news/index.html", "/out/style.css", "/secret.txt",
                           "/out/a b/c.html"})
    WriteFileBytes(base + file, "x");
  fs::create_symlink(base + "/secret.txt", root + "/out-link.txt");
  fs::create_directory_symlink(base, root + "/up");
  fs::create_symlink(root + "/style.css", root + "/in-link.css");
  const std::string real_root = fs::canonical(root).string();

  using Kind = ServedFile::Kind;
  const struct {
    const char* request;
    Kind kind;
    const char* path;  // below the root
  } cases[] = {
      {"/", Kind::File, "/index.html"},
      {"/style.css", Kind::File, "/style.css"},
      {"/news", Kind::Folder, "/news"},
      {"/news/", Kind::File, "/news/index.html"},
      {"/a b/c.html", Kind::File, "/a b/c.html"},
      {"/in-link.css", Kind::File, "/style.css"},
      {"/empty/", Kind::None, ""},
      {"/missing.html", Kind::None, ""},
      {"/../secret.txt", Kind::None, ""},
      {"/news/../style.css", Kind::None, ""},
      {"/..", Kind::None, ""},
      {"/out-link.txt", Kind::None, ""},
      {"/up/secret.txt", Kind::None, ""},
      {"/up/out/style.css", Kind::File, "/style.css"},
      {"", Kind::None, ""},
      {"style.css", Kind::None, ""},
  };
  for (const auto& c : cases) {
    const ServedFile found = FindServedFile(real_root, c.request);
    EXPECT_EQ(found.Found, c.kind) << c.request;
    if (c.kind != Kind::None) {
      EXPECT_EQ(found.Path, real_root + c.path) << c.request;
    }
  }
  EXPECT_EQ(FindServedFile(real_root, std::string("/style.css\0/../x", 16)).Found, Kind::None);
  fs::remove_all(base);
}

TEST(ServedFilesTest, ContentTypes) {
  const struct {
    const char* path;
    const char* type;
  } cases[] = {
      {"/a/index.html", "text/html"},     {"/a/B.HTM", "text/html"},         {"/s.css", "text/css"},
      {"/app.js", "text/javascript"},     {"/logo.png", "image/png"},        {"/p.JPG", "image/jpeg"},
      {"/p.jpeg", "image/jpeg"},          {"/i.webp", "image/webp"},         {"/i.avif", "image/avif"},
      {"/i.svg", "image/svg+xml"},        {"/f.woff2", "font/woff2"},        {"/notes.txt", "text/plain"},
      {"/archive", "application/octet-stream"}, {"/v1.2/file", "application/octet-stream"},
      {"/x.unknown", "application/octet-stream"},
  };
  for (const auto& c : cases) EXPECT_EQ(ContentTypeOf(c.path), c.type) << c.path;
  EXPECT_TRUE(IsHtmlType("text/html"));
  EXPECT_FALSE(IsHtmlType("text/css"));
}

}  // namespace
}  // namespace orv
