// Machine images: a folder holding machine.json (the system, the environment and whatever other
// pieces keep there) and registry.reg (the registry in the registry editor's text format).
// machine.json is read whole and kept, so that keys no piece knows survive a save.
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>

#include "platform/winsim/control.h"
#include "platform/winsim/machine.h"

namespace winsim {

namespace {

constexpr const char* kMachineFile = "machine.json";
constexpr const char* kRegistryFile = "registry.reg";

struct LoadedImage {
    std::mutex lock;
    detail::MachineDocument document = detail::MachineDocument::object();
};

LoadedImage& TheImage() {
    static LoadedImage image;
    return image;
}

void ForgetImage() {
    std::lock_guard<std::mutex> hold(TheImage().lock);
    TheImage().document = detail::MachineDocument::object();
}

[[maybe_unused]] const bool kRegistered =
    detail::RegisterMachinePiece({&ForgetImage, nullptr, nullptr});

std::string FilePath(const std::string& dir, const char* name) {
    return (std::filesystem::path(dir) / name).string();
}

bool ReadFile(const std::string& path, std::string* text, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = "cannot open " + path;
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    *text = content.str();
    return true;
}

bool WriteFile(const std::string& path, const std::string& text, std::string* error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        *error = "cannot write " + path;
        return false;
    }
    return true;
}

bool ReadDocument(const std::string& dir, detail::MachineDocument* document, std::string* error) {
    const std::string path = FilePath(dir, kMachineFile);
    std::string text;
    if (!ReadFile(path, &text, error)) {
        return false;
    }
    try {
        *document = detail::MachineDocument::parse(text);
    } catch (const nlohmann::json::exception& e) {
        *error = path + ": " + e.what();
        return false;
    }
    if (!document->is_object()) {
        *error = path + ": not a JSON object";
        return false;
    }
    return true;
}

bool LoadPieces(const detail::MachineDocument& document, const std::string& dir,
                std::string* error) {
    for (const detail::MachinePiece& piece : detail::MachinePieces()) {
        if (piece.load != nullptr && !piece.load(document, dir, error)) {
            *error = FilePath(dir, kMachineFile) + ": " + *error;
            return false;
        }
    }
    return true;
}

// An image without registry.reg has an empty registry.
bool LoadRegistry(const std::string& dir, std::string* error) {
    const std::string path = FilePath(dir, kRegistryFile);
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored)) {
        return true;
    }
    std::string text;
    if (!ReadFile(path, &text, error)) {
        return false;
    }
    if (!ImportRegistry(text, error)) {
        *error = path + ": " + *error;
        return false;
    }
    return true;
}

}  // namespace

// A machine that fails to load is left reset rather than half loaded.
bool LoadMachine(const std::string& dir, std::string* error) {
    std::string ignored;
    if (error == nullptr) {
        error = &ignored;
    }
    detail::MachineDocument document;
    if (!ReadDocument(dir, &document, error)) {
        return false;
    }
    Reset();
    if (!LoadPieces(document, dir, error) || !LoadRegistry(dir, error)) {
        Reset();
        return false;
    }
    std::lock_guard<std::mutex> hold(TheImage().lock);
    TheImage().document = std::move(document);
    return true;
}

bool SaveMachine(const std::string& dir, std::string* error) {
    std::string ignored;
    if (error == nullptr) {
        error = &ignored;
    }
    std::error_code failure;
    std::filesystem::create_directories(dir, failure);
    if (failure) {
        *error = "cannot create " + dir + ": " + failure.message();
        return false;
    }
    detail::MachineDocument document;
    {
        std::lock_guard<std::mutex> hold(TheImage().lock);
        document = TheImage().document;
    }
    for (const detail::MachinePiece& piece : detail::MachinePieces()) {
        if (piece.save != nullptr && !piece.save(&document, dir, error)) {
            return false;
        }
    }
    return WriteFile(FilePath(dir, kMachineFile), document.dump(4) + "\n", error) &&
           WriteFile(FilePath(dir, kRegistryFile), ExportRegistry(), error);
}

}  // namespace winsim
