// The machine image loader over any machine.json and registry.reg: the input up to its first zero
// byte is machine.json, the rest (when there is a zero byte) registry.reg. Each run writes them
// into a fresh image folder, loads it, and saves what loaded into a second folder.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_check.h"
#include "fuzz_fields.h"
#include "platform/winsim/control.h"

namespace {

namespace fs = std::filesystem;

// Two folders of this process, emptied on every run and removed when the fuzzer exits.
class ScratchFolders {
  public:
    ScratchFolders()
        : m_root(fs::temp_directory_path() / ("machine-image-fuzz-" + std::to_string(::getpid()))),
          m_image(m_root / "image"),
          m_saved(m_root / "saved") {}
    ~ScratchFolders() {
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }

    void Empty() {
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
        fs::create_directories(m_image, ignored);
    }
    const fs::path& Image() const { return m_image; }
    const fs::path& Saved() const { return m_saved; }
    const fs::path& Root() const { return m_root; }

  private:
    fs::path m_root;
    fs::path m_image;
    fs::path m_saved;
};

ScratchFolders& Folders() {
    static ScratchFolders folders;
    return folders;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// An image maps its drives onto folders inside itself; loading or saving one must not reach out
// of the folders it was given.
void CheckStayedInside() {
    std::error_code ignored;
    for (const fs::path& sibling : fs::directory_iterator(Folders().Root(), ignored)) {
        FuzzCheck(sibling == Folders().Image() || sibling == Folders().Saved(),
                  "a folder was made beside the image");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzFields fields(data, size);
    const std::string machine = fields.Text();
    const bool hasRegistry = !fields.Empty();
    const std::string registry = fields.Rest();

    Folders().Empty();
    WriteFile(Folders().Image() / "machine.json", machine);
    if (hasRegistry) {
        WriteFile(Folders().Image() / "registry.reg", registry);
    }
    std::string error;
    if (winsim::LoadMachine(Folders().Image().string(), &error)) {
        winsim::SaveMachine(Folders().Saved().string(), &error);
    }
    CheckStayedInside();
    winsim::Reset();
    return 0;
}
