// The Windows file operations, in a folder whose name the code page cannot
// hold.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "base/file_io.h"
#include "base/windows_text.h"
#include "support/temp_folder.h"

namespace {

class FileIoWindows : public testing::Test {
 protected:
  void SetUp() override {
    folder = top.file("Città Λ€");
    ASSERT_TRUE(std::filesystem::create_directory(utf8_path(folder)));
  }
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(utf8_path(folder))) {
      std::u8string n = e.path().filename().u8string();
      out.emplace_back(n.begin(), n.end());
    }
    return out;
  }
  temp_folder top;
  std::string folder;
};

TEST_F(FileIoWindows, ReplaceWritesANewFileAndReplacesALongerOneWhole) {
  std::string path = folder + "\\Più_linea.dat";
  ASSERT_TRUE(replace_file(path, std::string(1000, 'x')).ok());
  EXPECT_EQ(read_bytes(path), std::string(1000, 'x'));
  Status s = replace_file(path, std::string("ab\0c\r\n", 6));
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(read_bytes(path), std::string("ab\0c\r\n", 6)) << "no text-mode translation";
  EXPECT_EQ(names(), std::vector<std::string>{"Più_linea.dat"}) << "no temporary left";
}

// Pieces land at their offsets, in any order; a writer that fails midway
// leaves the old file whole and no temporary file.
TEST_F(FileIoWindows, PiecesAtTheirOffsetsAndAWriterFailingMidway) {
  std::string path = folder + "\\Più.dat";
  ASSERT_TRUE(replace_file_in_pieces(path, [](const file_out& f) {
                Status s = write_at(f, 5, "world");
                if (s.ok()) s = write_at(f, 0, "hello");
                return s;
              }).ok());
  EXPECT_EQ(read_bytes(path), "helloworld");
  Status s = replace_file_in_pieces(path, [&](const file_out& f) {
    EXPECT_TRUE(write_at(f, 0, "new").ok());
    return Status::failure("cannot compute", path, "no reason");
  });
  EXPECT_EQ(s.message(), "cannot compute '" + path + "': no reason");
  EXPECT_EQ(read_bytes(path), "helloworld");
  EXPECT_EQ(names(), std::vector<std::string>{"Più.dat"});
}

TEST_F(FileIoWindows, AFolderInTheWayFailsAndLeavesNoTemporaryFile) {
  std::string path = folder + "\\taken";
  ASSERT_TRUE(std::filesystem::create_directory(utf8_path(path)));
  Status s = replace_file(path, "data");
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.message(), "cannot replace '" + path + "': Permission denied");
  EXPECT_EQ(names(), std::vector<std::string>{"taken"});
}

TEST_F(FileIoWindows, ReadExistsRemove) {
  std::string path = folder + "/Più-.txt";  // either separator works
  std::string bytes;
  Status missing = read_file(path, bytes);
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.message(), "cannot open '" + path + "': No such file or directory");
  EXPECT_FALSE(file_exists(path));
  EXPECT_TRUE(remove_file(path).ok()) << "a missing file is no failure";
  EXPECT_TRUE(remove_file(folder + "\\missing\\x.txt").ok()) << "nor a missing folder";
  EXPECT_FALSE(file_exists(folder)) << "a folder is no file";

  write_bytes(path, "riga\r\n");
  EXPECT_TRUE(file_exists(path));
  ASSERT_TRUE(read_file(path, bytes).ok());
  EXPECT_EQ(bytes, "riga\r\n");
  ASSERT_TRUE(remove_file(path).ok());
  EXPECT_FALSE(file_exists(path));
  EXPECT_TRUE(names().empty());
}

TEST_F(FileIoWindows, AFileInUseIsNamedInTheSystemsWords) {
  std::string path = folder + "\\open.txt";
  write_bytes(path, "x");
  HANDLE h = ::CreateFileW(utf16(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  std::string bytes;
  Status s = read_file(path, bytes);
  ::CloseHandle(h);
  ASSERT_FALSE(s.ok());
  // A reason the other systems have no word for: one line, no full stop.
  EXPECT_EQ(s.message().rfind("cannot open '" + path + "': ", 0), 0u) << s.message();
  EXPECT_EQ(s.message().find_first_of("\r\n"), std::string::npos) << s.message();
  EXPECT_NE(s.message().back(), '.') << s.message();
  EXPECT_EQ(s.message().find("Permission denied"), std::string::npos) << s.message();
}

}  // namespace
