// The texts a publish shows to people, the same in the publishing dialog and
// on orvcc's standard error: byte counts, what a plan will do, where a
// running publish stands and how it ended.
#pragma once

#include <cstdint>
#include <string>

#include "orvsys/publish/publish_plan.h"
#include "orvsys/publish/publisher.h"

namespace orv {

// "512 B", "12.3 KiB", "4.0 MiB": a byte count as people read it.
std::string ByteCountText(uint64_t bytes);

// "2 to send (19 B), 1 to delete, 5 unchanged".
std::string PlanText(const TPublishPlan& plan);

// "1 of 3 files, 12.0 KiB of 300.0 KiB: news/a.html", with "deleting"
// before a file being deleted, and without the file between two.
std::string ProgressText(const TPublishProgress& progress);

// "Published to My site: 2 sent (19 B), 1 deleted, 5 unchanged".
std::string PublishedText(const std::string& site_name, const TPublishPlan& plan);

}  // namespace orv
