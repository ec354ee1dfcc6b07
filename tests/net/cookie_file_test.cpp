#include "net/cookie_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace panscout {
namespace {

std::filesystem::path Scratch() {
  auto dir = std::filesystem::path(::testing::TempDir()) / ("panscout-cookies-" + std::to_string(getpid()));
  std::filesystem::remove_all(dir);
  return dir / "panscout" / "cookies.txt";
}

TEST(CookieFile, PersistentCookiesComeBackAsTheyWereAndSessionCookiesDoNot) {
  const std::filesystem::path file = Scratch();
  {
    CookieStore store;
    store.Store("http://www.example.com", "host", "1; Max-Age=600");
    store.Store("http://www.example.com", "wide", "2; Domain=example.com; Path=/p; Secure; HttpOnly; Max-Age=600");
    store.Store("http://www.example.com", "", "bare; Max-Age=600");
    store.Store("http://www.example.com", "session", "3");
    store.Store("http://www.example.com", "tab", "a\tb; Max-Age=600");
    ASSERT_TRUE(SaveCookies(store, file));
  }
  struct stat info {};
  ASSERT_EQ(stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file.parent_path()), {}), 1);
  std::ofstream(file, std::ios::app) << "broken line\n.example.com\tTRUE\t/\tFALSE\t1\told\tx\n";

  CookieStore store;
  LoadCookies(store, file);
  EXPECT_EQ(store.CookieLineFor("http://www.example.com", "/"), "host=1; bare");
  EXPECT_EQ(store.CookieLineFor("https://a.example.com", "/p"), "wide=2");
  std::vector<CookieStore::Cookie> kept = store.Persistent();
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_TRUE(kept[1].httpOnly && kept[1].secure && !kept[1].hostOnly);
  std::filesystem::remove_all(file.parent_path().parent_path());
}

TEST(CookieFile, AnUnchangedFileIsNotWrittenAgain) {
  const std::filesystem::path file = Scratch();
  CookieStore store;
  store.Store("http://www.example.com", "a", "1; Max-Age=600");
  auto inode = [&] {
    struct stat info {};
    stat(file.c_str(), &info);
    return info.st_ino;
  };
  ASSERT_TRUE(SaveCookies(store, file));
  const auto first = inode();
  ASSERT_TRUE(SaveCookies(store, file));
  EXPECT_EQ(inode(), first);  // a new file would have come by a rename
  store.Store("http://www.example.com", "b", "2; Max-Age=600");
  ASSERT_TRUE(SaveCookies(store, file));
  EXPECT_NE(inode(), first);
  std::filesystem::remove_all(file.parent_path().parent_path());
}

TEST(CookieFile, AFileThatCannotBeWrittenIsSaidSo) {
  CookieStore store;
  EXPECT_FALSE(SaveCookies(store, "/proc/panscout/cookies.txt"));
  LoadCookies(store, "/nonexistent/cookies.txt");
  EXPECT_TRUE(store.Persistent().empty());
}

}  // namespace
}  // namespace panscout
