// The file functions on drives mapped onto host folders: the codes of calls that name a path, the
// read-only attribute, the names a search hands out, and lookups in another letter case.
#include <cstring>
#include <vector>

#include "winsim/fresh_machine.h"

namespace {

namespace fs = std::filesystem;

constexpr DWORD kArchive = FILE_ATTRIBUTE_ARCHIVE;
constexpr DWORD kReadOnly = FILE_ATTRIBUTE_READONLY;

using Names = std::vector<std::string>;

class Files : public FreshMachine {
  protected:
    static fs::path OnHost(const std::string& relative) {
        return fs::path(winsim::DriveFolder('C')) / relative;
    }
    // The attributes, or the error with the high bit set.
    static DWORD Attributes(const std::string& path) {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES ? attributes : 0x80000000 | GetLastError();
    }
    // The names a search hands out in order, or "error N" when it does not start.
    static Names Find(const std::string& pattern) {
        WIN32_FIND_DATAA entry;
        const HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE) {
            return {"error " + std::to_string(GetLastError())};
        }
        Names names;
        do {
            names.push_back(entry.cFileName);
        } while (FindNextFileA(search, &entry));
        FindClose(search);
        return names;
    }
};

TEST_F(Files, PathCallsAnswerWithWindowsCodes) {
    for (const char* file : {"Orvanta/logs/ovsen.log", "Orvanta/Bin/ovrt.dll",
                             "Orvanta/readonly.dll", "Orvanta/readonlyDir/x"}) {
        WriteText(file);
    }
    fs::remove(OnHost("Orvanta/readonlyDir/x"));
    ASSERT_TRUE(SetFileAttributesA("C:\\Orvanta\\readonly.dll", kReadOnly));
    ASSERT_TRUE(SetFileAttributesA("C:\\Orvanta\\readonlyDir", kReadOnly));
    // 'a' reads the attributes, 'd' deletes a file, 'r' removes a directory, 'c' makes one.
    const auto answer = [](char call, const std::string& path) {
        const char* p = path.c_str();
        return ErrorOf([&] {
            return call == 'a'   ? GetFileAttributesA(p) != INVALID_FILE_ATTRIBUTES
                   : call == 'd' ? DeleteFileA(p) != FALSE
                   : call == 'r' ? RemoveDirectoryA(p) != FALSE
                                 : CreateDirectoryA(p, nullptr) != FALSE;
        });
    };
    const std::string longest = "C:\\" + std::string(MAX_PATH - 3, 'x');
    const struct {
        char call;
        std::string path;
        DWORD error;
    } cases[] = {
        // Either separator, dots and doubled separators, trailing dots and blanks.
        {'a', "C:\\\\Orvanta\\.\\missing\\..\\Bin/\\ovrt.dll", 0},
        {'a', "C:\\..\\Orvanta.\\Bin\\ovrt.dll. . ", 0},
        {'a', "C:\\Orvanta\\missing.dll", ERROR_FILE_NOT_FOUND},
        {'a', "C:\\missing\\ovrt.dll", ERROR_PATH_NOT_FOUND},
        {'a', "C:\\Orvanta\\*.dll", ERROR_INVALID_NAME},
        {'a', longest, ERROR_FILE_NOT_FOUND},
        {'a', longest + "x", ERROR_FILENAME_EXCED_RANGE},
        {'d', "C:\\Orvanta\\", ERROR_ACCESS_DENIED},
        {'d', "C:\\Orvanta\\readonly.dll", ERROR_ACCESS_DENIED},
        {'d', "c:\\ORVANTA\\Bin\\Ovrt.Dll", 0},
        {'r', "C:\\Orvanta\\logs", ERROR_DIR_NOT_EMPTY},
        {'r', "C:\\Orvanta\\logs\\ovsen.log", ERROR_DIRECTORY},
        {'r', "C:\\", ERROR_ACCESS_DENIED},
        {'r', "C:\\Orvanta\\readonlyDir", ERROR_ACCESS_DENIED},
        {'r', "C:/ORVANTA/BIN/", 0},
        {'c', "c:\\orvanta", ERROR_ALREADY_EXISTS},
        // A new directory leaves room for a 12-character name below it, and keeps the case
        // written without its trailing dot.
        {'c', "C:\\" + std::string(MAX_PATH - 14, 'd'), ERROR_FILENAME_EXCED_RANGE},
        {'c', "C:\\" + std::string(MAX_PATH - 15, 'd'), 0},
        {'c', "C:\\ORVANTA\\New.", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(answer(c.call, c.path), c.error) << c.call << " " << c.path;
    }
    EXPECT_TRUE(fs::exists(OnHost("Orvanta/readonly.dll")));
    EXPECT_FALSE(fs::exists(OnHost("Orvanta/Bin")));
    EXPECT_TRUE(fs::is_directory(OnHost("Orvanta/New")));
}

// Images keep the read-only attribute as the host file's write permission.
TEST_F(Files, ReadOnlyIsTheHostFilesWritePermission) {
    WriteText("Orvanta/ovrt.dll");
    const auto writable = [&] {
        const fs::perms perms = fs::status(OnHost("Orvanta/ovrt.dll")).permissions();
        return (perms & fs::perms::owner_write) != fs::perms::none;
    };
    ASSERT_TRUE(SetFileAttributesA("C:\\ORVANTA\\OVRT.DLL", kReadOnly | kArchive));
    EXPECT_FALSE(writable());
    // The directory bit is not the caller's to set.
    ASSERT_TRUE(SetFileAttributesA("C:\\Orvanta\\ovrt.dll", FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(Attributes("C:\\Orvanta\\ovrt.dll"), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(writable());
    ASSERT_TRUE(SetFileAttributesA("C:\\Orvanta\\ovrt.dll", kArchive));
    fs::permissions(OnHost("Orvanta/ovrt.dll"), fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_EQ(Attributes("C:\\Orvanta\\ovrt.dll"), kReadOnly | kArchive);
}

TEST_F(Files, SearchesMatchAsWindowsMatches) {
    for (const char* name : {"ovsen.nsf", "ovsen.ntf", "OvSen.NF", "noext", "a", "ab", "a.b.c",
                             "ovdata.nsf/inside.nsf"}) {
        WriteText(std::string("Orvanta/") + name);
    }
    const std::string o = "C:\\Orvanta\\";
    const struct {
        std::string pattern;
        Names names;
    } cases[] = {
        // '?' also matches nothing at the end of a name or before a dot; names come in their
        // stored case, dot entries first but in the root.
        {o + "OV*.N?F", {"ovdata.nsf", "ovsen.nsf", "ovsen.ntf"}},
        {o + "ovsen.n??", {"OvSen.NF", "ovsen.nsf", "ovsen.ntf"}},
        // ".*" also matches the end of a name without a dot.
        {o + "a*.*", {"a", "a.b.c", "ab"}},
        {o + "*",
         {".", "..", "a", "a.b.c", "ab", "noext", "ovdata.nsf", "OvSen.NF", "ovsen.nsf",
          "ovsen.ntf"}},
        {"C:\\*", {"Orvanta"}},
        {o, {"error 2"}},
        {o + "zz*", {"error 2"}},
        {"C:\\missing\\*", {"error 3"}},
        {o + "noext\\*", {"error 123"}},
        {"C:\\" + std::string(MAX_PATH - 4, 'x') + "\\*", {"error 206"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Find(c.pattern), c.names) << c.pattern;
    }
    winsim::FailSearch("c:\\ORVANTA\\");
    EXPECT_EQ(Find(o + "*"), Names{"error 5"});
    EXPECT_EQ(Find(o + "ovdata.nsf\\*"), (Names{".", "..", "inside.nsf"}));
}

// Search handles are counted until FindClose, which takes each once.
TEST_F(Files, SearchHandlesCloseOnceAndOnlyThroughFindClose) {
    WriteText("Orvanta/a.nsf");
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA("C:\\Orvanta\\*.nsf", &entry);
    EXPECT_EQ(ErrorOf([&] { return FindNextFileA(search, &entry); }), 18u);  // no more files
    EXPECT_EQ(winsim::OpenSearchCount(), 1u);
    EXPECT_EQ(ErrorOf([&] { return CloseHandle(search); }), 6u);  // invalid handle
    EXPECT_TRUE(FindClose(search));
    EXPECT_EQ(ErrorOf([&] { return FindClose(search); }), 6u);
    EXPECT_EQ(winsim::OpenSearchCount(), 0u);
}

// Names in another case are looked up through an index of the folder, not a scan per call: a
// name added behind the index's back is still found, and one deleted is no longer.
TEST_F(Files, OtherCaseStaysRightWhileTheFolderChanges) {
    WriteText("Program Files/First.dll");
    EXPECT_EQ(Attributes("C:\\PROGRAM FILES\\FIRST.DLL"), kArchive);
    fs::remove(OnHost("Program Files/First.dll"));
    WriteText("Program Files/FIRST.dll");
    EXPECT_EQ(winsim::HostPath("C:\\program files\\first.DLL"),
              OnHost("Program Files/FIRST.dll").string());
    fs::remove(OnHost("Program Files/FIRST.dll"));
    EXPECT_EQ(Attributes("C:\\PROGRAM FILES\\FIRST.DLL"), 0x80000000 | ERROR_FILE_NOT_FOUND);
}

}  // namespace
