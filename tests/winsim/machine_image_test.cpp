#include <fstream>
#include <sstream>
#include <string>

#include "winsim/fresh_machine.h"

namespace {

const std::string kSample = std::string(WINSIM_MACHINES_DIR) + "/sample";
const std::string kSetupKey = "HKLM\\SOFTWARE\\Tarvelle\\Orvanta\\Setup\\Setup";

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string Environment(const char* name) {
    char value[MAX_PATH] = "";
    return GetEnvironmentVariableA(name, value, sizeof value) != 0 ? value : "(none)";
}

DWORD Dword(const std::string& key, const std::string& name) {
    winsim::Value value;
    if (!winsim::ReadValue(key, name, &value) || value.type != REG_DWORD ||
        value.data.size() != 4) {
        return 0xFFFFFFFF;
    }
    return value.data[0] | value.data[1] << 8 | value.data[2] << 16 | value.data[3] << 24;
}

using MachineImage = FreshMachine;

TEST_F(MachineImage, SavedSampleLoadsAndSavesToTheSameFiles) {
    std::string error;
    ASSERT_TRUE(winsim::LoadMachine(kSample, &error)) << error;
    const auto first = Scratch() / "first";
    ASSERT_TRUE(winsim::SaveMachine(first.string(), &error)) << error;
    // An image saved without changes is the image, so diff -r shows only what a run changed.
    EXPECT_EQ(ReadText(first / "machine.json"), ReadText(kSample + "/machine.json"));
    EXPECT_EQ(ReadText(first / "registry.reg"), ReadText(kSample + "/registry.reg"));

    winsim::Reset();
    ASSERT_TRUE(winsim::LoadMachine(first.string(), &error)) << error;
    EXPECT_EQ(Dword(kSetupKey, "Examora Server"), 1u);
    const auto second = Scratch() / "second";
    ASSERT_TRUE(winsim::SaveMachine(second.string(), &error)) << error;
    EXPECT_EQ(ReadText(second / "machine.json"), ReadText(first / "machine.json"));
    EXPECT_EQ(ReadText(second / "registry.reg"), ReadText(first / "registry.reg"));
}

TEST_F(MachineImage, KeysThatNoPieceKnowsAreKeptInPlace) {
    WriteText(Scratch() / "machine.json", R"({
    "os": "win95",
    "laterPiece": {"items": [1, 2, 3]},
    "processor": "alpha",
    "environment": {"SystemRoot": "C:\\WINDOWS"}
})");
    std::string error;
    ASSERT_TRUE(winsim::LoadMachine(Scratch().string(), &error)) << error;
    EXPECT_EQ(winsim::CurrentSystem().platformId, VER_PLATFORM_WIN32_WINDOWS);
    EXPECT_EQ(winsim::CurrentSystem().processorArchitecture, PROCESSOR_ARCHITECTURE_ALPHA);
    // The image's environment is the whole environment.
    EXPECT_EQ(Environment("SystemRoot"), "C:\\WINDOWS");
    EXPECT_EQ(Environment("windir"), "(none)");

    // A variable the program sets belongs to its process: the image keeps the machine's.
    SetEnvironmentVariableA("NOTESPARTITION", "2");
    const auto saved = Scratch() / "saved";
    ASSERT_TRUE(winsim::SaveMachine(saved.string(), &error)) << error;
    EXPECT_EQ(ReadText(saved / "machine.json"), R"({
    "os": "win95",
    "laterPiece": {
        "items": [
            1,
            2,
            3
        ]
    },
    "processor": "alpha",
    "environment": {
        "SystemRoot": "C:\\WINDOWS"
    }
}
)");
}

TEST_F(MachineImage, SystemWithoutANameIsSavedFieldByField) {
    winsim::SystemVersion odd = winsim::Windows2000();
    odd.servicePack = "Service Pack 1";
    odd.versionQueryFails = true;
    winsim::SetSystem(odd);
    std::string error;
    ASSERT_TRUE(winsim::SaveMachine(Scratch().string(), &error)) << error;

    winsim::Reset();
    ASSERT_TRUE(winsim::LoadMachine(Scratch().string(), &error)) << error;
    const winsim::SystemVersion loaded = winsim::CurrentSystem();
    EXPECT_EQ(loaded.major, 5u);
    EXPECT_EQ(loaded.build, 2195u);
    EXPECT_EQ(loaded.servicePack, "Service Pack 1");
    EXPECT_TRUE(loaded.versionQueryFails);
}

TEST_F(MachineImage, LoadingReplacesTheWholeMachine) {
    SetEnvironmentVariableA("NOTESPARTITION", "2");
    winsim::SetSystem(winsim::WindowsXP());
    Sleep(1000);
    WriteText(Scratch() / "machine.json", "{}");
    std::string error;
    ASSERT_TRUE(winsim::LoadMachine(Scratch().string(), &error)) << error;
    EXPECT_EQ(Environment("NOTESPARTITION"), "(none)");
    EXPECT_EQ(Environment("SystemRoot"), "C:\\WINNT");
    EXPECT_EQ(winsim::CurrentSystem().build, 1381u);
    EXPECT_EQ(winsim::NowMs(), 0u);
    EXPECT_FALSE(winsim::KeyExists("HKLM\\SOFTWARE\\Tarvelle"));
}

TEST_F(MachineImage, UnreadableImagesAreRefusedWithAReason) {
    std::string error;
    EXPECT_FALSE(winsim::LoadMachine((Scratch() / "missing").string(), &error));
    EXPECT_NE(error.find("machine.json"), std::string::npos) << error;

    WriteText(Scratch() / "machine.json", "{\"os\": ");
    EXPECT_FALSE(winsim::LoadMachine(Scratch().string(), &error));

    // A machine that fails half-way through is left reset.
    WriteText(Scratch() / "machine.json",
              R"({"environment": {"X": "1"}, "os": "win98", "processor": "intel"})");
    SetEnvironmentVariableA("NOTESPARTITION", "2");
    error.clear();
    EXPECT_FALSE(winsim::LoadMachine(Scratch().string(), &error));
    EXPECT_NE(error.find("win98"), std::string::npos) << error;
    EXPECT_EQ(Environment("X"), "(none)");
    EXPECT_EQ(Environment("NOTESPARTITION"), "(none)");

    WriteText(Scratch() / "machine.json", R"({"processor": "vax"})");
    EXPECT_FALSE(winsim::LoadMachine(Scratch().string(), &error));
    WriteText(Scratch() / "machine.json", R"({"environment": {"X": 1}})");
    EXPECT_FALSE(winsim::LoadMachine(Scratch().string(), &error));
}

}  // namespace
