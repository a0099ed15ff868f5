// The fixture of the simulated machine's file tests: files put straight into the host folder of
// C:, and the answers of the Win32 file functions as values a test can compare whole.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "winsim/fresh_machine.h"

class FilesMachine : public FreshMachine {
  protected:
    static std::filesystem::path DriveC() { return winsim::DriveFolder('C'); }

    // A file below C: ("Orvanta/bin/ovrt.dll"), its folders made on the way.
    static void Put(const std::string& relative, const std::string& bytes = "x") {
        const std::filesystem::path path = DriveC() / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static void PutDirectory(const std::string& relative) {
        std::filesystem::create_directories(DriveC() / relative);
    }
    static bool OnHost(const std::string& relative) {
        return std::filesystem::exists(DriveC() / relative);
    }
    static bool WritableOnHost(const std::string& relative) {
        struct stat info;
        return ::stat((DriveC() / relative).c_str(), &info) == 0 && (info.st_mode & S_IWUSR) != 0;
    }

    // The names a search hands out in order, or "error N" when it does not start.
    static std::vector<std::string> Find(const std::string& pattern) {
        WIN32_FIND_DATAA entry;
        SetLastError(0);
        const HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE) {
            return {"error " + std::to_string(GetLastError())};
        }
        std::vector<std::string> names;
        do {
            names.push_back(entry.cFileName);
        } while (FindNextFileA(search, &entry));
        FindClose(search);
        return names;
    }

    // The last error a failed call left; 0 when it succeeded.
    template <typename Call>
    static DWORD ErrorOf(Call call) {
        SetLastError(0);
        return call() ? 0 : GetLastError();
    }
    static DWORD DeleteError(const std::string& path) {
        return ErrorOf([&] { return DeleteFileA(path.c_str()); });
    }
    static DWORD RemoveDirectoryError(const std::string& path) {
        return ErrorOf([&] { return RemoveDirectoryA(path.c_str()); });
    }
    static DWORD CreateDirectoryError(const std::string& path) {
        return ErrorOf([&] { return CreateDirectoryA(path.c_str(), nullptr); });
    }
    // The attributes, or the error with the high bit set.
    static DWORD Attributes(const std::string& path) {
        SetLastError(0);
        const DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES ? attributes : 0x80000000 | GetLastError();
    }
};

// The error a failed GetFileAttributesA gives, as Attributes() reports it.
constexpr DWORD AttributesError(DWORD error) {
    return 0x80000000 | error;
}
