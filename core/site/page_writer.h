// Writes a build's pages on a thread of its own while the build reads and
// expands the next ones: a page's write costs the system about as much as
// reading and expanding a short page, so the two halves of a build run side
// by side on two cores. When the build would wait for a write, it writes
// the next page not yet taken itself, so neither half idles while the
// other has work; two pages of the same file name are still written in the
// order they were given. The writer's thread runs off the processor the
// build's thread was on when it started.
//
// What became of each write is told back on the build's thread, in the
// order the pages were given and at fixed points (when a page is given with
// kDepth pages before it unreported, or when the writes are drained), so a
// build's messages come in the same order on every run. Everything the
// build reads or looks at must first be settled (Settle), and code that
// may use the file system (scripts, external commands) runs only after a
// drain: nothing of the build ever sees a page missing or stale because
// its write is still under way.
//
// A clean build's pages can go into a hidden folder that stands in for the
// missing output folder (StageOutput): each page is then simply created,
// not made whole before it is named, and the folder takes the output
// folder's name when the build is done (Publish), or earlier, as soon as
// the build looks at anything in or above the output folder or outside
// code is about to run.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>

#include "platform/files.h"
#include "platform/folder_cache.h"
#include "platform/staging_folder.h"

namespace orv {

// The pages a build has given to be written and not yet reported.
class PageWriter {
 public:
  // What became of one page's write.
  struct Written {
    const std::string& Path;
    uint32_t Tag;        // as given to Submit
    bool Ok;             // written, and stamped as Stamp says
    int Error;           // the system's error number when not
    const FileStamp& Stamp;
  };
  using Done = std::function<void(const Written&)>;

  // How many pages may wait for their write, or for their report, before
  // Submit reports the oldest.
  static constexpr uint32_t kDepth = 4;
  // The first pages of a build are written as they are given: a thread
  // costs more to start than a small build's writes. A build that will
  // give at least this many says so (Expect), and its writer starts at
  // once.
  static constexpr uint32_t kInlinePages = 64;

  PageWriter() = default;
  // Waits for the writes under way; those not yet reported are not.
  ~PageWriter();
  PageWriter(const PageWriter&) = delete;
  PageWriter& operator=(const PageWriter&) = delete;

  // What is called, on the caller's thread, for each write as it is
  // reported. An exception from it leaves Submit or Drain with the write
  // counted as reported.
  void OnWritten(Done done) { done_ = std::move(done); }

  // Before the first page: the build is about to give `pages` pages. With
  // kInlinePages or more, the writer's thread starts now, while the build
  // reads and expands the first pages, rather than after kInlinePages of
  // them were written on the build's thread. When no thread can be
  // started, pages are written as they are given from then on.
  void Expect(size_t pages);
  // Whether pages are written on a thread of their own by now.
  bool Threaded() const { return thread_.joinable(); }

  // Writes `text` to `path` as TFolderCache::WriteFileAtomic does, creating
  // its folder when the first attempt fails; reports the oldest writes while
  // more than kDepth are unreported.
  void Submit(std::string path, std::string text, uint32_t tag);
  // Before the build reads or looks at `path`: when a page of the same
  // file name (compared as SameText does) is still to be written, or
  // `path` is a symbolic link (which may lead to one), every write is
  // finished and reported (Drain). Whether a path is a link is asked once
  // until outside code runs. A page's output is settled by its name alone
  // (SettleName): it is a file the build wrote, not a link.
  void Settle(const std::string& path);
  void SettleName(std::string_view path);
  // Settle, then StatFile: whether `path` exists, and its stamp; a path
  // with no file is looked at again after PublishFor.
  bool StatSettled(const std::string& path, FileStamp& stamp);
  // Settle for a file a script is about to read; a path with no file is
  // given to PublishFor.
  void SettleScriptRead(const std::string& path);
  // While pages are staged, a path with no file may still lead to one of
  // them through a link into the output folder (a link that leads nowhere
  // yet, or one on the way to a folder that cannot be reached): then
  // publishes them (Publish) and returns true. A file simply missing from a
  // folder that is there cannot be a staged page.
  bool PublishFor(const std::string& missing);
  // Finishes and reports every write given.
  void Drain();
  // Before the first page: when `output_dir` does not exist, pages below it
  // go into a hidden folder beside it until Publish (StagingFolder). Does
  // nothing when it exists or that folder cannot be made.
  void StageOutput(const std::string& output_dir);
  // Drain, then gives the hidden folder the output folder's name (see
  // StagingFolder::Publish, whose error it raises); pages given later are
  // written in place. Nothing to do when no pages are staged. The
  // destructor publishes too, keeping quiet about an error. The stamps
  // reported stay true, but for pages moved one by one into an output
  // folder made in the meantime (the move changes a file's change time, so
  // the next build writes them again).
  void Publish();
  // Before code runs that may change the file system: Drain; the writer's
  // folders are opened anew for the next write, and links looked for again.
  void OutsideCodeRuns();

 private:
  static constexpr uint32_t kSlots = 8;  // more than kDepth: see Submit
  static constexpr uint32_t kNoPage = ~uint32_t{0};
  // One page: given by the build's thread, written by whichever thread
  // takes it (WriteNext).
  struct Job {
    std::string path;
    size_t name_at = 0;  // where the file name begins in `path`
    std::string text;
    uint32_t tag = 0;
    // An earlier page of the same file name, to be written first (or
    // kNoPage).
    uint32_t after = kNoPage;
    bool ok = false;
    int error = 0;
    FileStamp stamp;
    // One more than the number of the last page written from this slot.
    std::atomic<uint32_t> done{0};
  };

  Job& Slot(uint32_t page) { return jobs_[page % kSlots]; }
  // Whether a slot whose `done` holds `done` has been written from for
  // page `page` or for a later page (slots are used again every kSlots
  // pages).
  static bool Reaches(uint32_t done, uint32_t page);
  bool IsWritten(uint32_t page) const;
  void WaitWritten(uint32_t page);
  // Takes the next page that no thread has taken yet and writes it with
  // the caller's folders; false when every page given is taken.
  bool WriteNext(TFolderCache& folders);
  // Writes page `page`, taken by the caller.
  void WriteClaimed(uint32_t page, TFolderCache& folders);
  void Run();
  // Writes the next pages not taken until the oldest unreported page is
  // written, waits for it when none are left, then reports it.
  void ReportOldest();
  // The newest page of the file name `name` still to be reported, or
  // kNoPage.
  uint32_t PendingPage(std::string_view name) const;
  bool Pending(std::string_view path) const { return PendingPage(path.substr(NameAt(path))) != kNoPage; }
  // Where the file name part of `path` begins.
  static size_t NameAt(std::string_view path);

  Done done_;
  Job jobs_[kSlots];
  // Counts of pages given, taken and reported (each wraps; only their
  // differences matter). `given_` and `reported_` belong to the build's
  // thread; the writer's thread waits on `wake_` for pages to take.
  std::atomic<uint32_t> given_{0};
  std::atomic<uint32_t> claimed_{0};
  uint32_t reported_ = 0;
  std::atomic<uint32_t> wake_{0};
  std::atomic<bool> stopping_{false};
  // The folders of the writer's thread, and of the build's for the pages
  // it writes itself; each used by its own thread, or by the build's while
  // nothing is written.
  TFolderCache folders_;
  TFolderCache own_folders_;
  // Where the pages of a clean build go until Publish. Changed only by the
  // build's thread while nothing is written.
  StagingFolder staging_;
  // Paths settled so far: whether each is a symbolic link.
  std::unordered_map<std::string, bool> links_;
  // Not started (the first kInlinePages pages, or no thread could be):
  // pages are written as they are given.
  std::thread thread_;
  // The processor the writer's thread is kept off (the build's, when last
  // looked at); -1 when the writer is not bound.
  int kept_off_ = -1;
  bool inline_ = false;  // no thread could be started
};

}  // namespace orv
