#include "base/file_io.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <new>
#include <thread>

#include "support/temp_folder.h"

namespace {

TEST(ReplaceFile, NewImageReplacesALongerFileWhole) {
  temp_folder dir;
  std::string path = dir.file("a.dat");
  write_bytes(path, std::string(1000, 'x'));
  ASSERT_TRUE(replace_file(path, std::string("ab\0c", 4)).ok());
  EXPECT_EQ(read_bytes(path), std::string("ab\0c", 4));
  ASSERT_TRUE(replace_file(path, "").ok());
  EXPECT_EQ(read_bytes(path), "");
  EXPECT_EQ(dir.files(), std::vector<std::string>{"a.dat"});
}

TEST(ReplaceFile, AFolderInTheWayFailsAndLeavesNoTemporaryFile) {
  temp_folder dir;
  ASSERT_EQ(::mkdir(dir.file("taken").c_str(), 0755), 0);
  Status s = replace_file(dir.file("taken"), "data");
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.message().rfind("cannot replace '" + dir.file("taken") + "': ", 0), 0u)
      << s.message();
  EXPECT_TRUE(dir.files().empty());
}

// A pipe stands for any node that is no file (a device such as /dev/null
// is one too): it is refused, not replaced by a file.
TEST(ReplaceFile, APipeInTheWayIsRefusedAndKeptAsItIs) {
  temp_folder dir;
  const std::string path = dir.file("pipe");
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  Status s = replace_file(path, "data");
  EXPECT_EQ(s.message(), "cannot replace '" + path + "': not a regular file");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_TRUE(dir.files().empty()) << "no temporary file left";
}

TEST(ReplaceFile, AWriteFailingMidwayNamesTheFileAndKeepsTheOldOne) {
  temp_folder dir;
  std::string path = dir.file("c.dat");
  write_bytes(path, "old");
  // A file size limit of 4096 bytes stops an 8192-byte image midway.
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  Status s = replace_file(path, std::string(8192, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, old_handler);

  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.message(), "cannot write '" + path + "': File too large");
  EXPECT_EQ(read_bytes(path), "old");
  EXPECT_EQ(dir.files(), std::vector<std::string>{"c.dat"});
}

TEST(ReplaceFile, PiecesAtTheirOffsetsMakeTheFile) {
  temp_folder dir;
  const std::string path = dir.file("d.dat");
  write_bytes(path, std::string(100, 'x'));
  ASSERT_TRUE(replace_file_in_pieces(path, [](const file_out& f) {
                Status s = write_at(f, 5, "world");
                if (s.ok()) s = write_at(f, 0, "hello");
                return s;
              }).ok());
  EXPECT_EQ(read_bytes(path), "helloworld");
  EXPECT_EQ(dir.files(), std::vector<std::string>{"d.dat"});
}

// A writer that stops after a first piece, by a failure or by an exception:
// the old file stays whole and the temporary one goes.
TEST(ReplaceFile, AWriterStoppingMidwayKeepsTheOldFile) {
  temp_folder dir;
  const std::string path = dir.file("e.dat");
  write_bytes(path, "old");
  Status s = replace_file_in_pieces(path, [&](const file_out& f) {
    EXPECT_TRUE(write_at(f, 0, "new").ok());
    return Status::failure("cannot compute", path, "no reason");
  });
  EXPECT_EQ(s.message(), "cannot compute '" + path + "': no reason");
  EXPECT_EQ(read_bytes(path), "old");
  EXPECT_EQ(dir.files(), std::vector<std::string>{"e.dat"});

  EXPECT_THROW(replace_file_in_pieces(path,
                                      [](const file_out& f) -> Status {
                                        (void)write_at(f, 0, "new");
                                        throw std::bad_alloc();
                                      }),
               std::bad_alloc);
  EXPECT_EQ(read_bytes(path), "old");
  EXPECT_EQ(dir.files(), std::vector<std::string>{"e.dat"});
}

// A file whose size is not known beforehand (a pipe: its size reads 0) is
// read to its end, piece by piece.
TEST(FileIo, ReadsAFileOfUnknownSizeToItsEnd) {
  temp_folder dir;
  const std::string path = dir.file("pipe");
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  std::string sent;
  for (int i = 0; i < 3000; ++i) sent += std::to_string(i) + "\r\n";
  std::thread writer([&] { write_bytes(path, sent); });
  std::string bytes;
  const Status s = read_file(path, bytes);
  writer.join();
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(bytes, sent);
}

TEST(FileIo, ReadingAFolderFailsNamingIt) {
  temp_folder dir;
  std::string bytes = "old";
  const Status s = read_file(dir.path(), bytes);
  EXPECT_EQ(s.message(), "cannot read '" + dir.path() + "': Is a directory");
  EXPECT_EQ(bytes, "");
}

TEST(FileIo, ReadExistsRemove) {
  temp_folder dir;
  std::string path = dir.file("b.txt");
  std::string bytes;
  Status missing = read_file(path, bytes);
  EXPECT_FALSE(missing.ok());
  EXPECT_EQ(missing.message(), "cannot open '" + path + "': No such file or directory");
  EXPECT_FALSE(file_exists(path));
  EXPECT_TRUE(remove_file(path).ok()) << "a missing file is no failure";

  write_bytes(path, "riga\r\n");
  EXPECT_TRUE(file_exists(path));
  ASSERT_TRUE(read_file(path, bytes).ok());
  EXPECT_EQ(bytes, "riga\r\n");
  ASSERT_TRUE(remove_file(path).ok());
  EXPECT_FALSE(file_exists(path));
}

}  // namespace
