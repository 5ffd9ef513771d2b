#include "cc/progress_view.h"

#include "orv/core.h"
#include "orv/myrecord.h"
#include "platform/integer_text.h"

namespace orv {

LRESULT ProgressView::Handle(uint32_t message, LPARAM lparam) {
  auto* record = reinterpret_cast<TMyRecord*>(lparam);
  switch (message) {
    case ORV_BUILD_SETRANGE: {
      int range = 0;
      if (record) TryStrToInt(record->Field1, range);
      // The listed files take 7 steps each, the queued files 6.
      pages_ = range / (ranges_++ == 0 ? 7 : 6);
      page_ = 0;
      break;
    }
    case ORV_BUILD_FILE:
      if (!record || record->Field1[0] == '\0') break;
      ++page_;
      // A quiet build shows nothing: its line is not even made.
      if (mode_ != Mode::Quiet)
        Show("Compiling " + std::string(record->Field1) + " (" + std::to_string(page_) + " of " +
             std::to_string(pages_) + ")");
      break;
    default:
      break;
  }
  if (message == ORV_BUILD_SETRANGE || message == ORV_BUILD_FILE) orv_myrecord_free(record);
  return 0;
}

void ProgressView::Show(const std::string& text) {
  switch (mode_) {
    case Mode::Quiet:
      return;
    case Mode::Lines:
      std::fprintf(out_, "%s\n", text.c_str());
      break;
    case Mode::Terminal: {
      std::string line = text;
      if (width_ > 1 && line.size() >= static_cast<size_t>(width_)) line.resize(static_cast<size_t>(width_ - 1));
      std::fprintf(out_, "\r\033[K%s", line.c_str());
      line_shown_ = true;
      break;
    }
  }
  std::fflush(out_);
}

void ProgressView::Report(const char* line) {
  Finish();
  std::fprintf(out_, "%s\n", line);
  std::fflush(out_);
}

void ProgressView::Finish() {
  if (line_shown_) std::fprintf(out_, "\r\033[K");
  line_shown_ = false;
  std::fflush(out_);
}

std::string CountsLine(const OrvBuildCounts& counts) {
  const int pages = counts.Built + counts.UpToDate;
  std::string line = std::to_string(pages) + (pages == 1 ? " page: " : " pages: ") + std::to_string(counts.Built) +
                     " built, " + std::to_string(counts.UpToDate) + " up to date";
  if (counts.StaticCopied || counts.StaticRemoved)
    line += "; static files: " + std::to_string(counts.StaticCopied) + " copied, " +
            std::to_string(counts.StaticRemoved) + " removed";
  return line;
}

}  // namespace orv
