#include "tool/platform/watch.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>

#include "support/temp_folder.h"

namespace {

using event = document_watch::event;

// How documents change under an editor, each followed; other files of the
// folder are not.
TEST(DocumentWatch, FollowsEverySaveOfTheDocumentsAndNothingElse) {
  temp_folder d;
  write_bytes(d.file("a.txt"), "a");
  write_bytes(d.file("b.txt"), "b");
  document_watch w;
  ASSERT_EQ(w.start({d.file("a.txt"), d.file("b.txt")}), "");
  EXPECT_EQ(w.wait(50), event::timed_out);

  write_bytes(d.file("other.txt"), "x");
  EXPECT_EQ(w.wait(150), event::timed_out) << "another file of the folder";

  const struct {
    const char* how;
    void (*save)(const temp_folder&);
  } saves[] = {
      {"written in place",
       [](const temp_folder& f) { write_bytes(f.file("a.txt"), "a2"); }},
      {"another file renamed over it",
       [](const temp_folder& f) {
         write_bytes(f.file("b.txt.swp"), "b2");
         std::filesystem::rename(utf8_path(f.file("b.txt.swp")),
                                 utf8_path(f.file("b.txt")));
       }},
      {"written in place after a rename",
       [](const temp_folder& f) { write_bytes(f.file("b.txt"), "b3"); }},
      {"removed",
       [](const temp_folder& f) { std::filesystem::remove(utf8_path(f.file("a.txt"))); }},
      {"made again", [](const temp_folder& f) { write_bytes(f.file("a.txt"), "a4"); }},
  };
  for (const auto& s : saves) {
    s.save(d);
    EXPECT_EQ(w.wait(2000), event::changed) << s.how;
    while (w.wait(50) == event::changed) {
    }
  }
}

TEST(DocumentWatch, AFolderThatIsNotThereIsAFailure) {
  temp_folder d;
  document_watch w;
  const std::string failure = w.start({d.file("none/a.txt")});
  EXPECT_NE(failure.find("cannot watch the folder '" + d.file("none") + "'"),
            std::string::npos)
      << failure;
}

#ifndef _WIN32

// A document reached through a link: its own folder is not the one watched.
TEST(DocumentWatch, FollowsADocumentThroughALink) {
  temp_folder d;
  std::filesystem::create_directory(d.file("real"));
  write_bytes(d.file("real/a.txt"), "a");
  ASSERT_EQ(::symlink(d.file("real/a.txt").c_str(), d.file("a.txt").c_str()), 0);
  document_watch w;
  ASSERT_EQ(w.start({d.file("a.txt")}), "");
  EXPECT_EQ(w.wait(50), event::timed_out);
  write_bytes(d.file("real/a.txt"), "b");
  EXPECT_EQ(w.wait(2000), event::changed);
}

// A termination request ends the wait, and the watch leaves the signal as
// it found it.
TEST(DocumentWatch, ATerminationRequestStopsTheWait) {
  temp_folder d;
  write_bytes(d.file("a.txt"), "a");
  struct sigaction before {};
  ::sigaction(SIGTERM, nullptr, &before);
  {
    document_watch w;
    ASSERT_EQ(w.start({d.file("a.txt")}), "");
    std::raise(SIGTERM);
    EXPECT_EQ(w.wait(2000), event::stop);
  }
  struct sigaction after {};
  ::sigaction(SIGTERM, nullptr, &after);
  EXPECT_EQ(after.sa_handler, before.sa_handler);
  // The request was spent with that watch.
  document_watch again;
  ASSERT_EQ(again.start({d.file("a.txt")}), "");
  EXPECT_EQ(again.wait(50), event::timed_out);
}

#endif

}  // namespace
