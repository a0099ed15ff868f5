#include <cstring>

#include "winsim/files_machine.h"

namespace {

constexpr DWORD kArchive = FILE_ATTRIBUTE_ARCHIVE;
constexpr DWORD kReadOnly = FILE_ATTRIBUTE_READONLY;
constexpr DWORD kDirectory = FILE_ATTRIBUTE_DIRECTORY;

class FileOperations : public FilesMachine {
  protected:
    static HANDLE Open(const char* path, DWORD access, DWORD share, DWORD disposition,
                       DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        return CreateFileA(path, access, share, nullptr, disposition, attributes, nullptr);
    }
    // The error CreateFileA leaves, the handle closed again.
    static DWORD OpenError(const char* path, DWORD access, DWORD disposition) {
        SetLastError(0xDEAD);
        const HANDLE file = Open(path, access, 0, disposition);
        const DWORD error = GetLastError();
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
        }
        return error;
    }
};

// ---- Attributes ------------------------------------------------------------------------------

TEST_F(FileOperations, ReadOnlyIsTheHostFilesWritePermission) {
    Put("Orvanta/ovrt.dll");
    ASSERT_TRUE(SetFileAttributesA("C:\\ORVANTA\\OVRT.DLL", kReadOnly | kArchive));
    EXPECT_EQ(Attributes("C:\\Orvanta\\ovrt.dll"), kReadOnly | kArchive);
    EXPECT_FALSE(WritableOnHost("Orvanta/ovrt.dll"));

    ASSERT_TRUE(SetFileAttributesA("C:\\Orvanta\\ovrt.dll", kArchive));
    EXPECT_TRUE(WritableOnHost("Orvanta/ovrt.dll"));

    std::filesystem::permissions(DriveC() / "Orvanta/ovrt.dll", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_EQ(Attributes("C:\\Orvanta\\ovrt.dll"), kReadOnly | kArchive);
}

TEST_F(FileOperations, AttributesKeptBesideTheHostFile) {
    Put("Orvanta/ovrt.dll");
    PutDirectory("Orvanta/logs");
    EXPECT_EQ(Attributes("C:\\Orvanta\\ovrt.dll"), kArchive);
    const struct {
        DWORD set;
        DWORD reported;
    } cases[] = {
        {FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_NORMAL},
        {0, FILE_ATTRIBUTE_NORMAL},
        {FILE_ATTRIBUTE_HIDDEN | kArchive, FILE_ATTRIBUTE_HIDDEN | kArchive},
        {FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_SYSTEM},
        // The directory bit is not the caller's to set.
        {kDirectory, FILE_ATTRIBUTE_NORMAL},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(SetFileAttributesA("C:\\Orvanta\\ovrt.dll", c.set));
        EXPECT_EQ(Attributes("C:\\Orvanta\\ovrt.dll"), c.reported) << c.set;
    }

    EXPECT_EQ(Attributes("C:\\Orvanta\\logs"), kDirectory);
    ASSERT_TRUE(SetFileAttributesA("C:\\Orvanta\\logs\\", kReadOnly));
    EXPECT_EQ(Attributes("C:\\Orvanta\\logs"), kDirectory | kReadOnly);
    EXPECT_EQ(Attributes("C:\\"), kDirectory | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(Attributes("C:"), kDirectory | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
}

// ---- The codes of calls that name a path -----------------------------------------------------

TEST_F(FileOperations, PathCallsAnswerWithWindowsCodes) {
    Put("Orvanta/ovrt.dll");
    Put("Orvanta/readonly.dll");
    Put("Orvanta/held.dll");
    Put("Orvanta/logs/ovsen.log");
    PutDirectory("Orvanta/heldDir");
    PutDirectory("Orvanta/readonlyDir");
    ASSERT_TRUE(SetFileAttributesA("C:\\Orvanta\\readonly.dll", kReadOnly));
    ASSERT_TRUE(SetFileAttributesA("C:\\Orvanta\\readonlyDir", kReadOnly));
    winsim::FailDelete("c:/orvanta/HELD.DLL", ERROR_SHARING_VIOLATION);
    winsim::FailDelete("C:\\Orvanta\\heldDir");

    using Call = DWORD (*)(const std::string&);
    const Call attributes = [](const std::string& path) {
        const DWORD answer = Attributes(path);
        return (answer & 0x80000000) != 0 ? answer & 0x7FFFFFFF : 0;
    };
    const Call setAttributes = [](const std::string& path) {
        return ErrorOf([&] { return SetFileAttributesA(path.c_str(), 0); });
    };
    const std::string longest = "C:\\" + std::string(MAX_PATH - 3, 'x');
    const std::string longestDirectory = "C:\\" + std::string(MAX_PATH - 12 - 3, 'd');
    const struct {
        Call call;
        std::string path;
        DWORD error;
    } cases[] = {
        {attributes, "C:\\Orvanta\\missing.dll", ERROR_FILE_NOT_FOUND},
        {attributes, "C:\\missing\\ovrt.dll", ERROR_PATH_NOT_FOUND},
        {attributes, "C:\\Orvanta\\ovrt.dll\\", ERROR_PATH_NOT_FOUND},
        {attributes, "C:\\Orvanta\\ovrt.dll\\x", ERROR_PATH_NOT_FOUND},
        {attributes, "C:\\Orvanta\\*.dll", ERROR_INVALID_NAME},
        {attributes, "", ERROR_PATH_NOT_FOUND},
        {attributes, "Q:\\x", ERROR_PATH_NOT_FOUND},
        {attributes, longest, ERROR_FILE_NOT_FOUND},
        {attributes, longest + "x", ERROR_FILENAME_EXCED_RANGE},
        {attributes, "\\\\server\\share\\x", ERROR_BAD_NETPATH},
        {attributes, "C:\\a|b", ERROR_INVALID_NAME},
        {attributes, "C:\\a:b", ERROR_INVALID_NAME},
        {setAttributes, "C:\\Orvanta\\missing.dll", ERROR_FILE_NOT_FOUND},

        {DeleteError, "C:\\Orvanta\\missing.dll", ERROR_FILE_NOT_FOUND},
        {DeleteError, "C:\\missing\\ovrt.dll", ERROR_PATH_NOT_FOUND},
        {DeleteError, "C:\\Orvanta", ERROR_ACCESS_DENIED},
        {DeleteError, "C:\\Orvanta\\", ERROR_ACCESS_DENIED},
        {DeleteError, "C:\\Orvanta\\readonly.dll", ERROR_ACCESS_DENIED},
        {DeleteError, "C:\\Orvanta\\held.dll", ERROR_SHARING_VIOLATION},
        {DeleteError, "C:\\Orvanta\\ovrt.dll\\", ERROR_INVALID_NAME},
        {DeleteError, "C:\\Orvanta\\*.dll", ERROR_INVALID_NAME},
        {DeleteError, "", ERROR_PATH_NOT_FOUND},

        {RemoveDirectoryError, "C:\\Orvanta\\logs", ERROR_DIR_NOT_EMPTY},
        {RemoveDirectoryError, "C:\\Orvanta\\missing", ERROR_FILE_NOT_FOUND},
        {RemoveDirectoryError, "C:\\missing\\logs", ERROR_PATH_NOT_FOUND},
        {RemoveDirectoryError, "C:\\Orvanta\\logs\\ovsen.log", ERROR_DIRECTORY},
        {RemoveDirectoryError, "C:\\", ERROR_ACCESS_DENIED},
        {RemoveDirectoryError, "C:\\Orvanta\\heldDir", ERROR_ACCESS_DENIED},
        {RemoveDirectoryError, "C:\\Orvanta\\readonlyDir", ERROR_ACCESS_DENIED},

        {CreateDirectoryError, "c:\\orvanta", ERROR_ALREADY_EXISTS},
        {CreateDirectoryError, "C:\\missing\\Bin", ERROR_PATH_NOT_FOUND},
        {CreateDirectoryError, "C:\\Orvanta\\a*b", ERROR_INVALID_NAME},
        // A new directory leaves room for a 12-character name below it.
        {CreateDirectoryError, longestDirectory + "e", ERROR_FILENAME_EXCED_RANGE},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.call(c.path), c.error) << c.path;
    }
    EXPECT_TRUE(OnHost("Orvanta/readonly.dll"));
    EXPECT_TRUE(OnHost("Orvanta/held.dll"));
    EXPECT_TRUE(OnHost("Orvanta/heldDir"));
}

TEST_F(FileOperations, SuccessfulCallsTakeAnyCaseAndSeparator) {
    Put("Orvanta/ovrt.dll");
    PutDirectory("Orvanta/empty");
    EXPECT_EQ(DeleteError("c:\\ORVANTA\\Ovrt.Dll"), 0u);
    EXPECT_FALSE(OnHost("Orvanta/ovrt.dll"));
    EXPECT_EQ(RemoveDirectoryError("C:/ORVANTA/EMPTY/"), 0u);
    EXPECT_FALSE(OnHost("Orvanta/empty"));
    // A new directory keeps the case written, without its trailing dot.
    EXPECT_EQ(CreateDirectoryError("C:\\ORVANTA\\Bin."), 0u);
    EXPECT_TRUE(OnHost("Orvanta/Bin"));
    EXPECT_EQ(CreateDirectoryError("C:\\" + std::string(MAX_PATH - 12 - 3, 'd')), 0u);
}

// ---- Open files ------------------------------------------------------------------------------

TEST_F(FileOperations, OpenFileIsDeletedOnlyWhenItsHandleSharesDeletion) {
    Put("Orvanta/ovrt.dll");
    Put("Orvanta/ovsen.nsf");
    const HANDLE exclusive = Open("C:\\Orvanta\\ovrt.dll", GENERIC_READ, 0, OPEN_EXISTING);
    const HANDLE shared = Open("C:\\Orvanta\\ovsen.nsf", GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_DELETE, OPEN_EXISTING);
    ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
    ASSERT_NE(shared, INVALID_HANDLE_VALUE);

    EXPECT_EQ(DeleteError("C:\\Orvanta\\ovrt.dll"), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(DeleteError("C:\\Orvanta\\ovsen.nsf"), 0u);
    // A second open must share with the first.
    EXPECT_EQ(OpenError("C:\\Orvanta\\ovrt.dll", GENERIC_READ, OPEN_EXISTING),
              static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    CloseHandle(exclusive);
    CloseHandle(shared);
    EXPECT_EQ(DeleteError("C:\\Orvanta\\ovrt.dll"), 0u);
    EXPECT_EQ(winsim::OpenFileCount(), 0u);
}

TEST_F(FileOperations, WrittenFileReadsBack) {
    const HANDLE file = Open("C:\\ovsen.ini", GENERIC_WRITE, 0, CREATE_NEW);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD done = 0;
    EXPECT_EQ(ErrorOf([&] { return ReadFile(file, nullptr, 0, &done, nullptr); }),
              static_cast<DWORD>(ERROR_ACCESS_DENIED));
    ASSERT_TRUE(WriteFile(file, "[Orvanta]\r\n", 11, &done, nullptr));
    EXPECT_EQ(done, 11u);
    ASSERT_TRUE(CloseHandle(file));
    EXPECT_EQ(ErrorOf([&] { return CloseHandle(file); }), static_cast<DWORD>(ERROR_INVALID_HANDLE));

    const HANDLE again = Open("c:\\OVSEN.INI", GENERIC_READ, 0, OPEN_EXISTING);
    char text[32] = {};
    ASSERT_TRUE(ReadFile(again, text, sizeof text, &done, nullptr));
    EXPECT_EQ(std::string(text, done), "[Orvanta]\r\n");
    ASSERT_TRUE(ReadFile(again, text, sizeof text, &done, nullptr));
    EXPECT_EQ(done, 0u);
    EXPECT_EQ(ErrorOf([&] { return WriteFile(again, "x", 1, &done, nullptr); }),
              static_cast<DWORD>(ERROR_ACCESS_DENIED));
    CloseHandle(again);
}

TEST_F(FileOperations, OpenAnswersByDisposition) {
    Put("Orvanta/ovrt.dll");
    Put("Orvanta/readonly.dll");
    ASSERT_TRUE(SetFileAttributesA("C:\\Orvanta\\readonly.dll", kReadOnly));
    const struct {
        const char* path;
        DWORD access;
        DWORD disposition;
        DWORD error;
    } cases[] = {
        {"C:\\Orvanta\\ovrt.dll", GENERIC_WRITE, CREATE_NEW, ERROR_FILE_EXISTS},
        {"C:\\Orvanta\\ovrt.dll", GENERIC_WRITE, CREATE_ALWAYS, ERROR_ALREADY_EXISTS},
        {"C:\\Orvanta\\ovrt.dll", GENERIC_READ, OPEN_ALWAYS, ERROR_ALREADY_EXISTS},
        {"C:\\Orvanta\\ovrt.dll", GENERIC_READ, OPEN_EXISTING, 0},
        {"C:\\Orvanta\\new.dll", GENERIC_READ, OPEN_EXISTING, ERROR_FILE_NOT_FOUND},
        {"C:\\missing\\new.dll", GENERIC_WRITE, CREATE_ALWAYS, ERROR_PATH_NOT_FOUND},
        {"C:\\Orvanta", GENERIC_READ, OPEN_EXISTING, ERROR_ACCESS_DENIED},
        {"C:\\Orvanta\\readonly.dll", GENERIC_WRITE, OPEN_EXISTING, ERROR_ACCESS_DENIED},
        {"C:\\Orvanta\\readonly.dll", GENERIC_READ, CREATE_ALWAYS, ERROR_ACCESS_DENIED},
        {"C:\\Orvanta\\readonly.dll", GENERIC_READ, OPEN_EXISTING, 0},
        {"C:\\Orvanta\\new.dll", GENERIC_WRITE, CREATE_ALWAYS, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OpenError(c.path, c.access, c.disposition), c.error)
            << c.path << " " << c.access << " " << c.disposition;
    }
    EXPECT_EQ(Attributes("C:\\Orvanta\\new.dll"), kArchive);
}

TEST_F(FileOperations, NewReadOnlyFileIsWritableThroughItsOwnHandle) {
    const HANDLE file = Open("C:\\ovsen.ini", GENERIC_WRITE, 0, CREATE_NEW, kReadOnly);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, "x", 1, &written, nullptr));
    CloseHandle(file);

    EXPECT_EQ(Attributes("C:\\ovsen.ini"), kReadOnly | kArchive);
    EXPECT_EQ(DeleteError("C:\\ovsen.ini"), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST_F(FileOperations, WindowsDirectoryIsSystemRoot) {
    char buffer[MAX_PATH];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(GetWindowsDirectoryA(buffer, 8), 9u);
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_EQ(GetWindowsDirectoryA(buffer, 9), 8u);
    EXPECT_STREQ(buffer, "C:\\WINNT");

    winsim::SetEnvironment("SystemRoot", "D:\\WINDOWS");
    EXPECT_EQ(GetWindowsDirectoryA(buffer, sizeof buffer), 10u);
    EXPECT_STREQ(buffer, "D:\\WINDOWS");
}

// The simulated disks keep no short names: an existing path is its own long form.
TEST_F(FileOperations, LongPathNameOfAnExistingPathIsThePath) {
    ASSERT_TRUE(CreateDirectoryA("C:\\Program Files", nullptr));
    char buffer[MAX_PATH];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(GetLongPathNameA("c:\\program files", buffer, 16), 17u);
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_EQ(GetLongPathNameA("c:\\program files", buffer, 17), 16u);
    EXPECT_STREQ(buffer, "c:\\program files");

    EXPECT_EQ(GetLongPathNameA("C:\\Missing", buffer, sizeof buffer), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetLongPathNameA("C:\\Missing\\Deeper", buffer, sizeof buffer), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
