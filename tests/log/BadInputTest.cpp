// DISPLAY on files a user or a logger may really leave in the logs folder: odd line ends,
// stray bytes, a line of 50 MB, tags spelt wrong, a file that grows while it is read, and
// names that are no regular file. Every case must end promptly and leave the file's bytes
// as they were, but for the one CR LF of each display that got as far as appending.

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "log/LoadLog.h"
#include "support/Deadline.h"
#include "support/LoggerFile.h"
#include "support/TempLogFolder.h"
#include "support/TestDay.h"
#include "viewer/ViewerState.h"

namespace tallyo {
namespace {

using test::TempLogFolder;

double Day(int h, int m, int s) { return (h * 3600 + m * 60 + s) / 86400.0; }

void ReadWhole(const std::string& path, std::string& bytes) {
  std::ifstream f(path, std::ios::binary);
  bytes.resize(std::filesystem::file_size(path));
  f.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class BadInputTest : public ::testing::Test {
 protected:
  BadInputTest() : state_(std::make_unique<ViewerState>()) {}

  DisplayResult Display(std::string_view name) {
    return LoadLog(*state_, DisplayRequest{"00", "00", "23", "59", name, folder_.ProgramFolder()});
  }
  ViewerState& S() { return *state_; }

  TempLogFolder folder_;
  std::unique_ptr<ViewerState> state_;
};

// Only CR LF ends a line. A file written with other line ends is one long line (or a few),
// whose first field of each kind makes at most one record.
TEST_F(BadInputTest, LineEndsOtherThanCrLf) {
  const struct {
    const char* what;
    std::string bytes;
    int records;
    double firstVolts;
  } cases[] = {
      {"LF only", "<T>01:00</T><V>1</V>\n<T>02:00</T><V>2</V>\n", 1, 1},
      {"CR only", "<T>01:00</T><V>1</V>\r<T>02:00</T><V>2</V>\r", 1, 1},
      {"LF CR", "<T>01:00</T><V>1</V>\n\r<T>02:00</T><V>2</V>\n\r", 1, 1},
      {"CR CR LF", "<T>01:00</T><V>1</V>\r\r\n<T>02:00</T><V>2</V>\r\r\n", 2, 1},
      {"no line end at all", "<T>01:00</T><V>1</V><T>02:00</T><V>2</V>", 1, 1},
      {"LF only, no time first", "<V>3</V>\n<T>01:00</T>\n<V>4</V>\n", 1, 3},
      {"only line ends", std::string(1000, '\n') + std::string(1000, '\r'), 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    folder_.WriteLog("day.txt", c.bytes);
    const DisplayResult r = Display("day.txt");
    EXPECT_EQ(r.outcome, c.records ? DisplayOutcome::kLoaded : DisplayOutcome::kNoData);
    EXPECT_EQ(S().recordCount, c.records);
    if (c.records) {
      EXPECT_EQ(S().timeSeries[1], Day(1, 0, 0));
      EXPECT_EQ(S().voltsSeries[1], c.firstVolts);
    }
    // A file that ends inside a line, by a CR or any other byte but LF, gets no CR LF.
    EXPECT_EQ(folder_.ReadLog("day.txt"), c.bytes.back() == '\n' ? c.bytes + "\r\n" : c.bytes);
  }
}

// NUL and bytes above 127 are ordinary characters: around the fields they are free text,
// inside a value they make it unusable.
TEST_F(BadInputTest, NulAndBytesAbove127) {
  std::string everyByte;
  for (int b = 0; b < 256; ++b) everyByte += static_cast<char>(b);        // holds no CR LF
  using namespace std::string_literals;                                   // literals that hold NUL
  const std::string bytes = "\0\xff<T>01:00</T>\x80<V>12.5</V>\0\r\n"s +  // a record, V 12.5
                            "<T>02:00</T><V>1\0"
                            "2</V><I>\xb9</I>\r\n"s +  // V and I unusable: 0
                            "<T>0\0"
                            "3:00</T><V>9</V>\r\n"s +  // time unusable: skipped
                            "<T>04:00</T><W>\xe2\x88\x92"
                            "5</W><R>\xef\xbc\x95</R>\r\n" +  // Unicode minus, digit
                            "<T>05:00</T>" +
                            everyByte + "<S>7</S>\r\n" +  // the S field is found
                            everyByte + "\r\n";           // no time: no record
  folder_.WriteLog("day.txt", bytes);
  ASSERT_EQ(Display("day.txt").outcome, DisplayOutcome::kLoaded);
  ASSERT_EQ(S().recordCount, 4);
  EXPECT_EQ(S().timeSeries[1], Day(1, 0, 0));
  EXPECT_EQ(S().voltsSeries[1], 12.5);
  EXPECT_EQ(S().timeSeries[2], Day(2, 0, 0));
  EXPECT_EQ(S().voltsSeries[2], 0);
  EXPECT_EQ(S().ampsSeries[2], 0);
  EXPECT_EQ(S().timeSeries[3], Day(4, 0, 0));
  EXPECT_EQ(S().wattsSeries[3], 0);
  EXPECT_EQ(S().rpmSeries[3], 0);
  EXPECT_EQ(S().timeSeries[4], Day(5, 0, 0));
  EXPECT_EQ(S().speedSeries[4], 7);
  EXPECT_EQ(folder_.ReadLog("day.txt"), bytes + "\r\n");
}

// A tag is matched exactly: lower case or a blank inside makes the field missing. Without
// its time field a line is no record.
TEST_F(BadInputTest, TagsInLowerCaseOrWithBlanks) {
  const std::string bytes =
      "<t>01:00</t><V>1</V>\r\n"    // no time field: no record
      "< T>01:01</T><V>1</V>\r\n"   // no record
      "<T >01:02</T ><V>1</V>\r\n"  // no record
      "<T>01:03</t><V>1</V>\r\n"    // no close tag: no time field, no record
      "<T>01:04</T><M>1</M>\r\n"    // record 1, M 1
      "<T>01:05</T><v>5</v><V >6</V ><i>7</i>< W>8</W><r>9</r><S>1</ S><m>0</m>\r\n"  // record 2
      "<T> 01:06 </T><V> 6 </V>\r\n";  // blanks around a value are allowed: record 3
  folder_.WriteLog("day.txt", bytes);
  ASSERT_EQ(Display("day.txt").outcome, DisplayOutcome::kLoaded);
  ASSERT_EQ(S().recordCount, 3);
  EXPECT_EQ(S().timeSeries[1], Day(1, 4, 0));
  EXPECT_EQ(S().timeSeries[2], Day(1, 5, 0));
  for (const Series* s :
       {&S().voltsSeries, &S().ampsSeries, &S().wattsSeries, &S().rpmSeries, &S().speedSeries})
    EXPECT_EQ((*s)[2], 0);
  EXPECT_EQ(S().mSeries[2], 1);  // "<m>" is no M field: the M text of record 1 is carried
  EXPECT_EQ(S().timeSeries[3], Day(1, 6, 0));
  EXPECT_EQ(S().voltsSeries[3], 6);
  EXPECT_EQ(folder_.ReadLog("day.txt"), bytes + "\r\n");
}

// 50 MB without a single CR LF is one line. Every search over it is linear, so a display
// takes a fraction of a second; the bound only catches work that grows with the square of
// the length, which would take hours.
TEST_F(BadInputTest, FiftyMegabytesWithoutCrLfIsOneLine) {
  constexpr std::size_t kSize = 50u << 20;
  if (!folder_.HasRoomFor(kSize)) GTEST_SKIP() << "too little free disk for a 50 MB file";
  const struct {
    const char* what;
    std::string head;   // then the filler up to 50 MB, then the tail
    std::string piece;  // the filler, repeated; it never forms CR LF
    std::string tail;
    int records;
    double volts;
  } cases[] = {
      {"a record, then text with lone LFs and CRs", "<T>12:00:00</T><V>5</V>", "\n<\r>x\xff</", "",
       1, 5},
      {"only open brackets", "", "<", "", 0, 0},
      // Far beyond a double: not a number, so 0.
      {"a volts text of 50 MB of digits", "<T>12:00:00</T><V>", "7", "</V>", 1, 0},
      {"the time field at the very end", "", "x<", "<T>12:00:00</T><V>6</V>", 1, 6},
  };
  // One buffer for all cases: fresh 50 MB blocks cost more in page faults than the display.
  std::string bytes;
  bytes.reserve(kSize + 64);
  std::string after;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    bytes.assign(c.head);
    bytes += c.piece;
    const std::size_t fillerEnd = kSize - (kSize - c.head.size()) % c.piece.size();
    while (bytes.size() < fillerEnd) {
      const std::size_t copy = std::min(bytes.size() - c.head.size(), fillerEnd - bytes.size());
      bytes.append(bytes, c.head.size(), copy);  // doubles the filler, within the reserve
    }
    bytes += c.tail;
    ASSERT_EQ(bytes.find("\r\n"), std::string::npos);
    folder_.WriteLog("big.txt", bytes);

    const auto started = std::chrono::steady_clock::now();
    const DisplayResult r = Display("big.txt");
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_LT(seconds, 20.0);
    EXPECT_EQ(r.outcome, c.records ? DisplayOutcome::kLoaded : DisplayOutcome::kNoData);
    EXPECT_EQ(S().recordCount, c.records);
    if (c.records) {
      EXPECT_EQ(S().timeSeries[1], Day(12, 0, 0));
      EXPECT_EQ(S().voltsSeries[1], c.volts);
    }
    // It ends inside its one line and gets no CR LF.
    ReadWhole(folder_.LogPath("big.txt"), after);
    EXPECT_TRUE(after == bytes);  // not EXPECT_EQ: no 50 MB failure message
  }
}

// The logger appends while the viewer is open. A display reads what the file holds at that
// moment; what comes later is read by the next display. A line the logger has only half
// written is read as far as it goes and gets no CR LF, so once the logger has finished it,
// it is one whole record.
TEST_F(BadInputTest, FileThatGrowsBetweenDisplays) {
  std::string expected = "<T>01:00</T><V>1</V>\r\n";
  folder_.WriteLog("day.txt", expected);
  ASSERT_EQ(Display("day.txt").outcome, DisplayOutcome::kLoaded);
  EXPECT_EQ(S().recordCount, 1);
  expected += "\r\n";

  auto append = [&](std::string_view more) {
    std::ofstream f(folder_.LogPath("day.txt"), std::ios::binary | std::ios::app);
    f.write(more.data(), static_cast<std::streamsize>(more.size()));
    expected += more;
  };
  append("<T>01:01</T><V>2</V>\r\n<T>01:02</T><V>3");  // the last line half written
  ASSERT_EQ(Display("day.txt").outcome, DisplayOutcome::kLoaded);
  ASSERT_EQ(S().recordCount, 3);
  EXPECT_EQ(S().voltsSeries[2], 2);
  EXPECT_EQ(S().timeSeries[3], Day(1, 2, 0));
  EXPECT_EQ(S().voltsSeries[3], 0);  // "<V>3" has no close tag yet

  append(".5</V>\r\n<T>01:03</T><V>4</V>\r\n");  // the logger finishes its line
  ASSERT_EQ(Display("day.txt").outcome, DisplayOutcome::kLoaded);
  expected += "\r\n";
  ASSERT_EQ(S().recordCount, 4);
  EXPECT_EQ(S().voltsSeries[3], 3.5);  // the line is whole
  EXPECT_EQ(S().voltsSeries[4], 4);
  EXPECT_EQ(folder_.ReadLog("day.txt"), expected);
}

// A read-only logs folder takes no new file, but the files already in it are appended to
// and shown as usual.
TEST_F(BadInputTest, ReadOnlyFolder) {
  const std::string bytes = "<T>01:00</T><V>1</V>\r\n<T>02:00</T><V>2</V>\r\n";
  folder_.WriteLog("day.txt", bytes);
  if (!folder_.MakeUnwritable(folder_.LogsFolder())) GTEST_SKIP() << "cannot lock a folder";
  ASSERT_EQ(Display("day.txt").outcome, DisplayOutcome::kLoaded);
  EXPECT_EQ(S().recordCount, 2);
  EXPECT_EQ(folder_.ReadLog("day.txt"), bytes + "\r\n");
  const DisplayResult r = Display("new.txt");
  EXPECT_EQ(r.outcome, DisplayOutcome::kFileError);
  EXPECT_EQ(r.message.rfind("Cannot append to the log file \"" + folder_.LogPath("new.txt"), 0),
            0u);
  EXPECT_FALSE(folder_.Exists("new.txt"));
  EXPECT_EQ(S().recordCount, 2);
}

// A logger thread appends whole lines, each with one write, while displays run one after
// the other. Whatever the timing: each display's records are the record lines of what it
// read, and in the end the file holds every logged line whole and in order, with an empty
// line between them for each display that found the file ending with a line end.
TEST_F(BadInputTest, FileThatGrowsDuringTheDisplay) {
  if (!test::ConcurrentAppendsAreWhole()) {
    GTEST_SKIP() << "this system's appends from two handles at once can overwrite each other";
  }
  const std::string first = "<T>00:00:01</T><V>1</V>\r\n";
  folder_.WriteLog("day.txt", first);
  std::atomic<int> written{1};
  // Fewer lines than the record limit; paced so that the displays fall between its writes.
  constexpr int kLines = 9000;
  test::TestThread logger([&](const std::stop_token& stop) {
    test::LoggerFile file(folder_.LogPath("day.txt"));
    ASSERT_TRUE(file.IsOpen());
    for (int k = 2; k <= kLines && !stop.stop_requested(); ++k) {
      char line[64];
      const int n = std::snprintf(line, sizeof line, "<T>%02d:%02d:%02d</T><V>%d</V>\r\n", k / 3600,
                                  k / 60 % 60, k % 60, k);
      ASSERT_TRUE(file.Write({line, static_cast<std::size_t>(n)}));
      written = k;
      if (k % 8 == 0) std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
  });

  // Displays until the logger is done, each checked against the one before: the file
  // only grows, so every display keeps at least the records of the one before. The logger's
  // writes take well under a second, under qemu too.
  int displays = 0;
  int lastCount = 0;
  const auto deadline = std::chrono::steady_clock::now() + 12 * test::kWaitLimit;
  while (displays < 20 || !logger.Ended()) {
    if (std::chrono::steady_clock::now() > deadline) {
      FAIL() << "the logger wrote " << written.load() << " of " << kLines << " lines in "
             << displays << " displays";
    }
    const DisplayResult r = Display("day.txt");
    ++displays;
    ASSERT_EQ(r.outcome, DisplayOutcome::kLoaded);
    EXPECT_GE(S().recordCount, lastCount);
    lastCount = S().recordCount;
    // Records keep file order, each with its own values. The read may end inside a line
    // the logger is still writing; such a last record has its time but may lack its volts.
    for (int k = 1; k <= S().recordCount; ++k) {
      ASSERT_EQ(S().timeSeries[k], k / 86400.0) << k;
      if (k < S().recordCount || S().voltsSeries[k] != 0) {
        ASSERT_EQ(S().voltsSeries[k], k) << k;
      }
    }
  }
  logger.Join();
  if (HasFatalFailure()) return;  // the logger's failure is reported

  const auto final = folder_.ReadLog("day.txt");
  ASSERT_TRUE(final.has_value());
  // Split at every CR LF: the logged lines in order, and an empty line for each display.
  int next = 1;
  int empty = 0;
  std::size_t from = 0;
  while (from < final->size()) {
    const std::size_t end = final->find("\r\n", from);
    ASSERT_NE(end, std::string::npos);
    const std::string line = final->substr(from, end - from);
    if (line.empty()) {
      ++empty;
    } else {
      char want[64];
      std::snprintf(want, sizeof want, "<T>%02d:%02d:%02d</T><V>%d</V>", next / 3600,
                    next / 60 % 60, next % 60, next);
      ASSERT_EQ(line, want);
      ++next;
    }
    from = end + 2;
  }
  EXPECT_EQ(next - 1, written.load());
  // A display that found the file ending inside a line (a write that crossed a page of the
  // file can be seen half done) added nothing.
  EXPECT_LE(empty, displays);
  EXPECT_GT(empty, 0);
  EXPECT_GT(lastCount, 1);
}

// A logger that writes its day in blocks (a C program's 4 KiB output buffer) or puts each
// line out in two writes leaves the file ending inside a line for a while. A display then
// adds nothing, and once the logger has written the rest every line is whole. First with
// each display between two of the logger's writes, on every system; then, for the blocks,
// with both at once, where appends from two handles are whole. Each line is 83 bytes, so
// no block of the day ends with a line end, and the displays racing the logger never find
// one at the end.
TEST_F(BadInputTest, ALoggerWritingInPiecesKeepsItsLinesWhole) {
  const auto lineOf = [](int k) {
    char line[128];
    const int n = std::snprintf(line, sizeof line,
                                "<T>%s</T> <V>%05d</V> <I>1.5</I> <R>300</R> <W>20</W> "
                                "<S>5.50</S> <M>%d</M>\r\n",
                                test::TimeText(k).c_str(), k, k % 2);
    return std::string(line, static_cast<std::size_t>(n));
  };
  ASSERT_EQ(lineOf(1).size(), 83u);
  // The logger's writes: blocks of 4 KiB, or each line cut in two.
  const auto writesOf = [&](bool blocks, int lines) {
    std::vector<std::string> writes;
    std::string all;
    for (int k = 1; k <= lines; ++k) {
      const std::string line = lineOf(k);
      if (!blocks) {
        writes.push_back(line.substr(0, line.size() / 2));
        writes.push_back(line.substr(line.size() / 2));
      }
      all += line;
    }
    for (std::size_t at = 0; blocks && at < all.size(); at += 4096) {
      writes.push_back(all.substr(at, 4096));
    }
    return writes;
  };
  // The records of the last display: each the whole line of its number; only the last may
  // lack what its writer had not written yet.
  const auto recordsAreWhole = [&] {
    for (int k = 1; k <= S().recordCount; ++k) {
      if (S().timeSeries[k] != k / 86400.0) return false;
      if (S().voltsSeries[k] != k && (k < S().recordCount || S().voltsSeries[k] != 0)) {
        return false;
      }
    }
    return true;
  };
  // The file in the end: every line whole and in order, and an empty line for each display
  // that found it ending with a line end.
  const auto fileIsWhole = [&](int lines, int displays) {
    const auto bytes = folder_.ReadLog("day.txt");
    ASSERT_TRUE(bytes.has_value());
    int next = 1, empty = 0;
    for (std::size_t from = 0; from < bytes->size();) {
      const std::size_t end = bytes->find("\r\n", from);
      ASSERT_NE(end, std::string::npos);
      if (end == from) {
        ++empty;
      } else {
        ASSERT_EQ(bytes->substr(from, end + 2 - from), lineOf(next)) << "after line " << next;
        ++next;
      }
      from = end + 2;
    }
    EXPECT_EQ(next - 1, lines);
    EXPECT_LE(empty, displays);
  };

  for (const bool blocks : {true, false}) {
    SCOPED_TRACE(blocks ? "blocks of 4 KiB" : "each line in two writes");
    const int lines = blocks ? 2000 : 500;
    const std::vector<std::string> writes = writesOf(blocks, lines);

    folder_.WriteLog("day.txt", "");
    int displays = 0;
    {
      test::LoggerFile logger(folder_.LogPath("day.txt"));
      ASSERT_TRUE(logger.IsOpen());
      for (const std::string& write : writes) {
        ASSERT_TRUE(logger.Write(write));
        ASSERT_NE(Display("day.txt").outcome, DisplayOutcome::kFileError);
        ++displays;
        ASSERT_TRUE(recordsAreWhole()) << "display " << displays;
      }
    }
    fileIsWhole(lines, displays);

    if (!blocks || !test::ConcurrentAppendsAreWhole()) continue;
    folder_.WriteLog("day.txt", writes.front());
    test::TestThread writer([&](const std::stop_token& stop) {
      test::LoggerFile logger(folder_.LogPath("day.txt"));
      ASSERT_TRUE(logger.IsOpen());
      for (std::size_t i = 1; i < writes.size() && !stop.stop_requested(); ++i) {
        ASSERT_TRUE(logger.Write(writes[i]));
        if (i % 4 == 3) std::this_thread::yield();
      }
    });
    displays = 0;
    const auto deadline = std::chrono::steady_clock::now() + 6 * test::kWaitLimit;
    while (!writer.Ended()) {
      ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the logger did not finish";
      ASSERT_NE(Display("day.txt").outcome, DisplayOutcome::kFileError);
      ++displays;
      ASSERT_TRUE(recordsAreWhole()) << "display " << displays;
    }
    writer.Join();
    if (HasFatalFailure()) return;  // the logger's failure is reported
    fileIsWhole(lines, displays);
  }
}

#ifndef _WIN32
// POSIX only: FIFOs, sockets and links to devices cannot be made in a Windows folder.
//
// A name in the logs folder that is no regular file is refused at once: nothing waits for
// a writer, nothing reads without end, and nothing is appended or created.
TEST_F(BadInputTest, NoRegularFileNeverBlocks) {
  const std::string fifo = folder_.LogPath("fifo.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
  const std::string heldFifo = folder_.LogPath("held.txt");  // a writer holds it open
  ASSERT_EQ(::mkfifo(heldFifo.c_str(), 0666), 0);
  const int holdReader = ::open(heldFifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(holdReader, 0);
  const int holdWriter = ::open(heldFifo.c_str(), O_WRONLY | O_CLOEXEC);
  ASSERT_GE(holdWriter, 0);
  ASSERT_EQ(::write(holdWriter, "<T>01:00</T>\r\n", 14), 14);
  std::filesystem::create_symlink("/dev/zero", folder_.LogPath("zero.txt"));
  std::filesystem::create_symlink("/dev/null", folder_.LogPath("null.txt"));
  const int sock = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  ASSERT_GE(sock, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = folder_.LogPath("socket.txt");
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  std::strcpy(address.sun_path, socketPath.c_str());
  ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);

  const struct {
    const char* name;
    const char* reason;
  } cases[] = {
      {"fifo.txt", "Not a regular file"},          {"held.txt", "Not a regular file"},
      {"zero.txt", "Not a regular file"},          {"null.txt", "Not a regular file"},
      {"socket.txt", "No such device or address"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto display = std::async(std::launch::async, [&] {
      auto state = std::make_unique<ViewerState>();
      return LoadLog(*state,
                     DisplayRequest{"00", "00", "23", "59", c.name, folder_.ProgramFolder()});
    });
    if (display.wait_for(test::kWaitLimit) != std::future_status::ready) {
      ADD_FAILURE() << "the display waits";
      // A writer releases a reader that waits in open; then the display can end.
      const int w = ::open(folder_.LogPath(c.name).c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      if (w >= 0) ::close(w);
      // One that reads without end cannot be stopped, and the future waits for it.
      if (display.wait_for(test::kWaitLimit) != std::future_status::ready) {
        test::EndStuckTestProgram("a display of a name that is no regular file never ends");
      }
    }
    const DisplayResult r = display.get();
    EXPECT_EQ(r.outcome, DisplayOutcome::kFileError);
    EXPECT_EQ(r.message,
              "Cannot read the log file \"" + folder_.LogPath(c.name) + "\": " + c.reason);
  }
  // What the writer put into the held pipe is still there for its reader.
  char got[32] = {};
  EXPECT_EQ(::read(holdReader, got, sizeof got), 14);
  EXPECT_STREQ(got, "<T>01:00</T>\r\n");
  ::close(holdWriter);
  ::close(holdReader);
  ::close(sock);
}

#if defined(__SANITIZE_ADDRESS__)
#define TALLYO_TEST_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TALLYO_TEST_UNDER_ASAN 1
#endif
#endif

// Whether this process is the child of a death test. One of the "threadsafe" style runs
// the test again from its start and writes its files again, beside the parent's: the
// parent makes sure of room for both.
[[maybe_unused]] bool InDeathTestChild() {
  return !GTEST_FLAG_GET(internal_run_death_test).empty();
}

// Whether this system keeps a process to the address-space limit it sets: qemu's user-mode
// emulation, which runs the tests of the arm64 build, accepts the limit and ignores it.
[[maybe_unused]] bool AddressSpaceLimitsHold() {
  const pid_t child = ::fork();
  if (child == 0) {
    const rlimit limit{rlim_t{1} << 40, rlim_t{1} << 40};
    rlimit now{};
    const bool kept = ::setrlimit(RLIMIT_AS, &limit) == 0 && ::getrlimit(RLIMIT_AS, &now) == 0 &&
                      now.rlim_cur == limit.rlim_cur;
    std::_Exit(kept ? 0 : 1);
  }
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

// POSIX only: the address-space limit (setrlimit) and the death test's fork.
//
// A display needs memory for a piece of the file and its longest line, not for the file:
// 50 MB of empty lines (26 million lines, a logger stuck writing CR LF) read in a room of
// 20 MB. A line of 50 MB needs room for itself; where there is none, memory that runs out
// is reported like a file that cannot be read, not a crash, and the file has its CR LF.
TEST_F(BadInputTest, OutOfMemoryForALongLineIsAMessage) {
#ifdef TALLYO_TEST_UNDER_ASAN
  GTEST_SKIP() << "AddressSanitizer needs more address space than the limit leaves";
#else
  if (!AddressSpaceLimitsHold()) {
    GTEST_SKIP() << "this system does not keep a process to an address-space limit";
  }
  if (!InDeathTestChild() && !folder_.HasRoomFor(2 * (160u << 20))) {
    GTEST_SKIP() << "too little free disk for twice 150 MB of files";
  }
  std::string bytes;
  bytes.reserve(50u << 20);
  while (bytes.size() < (50u << 20)) bytes += "\r\n";  // 50 MB exactly
  folder_.WriteLog("empty-lines.txt", bytes);
  bytes.assign("<T>12:00:00</T><V>5</V>");
  bytes.resize(50u << 20, 'x');
  bytes += "\r\n";
  folder_.WriteLog("long-line.txt", bytes);
  // The 10,000th record ends the display: the long line behind it is never read.
  std::string records;
  for (int k = 1; k <= 10000; ++k) records += "<T>" + test::TimeText(k) + "</T>\r\n";
  folder_.WriteLog("limit-then-long-line.txt", records + bytes);
  bytes = std::string();
  // Each display runs in a fresh process of its own: memory freed by earlier tests would
  // otherwise leave room that the limit does not count.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::string noMemory = "\": Cannot allocate memory";
  const struct {
    const char* name;
    std::size_t room;  // address space left beyond what the process holds
    DisplayOutcome outcome;
    std::string message;
  } cases[] = {
      {"empty-lines.txt", 20u << 20, DisplayOutcome::kNoData, std::string(kNoDataMessage)},
      {"long-line.txt", 200u << 20, DisplayOutcome::kLoaded, ""},
      {"long-line.txt", 20u << 20, DisplayOutcome::kFileError,
       "Cannot read the log file \"" + folder_.LogPath("long-line.txt") + noMemory},
      {"limit-then-long-line.txt", 20u << 20, DisplayOutcome::kRecordLimit,
       std::string(kRecordLimitMessage)},
  };
  // The child's result; its folder goes before it ends.
  const auto endChild = [&](int status) {
    folder_.Remove();
    std::_Exit(status);
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " in " + std::to_string(c.room >> 20) + " MB");
    auto displayShortOfMemory = [&] {
      long pages = 0;
      if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
        std::fclose(statm);
      }
      const rlim_t room = static_cast<rlim_t>(pages) * ::sysconf(_SC_PAGESIZE) + c.room;
      const rlimit limit{room, room};
      if (pages == 0 || ::setrlimit(RLIMIT_AS, &limit) != 0) endChild(3);
      const auto size = std::filesystem::file_size(folder_.LogPath(c.name));
      const DisplayResult r = Display(c.name);
      // The display got as far as its CR LF.
      const bool appended = std::filesystem::file_size(folder_.LogPath(c.name)) == size + 2;
      endChild(r.outcome == c.outcome && r.message == c.message && appended ? 0 : 1);
    };
    EXPECT_EXIT(displayShortOfMemory(), ::testing::ExitedWithCode(0), "");
  }
#endif
}

// A control group of its own with a memory limit, for a child process of the test: the
// system stops a process that takes more than its group's limit, without a message. Not
// there where the system has none to give (not root, no memory controller).
class MemoryGroup {
 public:
  explicit MemoryGroup(std::uint64_t limit) {
    std::ifstream groups("/proc/self/cgroup");
    const std::string name = "/tallyo-test-" + std::to_string(::getpid());
    for (std::string line; std::getline(groups, line);) {
      const std::size_t first = line.find(':'), second = line.find(':', first + 1);
      if (second == std::string::npos) continue;
      const std::string controllers = line.substr(first + 1, second - first - 1);
      const std::string own = line.substr(second + 1);
      std::string limitFile;
      if (controllers.empty()) {  // the unified hierarchy
        path_ = "/sys/fs/cgroup" + own + name;
        limitFile = "memory.max";
      } else if (("," + controllers + ",").find(",memory,") != std::string::npos) {
        path_ = "/sys/fs/cgroup/memory" + own + name;
        limitFile = "memory.limit_in_bytes";
      } else {
        continue;
      }
      if (::mkdir(path_.c_str(), 0755) == 0) {
        std::ofstream(path_ + "/" + limitFile) << limit;
        if (std::ifstream(path_ + "/" + limitFile) >> limit_ && limit_ <= limit) return;
        ::rmdir(path_.c_str());
      }
      path_.clear();
    }
  }
  ~MemoryGroup() {
    // The group goes once its last process has ended.
    for (int tries = 0; !path_.empty() && ::rmdir(path_.c_str()) != 0 && tries < 100; ++tries) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  MemoryGroup(const MemoryGroup&) = delete;
  MemoryGroup& operator=(const MemoryGroup&) = delete;

  bool Ok() const { return !path_.empty(); }
  // Moves the calling process into the group.
  bool Enter() const {
    std::ofstream procs(path_ + "/cgroup.procs");
    procs << ::getpid() << std::flush;
    return static_cast<bool>(procs);
  }

 private:
  std::string path_;
  std::uint64_t limit_ = 0;
};

// Kilobytes of a line of /proc/self/status ("VmRSS", "VmHWM").
[[maybe_unused]] long StatusKb(const char* key) {
  std::ifstream status("/proc/self/status");
  for (std::string word; status >> word;) {
    if (word == std::string(key) + ":") {
      long kb = -1;
      status >> kb;
      return kb;
    }
  }
  return -1;
}

// POSIX only: control groups and the death test's fork.
//
// Files far larger than the memory a process may have, displayed in a group limited to
// 512 MB: a gigabyte of readings takes no more than a piece and a line of it, and memory
// comes back after the display; a line of 700 MB is told as memory run out. The display
// is never stopped by the system, and the next display works.
TEST_F(BadInputTest, FilesLargerThanTheMemoryLimit) {
#ifdef TALLYO_TEST_UNDER_ASAN
  GTEST_SKIP() << "AddressSanitizer's own memory does not follow the program's";
#else
  // The line below is a hole, but a file system without holes stores all of it.
  if (!folder_.HasRoomFor(std::uintmax_t{1024 + 700} << 20)) {
    GTEST_SKIP() << "too little free disk for 1.7 GB of files";
  }
  MemoryGroup group(std::uint64_t{512} << 20);
  if (!group.Ok()) GTEST_SKIP() << "a memory limit needs root and the memory controller";
  {
    // A gigabyte of readings from 12:00 on, none before 01:00.
    std::string block;
    for (int k = 0; block.size() < (1u << 20); ++k) {
      block += "<T>12:" + test::TimeText(k % 3600).substr(3) +
               "</T> <V>13.2</V> <I>4.5</I> <R>350</R> <W>59</W> <S>7.8</S> <M>0</M>\r\n";
    }
    std::ofstream out(test::NativePath(folder_.LogPath("gigabyte.txt")), std::ios::binary);
    for (int i = 0; i < 1024; ++i)
      out.write(block.data(), static_cast<std::streamsize>(block.size()));
    ASSERT_TRUE(out.good());
  }
  // 700 MB without a line end: a hole the file system need not store.
  std::ofstream(test::NativePath(folder_.LogPath("line.txt"))) << "<T>01:00</T>";
  std::filesystem::resize_file(folder_.LogPath("line.txt"), std::uintmax_t{700} << 20);
  folder_.WriteLog("day.txt", "<T>01:00</T><V>1</V>\r\n<T>01:01</T><V>2</V>\r\n");

  // The child is a fork of this process at this point, not this test run again (which
  // would write its files twice, and which qemu, running the arm64 tests, cannot start):
  // it uses this test's files and group, which go when this test ends.
  GTEST_FLAG_SET(death_test_style, "fast");
  auto displaysInTheGroup = [&] {
    if (!group.Enter()) std::_Exit(3);
    auto state = std::make_unique<ViewerState>();
    state->voltsSeries.fill(0);  // the state is in memory before a display, as in the window
    const auto display = [&](const char* name, const char* h1, const char* h2) {
      return LoadLog(*state, DisplayRequest{h1, "00", h2, "00", name, folder_.ProgramFolder()});
    };
    const long idle = StatusKb("VmRSS");
    std::ofstream("/proc/self/clear_refs") << "5";  // VmHWM from here
    const DisplayResult readings = display("gigabyte.txt", "00", "01");
    const long peak = StatusKb("VmHWM") - idle;
    const long afterReadings = StatusKb("VmRSS") - idle;
    const DisplayResult line = display("line.txt", "00", "23");
    const long afterLine = StatusKb("VmRSS") - idle;
    const DisplayResult day = display("day.txt", "00", "23");
    std::fprintf(stderr, "peak %ld kB, after %ld kB and %ld kB\n", peak, afterReadings, afterLine);
    const bool ok = readings.outcome == DisplayOutcome::kNoData &&
                    line.message == "Cannot read the log file \"" + folder_.LogPath("line.txt") +
                                        "\": Cannot allocate memory" &&
                    day.outcome == DisplayOutcome::kLoaded && state->recordCount == 2 &&
                    peak <= (16 << 10) && afterReadings <= (16 << 10) && afterLine <= (16 << 10);
    std::_Exit(ok ? 0 : 1);
  };
  EXPECT_EXIT(displaysInTheGroup(), ::testing::ExitedWithCode(0), "");
#endif
}
#endif  // _WIN32

}  // namespace
}  // namespace tallyo
