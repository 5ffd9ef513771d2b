// The live reload script goes into a page as it is sent: before its last
// </body>, or at its end.
#include "cc/serve/live_reload.h"

#include <gtest/gtest.h>

#include <string>

namespace orv {
namespace {

TEST(LiveReloadTest, TheScriptGoesBeforeTheLastBodyEnd) {
  const std::string script = WithLiveReload("", 7);
  EXPECT_NE(script.find("new EventSource(\"/_orv/live-reload?since=7\")"), std::string::npos) << script;
  EXPECT_NE(script.find("location.reload()"), std::string::npos);
  const struct {
    const char* page;
    const char* before;  // the page's text before the script
    const char* after;   // and after it
  } cases[] = {
      {"<html><body><p>x</p></body></html>\n", "<html><body><p>x</p>", "</body></html>\n"},
      {"<BODY>a</Body>", "<BODY>a", "</Body>"},
      {"<p>&lt;/body&gt; </body> text </body>\n", "<p>&lt;/body&gt; </body> text ", "</body>\n"},
      {"no body at all", "no body at all", ""},
      {"</bod", "</bod", ""},
      {"", "", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WithLiveReload(c.page, 7), std::string(c.before) + script + c.after) << c.page;
}

TEST(LiveReloadTest, AnEventNamesTheBuild) { EXPECT_EQ(ReloadEvent(42), "event: reload\ndata: 42\n\n"); }

}  // namespace
}  // namespace orv
