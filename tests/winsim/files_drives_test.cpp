#include <nlohmann/json.hpp>

#include "winsim/files_machine.h"

namespace {

namespace fs = std::filesystem;

class Drives : public FilesMachine {
  protected:
    static std::string ReadText(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void WriteText(const fs::path& path, const std::string& text) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    // The "drives" entry of an image's machine.json; null when it has none.
    static nlohmann::json DrivesOf(const fs::path& image) {
        const nlohmann::json machine = nlohmann::json::parse(ReadText(image / "machine.json"));
        return machine.contains("drives") ? machine["drives"] : nlohmann::json();
    }
    static bool Writable(const fs::path& path) {
        return (fs::status(path).permissions() & fs::perms::owner_write) != fs::perms::none;
    }

    // An image whose C: holds a read-only program and whose D: holds a database.
    fs::path WriteImage() {
        const fs::path image = Scratch() / "image";
        WriteText(image / "machine.json",
                  "{\n    \"drives\": {\n        \"C\": \"drive_c\",\n"
                  "        \"d\": \"data\"\n    }\n}\n");
        WriteText(image / "drive_c/Orvanta/ovrt.dll", "dll");
        WriteText(image / "drive_c/Orvanta/ovsen.log", "log");
        fs::permissions(image / "drive_c/Orvanta/ovrt.dll", fs::perms::owner_write,
                        fs::perm_options::remove);
        WriteText(image / "data/ovsen.nsf", "nsf");
        return image;
    }
};

TEST_F(Drives, ResetGivesAnEmptyPrivateC) {
    Put("Orvanta/ovrt.dll");
    const fs::path before = DriveC();

    winsim::Reset();

    EXPECT_EQ(DriveC(), before);
    EXPECT_TRUE(fs::is_empty(DriveC()));
    EXPECT_EQ(DriveC().parent_path().parent_path(), fs::temp_directory_path());
    EXPECT_EQ(winsim::DriveFolder('D'), "");
    EXPECT_EQ(Find("D:\\*"), std::vector<std::string>{"error 3"});
}

TEST_F(Drives, MappedDriveIsAHostFolder) {
    const fs::path folder = Scratch() / "d";
    fs::create_directories(folder / "Data");

    EXPECT_FALSE(winsim::MapDrive('D', (Scratch() / "missing").string()));
    ASSERT_TRUE(winsim::MapDrive('d', folder.string()));
    EXPECT_EQ(CreateDirectoryError("D:\\data\\Orvanta"), 0u);
    EXPECT_TRUE(fs::is_directory(folder / "Data/Orvanta"));

    winsim::UnmapDrive('D');
    EXPECT_EQ(Attributes("D:\\Data"), AttributesError(ERROR_PATH_NOT_FOUND));
}

TEST_F(Drives, ImageDrivesAreWorkedOnInPlace) {
    const fs::path image = WriteImage();
    std::string error;
    ASSERT_TRUE(winsim::LoadMachine(image.string(), &error)) << error;

    EXPECT_EQ(Attributes("C:\\Orvanta\\ovrt.dll"),
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(DeleteError("C:\\Orvanta\\ovsen.log"), 0u);
    EXPECT_EQ(DeleteError("D:\\ovsen.nsf"), 0u);
    EXPECT_FALSE(fs::exists(image / "drive_c/Orvanta/ovsen.log"));

    ASSERT_TRUE(winsim::SaveMachine(image.string(), &error)) << error;
    EXPECT_EQ(DrivesOf(image), nlohmann::json({{"C", "drive_c"}, {"D", "data"}}));
    EXPECT_TRUE(fs::exists(image / "drive_c/Orvanta/ovrt.dll"));
}

TEST_F(Drives, SavingElsewhereCopiesTheDrives) {
    std::string error;
    ASSERT_TRUE(winsim::LoadMachine(WriteImage().string(), &error)) << error;
    ASSERT_EQ(DeleteError("C:\\Orvanta\\ovsen.log"), 0u);
    const fs::path after = Scratch() / "after";
    WriteText(after / "drive_c/stale.txt", "from an earlier save");

    ASSERT_TRUE(winsim::SaveMachine(after.string(), &error)) << error;

    EXPECT_EQ(ReadText(after / "drive_c/Orvanta/ovrt.dll"), "dll");
    EXPECT_FALSE(Writable(after / "drive_c/Orvanta/ovrt.dll"));
    EXPECT_FALSE(fs::exists(after / "drive_c/Orvanta/ovsen.log"));
    EXPECT_FALSE(fs::exists(after / "drive_c/stale.txt"));
    EXPECT_EQ(ReadText(after / "data/ovsen.nsf"), "nsf");
}

// So that an image saved without changes is the image it was.
TEST_F(Drives, PrivateCGoesIntoAnImageOnlyWhenItHoldsSomething) {
    const fs::path image = Scratch() / "image";
    WriteText(image / "machine.json", "{}\n");
    std::string error;
    ASSERT_TRUE(winsim::LoadMachine(image.string(), &error)) << error;

    ASSERT_TRUE(winsim::SaveMachine(image.string(), &error)) << error;
    EXPECT_EQ(DrivesOf(image), nullptr);
    EXPECT_FALSE(fs::exists(image / "drive_c"));

    Put("Orvanta/ovrt.dll", "dll");
    ASSERT_TRUE(winsim::SaveMachine(image.string(), &error)) << error;
    EXPECT_EQ(DrivesOf(image), nlohmann::json({{"C", "drive_c"}}));
    EXPECT_EQ(ReadText(image / "drive_c/Orvanta/ovrt.dll"), "dll");
}

TEST_F(Drives, BadDrivesEntryRefusesTheImage) {
    const fs::path image = Scratch() / "image";
    for (const char* drives : {"[\"C\"]", "{\"CD\": \"drive_c\"}", "{\"C\": 3}"}) {
        WriteText(image / "machine.json", std::string("{\"drives\": ") + drives + "}");
        std::string error;
        EXPECT_FALSE(winsim::LoadMachine(image.string(), &error)) << drives;
        EXPECT_NE(error.find("drive"), std::string::npos) << error;
    }
}

// Loading such an image would make the folder, and saving it elsewhere would replace a folder
// outside the one the save is given.
TEST_F(Drives, DriveFolderOutsideTheImageIsRefusedAndNotMade) {
    const fs::path image = Scratch() / "image";
    const fs::path outside = Scratch() / "outside";
    for (const std::string& folder :
         {std::string("../outside"), std::string("drive_c/../../outside"), outside.string(),
          std::string(""), std::string("."), std::string("..")}) {
        WriteText(image / "machine.json", nlohmann::json({{"drives", {{"C", folder}}}}).dump());
        std::string error;
        EXPECT_FALSE(winsim::LoadMachine(image.string(), &error)) << folder;
        EXPECT_NE(error.find("drive C: \"" + folder + "\" is not a folder beside machine.json"),
                  std::string::npos)
            << error;
        EXPECT_FALSE(fs::exists(outside)) << folder;
    }
}

}  // namespace
