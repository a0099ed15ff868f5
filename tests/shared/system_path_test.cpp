// The machine-wide search path in the registry: which entries go, and how the value is written
// back. Under Wine this is Wine's own Path, saved before each test and put back after it.
#include <gtest/gtest.h>

#include <string>

#include "support/machine.h"
#include "system/system_path.h"

namespace machine = testing_machine;

namespace {

const std::string kEnvironment = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

class SystemPath : public ::testing::Test {
  protected:
    void SetUp() override {
        machine::Reset();
        machine::CreateKey(kEnvironment);
        m_saved = machine::ReadBytes(kEnvironment, "Path", &m_savedType);
    }
    void TearDown() override {
        if (m_savedType != REG_NONE) {
            SetRawPath(m_saved, m_savedType);
        } else {
            DeletePath();
        }
        machine::Reset();
    }

    static void SetRawPath(const std::string& bytes, DWORD type) {
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kEnvironment.c_str(), 0, KEY_ALL_ACCESS, &key),
                  ERROR_SUCCESS);
        RegSetValueExA(key, "Path", 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }
    static void DeletePath() {
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kEnvironment.c_str(), 0, KEY_ALL_ACCESS, &key),
                  ERROR_SUCCESS);
        RegDeleteValueA(key, "Path");
        RegCloseKey(key);
    }
    // The stored text without its terminating zero, and its type.
    static std::string StoredPath(DWORD* type) {
        std::string bytes = machine::ReadBytes(kEnvironment, "Path", type);
        EXPECT_FALSE(bytes.empty());
        EXPECT_EQ(bytes.back(), '\0');
        bytes.pop_back();
        return bytes;
    }
    // What a removal leaves of a search path stored as REG_SZ; every edit is written back as
    // REG_EXPAND_SZ.
    static std::string PathAfter(const std::string& before, const char* dir, const char* subdir) {
        SetRawPath(before + '\0', REG_SZ);
        RemoveFromSystemPath(dir, subdir);
        DWORD type = REG_NONE;
        const std::string after = StoredPath(&type);
        EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ)) << before;
        return after;
    }

  private:
    std::string m_saved;
    DWORD m_savedType = REG_NONE;
};

TEST_F(SystemPath, AnyEntryThatHoldsTheTextGoesWhateverItsCase) {
    // The match is a part of an entry: a longer sibling name and a deeper path go as well.
    EXPECT_EQ(
        PathAfter("c:\\SUITE2\\bin;D:\\x;d:\\Tools\\c:\\suite\\y;C:\\Suit", "C:\\Suite", nullptr),
        ";d:\\x;c:\\suit");
}

TEST_F(SystemPath, ASubdirectoryIsJoinedWithABackslashWhateverTheDirectoryEndsIn) {
    EXPECT_EQ(
        PathAfter("C:\\Other;C:\\Suite\\\\Client;C:\\Suite\\Clients", "C:\\Suite\\", "Client"),
        "c:\\other;c:\\suite\\clients");
}

TEST_F(SystemPath, PathsBeyondTheFirstBufferAreReadAgainAndEditedTheSameWay) {
    // 1023 characters fit the first buffer with their zero; 1024 and more need the second read.
    const std::string head = "C:\\Suite;C:\\First;";
    const std::string tail = ";C:\\Suite\\Sentrel;C:\\Last";
    for (const size_t length : {size_t{1023}, size_t{1024}, size_t{3000}}) {
        const size_t filler = length - head.size() - tail.size() - 3;
        const std::string path = head + "C:\\" + std::string(filler, 'M') + tail;
        ASSERT_EQ(path.size(), length);
        EXPECT_EQ(PathAfter(path, "C:\\Suite", nullptr),
                  ";c:\\first;c:\\" + std::string(filler, 'm') + ";c:\\last")
            << length;
    }
}

TEST_F(SystemPath, ADirectoryTooLongForItsBufferChangesNothing) {
    SetRawPath(std::string("C:\\Suite;C:\\Other") + '\0', REG_SZ);
    RemoveFromSystemPath(("C:\\" + std::string(250, 'd')).c_str(), "Subdirectory");
    DWORD type = REG_NONE;
    EXPECT_EQ(StoredPath(&type), "C:\\Suite;C:\\Other");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
}

// The list edit on its own.
std::string Removed(std::string list, const char* text, bool* removed) {
    *removed = RemoveListEntryContaining(list.data(), text);
    return list.c_str();
}

TEST(ListEntryRemoval, TheCutRunsFromTheSeparatorBeforeTheEntryToTheOneAfterIt) {
    bool removed = false;
    EXPECT_EQ(Removed("A;C:\\Suite;B", "c:\\suite", &removed), "a;b");
    EXPECT_TRUE(removed);
    // A first entry leaves the separator that followed it at the front.
    EXPECT_EQ(Removed("C:\\Suite;B", "C:\\SUITE", &removed), ";b");
    EXPECT_TRUE(removed);
    EXPECT_EQ(Removed("A;C:\\Suite", "C:\\Suite", &removed), "a");
    EXPECT_EQ(Removed("C:\\Suite", "C:\\Suite", &removed), "");
    EXPECT_TRUE(removed);
    // Only the first matching entry goes per call; a separator left at the end goes with it.
    EXPECT_EQ(Removed("A;x\\suite;B;suite;", "SUITE", &removed), "a;b;suite");
    EXPECT_EQ(Removed("A;B;", "b", &removed), "a");
}

TEST(ListEntryRemoval, NothingFoundStillLowerCasesTheList) {
    bool removed = true;
    EXPECT_EQ(Removed("C:\\WINNT;D:\\Tools", "C:\\Suite", &removed), "c:\\winnt;d:\\tools");
    EXPECT_FALSE(removed);
}

TEST(ListEntryRemoval, EmptyOrMissingArgumentsAreRefusedUntouched) {
    bool removed = true;
    EXPECT_EQ(Removed("C:\\Suite", "", &removed), "C:\\Suite");
    EXPECT_FALSE(removed);
    EXPECT_EQ(Removed("C:\\Suite", nullptr, &removed), "C:\\Suite");
    EXPECT_FALSE(removed);
    EXPECT_EQ(Removed("", "C:\\Suite", &removed), "");
    EXPECT_FALSE(removed);
    EXPECT_FALSE(RemoveListEntryContaining(nullptr, "C:\\Suite"));
}

}  // namespace
