#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/FolderListing.h"
#include "support/TempLogFolder.h"

namespace tallyo {
namespace {

using test::NativePath;
using test::TempLogFolder;
using Names = std::vector<std::string>;

struct ListingCase {
  const char* pattern;
  EntryKind kind;
  Names names;
};

TEST(FolderListingTest, MatchesWholeNamesWithoutRegardToCaseAndSortsByName) {
  TempLogFolder folder;
  for (const char* name : {"b.txt", "A.TXT", "c.Txt", "a.txt1", "ab.txt", "notes.log", "txt"})
    folder.WriteLog(name, "");
  for (const char* name : {"x.txt", "sub"})
    std::filesystem::create_directory(NativePath(folder.LogPath(name)));
  const ListingCase cases[] = {
      {"*.txt", EntryKind::kFiles, {"A.TXT", "ab.txt", "b.txt", "c.Txt"}},
      {"*.TXT", EntryKind::kFiles, {"A.TXT", "ab.txt", "b.txt", "c.Txt"}},
      {"?.tXt", EntryKind::kFiles, {"A.TXT", "b.txt", "c.Txt"}},
      {"a*", EntryKind::kFiles, {"A.TXT", "a.txt1", "ab.txt"}},
      {"*.txt1", EntryKind::kFiles, {"a.txt1"}},
      {"*", EntryKind::kFiles, {"A.TXT", "a.txt1", "ab.txt", "b.txt", "c.Txt", "notes.log", "txt"}},
      {"x.txt", EntryKind::kFiles, {}},
      {"*", EntryKind::kFolders, {"sub", "x.txt"}},
      {"*.txt", EntryKind::kFolders, {"x.txt"}},
  };
  for (const ListingCase& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(ListFolder(folder.LogsFolder(), c.kind, c.pattern), c.names);
  }
  EXPECT_EQ(ListFolder(folder.LogPath("missing"), EntryKind::kFiles, "*"), Names{});
  EXPECT_EQ(ListFolder("", EntryKind::kFiles, "*"), Names{});
}

}  // namespace
}  // namespace tallyo
