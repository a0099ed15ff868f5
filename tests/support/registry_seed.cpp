// Seeding and reading the registry through the Win32 API, the same on both platforms.
#include <gtest/gtest.h>

#include <vector>

#include "support/machine.h"

namespace testing_machine {
namespace {

HKEY CreateOrOpen(const std::string& path) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    const LONG result =
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, &disposition);
    EXPECT_EQ(result, ERROR_SUCCESS) << path;
    return key;
}

void SetRaw(const std::string& path, const std::string& name, DWORD type, const void* data,
            DWORD size) {
    HKEY key = CreateOrOpen(path);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

}  // namespace

void CreateKey(const std::string& path) {
    HKEY key = CreateOrOpen(path);
    if (key != nullptr) {
        RegCloseKey(key);
    }
}

void SetString(const std::string& path, const std::string& name, const std::string& text,
               DWORD type) {
    SetRaw(path, name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void SetDword(const std::string& path, const std::string& name, DWORD value) {
    SetRaw(path, name, REG_DWORD, &value, sizeof value);
}

void SetBinary(const std::string& path, const std::string& name, const std::string& bytes) {
    SetRaw(path, name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
}

bool KeyExists(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

std::string ReadBytes(const std::string& path, const std::string& name, DWORD* type) {
    if (type != nullptr) {
        *type = REG_NONE;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return {};
    }
    DWORD size = 0;
    DWORD storedType = REG_NONE;
    std::string bytes;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &storedType, nullptr, &size) ==
        ERROR_SUCCESS) {
        std::vector<BYTE> data(size + 1);
        if (RegQueryValueExA(key, name.c_str(), nullptr, &storedType, data.data(), &size) ==
            ERROR_SUCCESS) {
            bytes.assign(reinterpret_cast<const char*>(data.data()), size);
            if (type != nullptr) {
                *type = storedType;
            }
        }
    }
    RegCloseKey(key);
    return bytes;
}

bool ValueExists(const std::string& path, const std::string& name) {
    DWORD type = REG_NONE;
    ReadBytes(path, name, &type);
    return type != REG_NONE;
}

DWORD ReadDword(const std::string& path, const std::string& name) {
    const std::string bytes = ReadBytes(path, name);
    DWORD value = 0xFFFFFFFF;
    if (bytes.size() == sizeof value) {
        memcpy(&value, bytes.data(), sizeof value);
    }
    return value;
}

std::string ReadEnvironment(const std::string& name) {
    char buffer[256] = {};
    const DWORD length = GetEnvironmentVariableA(name.c_str(), buffer, sizeof buffer);
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

void SetEnvironment(const std::string& name, const char* value) {
    SetEnvironmentVariableA(name.c_str(), value);
}

}  // namespace testing_machine
