// The folder scanner: extension rule, recursion, counters, order and the pause every tenth entry.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cardset/PathScan.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;

class PathScan : public ::testing::Test {
  protected:
    void SetUp() override {
        Root = fs::temp_directory_path() /
               ("velmo-scan-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(Root);
        fs::create_directories(Root);
        Scanner.Folder = Root.string() + "/";
    }
    void TearDown() override { fs::remove_all(Root); }

    void File(const std::string& Relative, std::size_t Size = 0) {
        std::ofstream(Root / Relative, std::ios::binary) << std::string(Size, 'x');
    }
    void Folder(const std::string& Relative) { fs::create_directories(Root / Relative); }

    TStringList Scan() {
        TStringList List;
        Scanner.Scan(List);
        return List;
    }

    fs::path Root;
    TPathScanner Scanner;
};

TEST(PathScanDefaults, ANewScannerHasEmptySettingsAndZeroCounters) {
    const TPathScanner Scanner;
    EXPECT_EQ(Scanner.Folder, "");
    EXPECT_EQ(Scanner.Extension, "");
    EXPECT_FALSE(Scanner.FilterByExtension);
    EXPECT_FALSE(Scanner.Recursive);
    EXPECT_EQ(Scanner.FolderCount + Scanner.FileCount + Scanner.TotalSize, 0);
}

TEST_F(PathScan, AMissingFolderGivesNothingAndNoError) {
    Scanner.Folder = (Root / "absent").string() + "/";
    EXPECT_TRUE(Scan().empty());
    EXPECT_EQ(Scanner.FileCount, 0);
}

TEST_F(PathScan, TheExtensionIsTakenFromTheLastDotAndComparedCaseSensitively) {
    for (const char* Name :
         {"A.kxd", "B.txt", "C.KXD", "D.Kxd", "e.kxd.bak", "f.bak.kxd", ".kxd", "kxd"}) {
        File(Name, 3);
    }
    Scanner.Extension = ".kxd";
    Scanner.FilterByExtension = true;
    EXPECT_EQ(Scan(), (TStringList{".kxd", "A.kxd", "f.bak.kxd"}));
    EXPECT_EQ(Scanner.FileCount, 3);
    EXPECT_EQ(Scanner.TotalSize, 9);
}

TEST_F(PathScan, WithoutTheFilterEveryEntryIsListedInByteOrder) {
    for (const char* Name : {"b.kxd", "README", "a.txt", "Z.png", "\xC3\xA9t\xC3\xA9.kxd"}) {
        File(Name, 1);
    }
    Folder("sub");
    Scanner.Extension = ".kxd";
    EXPECT_EQ(Scan(),
              (TStringList{"README", "Z.png", "a.txt", "b.kxd", "sub", "\xC3\xA9t\xC3\xA9.kxd"}));
    EXPECT_EQ(Scanner.FileCount, 6);
    EXPECT_EQ(Scanner.FolderCount, 0);
}

TEST_F(PathScan, AFolderNamedLikeASetFileIsListedOnlyWhenNotRecursive) {
    Folder("old.kxd");
    File("old.kxd/inner.kxd");
    File("top.kxd");
    Scanner.Extension = ".kxd";
    Scanner.FilterByExtension = true;
    EXPECT_EQ(Scan(), (TStringList{"old.kxd", "top.kxd"}));

    Scanner.Recursive = true;
    EXPECT_EQ(Scan(), (TStringList{"old.kxd/inner.kxd", "top.kxd"}));
    EXPECT_EQ(Scanner.FolderCount, 1);
}

TEST_F(PathScan, RecursionListsPathsRelativeToTheScannedFolder) {
    Folder("sub/deeper");
    File("sub/x.kxd", 5);
    File("sub/deeper/y.kxd", 7);
    File("z.kxd", 1);
    Scanner.Extension = ".kxd";
    Scanner.FilterByExtension = true;
    Scanner.Recursive = true;
    EXPECT_EQ(Scan(), (TStringList{"sub/deeper/y.kxd", "sub/x.kxd", "z.kxd"}));
    EXPECT_EQ(Scanner.FolderCount, 2);
    EXPECT_EQ(Scanner.FileCount, 3);
    EXPECT_EQ(Scanner.TotalSize, 13);
}

TEST_F(PathScan, ALinkBackUpTheTreeIsNotFollowed) {
    Folder("sub");
    File("sub/x.kxd");
    fs::create_directory_symlink("..", Root / "sub" / "loop");
    Scanner.Recursive = true;
    EXPECT_EQ(Scan(), (TStringList{"sub/x.kxd"}));
    EXPECT_EQ(Scanner.FolderCount, 1);
}

TEST_F(PathScan, ASecondScanAppendsAgainAndRestartsTheCounters) {
    File("a.kxd", 4);
    TStringList List;
    Scanner.Scan(List);
    Scanner.Scan(List);
    EXPECT_EQ(List, (TStringList{"a.kxd", "a.kxd"}));
    EXPECT_EQ(Scanner.FileCount, 1);
    EXPECT_EQ(Scanner.TotalSize, 4);
}

TEST_F(PathScan, AFileOverTwoGibibytesCountsItsFullSize) {
    constexpr int64_t kThreeGiB = 3LL * 1024 * 1024 * 1024;
    File("big.kxd");
    fs::resize_file(Root / "big.kxd", kThreeGiB);  // sparse: costs no disk
    Scan();
    EXPECT_EQ(Scanner.TotalSize, kThreeGiB);
}

TEST_F(PathScan, ThePauseComesEveryTenthEntryCountingDotAndDotDot) {
    struct TCase {
        int Files;
        int Pauses;
    };
    for (const TCase Case : {TCase{7, 0}, TCase{8, 1}, TCase{17, 1}, TCase{18, 2}}) {
        fs::remove_all(Root);
        fs::create_directories(Root);
        for (int i = 0; i < Case.Files; ++i) {
            File("f" + std::to_string(i) + ".txt");
        }
        int Pauses = 0;
        Scanner.OnPause = [&] { ++Pauses; };
        EXPECT_EQ(Scan().size(), static_cast<std::size_t>(Case.Files));
        EXPECT_EQ(Pauses, Case.Pauses) << Case.Files << " files";
    }
}

TEST_F(PathScan, TheFolderWorksWithoutItsTrailingSeparator) {
    Folder("sub");
    File("sub/x.kxd");
    Scanner.Folder = Root.string();
    Scanner.Recursive = true;
    EXPECT_EQ(Scan(), (TStringList{"sub/x.kxd"}));
}

}  // namespace
}  // namespace velmo
