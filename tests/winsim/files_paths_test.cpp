#include "winsim/files_machine.h"

namespace {

using FilePaths = FilesMachine;

TEST_F(FilePaths, EveryFormOfAPathFindsTheStoredFile) {
    Put("Orvanta/Bin/ovrt.dll");
    const std::string stored = (DriveC() / "Orvanta/Bin/ovrt.dll").string();

    for (const char* path : {
             "C:\\Orvanta\\Bin\\ovrt.dll",
             "c:\\ORVANTA\\bin\\OVRT.DLL",
             "C:/Orvanta/Bin/ovrt.dll",
             "Orvanta\\Bin\\ovrt.dll",
             "\\Orvanta\\Bin\\ovrt.dll",
             "C:Orvanta\\Bin\\ovrt.dll",
             "C:\\\\Orvanta\\\\\\Bin/\\ovrt.dll",
             "C:\\Orvanta\\.\\Bin\\..\\Bin\\ovrt.dll",
             "C:\\..\\..\\Orvanta\\Bin\\ovrt.dll",
             "C:\\Orvanta\\missing\\..\\Bin\\ovrt.dll",
             "C:\\Orvanta.\\Bin\\ovrt.dll. . ",
         }) {
        EXPECT_EQ(Attributes(path), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE)) << path;
        EXPECT_EQ(winsim::HostPath(path), stored) << path;
    }
}

TEST_F(FilePaths, HostPathOfWhatIsNotThere) {
    PutDirectory("Orvanta");

    EXPECT_EQ(winsim::HostPath("C:\\ORVANTA\\New.dll"), (DriveC() / "Orvanta/New.dll").string());
    EXPECT_EQ(winsim::HostPath("C:\\"), DriveC().string());
    EXPECT_EQ(winsim::HostPath("C:\\missing\\New.dll"), "");
    EXPECT_EQ(winsim::HostPath("Q:\\New.dll"), "");
}

// Looking names up in another case goes through an index of the folder, not a scan per call:
// a name added behind the index's back is still found, and one deleted is no longer.
TEST_F(FilePaths, OtherCaseStaysRightWhileTheFolderChanges) {
    Put("Orvanta/First.dll");
    EXPECT_EQ(Attributes("C:\\ORVANTA\\FIRST.DLL"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));

    Put("Orvanta/Second.dll");
    EXPECT_EQ(Attributes("C:\\ORVANTA\\SECOND.DLL"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));

    std::filesystem::remove(DriveC() / "Orvanta/First.dll");
    Put("Orvanta/FIRST.dll");
    EXPECT_EQ(winsim::HostPath("C:\\orvanta\\first.DLL"),
              (DriveC() / "Orvanta/FIRST.dll").string());
    std::filesystem::remove(DriveC() / "Orvanta/FIRST.dll");
    EXPECT_EQ(Attributes("C:\\ORVANTA\\FIRST.DLL"), AttributesError(ERROR_FILE_NOT_FOUND));
}

}  // namespace
