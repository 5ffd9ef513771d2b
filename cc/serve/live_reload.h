// Live reload of the pages orvcc --serve sends: each HTML page is sent with
// a small script that listens on a server-sent-events stream and reloads the
// page when the server says a build has ended. The script is added as the
// page is sent, never to the file on disk.
#pragma once

#include <cstdint>
#include <string>

namespace orv {

// The path of the event stream. A request carries the build number the page
// was sent after ("?since=N"); the stream tells it to reload at once when
// the server's number differs (a build ended in between, or the server was
// started again), else at the end of the next build.
inline constexpr char kLiveReloadPath[] = "/_orv/live-reload";

// `html` with the script for build number `build`, put before the last
// "</body>" (in any case), or at the end when there is none.
std::string WithLiveReload(std::string html, uint64_t build);

// One event of the stream: "event: reload" with the build number.
std::string ReloadEvent(uint64_t build);

}  // namespace orv
