#include "core/site/page_writer.h"

#include <sched.h>

#include <cerrno>
#include <new>
#include <system_error>

#include "platform/exception.h"
#include "platform/paths.h"
#include "platform/thread_placement.h"

namespace orv {

PageWriter::~PageWriter() {
  if (thread_.joinable()) {
    stopping_.store(true, std::memory_order_release);
    wake_.fetch_add(1, std::memory_order_release);
    wake_.notify_one();
    thread_.join();
  }
  // A build that ends early leaves what it wrote where it would have gone;
  // should that fail, the pages stay in the hidden folder.
  try {
    staging_.Publish();
  } catch (const Exception&) {
  }
}

size_t PageWriter::NameAt(std::string_view path) {
  const size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? 0 : slash + 1;
}

bool PageWriter::Reaches(uint32_t done, uint32_t page) { return static_cast<int32_t>(done - (page + 1)) >= 0; }

bool PageWriter::IsWritten(uint32_t page) const {
  return Reaches(jobs_[page % kSlots].done.load(std::memory_order_acquire), page);
}

void PageWriter::WaitWritten(uint32_t page) {
  std::atomic<uint32_t>& done = Slot(page).done;
  for (uint32_t seen = done.load(std::memory_order_acquire); !Reaches(seen, page);
       seen = done.load(std::memory_order_acquire))
    done.wait(seen, std::memory_order_acquire);
}

bool PageWriter::WriteNext(TFolderCache& folders) {
  uint32_t next = claimed_.load(std::memory_order_relaxed);
  while (next != given_.load(std::memory_order_acquire)) {
    if (claimed_.compare_exchange_weak(next, next + 1, std::memory_order_acq_rel, std::memory_order_relaxed)) {
      WriteClaimed(next, folders);
      return true;
    }
  }
  return false;
}

void PageWriter::WriteClaimed(uint32_t page, TFolderCache& folders) {
  Job& job = Slot(page);
  if (job.after != kNoPage) WaitWritten(job.after);
  job.stamp = FileStamp{};
  try {
    // A staged page lies in a folder nobody looks at: it is simply created.
    const bool staged = staging_.Active();
    std::string redirected;
    if (staged) redirected = staging_.Redirect(job.path);
    const std::string& path = staged ? redirected : job.path;
    const auto write = [&] {
      return staged ? folders.WriteNewFile(path, job.text, &job.stamp)
                    : folders.WriteFileAtomic(path, job.text, &job.stamp);
    };
    job.ok = write();
    if (!job.ok) {
      ForceDirectories(ExtractFilePath(path));
      job.ok = write();
    }
    job.error = job.ok ? 0 : errno;
  } catch (const std::bad_alloc&) {
    job.ok = false;
    job.error = ENOMEM;
  }
  job.done.store(page + 1, std::memory_order_release);
  job.done.notify_all();
}

void PageWriter::Run() {
  for (;;) {
    // Read before the pages given are: a page given after that read
    // changes `wake_`, so the wait below cannot miss it.
    const uint32_t wake = wake_.load(std::memory_order_acquire);
    if (WriteNext(folders_)) continue;
    if (stopping_.load(std::memory_order_acquire)) return;
    wake_.wait(wake, std::memory_order_acquire);
  }
}

void PageWriter::Submit(std::string path, std::string text, uint32_t tag) {
  // Only after a report that threw can more than kDepth pages be unreported;
  // then the oldest makes room first.
  const uint32_t given = given_.load(std::memory_order_relaxed);
  if (given - reported_ == kSlots) ReportOldest();
  const size_t name_at = NameAt(path);
  const uint32_t after = PendingPage(std::string_view(path).substr(name_at));
  Job& job = Slot(given);
  // The text written kSlots pages ago goes with `text`: memory is freed on
  // the thread that took it.
  job.name_at = name_at;
  job.path = std::move(path);
  job.text.swap(text);
  job.tag = tag;
  job.after = after;
  // A build that has given kInlinePages pages is expected to give more.
  Expect(given);
  given_.store(given + 1, std::memory_order_release);
  // The system may have moved this thread onto the writer's processor.
  if (kept_off_ >= 0 && sched_getcpu() != kept_off_) kept_off_ = KeepOffCallersProcessor(thread_, kept_off_);
  if (!thread_.joinable()) {
    WriteNext(own_folders_);
  } else {
    wake_.fetch_add(1, std::memory_order_release);
    wake_.notify_one();
  }
  while (given_.load(std::memory_order_relaxed) - reported_ > kDepth) ReportOldest();
}

void PageWriter::Expect(size_t pages) {
  if (pages < kInlinePages || thread_.joinable() || inline_) return;
  try {
    thread_ = std::thread(&PageWriter::Run, this);
    // Woken by the build's thread for every page, the writer was often
    // left queued behind it on one processor (see thread_placement.h); the
    // build writes pages itself when the writer falls behind, so binding
    // the writer elsewhere cannot hold the build up.
    kept_off_ = KeepOffCallersProcessor(thread_);
  } catch (const std::system_error&) {
    inline_ = true;
  }
}

void PageWriter::ReportOldest() {
  const uint32_t oldest = reported_;
  while (!IsWritten(oldest))
    if (!WriteNext(own_folders_)) WaitWritten(oldest);
  const Job& job = Slot(oldest);
  ++reported_;
  if (done_) done_(Written{job.path, job.tag, job.ok, job.error, job.stamp});
}

uint32_t PageWriter::PendingPage(std::string_view name) const {
  const uint32_t given = given_.load(std::memory_order_relaxed);
  for (uint32_t i = given; i != reported_; --i) {
    const Job& job = jobs_[(i - 1) % kSlots];
    if (SameText(std::string_view(job.path).substr(job.name_at), name)) return i - 1;
  }
  return kNoPage;
}

void PageWriter::SettleName(std::string_view path) {
  if (staging_.Covers(path)) Publish();
  if (Pending(path)) Drain();
}

void PageWriter::Settle(const std::string& path) {
  if (staging_.Covers(path)) Publish();
  if (reported_ == given_.load(std::memory_order_relaxed)) return;
  auto [link, added] = links_.try_emplace(path, false);
  if (added) link->second = IsSymbolicLink(path);
  if (link->second || Pending(path)) Drain();
}

bool PageWriter::StatSettled(const std::string& path, FileStamp& stamp) {
  Settle(path);
  return StatFile(path, stamp) || (PublishFor(path) && StatFile(path, stamp));
}

void PageWriter::SettleScriptRead(const std::string& path) {
  Settle(path);
  if (staging_.Active() && !FileExists(path)) PublishFor(path);
}

bool PageWriter::PublishFor(const std::string& missing) {
  if (!staging_.Active()) return false;
  const std::string folder = ExtractFilePath(missing);
  const bool may_lead = IsSymbolicLink(missing) || (!folder.empty() && !DirectoryExists(folder));
  if (may_lead) Publish();
  return may_lead;
}

void PageWriter::Drain() {
  while (reported_ != given_.load(std::memory_order_relaxed)) ReportOldest();
}

void PageWriter::StageOutput(const std::string& output_dir) { staging_.Begin(output_dir); }

void PageWriter::Publish() {
  if (!staging_.Active()) return;
  Drain();
  staging_.Publish();
}

void PageWriter::OutsideCodeRuns() {
  Drain();
  Publish();
  folders_.Forget();
  own_folders_.Forget();
  links_.clear();
}

}  // namespace orv
