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
    EXPECT_EQ(Attributes("C:\\Orvanta\\ovrt.dll"), kArchive);

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

TEST_F(FileOperations, AttributesOfWhatIsNotThere) {
    Put("Orvanta/ovrt.dll");

    EXPECT_EQ(Attributes("C:\\Orvanta\\missing.dll"), AttributesError(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(Attributes("C:\\missing\\ovrt.dll"), AttributesError(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(Attributes("C:\\Orvanta\\ovrt.dll\\"), AttributesError(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(Attributes("C:\\Orvanta\\ovrt.dll\\x"), AttributesError(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(Attributes("C:\\Orvanta\\*.dll"), AttributesError(ERROR_INVALID_NAME));
    EXPECT_EQ(Attributes(""), AttributesError(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(Attributes("Q:\\x"), AttributesError(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(ErrorOf([] { return SetFileAttributesA("C:\\Orvanta\\missing.dll", 0); }),
              static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

// ---- DeleteFileA -----------------------------------------------------------------------------

TEST_F(FileOperations, DeleteRefusals) {
    Put("Orvanta/ovrt.dll");
    Put("Orvanta/readonly.dll");
    Put("Orvanta/held.dll");
    ASSERT_TRUE(SetFileAttributesA("C:\\Orvanta\\readonly.dll", kReadOnly));
    winsim::FailDelete("c:/orvanta/HELD.DLL", ERROR_SHARING_VIOLATION);

    EXPECT_EQ(DeleteError("C:\\Orvanta\\missing.dll"), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(DeleteError("C:\\missing\\ovrt.dll"), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(DeleteError("C:\\Orvanta"), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(DeleteError("C:\\Orvanta\\"), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(DeleteError("C:\\Orvanta\\readonly.dll"), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(DeleteError("C:\\Orvanta\\held.dll"), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(DeleteError("C:\\Orvanta\\ovrt.dll\\"), static_cast<DWORD>(ERROR_INVALID_NAME));
    EXPECT_EQ(DeleteError("C:\\Orvanta\\*.dll"), static_cast<DWORD>(ERROR_INVALID_NAME));
    EXPECT_EQ(DeleteError(""), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_TRUE(OnHost("Orvanta/readonly.dll"));
    EXPECT_TRUE(OnHost("Orvanta/held.dll"));

    EXPECT_EQ(DeleteError("c:\\ORVANTA\\Ovrt.Dll"), 0u);
    EXPECT_FALSE(OnHost("Orvanta/ovrt.dll"));
}

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
    CloseHandle(exclusive);
    CloseHandle(shared);
    EXPECT_EQ(DeleteError("C:\\Orvanta\\ovrt.dll"), 0u);
    EXPECT_EQ(winsim::OpenFileCount(), 0u);
}

// ---- Directories -----------------------------------------------------------------------------

TEST_F(FileOperations, RemoveDirectoryOnlyWhenEmpty) {
    Put("Orvanta/logs/ovsen.log");
    PutDirectory("Orvanta/empty");
    PutDirectory("Orvanta/held");
    PutDirectory("Orvanta/readonly");
    ASSERT_TRUE(SetFileAttributesA("C:\\Orvanta\\readonly", kReadOnly));
    winsim::FailDelete("C:\\Orvanta\\held");

    EXPECT_EQ(RemoveDirectoryError("C:\\Orvanta\\logs"), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
    EXPECT_EQ(RemoveDirectoryError("C:\\Orvanta\\missing"),
              static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(RemoveDirectoryError("C:\\missing\\logs"), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(RemoveDirectoryError("C:\\Orvanta\\logs\\ovsen.log"),
              static_cast<DWORD>(ERROR_DIRECTORY));
    EXPECT_EQ(RemoveDirectoryError("C:\\"), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(RemoveDirectoryError("C:\\Orvanta\\held"), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(RemoveDirectoryError("C:\\Orvanta\\readonly"),
              static_cast<DWORD>(ERROR_ACCESS_DENIED));

    EXPECT_EQ(RemoveDirectoryError("C:/ORVANTA/EMPTY/"), 0u);
    EXPECT_FALSE(OnHost("Orvanta/empty"));
}

TEST_F(FileOperations, CreateDirectoryKeepsTheCaseWrittenAndLeavesRoomForAName) {
    EXPECT_EQ(CreateDirectoryError("C:\\Orvanta"), 0u);
    EXPECT_EQ(CreateDirectoryError("C:\\ORVANTA\\Bin."), 0u);
    EXPECT_TRUE(OnHost("Orvanta/Bin"));
    EXPECT_EQ(CreateDirectoryError("c:\\orvanta"), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(CreateDirectoryError("C:\\missing\\Bin"), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(CreateDirectoryError("C:\\Orvanta\\a*b"), static_cast<DWORD>(ERROR_INVALID_NAME));

    const std::string longest = "C:\\" + std::string(MAX_PATH - 12 - 3, 'd');
    EXPECT_EQ(CreateDirectoryError(longest + "e"), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_EQ(CreateDirectoryError(longest), 0u);
}

// ---- Open files ------------------------------------------------------------------------------

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
    const char* existing = "C:\\Orvanta\\ovrt.dll";
    const char* readOnly = "C:\\Orvanta\\readonly.dll";

    EXPECT_EQ(OpenError(existing, GENERIC_WRITE, CREATE_NEW),
              static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_EQ(OpenError(existing, GENERIC_WRITE, CREATE_ALWAYS),
              static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(OpenError(existing, GENERIC_READ, OPEN_ALWAYS),
              static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(OpenError(existing, GENERIC_READ, OPEN_EXISTING), 0u);
    EXPECT_EQ(OpenError("C:\\Orvanta\\new.dll", GENERIC_READ, OPEN_EXISTING),
              static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(OpenError("C:\\missing\\new.dll", GENERIC_WRITE, CREATE_ALWAYS),
              static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(OpenError("C:\\Orvanta", GENERIC_READ, OPEN_EXISTING),
              static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(OpenError(readOnly, GENERIC_WRITE, OPEN_EXISTING),
              static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(OpenError(readOnly, GENERIC_READ, CREATE_ALWAYS),
              static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(OpenError(readOnly, GENERIC_READ, OPEN_EXISTING), 0u);
    EXPECT_EQ(OpenError("C:\\Orvanta\\new.dll", GENERIC_WRITE, CREATE_ALWAYS), 0u);
    EXPECT_EQ(Attributes("C:\\Orvanta\\new.dll"), kArchive);
}

TEST_F(FileOperations, SecondOpenMustShareWithTheFirst) {
    Put("ovsen.ini");
    const HANDLE reader = Open("C:\\ovsen.ini", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);

    EXPECT_EQ(OpenError("C:\\ovsen.ini", GENERIC_WRITE, OPEN_EXISTING),
              static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    const HANDLE second = Open("C:\\ovsen.ini", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    EXPECT_NE(second, INVALID_HANDLE_VALUE);
    CloseHandle(second);
    CloseHandle(reader);
    EXPECT_EQ(OpenError("C:\\ovsen.ini", GENERIC_WRITE, OPEN_EXISTING), 0u);
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

// ---- Windows directory -----------------------------------------------------------------------

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

}  // namespace
