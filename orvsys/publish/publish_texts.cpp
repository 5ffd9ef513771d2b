#include "orvsys/publish/publish_texts.h"

#include <cstdio>
#include <iterator>

namespace orv {

std::string ByteCountText(uint64_t bytes) {
  if (bytes < 1024) return std::to_string(bytes) + " B";
  static const char* const kUnits[] = {"KiB", "MiB", "GiB", "TiB"};
  double value = static_cast<double>(bytes);
  size_t unit = 0;
  // 1023.95 and more would show as "1024.0": the next unit reads better.
  for (value /= 1024; value >= 1023.95 && unit + 1 < std::size(kUnits); value /= 1024) ++unit;
  char text[32];
  std::snprintf(text, sizeof text, "%.1f %s", value, kUnits[unit]);
  return text;
}

std::string PlanText(const TPublishPlan& plan) {
  return std::to_string(plan.Uploads.size()) + " to send (" + ByteCountText(plan.UploadBytes()) + "), " +
         std::to_string(plan.Deletes.size()) + " to delete, " + std::to_string(plan.Unchanged) + " unchanged";
}

std::string ProgressText(const TPublishProgress& progress) {
  std::string text = std::to_string(progress.FilesDone) + " of " + std::to_string(progress.FilesTotal) + " files, " +
                     ByteCountText(progress.BytesDone) + " of " + ByteCountText(progress.BytesTotal);
  if (!progress.Current.empty()) text += std::string(": ") + (progress.Deleting ? "deleting " : "") + progress.Current;
  return text;
}

std::string PublishedText(const std::string& site_name, const TPublishPlan& plan) {
  return "Published to " + site_name + ": " + std::to_string(plan.Uploads.size()) + " sent (" +
         ByteCountText(plan.UploadBytes()) + "), " + std::to_string(plan.Deletes.size()) + " deleted, " +
         std::to_string(plan.Unchanged) + " unchanged";
}

}  // namespace orv
