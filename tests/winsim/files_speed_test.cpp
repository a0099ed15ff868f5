// Deleting a large tree named in another letter case than it is stored in, so that every call
// goes through the case-insensitive lookup, against the host deleting the same tree by itself
// (what rm -rf does). The benchmarks name their trees in the stored case, with few files a folder.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>

#include "support/files_remove.h"
#include "winsim/fresh_machine.h"

namespace {

namespace fs = std::filesystem;

using FileSpeed = FreshMachine;

// 15 times is well above what it takes (3 to 4 times the host, with the machine busy) and far
// below a scan of the folder per file, which takes hundreds of times longer.
TEST_F(FileSpeed, LargeTreeGoesNearlyAsFastAsOnTheHost) {
    const fs::path onMachine = fs::path(winsim::DriveFolder('C')) / "Orvanta";
    for (const fs::path& root : {onMachine, Scratch() / "Orvanta"}) {
        for (int folder = 0; folder < 4; ++folder) {
            const fs::path dir = root / ("Folder" + std::to_string(folder));
            fs::create_directories(dir);
            for (int file = 0; file < 5000; ++file) {
                const fs::path path = dir / ("File" + std::to_string(file) + ".Nsf");
                ::close(::open(path.c_str(), O_CREAT | O_WRONLY, 0644));
            }
        }
    }
    const auto secondsOf = [](auto work) {
        const auto start = std::chrono::steady_clock::now();
        work();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    const double host = secondsOf([&] { fs::remove_all(Scratch() / "Orvanta"); });
    const double machine = secondsOf([] { files_tree::RemoveEverything("C:\\ORVANTA"); });
    EXPECT_FALSE(fs::exists(onMachine));
    EXPECT_LT(machine, host * 15 + 0.1) << "host " << host << " s, machine " << machine << " s";
}

}  // namespace
