// The binary record files of the dialogs and the build (setting lists such as
// tools.dat and objrep.dat, the style file styles.dat): a 32-bit
// little-endian count, then records of texts, each text its 32-bit length
// followed by its bytes. Reading refuses to run past the end of the file.
#pragma once

#include <cstdint>
#include <string>

namespace orv {

// Reads the fields of a record file held in memory. Every failure raises
// EInOutError "<kind> file "<path>" is corrupt: <why>".
class RecordReader {
 public:
  // `kind` names the file in messages ("Setting-list", "Style").
  RecordReader(const std::string& bytes, std::string kind, std::string path);

  int32_t Int32(const char* what);

  // A length-prefixed text, cut at its first zero byte.
  std::string Text();

  // The record count at the start of the file; refused when it is negative or
  // when `min_record_size` bytes per record would run past the end.
  int32_t Count(size_t min_record_size);

  [[noreturn]] void Corrupt(const std::string& why) const;

 private:
  const std::string& bytes_;
  std::string kind_;
  std::string path_;
  size_t pos_ = 0;
};

// Appends a 32-bit little-endian integer.
void PutInt32(std::string& out, uint32_t value);

// Appends a text with its 32-bit length before it.
void PutText(std::string& out, const std::string& text);

}  // namespace orv
