// The file form of a build record: the 8 bytes "ORVBUILD", a 32-bit format
// version, the fields in the order of the structures in build_record.h
// (integers little-endian, texts and lists as a 32-bit count and their
// items), and a 64-bit ContentHash of everything before it.
#include "core/site/build_record.h"

#include <cstring>

#include "platform/content_hash.h"
#include "platform/folders.h"

namespace orv {

namespace {

constexpr char kMagic[8] = {'O', 'R', 'V', 'B', 'U', 'I', 'L', 'D'};
constexpr uint32_t kVersion = 1;

// Puts the fields of a record in order, or with kCounting only counts their
// bytes, so that the text can be made its whole size at once (the record of
// a large site is megabytes, and growing it step by step copies it over and
// over).
template <bool kCounting>
class Writer {
 public:
  explicit Writer(std::string* out = nullptr) : out_(out) {}
  void Raw(std::string_view bytes) {
    if constexpr (kCounting) {
      size_ += bytes.size();
    } else {
      out_->append(bytes);
    }
  }
  void U8(uint8_t value) { Bytes(value, 1); }
  void U32(uint32_t value) { Bytes(value, 4); }
  void U64(uint64_t value) { Bytes(value, 8); }
  void I64(long long value) { U64(static_cast<uint64_t>(value)); }
  void Text(const std::string& text) {
    U32(static_cast<uint32_t>(text.size()));
    Raw(text);
  }
  template <typename T, typename Put>
  void List(const std::vector<T>& items, Put put) {
    U32(static_cast<uint32_t>(items.size()));
    for (const T& item : items) put(item);
  }
  void State(const FileState& state) {
    U8(static_cast<uint8_t>(state.Exists | (state.Racy << 1)));
    I64(state.Stamp.size);
    I64(state.Stamp.mtime_ns);
    I64(state.Stamp.ctime_ns);
    U64(state.Stamp.ino);
    U64(state.Hash);
  }
  void Pairs(const NameValues& pairs) {
    List(pairs, [this](const auto& pair) {
      Text(pair.first);
      Text(pair.second);
    });
  }
  size_t Size() const { return size_; }

 private:
  void Bytes(uint64_t value, int count) {
    if constexpr (kCounting) {
      size_ += static_cast<size_t>(count);
    } else {
      char bytes[8];
      for (int i = 0; i < count; ++i) bytes[i] = static_cast<char>(value >> (8 * i));
      out_->append(bytes, static_cast<size_t>(count));
    }
  }
  std::string* out_;
  size_t size_ = 0;
};

// Thrown by Reader when the bytes end early or hold a value out of range.
struct Damaged {};

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  uint8_t U8() { return static_cast<uint8_t>(Take(1)[0]); }
  uint32_t U32() { return static_cast<uint32_t>(Bytes(4)); }
  uint64_t U64() { return Bytes(8); }
  long long I64() { return static_cast<long long>(U64()); }
  std::string Text() {
    uint32_t size = U32();
    return std::string(Take(size));
  }
  // A count of items that take at least `min_size` bytes each.
  uint32_t Count(size_t min_size) {
    uint32_t count = U32();
    if (count * min_size > bytes_.size() - pos_) throw Damaged{};
    return count;
  }
  template <typename T, typename Get>
  void List(std::vector<T>& items, size_t min_size, Get get) {
    uint32_t count = Count(min_size);
    items.reserve(count);
    for (uint32_t i = 0; i < count; ++i) items.push_back(get());
  }
  FileState State() {
    FileState state;
    uint8_t flags = U8();
    if (flags > 3) throw Damaged{};
    state.Exists = flags & 1;
    state.Racy = flags & 2;
    state.Stamp.size = I64();
    state.Stamp.mtime_ns = I64();
    state.Stamp.ctime_ns = I64();
    state.Stamp.ino = U64();
    state.Hash = U64();
    return state;
  }
  NameValues Pairs() {
    NameValues pairs;
    List(pairs, 8, [this] {
      std::string name = Text();
      return std::pair{name, Text()};
    });
    return pairs;
  }
  // An index into a list of `size` items.
  uint32_t Index(size_t size) {
    uint32_t index = U32();
    if (index >= size) throw Damaged{};
    return index;
  }
  bool AtEnd() const { return pos_ == bytes_.size(); }

 private:
  std::string_view Take(size_t size) {
    if (size > bytes_.size() - pos_) throw Damaged{};
    std::string_view part = bytes_.substr(pos_, size);
    pos_ += size;
    return part;
  }
  uint64_t Bytes(int count) {
    std::string_view part = Take(static_cast<size_t>(count));
    uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(part[i]);
    return value;
  }
  std::string_view bytes_;
  size_t pos_ = 0;
};

template <typename Writer>
void PutPage(Writer& w, const PageRecord& page) {
  w.Text(page.Entry);
  w.U32(page.Occurrence);
  w.Text(page.Output);
  w.State(page.OutputState);
  w.U8(page.Volatile);
  w.U64(page.DefinesBefore);
  w.List(page.Files, [&w](uint32_t index) { w.U32(index); });
  w.List(page.Variables, [&w](uint32_t index) { w.U32(index); });
  w.Pairs(page.DefinesAdded);
  w.Pairs(page.VariablesSet);
  w.List(page.Queued, [&w](const std::string& path) { w.Text(path); });
  w.List(page.Deletes, [&w](const std::string& path) { w.Text(path); });
  w.List(page.Reports, [&w](const ReportLine& line) {
    w.Text(line.Text);
    w.U8(static_cast<uint8_t>(line.Type));
  });
  for (int32_t count : {page.Stats.Lines, page.Stats.Includes, page.Stats.Variables, page.Stats.Programs,
                        page.Stats.Databases})
    w.U32(static_cast<uint32_t>(count));
  w.U32(page.Steps);
}

PageRecord GetPage(Reader& r, const BuildRecord& record) {
  PageRecord page;
  page.Entry = r.Text();
  page.Occurrence = r.U32();
  page.Output = r.Text();
  page.OutputState = r.State();
  uint8_t is_volatile = r.U8();
  if (is_volatile > 1) throw Damaged{};
  page.Volatile = is_volatile;
  page.DefinesBefore = r.U64();
  r.List(page.Files, 4, [&r, &record] { return r.Index(record.Files.size()); });
  r.List(page.Variables, 4, [&r, &record] { return r.Index(record.Variables.size()); });
  page.DefinesAdded = r.Pairs();
  page.VariablesSet = r.Pairs();
  r.List(page.Queued, 4, [&r] { return r.Text(); });
  r.List(page.Deletes, 4, [&r] { return r.Text(); });
  r.List(page.Reports, 5, [&r] {
    ReportLine line;
    line.Text = r.Text();
    uint8_t kind = r.U8();
    if (kind > static_cast<uint8_t>(ReportLine::Kind::Counted)) throw Damaged{};
    line.Type = static_cast<ReportLine::Kind>(kind);
    return line;
  });
  for (int32_t* count : {&page.Stats.Lines, &page.Stats.Includes, &page.Stats.Variables, &page.Stats.Programs,
                         &page.Stats.Databases})
    *count = static_cast<int32_t>(r.U32());
  page.Steps = r.U32();
  return page;
}

// Everything of the file but the hash that closes it.
template <typename Writer>
void PutRecord(Writer& w, const BuildRecord& record) {
  w.Raw(std::string_view(kMagic, sizeof kMagic));
  w.U32(kVersion);
  w.Text(record.ProjectFile);
  w.U64(record.Digest);
  w.List(record.Files, [&w](const FileInput& file) {
    w.Text(file.Path);
    w.State(file.State);
  });
  w.List(record.Variables, [&w](const VariableInput& var) {
    w.Text(var.Name);
    w.U8(static_cast<uint8_t>(var.Found));
    w.U64(var.Hash);
  });
  w.List(record.Pages, [&w](const PageRecord& page) { PutPage(w, page); });
  w.List(record.Statics, [&w](const StaticRecord& file) {
    w.Text(file.Relative);
    w.State(file.Source);
    w.State(file.Copy);
  });
}

}  // namespace

std::string SerializeBuildRecord(const BuildRecord& record) {
  Writer<true> count;
  PutRecord(count, record);
  std::string bytes;
  bytes.reserve(count.Size() + 8);
  Writer<false> w(&bytes);
  PutRecord(w, record);
  w.U64(ContentHash(bytes));
  return bytes;
}

std::optional<BuildRecord> ParseBuildRecord(std::string_view bytes) {
  if (bytes.size() < sizeof kMagic + 4 + 8 || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
    return std::nullopt;
  std::string_view body = bytes.substr(0, bytes.size() - 8);
  Reader tail(bytes.substr(body.size()));
  if (tail.U64() != ContentHash(body)) return std::nullopt;
  try {
    Reader r(body.substr(sizeof kMagic));
    if (r.U32() != kVersion) return std::nullopt;
    BuildRecord record;
    record.ProjectFile = r.Text();
    record.Digest = r.U64();
    r.List(record.Files, 4 + 41, [&r] {
      FileInput file;
      file.Path = r.Text();
      file.State = r.State();
      return file;
    });
    r.List(record.Variables, 4 + 9, [&r] {
      VariableInput var;
      var.Name = r.Text();
      uint8_t found = r.U8();
      if (found > static_cast<uint8_t>(VariableFound::Clock)) throw Damaged{};
      var.Found = static_cast<VariableFound>(found);
      var.Hash = r.U64();
      return var;
    });
    r.List(record.Pages, 64, [&r, &record] { return GetPage(r, record); });
    r.List(record.Statics, 4 + 82 + 4, [&r] {
      StaticRecord file;
      file.Relative = r.Text();
      file.Source = r.State();
      file.Copy = r.State();
      return file;
    });
    if (!r.AtEnd()) return std::nullopt;
    return record;
  } catch (const Damaged&) {
    return std::nullopt;
  }
}

std::string BuildRecordPath(const std::string& project_file) {
  static const char digits[] = "0123456789abcdef";
  uint64_t hash = ContentHash(project_file);
  std::string name;
  for (int shift = 60; shift >= 0; shift -= 4) name += digits[(hash >> shift) & 15];
  return DataDir() + "builds/" + name + ".rec";
}

}  // namespace orv
