#include "edit/tool_command.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace orv::edit {
namespace {

using Kind = ToolAction::Kind;

TEST(ToolCommandTest, WhatEachCommandDoes) {
  const std::string home = std::getenv("ORV_HOME") ? std::getenv("ORV_HOME") : "/tmp";
  const std::string notes = home + "/my notes.txt";
  std::ofstream(notes) << "x";
  const std::string script = home + "/tool.sh";
  std::ofstream(script) << "#!/bin/sh\n";
  ::chmod(script.c_str(), 0755);

  const struct {
    std::string command;
    std::string current;
    Kind kind;
    std::string target;
    std::vector<std::string> arguments;
  } cases[] = {
      {"https://validator.example.org/check", "/s/a.hts", Kind::OpenAddress, "https://validator.example.org/check", {}},
      {"  mailto:me@example.org ", "", Kind::OpenAddress, "mailto:me@example.org", {}},
      {notes, "/s/a.hts", Kind::OpenFile, notes, {}},
      {"\"" + notes + "\"", "/s/a.hts", Kind::OpenFile, notes, {}},
      {"tidy -m", "/s/a b.hts", Kind::RunProgram, "tidy", {"-m", "/s/a b.hts"}},
      {"tidy -m", "", Kind::RunProgram, "tidy", {"-m"}},
      {"sh -c 'wc %f > out' x", "/s/a.hts", Kind::RunProgram, "sh", {"-c", "wc /s/a.hts > out", "x"}},
      {"cp %f %f.bak", "/p/%f.hts", Kind::RunProgram, "cp", {"/p/%f.hts", "/p/%f.hts.bak"}},
      {script, "/s/a.hts", Kind::RunProgram, script, {"/s/a.hts"}},
      {"\"/opt/my tool/run\" --x=\"a b\"", "", Kind::RunProgram, "/opt/my tool/run", {"--x=a b"}},
      {"   ", "/s/a.hts", Kind::Nothing, "", {}},
      {"'' -x", "", Kind::Nothing, "", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    const ToolAction action = ParseToolCommand(c.command, c.current);
    EXPECT_EQ(action.What, c.kind);
    EXPECT_EQ(action.Target, c.target);
    EXPECT_EQ(action.Arguments, c.arguments);
  }
  std::filesystem::remove(notes);
  std::filesystem::remove(script);
}

}  // namespace
}  // namespace orv::edit
