#include "core/site/site_routines.h"

#include <filesystem>
#include <system_error>

#include "core/script/host_registry.h"
#include "core/site/image_include.h"
#include "core/site/page_inputs.h"
#include "core/site/page_stages.h"
#include "core/site/parse_struct.h"
#include "core/site/wildcard_pos.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace orv {

const char* const kMSFrontPage = "Where do you want to go today?  http://www.morvale.com/";

namespace {

using A = ArgBlock;
using R = Variant;

LineWriter& StandaloneOutput() {
  static LineWriter writer;
  return writer;
}

// Appends a line to the script output of the current build, or hands it to
// the standalone output outside a build.
void WriteLine(const std::string& line) {
  if (BuildState* build = CurrentBuild()) {
    build->ScriptOutput.Add(line);
  } else if (StandaloneOutput()) {
    StandaloneOutput()(line);
  }
}

// The build whose image folder, prefix and image cache the image routines
// use: the current one, or an empty one outside a build.
BuildState& ImageBuild() {
  if (BuildState* build = CurrentBuild()) return *build;
  static BuildState none;
  return none;
}

std::string Text(const Variant& v) { return v.AsString(); }

void WriteLn(TObject*, const std::string&, A& a, R&) { WriteLine(Text(a[0])); }

void CurFile(TObject*, const std::string&, A&, R& r) {
  const BuildState* build = CurrentBuild();
  r = build ? build->CurrentFile : std::string();
}

void GetVar(TObject*, const std::string&, A& a, R& r) {
  std::string value;
  if (BuildState* build = CurrentBuild()) {
    std::string name = Text(a[0]);
    const TUserSetting* var = build->Caches.FindVariable(build->BuiltinVars, build->UserVars, name);
    if (build->Inputs) build->Inputs->Variable(name, var, build->BuiltinVars);
    if (var) value = var->Value;
  }
  r = value;
}

void DefVar(TObject*, const std::string&, A& a, R&) {
  BuildState* build = CurrentBuild();
  if (!build) return;
  std::string name = Text(a[0]);
  std::string value = Text(a[1]);
  if (build->Inputs) build->Inputs->VariableSet(name, value);
  build->SetUserVar(name, value);
}

// The file name argument `index` of the routine `name`; a name holding a
// NUL byte is an error.
std::string FileArg(const std::string& name, A& a, int index) {
  std::string file = Text(a[index]);
  CheckFileName(file, name);
  return file;
}

void ForceDirectoriesRoutine(TObject*, const std::string& name, A& a, R&) { ForceDirectories(FileArg(name, a, 0)); }

void CreateDir(TObject*, const std::string& name, A& a, R&) {
  std::error_code ignored;
  std::filesystem::create_directory(FileArg(name, a, 0), ignored);
}


// Writes the tag line of the image routine `name` for `file`. In a build,
// a file that does not exist is a warning at the line of the page's script
// block that runs (ScriptStage gives its place to the page's origins).
void WriteImageLine(const std::string& name, const std::string& file, const std::string& line) {
  BuildState* build = CurrentBuild();
  if (build && line == kNoImageFileLine)
    PageWarning(build->Context, build->Context.Page.Origins.MarkupAt(),
                name + ": image \"" + file + "\" does not exist");
  WriteLine(line);
}

void InsertImageRoutine(TObject*, const std::string& name, A& a, R&) {
  const std::string file = FileArg(name, a, 0);
  WriteImageLine(name, file, InsertImage(ImageBuild(), file, a[1].AsInteger(), Text(a[2])));
}

void InsertImageExRoutine(TObject*, const std::string& name, A& a, R&) {
  const std::string file = FileArg(name, a, 0);
  WriteImageLine(name, file,
                 InsertImageEx(ImageBuild(), file, a[1].AsInteger(), Text(a[2]), Text(a[3]), a[4].AsInteger()));
}

void Ord(const Variant& value, R& r) {
  const std::string text = Text(value);
  r = std::to_string(text.empty() ? 0 : static_cast<unsigned char>(text[0]));
}

void BuildFile(TObject*, const std::string& name, A& a, R&) {
  std::string file = FileArg(name, a, 0);
  if (BuildState* build = CurrentBuild()) build->BuildQueue.push_back(std::move(file));
}

void DelQueue(TObject*, const std::string& name, A& a, R&) {
  std::string file = FileArg(name, a, 0);
  if (BuildState* build = CurrentBuild()) build->DeleteQueue.push_back(std::move(file));
}

void DeleteFileRoutine(TObject*, const std::string& name, A& a, R&) { DeleteFile(FileArg(name, a, 0)); }

void ScanF(const Variant& source, const Variant& pattern, const Variant& start, R& r) {
  r = WildcardPos(Text(source), Text(pattern), start.AsInteger());
}

}  // namespace

void SetStandaloneOutput(LineWriter writer) { StandaloneOutput() = std::move(writer); }

void RegisterSiteRoutines() {
  const std::vector<ParamKind> none = {pkNone};
  const std::vector<ParamKind> one = {pkValue};
  const std::vector<ParamKind> two = {pkValue, pkValue};
  const std::vector<ParamKind> three = {pkValue, pkValue, pkValue};
  RegisterProc("WriteLn", WriteLn, one);
  RegisterFunc("CurFile", CurFile, none);
  RegisterFunc("GetVar", GetVar, one);
  RegisterFunc("DefVar", DefVar, two);
  RegisterFunc("ForceDirectories", ForceDirectoriesRoutine, one);
  RegisterFunc("CreateDir", CreateDir, one);
  RegisterDirectFunc<1, [](const Variant& path, R& r) { r = ExtractFileName(Text(path)); }>("ExtractFileName");
  RegisterDirectFunc<1, [](const Variant& path, R& r) { r = ExtractFilePath(Text(path)); }>("ExtractFilePath");
  RegisterDirectFunc<1, [](const Variant& path, R& r) { r = ChangeFileExt(Text(path), ""); }>("StripFileExt");
  RegisterDirectFunc<2, [](const Variant& path, const Variant& extension, R& r) {
    r = ChangeFileExt(Text(path), Text(extension));
  }>("ChangeFileExt");
  RegisterFunc("InsertImage", InsertImageRoutine, three);
  RegisterFunc("InsertImageEx", InsertImageExRoutine, {pkValue, pkValue, pkValue, pkValue, pkValue});
  RegisterDirectFunc<1, Ord>("Ord");
  RegisterProc("BuildFile", BuildFile, one);
  RegisterProc("DelQueue", DelQueue, one);
  RegisterProc("DeleteFile", DeleteFileRoutine, one);
  RegisterDirectFunc<3, ScanF>("ScanF");
  RegisterConst("MSFrontPage", Variant(std::string(kMSFrontPage)));
}

}  // namespace orv
