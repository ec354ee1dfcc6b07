#include "app/temp_directory.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ad_test_support.h"
#include "runtime/codepage.h"

namespace panscout {
namespace {

using testing::ScratchDir;

// Points XDG_RUNTIME_DIR and TMPDIR into a scratch directory for one test.
class ForUserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(Runtime());
    std::filesystem::create_directory(Tmp());
    for (const char* name : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
      const char* old = std::getenv(name);
      saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    }
    setenv("XDG_RUNTIME_DIR", Runtime().c_str(), 1);
    setenv("TMPDIR", Tmp().c_str(), 1);
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name, value->c_str(), 1);
      } else {
        unsetenv(name);
      }
    }
  }
  std::filesystem::path Runtime() const { return scratch_.root() / "run"; }
  std::filesystem::path Tmp() const { return scratch_.root() / "tmp"; }
  std::filesystem::path InRuntime() const { return Runtime() / "panscout"; }
  std::filesystem::path InTmp() const { return Tmp() / ("panscout-" + std::to_string(geteuid())); }

  ScratchDir scratch_;
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

TEST_F(ForUserTest, CreatesADirectoryOnlyTheUserCanEnter) {
  std::optional<TempDirectory> temp = TempDirectory::ForUser();
  ASSERT_TRUE(temp);
  EXPECT_EQ(temp->path(), InRuntime());
  struct stat st {};
  ASSERT_EQ(stat(InRuntime().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  // A second run uses the same directory.
  EXPECT_EQ(TempDirectory::ForUser()->path(), InRuntime());
}

TEST_F(ForUserTest, WithoutAUsableRuntimeDirectoryTheSharedOneGetsAPrivateSubdirectory) {
  std::filesystem::remove(Runtime());
  ASSERT_EQ(TempDirectory::ForUser()->path(), InTmp());
  struct stat st {};
  ASSERT_EQ(stat(InTmp().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(ForUserTest, RefusesADirectoryOthersCanReachOrALink) {
  ASSERT_EQ(mkdir(InRuntime().c_str(), 0700), 0);
  chmod(InRuntime().c_str(), 0755);
  std::filesystem::create_directory(scratch_.root() / "elsewhere");
  chmod((scratch_.root() / "elsewhere").c_str(), 0700);
  std::filesystem::create_directory_symlink(scratch_.root() / "elsewhere", InTmp());
  EXPECT_FALSE(TempDirectory::ForUser());
}

TEST(TempDirectoryTest, FileNamesThatCouldLeadElsewhereAreRefused) {
  TempDirectory temp("/base");
  for (const Text& name : {Text(""), Text("."), Text(".."), Text("../x.png"), Text("a/b.png"),
                           Text("/etc/passwd"), Text("a\\b.png"), Text("..\\x.png"), Text("x..png")}) {
    EXPECT_FALSE(temp.FileNamed(name)) << name;
  }
  EXPECT_EQ(temp.FileNamed(Gbk("图1.png")), std::filesystem::path("/base/图1.png"));
  // 0x5C here is the second byte of a character, not a separator.
  const Text trailBackslash = "\x81\x5C.png";
  ASSERT_TRUE(temp.FileNamed(trailBackslash));
  EXPECT_EQ(temp.FileNamed(trailBackslash)->parent_path(), "/base");
}

TEST(WriteFileAtomicallyTest, ReplacesTheWholeFileAndLeavesNothingElse) {
  ScratchDir scratch;
  std::filesystem::path file = scratch.root() / "f.ini";
  ASSERT_TRUE(WriteFileAtomically(file, Bytes(std::string(5000, 'x'))));
  ASSERT_TRUE(WriteFileAtomically(file, Bytes(std::string("a\0b", 3))));
  EXPECT_EQ(ReadWholeFile(file), Bytes(std::string("a\0b", 3)));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.root()), {}), 1);
  EXPECT_FALSE(WriteFileAtomically(scratch.root() / "missing" / "f.ini", Bytes("x")));
  EXPECT_EQ(ReadWholeFile(scratch.root() / "missing.ini"), Bytes());
}

TEST(ReplaceFileTest, SaysWhyAndKeepsTheOldFileWhenTheWriteFails) {
  ScratchDir scratch;
  std::filesystem::path file = scratch.root() / "f.txt";
  ASSERT_EQ(ReplaceFile(file, Bytes("old"), true), std::nullopt);
  struct stat st {};
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  std::optional<std::string> missing = ReplaceFile(scratch.root() / "missing" / "f.txt", Bytes("x"));
  ASSERT_TRUE(missing);
  EXPECT_FALSE(missing->empty());
  // A directory stands where the file should go: nothing of the write is left.
  std::filesystem::create_directory(scratch.root() / "dir");
  EXPECT_TRUE(ReplaceFile(scratch.root() / "dir", Bytes("x")));
  EXPECT_TRUE(std::filesystem::is_directory(scratch.root() / "dir"));
  EXPECT_EQ(ReadWholeFile(file), Bytes("old"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.root()), {}), 2);
  // A file not for the owner alone keeps the mode it had.
  chmod(file.c_str(), 0640);
  ASSERT_EQ(ReplaceFile(file, Bytes("new")), std::nullopt);
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

}  // namespace
}  // namespace panscout
