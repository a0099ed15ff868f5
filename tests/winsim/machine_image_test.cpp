// Machine images: what is saved back, and what is refused.
#include <string>

#include "winsim/fresh_machine.h"

namespace {

const std::string kSample = std::string(WINSIM_MACHINES_DIR) + "/sample";

std::string Environment(const char* name) {
    char value[MAX_PATH] = "";
    return GetEnvironmentVariableA(name, value, sizeof value) != 0 ? value : "(none)";
}

using MachineImage = FreshMachine;

// An image saved without changes is the image, so diff -r shows only what a run changed; what the
// program set in its own environment is not the machine's.
TEST_F(MachineImage, ASavedImageIsTheImageLoaded) {
    std::string error;
    ASSERT_TRUE(winsim::LoadMachine(kSample, &error)) << error;
    SetEnvironmentVariableA("NOTESPARTITION", "2");
    ASSERT_TRUE(winsim::SaveMachine(Scratch().string(), &error)) << error;
    EXPECT_EQ(ReadText(Scratch() / "machine.json"), ReadText(kSample + "/machine.json"));
    EXPECT_EQ(ReadText(Scratch() / "registry.reg"), ReadText(kSample + "/registry.reg"));
}

// A drive folder must lie beside machine.json: loading such an image would make the folder, and
// saving it elsewhere would replace a folder outside the one the save is given.
TEST_F(MachineImage, FaultyImagesAreRefusedWithAReasonAndLeaveAResetMachine) {
    const struct {
        const char* json;
        const char* reason;
    } cases[] = {
        {R"({"environment": {"X": "1"}, "os": "win98"})", "win98"},
        {R"({"processor": "vax"})", "vax"},
        {R"({"services": [{"name": "X", "stop": "slowly"}]})", "service \"X\""},
        {R"({"drives": {"CD": "drive_c"}})", "drive"},
        {R"({"drives": {"C": "../outside"}})", "drive C: \"../outside\" is not a folder beside"},
        {R"({"drives": {"C": "drive_c/../../outside"}})", "is not a folder beside"},
    };
    for (const auto& c : cases) {
        WriteText(Scratch() / "image/machine.json", c.json);
        SetEnvironmentVariableA("NOTESPARTITION", "2");
        std::string error;
        EXPECT_FALSE(winsim::LoadMachine((Scratch() / "image").string(), &error)) << c.json;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_EQ(Environment("X") + Environment("NOTESPARTITION"), "(none)(none)") << c.json;
    }
    EXPECT_FALSE(std::filesystem::exists(Scratch() / "outside"));
}

}  // namespace
