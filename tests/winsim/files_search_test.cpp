#include "winsim/files_machine.h"

namespace {

using Names = std::vector<std::string>;

class FileSearch : public FilesMachine {
  protected:
    void SetUp() override {
        FilesMachine::SetUp();
        for (const char* name : {"ovsen.nsf", "ovsen.ntf", "ovsen.txt", "OvSen.NF", "noext", "a",
                                 "ab", "a.b.c", "ovdata.nsf/inside.nsf"}) {
            Put(std::string("Orvanta/") + name);
        }
    }
};

// What a search hands out, or the code of a search that cannot start.
TEST_F(FileSearch, PatternsMatchTheWayWindowsMatchesThem) {
    PutDirectory("Empty");
    Put("Lotus/Domino/Data/Names.NSF");
    const std::string o = "C:\\Orvanta\\";
    const struct {
        std::string pattern;
        Names names;
    } cases[] = {
        {o + "ov*.n?f", {"ovdata.nsf", "ovsen.nsf", "ovsen.ntf"}},
        {o + "OV*.N?F", {"ovdata.nsf", "ovsen.nsf", "ovsen.ntf"}},
        // '?' also matches nothing at the end of a name or before a dot.
        {o + "ovsen.n??", {"OvSen.NF", "ovsen.nsf", "ovsen.ntf"}},
        {o + "a??", {"a", "ab"}},
        {o + "?", {"a"}},
        {o + "ovsen.???f", {"error 2"}},
        // ".*" also matches the end of a name without a dot.
        {o + "*.*",
         {".", "..", "a", "a.b.c", "ab", "noext", "ovdata.nsf", "OvSen.NF", "ovsen.nsf",
          "ovsen.ntf", "ovsen.txt"}},
        {o + "a.*", {"a", "a.b.c"}},
        {o + "noext.*", {"noext"}},
        {o + "*b*", {"a.b.c", "ab"}},
        {o + "<.nsf", {"ovdata.nsf", "ovsen.nsf"}},
        // Names come in their stored case; dot entries first, except in the root.
        {o + "OVSEN.NF", {"OvSen.NF"}},
        {"c:\\LOTUS\\domino\\DATA\\names.nsf", {"Names.NSF"}},
        {"C:\\LOTUS\\DOMINO\\*", {".", "..", "Data"}},
        {"C:\\lotus", {"Lotus"}},
        {"C:\\Empty\\*", {".", ".."}},
        {"C:\\*", {"Empty", "Lotus", "Orvanta"}},
        {"C:\\", {"error 2"}},
        {"C:", {"error 2"}},
        {o, {"error 2"}},
        {"C:\\missing", {"error 2"}},
        {o + "zz*", {"error 2"}},
        {"C:\\missing\\", {"error 3"}},
        {"C:\\missing\\*", {"error 3"}},
        {"C:\\missing\\Orvanta\\..\\*", {"error 3"}},
        {"", {"error 3"}},
        {"Q:\\*", {"error 3"}},
        {o + "ovsen.txt\\*", {"error 123"}},
        {"C:\\" + std::string(MAX_PATH - 4, 'x') + "\\*", {"error 206"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Find(c.pattern), c.names) << c.pattern;
    }
}

TEST_F(FileSearch, UnreadableDirectoryFailsWithTheFaultsCode) {
    winsim::FailSearch("c:\\ORVANTA\\");

    EXPECT_EQ(Find("C:\\Orvanta\\*"), Names{"error 5"});
    EXPECT_EQ(Find("C:\\Orvanta\\ovdata.nsf\\*"), (Names{".", "..", "inside.nsf"}));
}

TEST_F(FileSearch, EntriesGoneBeforeTheirTurnArePassedOver) {
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA("C:\\Orvanta\\ovsen.*", &entry);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(entry.cFileName, "OvSen.NF");
    ASSERT_TRUE(DeleteFileA("C:\\Orvanta\\ovsen.ntf"));

    Names rest;
    while (FindNextFileA(search, &entry)) {
        rest.push_back(entry.cFileName);
    }
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_EQ(rest, (Names{"ovsen.nsf", "ovsen.txt"}));
    EXPECT_TRUE(FindClose(search));
}

TEST_F(FileSearch, EntryCarriesAttributesSizeAndTime) {
    Put("Orvanta/big.nsf", std::string(5000, 'x'));
    ASSERT_TRUE(SetFileAttributesA("C:\\Orvanta\\big.nsf", FILE_ATTRIBUTE_READONLY));
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA("C:\\Orvanta\\big.nsf", &entry);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);

    EXPECT_EQ(entry.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(entry.nFileSizeLow, 5000u);
    EXPECT_EQ(entry.nFileSizeHigh, 0u);
    // After 2020 in 100 ns ticks since 1601.
    EXPECT_GT(entry.ftLastWriteTime.dwHighDateTime, 0x01D5C000u);

    ASSERT_NE(FindFirstFileA("C:\\Orvanta\\ovdata.nsf", &entry), INVALID_HANDLE_VALUE);
    EXPECT_EQ(entry.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(winsim::OpenSearchCount(), 1u);
}

TEST_F(FileSearch, HandlesCloseOnceAndOnlyThroughFindClose) {
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA("C:\\Orvanta\\ovsen.txt", &entry);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_EQ(winsim::OpenSearchCount(), 1u);

    EXPECT_EQ(ErrorOf([&] { return FindNextFileA(search, &entry); }),
              static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_EQ(ErrorOf([&] { return FindNextFileA(search, &entry); }),
              static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_EQ(ErrorOf([&] { return CloseHandle(search); }),
              static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(ErrorOf([&] { return FindClose(search); }), 0u);
    EXPECT_EQ(ErrorOf([&] { return FindClose(search); }), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(ErrorOf([&] { return FindClose(INVALID_HANDLE_VALUE); }),
              static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(ErrorOf([&] { return FindNextFileA(search, &entry); }),
              static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(winsim::OpenSearchCount(), 0u);
}

}  // namespace
