#include "edit/tool_command.h"

#include <unistd.h>

#include <cctype>

#include "platform/files.h"

namespace orv::edit {
namespace {

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsAddress(const std::string& text) {
  if (text.starts_with("mailto:")) return true;
  const size_t colon = text.find("://");
  if (colon == std::string::npos || colon == 0 || !std::isalpha(static_cast<unsigned char>(text[0]))) return false;
  for (size_t i = 0; i < colon; ++i) {
    const char c = text[i];
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

bool IsDocument(const std::string& path) { return FileExists(path) && ::access(path.c_str(), X_OK) != 0; }

std::vector<std::string> SplitWords(const std::string& command) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  char quote = 0;
  for (char c : command) {
    if (quote) {
      if (c == quote) quote = 0;
      else word += c;
    } else if (c == '"' || c == '\'') {
      quote = c;
      in_word = true;
    } else if (c == ' ' || c == '\t') {
      if (in_word) words.push_back(word);
      word.clear();
      in_word = false;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) words.push_back(word);
  return words;
}

}  // namespace

ToolAction ParseToolCommand(const std::string& command, const std::string& current_file) {
  const std::string text = Trimmed(command);
  if (text.empty()) return {};
  if (IsAddress(text)) return {ToolAction::Kind::OpenAddress, text, {}};
  if (IsDocument(text)) return {ToolAction::Kind::OpenFile, text, {}};
  std::vector<std::string> words = SplitWords(text);
  if (words.empty() || words.front().empty()) return {};
  if (words.size() == 1 && IsDocument(words.front())) return {ToolAction::Kind::OpenFile, words.front(), {}};
  ToolAction action{ToolAction::Kind::RunProgram, words.front(), {}};
  bool placed = false;
  for (size_t i = 1; i < words.size(); ++i) {
    std::string word = words[i];
    for (size_t at = word.find("%f"); at != std::string::npos; at = word.find("%f", at + current_file.size())) {
      word.replace(at, 2, current_file);
      placed = true;
    }
    action.Arguments.push_back(word);
  }
  if (!placed && !current_file.empty()) action.Arguments.push_back(current_file);
  return action;
}

}  // namespace orv::edit
