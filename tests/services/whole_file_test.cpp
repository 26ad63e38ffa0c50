// Whole-file reading and writing: the failure rules and the atomic
// replacement.
#include "services/whole_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace sorvane {
namespace {

// A fresh folder per test, removed with its contents afterwards.
class WholeFile : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/services-test-XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override {
    const std::string cmd = "chmod -R u+w '" + dir_ + "' && rm -rf '" + dir_ + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
  }

  std::string path(const std::string& name) const { return dir_ + "/" + name; }

  static void put(const std::string& p, const std::string& bytes) {
    FILE* f = std::fopen(p.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
    ASSERT_EQ(std::fclose(f), 0);
  }

  static std::string contents(const std::string& p) {
    FILE* f = std::fopen(p.c_str(), "rb");
    if (f == nullptr) return "<missing>";
    std::string s;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    std::fclose(f);
    return s;
  }

  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    DIR* d = ::opendir(dir_.c_str());
    while (dirent* e = ::readdir(d)) {
      const std::string n = e->d_name;
      if (n != "." && n != "..") names.push_back(n);
    }
    ::closedir(d);
    return names;
  }

  static ByteBuffer bytes(const std::string& s) { return ByteBuffer(s.begin(), s.end()); }

  std::string dir_;
};

TEST_F(WholeFile, ReadGivesEmptyBufferForNoData) {
  put(path("empty.bin"), "");
  EXPECT_TRUE(read_whole_file("").empty());
  EXPECT_TRUE(read_whole_file(path("missing.bin")).empty());
  EXPECT_TRUE(read_whole_file(path("empty.bin")).empty());
  EXPECT_TRUE(read_whole_file(dir_).empty());  // a folder
  EXPECT_EQ(entries().size(), 1u) << "reading created a file";
}

TEST_F(WholeFile, ReadGivesWholeContents) {
  std::string data(100000, '\0');
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7);
  put(path("data.bin"), data);
  EXPECT_EQ(read_whole_file(path("data.bin")), bytes(data));
}

TEST_F(WholeFile, FileOfTwoGiBOrMoreIsEmptyNotWrapped) {
  // Sparse, so it takes no disk space; its length does not fit a signed
  // 32-bit count.
  const int fd = ::open(path("huge.bin").c_str(), O_WRONLY | O_CREAT, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, off_t{1} << 31), 0);
  ::close(fd);
  EXPECT_TRUE(read_whole_file(path("huge.bin")).empty());
}

TEST_F(WholeFile, ReadOfFileLockedForWritingIsEmpty) {
  put(path("locked.bin"), "abc");
  // flock locks belong to open file descriptions, so a second open in this
  // process stands for another program.
  const int fd = ::open(path("locked.bin").c_str(), O_RDWR);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
  EXPECT_TRUE(read_whole_file(path("locked.bin")).empty());
  ::close(fd);
  EXPECT_EQ(read_whole_file(path("locked.bin")), bytes("abc"));
}

TEST_F(WholeFile, ChineseNamesWork) {
  const std::string name = path("保存的图片 第1张.jpg");
  EXPECT_TRUE(write_whole_file(name, bytes("BM\x01\x02")));
  EXPECT_EQ(contents(name), "BM\x01\x02");
  EXPECT_EQ(read_whole_file(name), bytes("BM\x01\x02"));
}

TEST_F(WholeFile, NamesLongerThanTheOldLimitWork) {
  // 300 bytes of path, past the 259 of a fixed-size name buffer.
  const std::string sub = path(std::string(200, 'd'));
  ASSERT_EQ(::mkdir(sub.c_str(), 0755), 0);
  const std::string name = sub + "/" + std::string(60, 'n') + "图片图片图片图片图片图片图片图片图片图片.bmp";
  ASSERT_GT(name.size(), 300u);
  EXPECT_TRUE(write_whole_file(name, bytes("xyz")));
  EXPECT_EQ(read_whole_file(name), bytes("xyz"));
}

TEST_F(WholeFile, OneEmptyBufferMakesZeroByteFile) {
  EXPECT_TRUE(write_whole_file(path("new.bmp"), ByteBuffer{}));
  EXPECT_EQ(contents(path("new.bmp")), "");
  put(path("old.bmp"), "old contents");
  EXPECT_TRUE(write_whole_file(path("old.bmp"), ByteBuffer{}));
  EXPECT_EQ(contents(path("old.bmp")), "");
}

TEST_F(WholeFile, BuffersAreWrittenInOrder) {
  const ByteBuffer a = bytes("first,"), none, b = bytes("second,"), c = bytes("third");
  EXPECT_TRUE(write_whole_file(path("joined.bin"), {a, none, b, c}));
  EXPECT_EQ(contents(path("joined.bin")), "first,second,third");
}

TEST_F(WholeFile, EmptyNameIsRefusedAndCreatesNothing) {
  EXPECT_FALSE(write_whole_file("", bytes("x")));
  EXPECT_TRUE(entries().empty());
}

TEST_F(WholeFile, MissingFolderIsRefused) {
  EXPECT_FALSE(write_whole_file(path("no/such/folder.bmp"), bytes("x")));
  EXPECT_TRUE(entries().empty());
}

TEST_F(WholeFile, ReadOnlyTargetIsLeftUnchanged) {
  put(path("ro.bmp"), "keep me");
  ASSERT_EQ(::chmod(path("ro.bmp").c_str(), 0444), 0);
  EXPECT_FALSE(write_whole_file(path("ro.bmp"), bytes("new")));
  EXPECT_EQ(contents(path("ro.bmp")), "keep me");
  EXPECT_EQ(entries().size(), 1u) << "a temporary file was left behind";
}

TEST_F(WholeFile, TargetLockedByAnotherProgramIsLeftUnchanged) {
  put(path("busy.bmp"), "in use");
  const int fd = ::open(path("busy.bmp").c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_SH), 0);  // a reader holds it
  EXPECT_FALSE(write_whole_file(path("busy.bmp"), bytes("new")));
  ::close(fd);
  EXPECT_EQ(contents(path("busy.bmp")), "in use");
  EXPECT_TRUE(write_whole_file(path("busy.bmp"), bytes("new")));
  EXPECT_EQ(contents(path("busy.bmp")), "new");
}

TEST_F(WholeFile, ReplacementKeepsPermissions) {
  put(path("mode.bmp"), "old");
  ASSERT_EQ(::chmod(path("mode.bmp").c_str(), 0640), 0);
  EXPECT_TRUE(write_whole_file(path("mode.bmp"), bytes("new")));
  struct stat st;
  ASSERT_EQ(::stat(path("mode.bmp").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(WholeFile, WriteThroughLinkReplacesLinkedFile) {
  put(path("real.bmp"), "old");
  ASSERT_EQ(::symlink("real.bmp", path("link.bmp").c_str()), 0);
  EXPECT_TRUE(write_whole_file(path("link.bmp"), bytes("new")));
  struct stat st;
  ASSERT_EQ(::lstat(path("link.bmp").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(contents(path("real.bmp")), "new");
}

// The disk refusing bytes part way through: a file-size limit makes the
// system take only the first 4096 bytes of the write.
class WriteFailingMidway : public WholeFile {
 protected:
  void SetUp() override {
    WholeFile::SetUp();
    old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old_limit_), 0);
  }
  void TearDown() override {
    ::setrlimit(RLIMIT_FSIZE, &old_limit_);
    std::signal(SIGXFSZ, old_handler_);
    WholeFile::TearDown();
  }
  void limit_file_size(rlim_t bytes) {
    rlimit l = old_limit_;
    l.rlim_cur = bytes;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &l), 0);
  }
  rlimit old_limit_{};
  void (*old_handler_)(int) = SIG_DFL;
};

TEST_F(WriteFailingMidway, OldFileStaysIntactAndNoTemporaryRemains) {
  put(path("picture.bmp"), "the picture saved last time");
  limit_file_size(4096);
  const ByteBuffer big(10000, 0x42);
  EXPECT_FALSE(write_whole_file(path("picture.bmp"), big));
  EXPECT_FALSE(write_whole_file(path("fresh.bmp"), big));
  ::setrlimit(RLIMIT_FSIZE, &old_limit_);
  EXPECT_EQ(contents(path("picture.bmp")), "the picture saved last time");
  EXPECT_EQ(entries(), std::vector<std::string>{"picture.bmp"});
}

}  // namespace
}  // namespace sorvane
