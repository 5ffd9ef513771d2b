#include "orvsys/model/associations.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "orvsys/model/data_files.h"
#include "orvsys/model/file_types.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/registry.h"

extern char** environ;

namespace orv {
namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// Opens `path` below `root` (made when missing) and writes its default value.
void WriteDefault(TRootKey root, const std::string& path, const std::string& value) {
  TRegistry registry(root);
  registry.OpenKey(path, true);
  registry.WriteString("", value);
  registry.CloseKey();
}

void RegisterUnder(TRootKey root, const std::string& prefix, const AssociationPaths& paths) {
  for (const TFileType& type : FileTypes()) WriteDefault(root, prefix + type.Extension, type.ClassKey);
  for (const TFileType& type : FileTypes()) {
    const std::string key = prefix + type.ClassKey;
    WriteDefault(root, key, type.Description);
    WriteDefault(root, key + "\\DefaultIcon", paths.LibraryDir + "liborvsys.so," + std::to_string(type.IconIndex));
    WriteDefault(root, key + "\\Shell\\Open\\command", Quoted(paths.EditorPath) + " \"%1\"");
    if (type.Compile)
      WriteDefault(root, key + "\\Shell\\Compile\\command", Quoted(paths.ProgramsDir + "orvcc") + " --window \"%1\"");
  }
}

std::string IconFile(int index) { return std::to_string(index) + "-" + IconNames()[static_cast<size_t>(index)] + ".svg"; }

// The icon name of a MIME type, as icon themes spell it.
std::string IconName(const TFileType& type) {
  std::string name = type.MimeType;
  name[name.find('/')] = '-';
  return name;
}

std::string MimePackage() {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
  for (const TFileType& type : FileTypes()) {
    xml += std::string("  <mime-type type=\"") + type.MimeType + "\">\n";
    xml += std::string("    <comment>") + type.Description + "</comment>\n";
    xml += "    <icon name=\"" + IconName(type) + "\"/>\n";
    xml += std::string("    <glob pattern=\"*") + type.Extension + "\"/>\n";
    xml += "  </mime-type>\n";
  }
  return xml + "</mime-info>\n";
}

std::string DesktopEntry(const std::string& name, const std::string& exec, const std::string& mime_types) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=" + name + "\n"
         "Exec=" + exec + "\n"
         "MimeType=" + mime_types + "\n"
         "Icon=application-x-orv-project\n"
         "NoDisplay=true\n"
         "Terminal=false\n";
}

void WriteFile(const std::string& path, const std::string& bytes) {
  if (!ForceDirectories(ExtractFilePath(path)) || !WriteFileAtomic(path, bytes))
    throw EInOutError("Cannot write file \"" + path + "\". " + std::strerror(errno));
}

// Runs `program` with one argument when it is installed, waiting for it; its
// failure is not ours to report (the files are in place either way).
void RunIfInstalled(const char* program, const std::string& argument) {
  char* argv[] = {const_cast<char*>(program), const_cast<char*>(argument.c_str()), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  if (posix_spawnp(&pid, program, &actions, nullptr, argv, environ) == 0) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
  posix_spawn_file_actions_destroy(&actions);
}

}  // namespace

AssociationPaths CurrentAssociationPaths() {
  AssociationPaths paths;
  paths.EditorPath = ProgramPath();
  Dl_info info{};
  if (::dladdr(reinterpret_cast<void*>(&CurrentAssociationPaths), &info) != 0 && info.dli_fname != nullptr)
    paths.LibraryDir = ExtractFilePath(info.dli_fname);
  if (paths.LibraryDir.empty()) paths.LibraryDir = ProgramDir();
  paths.ProgramsDir = ProgramDir();
  for (const std::string& dir : {paths.LibraryDir, paths.LibraryDir + "../bin/"})
    if (FileExists(dir + "orvcc")) {
      paths.ProgramsDir = dir;
      break;
    }
  paths.IconsDir = ShippedDataFolder("icons/0-project.svg") + "icons/";
  return paths;
}

void RegisterClassKeys(const AssociationPaths& paths) {
  RegisterUnder(TRootKey::ClassesRoot, "", paths);
  RegisterUnder(TRootKey::LocalMachine, "SOFTWARE\\Classes\\", paths);
}

std::string XdgDataHome() { return XdgBaseDir("XDG_DATA_HOME", ".local/share"); }

std::string DesktopExecWord(const std::string& word) {
  constexpr std::string_view reserved = " \t\n\"'\\><~|&;$*?#()`";
  std::string out;
  for (char c : word) {
    if (c == '%') out += '%';
    out += c;
  }
  if (word.empty() || word.find_first_of(reserved) != std::string::npos) {
    std::string quoted = "\"";
    for (char c : out) {
      if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
      quoted += c;
    }
    out = quoted + "\"";
  }
  // The entry's value is itself escaped: each backslash is written twice.
  std::string value;
  for (char c : out) {
    if (c == '\\') value += '\\';
    value += c;
  }
  return value;
}

void RegisterDesktopTypes(const AssociationPaths& paths, const std::string& data_home) {
  const std::string home = IncludeTrailingSlash(data_home);
  WriteFile(home + "mime/packages/orv.xml", MimePackage());
  std::string all_types, project_types;
  for (const TFileType& type : FileTypes()) {
    all_types += std::string(type.MimeType) + ";";
    if (type.Compile) project_types += std::string(type.MimeType) + ";";
    WriteFile(home + "icons/hicolor/scalable/mimetypes/" + IconName(type) + ".svg",
              ReadFileBytes(paths.IconsDir + IconFile(type.IconIndex)));
  }
  WriteFile(home + "applications/orv-editor.desktop",
            DesktopEntry("ORV Editor", DesktopExecWord(paths.EditorPath) + " %f", all_types));
  WriteFile(home + "applications/orv-compile.desktop",
            DesktopEntry("Compile ORV Project", DesktopExecWord(paths.ProgramsDir + "orvcc") + " --window %f",
                         project_types));
  RunIfInstalled("update-mime-database", home + "mime");
  RunIfInstalled("update-desktop-database", home + "applications");
}

}  // namespace orv
