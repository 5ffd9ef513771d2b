#include "orvsys/model/project_options.h"

#include "platform/folders.h"
#include "platform/ini_file.h"
#include "platform/ini_record.h"

namespace orv {
namespace {

// The keys of ~tmppref.ini, in the order they are written.
constexpr TIniKey<TProjectOptions> kOptionKeys[] = {
    {"dirs", "img", &TProjectOptions::ImageDir},        {"dirs", "src", &TProjectOptions::SourceDir},
    {"dirs", "out", &TProjectOptions::OutputDir},       {"dirs", "img_prep", &TProjectOptions::ImagePrefix},
    {"compiler", "vars", &TProjectOptions::Vars},       {"compiler", "db", &TProjectOptions::Databases},
    {"compiler", "scripts", &TProjectOptions::Scripts}, {"compiler", "ext", &TProjectOptions::ExtApps},
    {"compiler", "inc", &TProjectOptions::Includes},
};

}  // namespace

std::string ProjectOptionsFile() { return DataDir() + "~tmppref.ini"; }

TProjectOptions ReadProjectOptions(const std::string& path) {
  return ReadIniRecord<TProjectOptions>(TIniFile(path), kOptionKeys);
}

void WriteProjectOptions(const std::string& path, const TProjectOptions& options) {
  TIniFile ini(path);
  WriteIniRecord<TProjectOptions>(ini, kOptionKeys, options);
}

}  // namespace orv
