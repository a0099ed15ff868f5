#include "show_command.h"

#include <string>

#include "ovuninstall/session/library_binding.h"
#include "platform/win32.h"

namespace {

using SetSolutionFunction = int (*)(int, int);
using GetParamIntFunction = int (*)(const char*, int*, const char*);
using GetParamStringFunction = int (*)(const char*, char*, const char*);
using IsPartitionedFunction = int (*)(int*);
using GetNumberOfPartitionsFunction = int (*)();

// The suite's runtime library, read directly as the suite's own programs read it.
class RuntimeStore {
  public:
    RuntimeStore() : m_module(LoadLibraryA("ovrt.dll")) {}
    ~RuntimeStore() {
        if (m_module != nullptr) {
            FreeLibrary(m_module);
        }
    }
    RuntimeStore(const RuntimeStore&) = delete;
    RuntimeStore& operator=(const RuntimeStore&) = delete;

    bool IsLoaded() const { return m_module != nullptr; }

    template <typename Function>
    Function Resolve(const char* name) const {
        return reinterpret_cast<Function>(
            reinterpret_cast<void (*)()>(GetProcAddress(m_module, name)));
    }

  private:
    HMODULE m_module;
};

constexpr const char* kSetupTexts[] = {
    "Current Version",      "Program Directory", "Folder Location",   "Notes Directory",
    "Notes Data Directory", "Notes.ini",         "Database Directory"};
constexpr const char* kSetupFlags[] = {
    "Sentrel",         "OVSNMP",         "Paging Server",          "Advanced Vellgard Server",
    "Pathlyn Server",  "Pathlyn Client", "Rendimo Manager Server", "Examora Server",
    "Kestrune Console"};

void ShowSetup(const RuntimeStore& store, std::ostream& out) {
    const auto setSolution = store.Resolve<SetSolutionFunction>("SetSolution");
    const auto getString = store.Resolve<GetParamStringFunction>("GetParamString");
    const auto getInt = store.Resolve<GetParamIntFunction>("GetParamInt");
    if (setSolution == nullptr || getString == nullptr || getInt == nullptr) {
        out << "  (the parameter store lacks its functions)\n";
        return;
    }
    setSolution(5, 1);
    for (const char* name : kSetupTexts) {
        char text[MAX_PATH] = {};
        const bool read = getString(name, text, "Setup") != 0;
        out << "  " << name << ": " << (read ? text : "(not set)") << "\n";
    }
    for (const char* name : kSetupFlags) {
        int value = 0;
        const bool read = getInt(name, &value, "Setup") != 0;
        out << "  " << name << ": "
            << (read ? (value == 1 ? "installed" : "not installed") : "(not set)") << "\n";
    }
}

}  // namespace

Outcome RunShow(LibraryBinding& library, std::ostream& out) {
    const int partition = library.getPartition();
    out << "Partition selected by the environment: "
        << (partition == -1 ? std::string("none") : std::to_string(partition)) << "\n";
    out << "Domino environment needs creating: " << (library.shouldCreateEnv() ? "yes" : "no")
        << "\n";

    RuntimeStore store;
    if (!store.IsLoaded()) {
        out << "Parameter store: ovrt.dll cannot be loaded\n";
        return Outcome::kStillInstalled;
    }
    const auto isPartitioned = store.Resolve<IsPartitionedFunction>("IsPartitioned");
    const auto partitions = store.Resolve<GetNumberOfPartitionsFunction>("GetNumberOfPartitions");
    int scratch = 0;
    const bool partitioned = isPartitioned != nullptr && isPartitioned(&scratch) != 0;
    out << "Parameter store: " << (partitioned ? "partitioned" : "not partitioned");
    if (partitioned && partitions != nullptr) {
        out << ", " << partitions() << " partitions";
    }
    out << "\n";
    if (!partitioned) {
        out << "Setup parameters:\n";
        ShowSetup(store, out);
        return Outcome::kDone;
    }
    const int count = partitions != nullptr ? partitions() : -1;
    for (int n = 1; n <= 25 && (count < 0 || n <= count); ++n) {
        library.setPartition(n);
        out << "Setup parameters of partition " << n << ":\n";
        ShowSetup(store, out);
    }
    return Outcome::kDone;
}
