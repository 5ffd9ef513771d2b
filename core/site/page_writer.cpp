#include "core/site/page_writer.h"

#include <cerrno>
#include <new>
#include <system_error>

#include "platform/paths.h"

namespace orv {

PageWriter::~PageWriter() {
  if (!thread_.joinable()) return;
  stopping_.store(true, std::memory_order_release);
  wake_.fetch_add(1, std::memory_order_release);
  wake_.notify_one();
  thread_.join();
}

std::string_view PageWriter::NameOf(std::string_view path) {
  const size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

void PageWriter::Write(Job& job) {
  job.stamp = FileStamp{};
  try {
    job.ok = folders_.WriteFileAtomic(job.path, job.text, &job.stamp);
    if (!job.ok) {
      ForceDirectories(ExtractFilePath(job.path));
      job.ok = folders_.WriteFileAtomic(job.path, job.text, &job.stamp);
    }
    job.error = job.ok ? 0 : errno;
  } catch (const std::bad_alloc&) {
    job.ok = false;
    job.error = ENOMEM;
  }
}

void PageWriter::Run() {
  uint32_t written = written_.load(std::memory_order_relaxed);
  for (;;) {
    // Read before the count of pages given: a page given after that read
    // changes `wake_`, so the wait below cannot miss it.
    const uint32_t wake = wake_.load(std::memory_order_acquire);
    if (given_.load(std::memory_order_acquire) == written) {
      if (stopping_.load(std::memory_order_acquire)) return;
      wake_.wait(wake, std::memory_order_acquire);
      continue;
    }
    Write(jobs_[written % kSlots]);
    written_.store(++written, std::memory_order_release);
    written_.notify_one();
  }
}

void PageWriter::Submit(std::string path, std::string text, uint32_t tag) {
  // Only after a report that threw can more than kDepth pages be unreported;
  // then the oldest makes room first.
  const uint32_t given = given_.load(std::memory_order_relaxed);
  if (given - reported_ == kSlots) ReportOldest();
  Job& job = jobs_[given % kSlots];
  // The text written kSlots pages ago goes with `text`: memory is freed on
  // the thread that took it.
  job.path = std::move(path);
  job.text.swap(text);
  job.tag = tag;
  if (!thread_.joinable() && !inline_ && given >= kInlinePages) {
    try {
      thread_ = std::thread(&PageWriter::Run, this);
    } catch (const std::system_error&) {
      inline_ = true;
    }
  }
  if (!thread_.joinable()) {
    Write(job);
    written_.store(given + 1, std::memory_order_relaxed);
    given_.store(given + 1, std::memory_order_relaxed);
  } else {
    given_.store(given + 1, std::memory_order_release);
    wake_.fetch_add(1, std::memory_order_release);
    wake_.notify_one();
  }
  while (given_.load(std::memory_order_relaxed) - reported_ > kDepth) ReportOldest();
}

void PageWriter::ReportOldest() {
  uint32_t written = written_.load(std::memory_order_acquire);
  while (written == reported_) {
    written_.wait(written, std::memory_order_acquire);
    written = written_.load(std::memory_order_acquire);
  }
  const Job& job = jobs_[reported_ % kSlots];
  ++reported_;
  if (done_) done_(Written{job.path, job.tag, job.ok, job.error, job.stamp});
}

bool PageWriter::Pending(std::string_view path) const {
  const std::string_view name = NameOf(path);
  const uint32_t given = given_.load(std::memory_order_relaxed);
  for (uint32_t i = reported_; i != given; ++i)
    if (SameText(NameOf(jobs_[i % kSlots].path), name)) return true;
  return false;
}

void PageWriter::SettleName(std::string_view path) {
  if (Pending(path)) Drain();
}

void PageWriter::Settle(const std::string& path) {
  if (reported_ == given_.load(std::memory_order_relaxed)) return;
  auto [link, added] = links_.try_emplace(path, false);
  if (added) link->second = IsSymbolicLink(path);
  if (link->second || Pending(path)) Drain();
}

void PageWriter::Drain() {
  while (reported_ != given_.load(std::memory_order_relaxed)) ReportOldest();
}

void PageWriter::OutsideCodeRuns() {
  Drain();
  folders_.Forget();
  links_.clear();
}

}  // namespace orv
