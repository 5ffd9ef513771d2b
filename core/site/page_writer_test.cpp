#include "core/site/page_writer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/folders.h"
#include "platform/thread_placement_test_support.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

// One report as the writer gave it.
struct Report {
  std::string path;
  uint32_t tag;
  bool ok;
  int error;
  FileStamp stamp;
  bool operator==(const Report&) const = default;
};

class PageWriterTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    writer_.OnWritten([this](const PageWriter::Written& page) {
      reports_.push_back(Report{page.Path, page.Tag, page.Ok, page.Error, page.Stamp});
    });
    // The writer's first pages are written as they are given; the cases
    // below are written on its thread.
    Warm(writer_);
    reports_.clear();
  }
  void Warm(PageWriter& writer) {
    for (uint32_t i = 0; i < PageWriter::kInlinePages; ++i)
      writer.Submit(dir_ + "warm/" + std::to_string(i) + ".html", "warm", 0);
    writer.Drain();
  }
  // Has `writer` add the tag of each page it reports to `tags`, every page
  // expected to be written.
  static void CollectTags(PageWriter& writer, std::vector<uint32_t>& tags) {
    writer.OnWritten([&tags](const PageWriter::Written& page) {
      EXPECT_TRUE(page.Ok) << page.Path;
      tags.push_back(page.Tag);
    });
  }
  void TearDown() override { fs::remove_all(dir_); }

  const std::string dir_ = DataDir() + "page-writer-test/";
  PageWriter writer_;
  std::vector<Report> reports_;
};

// Pages are written in the order given, into folders made as needed, and
// reported in that order, never more than kDepth of them unreported after
// a page is given; a page that cannot be written is reported with the
// system's reason and does not stop the others.
TEST_F(PageWriterTest, WritesAndReportsInOrder) {
  WriteFileBytes(dir_ + "file", "a file where a folder should be");
  std::vector<Report> expected;
  for (uint32_t i = 0; i < 20; ++i) {
    std::string path = i == 7 ? dir_ + "file/p7.html" : dir_ + "sub" + std::to_string(i % 3) + "/p" +
                                                            std::to_string(i) + ".html";
    writer_.Submit(path, "page " + std::to_string(i), i);
    expected.push_back(Report{path, i, i != 7, i == 7 ? ENOTDIR : 0, FileStamp{}});
    EXPECT_LE(i + 1 - reports_.size(), PageWriter::kDepth);
  }
  writer_.Drain();
  // Each page written is reported with the stamp its file has.
  for (uint32_t i = 0; i < 20; ++i) {
    if (i == 7) continue;
    EXPECT_EQ(ReadFileBytes(expected[i].path), "page " + std::to_string(i));
    EXPECT_TRUE(StatFile(expected[i].path, expected[i].stamp));
  }
  EXPECT_EQ(reports_, expected);
}

// Before the build looks at a file, a page still to be written under the
// same file name (in any folder, in any letter case) is written, and every
// write is reported; other names leave the writes under way.
TEST_F(PageWriterTest, SettleWaitsOnlyForTheSameName) {
  writer_.Submit(dir_ + "a.html", "a", 1);
  writer_.Submit(dir_ + "b.html", "b", 2);
  writer_.Settle(dir_ + "c.html");
  writer_.Settle("b.htm");
  EXPECT_TRUE(reports_.empty());
  writer_.Settle("/elsewhere/B.HTML");
  ASSERT_EQ(reports_.size(), 2u);
  EXPECT_EQ(ReadFileBytes(dir_ + "b.html"), "b");
  writer_.Settle(dir_ + "b.html");  // nothing left: nothing more reported
  EXPECT_EQ(reports_.size(), 2u);
}

// The same page given twice ends with the later text.
TEST_F(PageWriterTest, TheLaterTextOfAPageStays) {
  for (int round = 0; round < 3; ++round) {
    writer_.Submit(dir_ + "twice.html", "first", 0);
    writer_.Submit(dir_ + "twice.html", "second", 1);
    writer_.Drain();
    EXPECT_EQ(ReadFileBytes(dir_ + "twice.html"), "second");
  }
}

// While the writer's thread is busy the build writes pages itself: reports
// still come in the order given, and of pages of one file name given close
// together the last one's text stays, whichever thread wrote each.
TEST_F(PageWriterTest, PagesOfOneNameKeepTheirOrderWhicheverThreadWritesThem) {
  uint32_t tag = 0;
  for (int round = 0; round < 300; ++round) {
    // A long text, other pages, then a short text of the same name: the
    // long one takes longer to write.
    const std::string name = dir_ + "n" + std::to_string(round % 5) + ".html";
    writer_.Submit(name, std::string(200000, 'x'), tag++);
    for (int other = 0; other < round % 4; ++other)
      writer_.Submit(dir_ + "o" + std::to_string(other) + ".html", "other", tag++);
    writer_.Submit(name, "round " + std::to_string(round), tag++);
    if (round % 10 == 9) {
      writer_.Drain();
      for (int r = round - 4; r <= round; ++r)
        EXPECT_EQ(ReadFileBytes(dir_ + "n" + std::to_string(r % 5) + ".html"), "round " + std::to_string(r));
    }
  }
  ASSERT_EQ(reports_.size(), tag);
  for (uint32_t i = 0; i < tag; ++i) {
    EXPECT_EQ(reports_[i].tag, i);
    EXPECT_TRUE(reports_[i].ok) << reports_[i].path;
  }
}

// The writer's thread is kept off the build's processor, but the build's
// thread may move onto the writer's, or the process may have one processor
// for both: every page is still written and reported in order.
TEST_F(PageWriterTest, PagesAreWrittenWhenBothThreadsShareOneProcessor) {
  const test::SavedAffinity affinity;  // the test's own processors, put back however it ends
  const cpu_set_t& saved = affinity.Saved();
  const auto all_but_here = [&saved] {
    cpu_set_t rest = saved;
    if (CPU_COUNT(&rest) > 1) CPU_CLR(sched_getcpu(), &rest);
    return rest;
  };
  const struct {
    const char* name;
    bool before_start;  // the build's processors are set before the writer's thread starts
    std::function<cpu_set_t()> processors;
  } cases[] = {
      {"one processor for the process", true, test::ThisProcessorOnly},
      {"the build moved onto the writer's processors", false, all_but_here},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint32_t> tags;
    PageWriter writer;
    CollectTags(writer, tags);
    Warm(writer);
    const cpu_set_t set = c.processors();
    if (c.before_start) {
      ASSERT_EQ(pthread_setaffinity_np(pthread_self(), sizeof set, &set), 0);
    }
    writer.Submit(dir_ + "start.html", "start", 0);
    if (!c.before_start) {
      ASSERT_EQ(pthread_setaffinity_np(pthread_self(), sizeof set, &set), 0);
    }
    for (uint32_t i = 1; i < 400; ++i)
      writer.Submit(dir_ + "shared" + std::to_string(i % 50) + ".html", std::to_string(i), i);
    writer.Drain();
    affinity.Restore();
    ASSERT_EQ(tags.size(), PageWriter::kInlinePages + 400u);
    for (uint32_t i = 0; i < 400; ++i) EXPECT_EQ(tags[PageWriter::kInlinePages + i], i);
    for (uint32_t i = 350; i < 400; ++i)
      EXPECT_EQ(ReadFileBytes(dir_ + "shared" + std::to_string(i % 50) + ".html"), std::to_string(i));
  }
}

// A writer told of a build of kInlinePages pages or more writes on its
// thread from the first page; one told of fewer, or of none, after the
// first kInlinePages; the pages come out alike either way.
TEST_F(PageWriterTest, AnExpectedLargeBuildIsWrittenOnTheThreadFromItsFirstPage) {
  const struct {
    const char* name;
    bool expect;
    uint32_t expected;
    bool threaded_at_once;
  } cases[] = {
      {"told of kInlinePages", true, PageWriter::kInlinePages, true},
      {"told of fewer", true, PageWriter::kInlinePages - 1, false},
      {"told nothing", false, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint32_t> tags;
    PageWriter writer;
    CollectTags(writer, tags);
    if (c.expect) writer.Expect(c.expected);
    EXPECT_EQ(writer.Threaded(), c.threaded_at_once);
    const uint32_t pages = PageWriter::kInlinePages + 10;
    for (uint32_t i = 0; i < pages; ++i) {
      writer.Submit(dir_ + "p" + std::to_string(i) + ".html", std::to_string(i), i);
      EXPECT_EQ(writer.Threaded(), c.threaded_at_once || i + 1 > PageWriter::kInlinePages) << i;
    }
    writer.Drain();
    ASSERT_EQ(tags.size(), pages);
    for (uint32_t i = 0; i < pages; ++i) {
      EXPECT_EQ(tags[i], i);
      EXPECT_EQ(ReadFileBytes(dir_ + "p" + std::to_string(i) + ".html"), std::to_string(i));
    }
  }
}

// A report that throws leaves Submit with the page given still written;
// the next Drain reports the rest.
TEST_F(PageWriterTest, AThrowingReportLosesNoPage) {
  int calls = 0;
  writer_.OnWritten([&calls](const PageWriter::Written&) {
    if (++calls == 1) throw std::runtime_error("report failed");
  });
  for (uint32_t i = 0; i < PageWriter::kDepth; ++i) writer_.Submit(dir_ + std::to_string(i) + ".html", "x", i);
  EXPECT_THROW(writer_.Submit(dir_ + "last.html", "last", 9), std::runtime_error);
  writer_.Drain();
  EXPECT_EQ(calls, static_cast<int>(PageWriter::kDepth) + 1);
  EXPECT_EQ(ReadFileBytes(dir_ + "last.html"), "last");
}

// Staged pages stay out of sight until the build looks at the output
// folder, at a file in it or at a folder above it, or outside code is about
// to run; each report's stamp is the stamp of the page in its place, and
// pages given later are written in place. Two pages of one name end with
// the later text there too.
TEST_F(PageWriterTest, StagedPagesAppearTogetherWhenTheBuildLooks) {
  const std::string out = dir_ + "site/out";
  fs::create_directories(dir_ + "site/src");
  const std::vector<std::function<void(PageWriter&)>> looks = {
      [&](PageWriter& writer) { writer.Settle(out + "/sub/b.html"); },
      [&](PageWriter& writer) { writer.SettleName(out + "/b.html"); },
      [&](PageWriter& writer) { writer.Settle(dir_ + "site"); },
      [](PageWriter& writer) { writer.OutsideCodeRuns(); },
      [](PageWriter& writer) { writer.Publish(); },
  };
  for (const auto& look : looks) {
    fs::remove_all(out);
    writer_.StageOutput(out);
    writer_.Submit(out + "/a.html", "first", 1);
    writer_.Submit(out + "/sub/b.html", "b", 2);
    writer_.Submit(out + "/a.html", "second", 3);
    writer_.Drain();
    writer_.Settle(dir_ + "site/src/a.hts");
    writer_.Settle(out + "-old/a.html");
    EXPECT_FALSE(fs::exists(out));
    look(writer_);
    EXPECT_EQ(ReadFileBytes(out + "/a.html"), "second");
    EXPECT_EQ(ReadFileBytes(out + "/sub/b.html"), "b");
    ASSERT_EQ(reports_.size(), 3u);
    FileStamp stamp;
    EXPECT_TRUE(StatFile(out + "/sub/b.html", stamp));
    EXPECT_EQ(reports_[1].stamp, stamp);
    writer_.Submit(out + "/c.html", "c", 4);
    writer_.Drain();
    EXPECT_EQ(ReadFileBytes(out + "/c.html"), "c");
    reports_.clear();
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_ + "site"), fs::directory_iterator()), 2)
        << "nothing left beside the output folder";
  }
}

// A look that finds no file publishes staged pages only when the path may
// lead to one of them through a link.
TEST_F(PageWriterTest, AMissingFileOnlyPublishesWhenItMayLeadToAStagedPage) {
  const std::string out = dir_ + "out";
  fs::create_directories(dir_ + "src");
  fs::create_symlink(out + "/a.html", dir_ + "src/to-a.html");
  fs::create_directory_symlink(out, dir_ + "to-out");
  const struct {
    std::string missing;
    bool publishes, found;
  } cases[] = {
      {dir_ + "src/none.html", false, false},  // a file simply missing from its folder
      {dir_ + "src/to-a.html", true, true},    // a link that leads nowhere yet
      {dir_ + "to-out/a.html", true, true},    // through a link to the missing folder
      {dir_ + "no/such/a.html", true, false},  // through a folder that cannot be reached
  };
  for (const auto& c : cases) {
    fs::remove_all(out);
    writer_.StageOutput(out);
    writer_.Submit(out + "/a.html", "a", 1);
    FileStamp stamp;
    EXPECT_EQ(writer_.StatSettled(c.missing, stamp), c.found) << c.missing;
    EXPECT_EQ(fs::exists(out + "/a.html"), c.publishes) << c.missing;
    writer_.Publish();
    reports_.clear();
  }
}

// A writer that goes away with staged pages leaves them in their place.
TEST_F(PageWriterTest, StagedPagesTakeTheirPlaceWhenTheWriterGoes) {
  const std::string out = dir_ + "out";
  {
    PageWriter writer;
    Warm(writer);
    writer.StageOutput(out);
    writer.Submit(out + "/gone.html", "g", 0);
  }
  EXPECT_EQ(ReadFileBytes(out + "/gone.html"), "g");
}

// A writer that goes away finishes the writes given to it.
TEST_F(PageWriterTest, PagesGivenAreWrittenWhenTheWriterGoes) {
  {
    PageWriter writer;
    Warm(writer);
    for (int i = 0; i < 3; ++i) writer.Submit(dir_ + "gone" + std::to_string(i) + ".html", "g", 0);
  }
  for (int i = 0; i < 3; ++i) EXPECT_EQ(ReadFileBytes(dir_ + "gone" + std::to_string(i) + ".html"), "g");
}

}  // namespace
}  // namespace orv
