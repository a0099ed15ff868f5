// The version resources of the three files a server gets, read back the way Explorer's Properties
// and installers read them (GetFileVersionInfoA, VerQueryValueA), under Wine: every one carries
// the release's version, in its fixed part and as text, its product name and its own file name.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "program_folder.h"
#include "uninstlib_version.h"

namespace {

struct VersionedFile {
    const char* name;
    DWORD fileType;
};

const VersionedFile kFiles[] = {
    {"uninstlib.dll", VFT_DLL},
    {"ovuninstall.exe", VFT_APP},
    {"uninst.exe", VFT_APP},
};

std::string StringValue(std::vector<char>& info, const char* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueA(info.data(), path.c_str(), &value, &length) || length == 0) {
        return "(none)";
    }
    return static_cast<const char*>(value);
}

std::string FourPartVersion(DWORD high, DWORD low) {
    return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
           std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low));
}

TEST(VersionResources, EveryFileCarriesTheReleaseVersion) {
    const std::string release = UNINSTLIB_VERSION;
    for (const VersionedFile& file : kFiles) {
        SCOPED_TRACE(file.name);
        const std::string path = ProgramFolder() + file.name;
        DWORD unused = 0;
        const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &unused);
        ASSERT_NE(size, 0u) << "no version resource, error " << GetLastError();
        std::vector<char> info(size);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));

        void* value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(info.data(), "\\", &value, &length));
        ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
        EXPECT_EQ(FourPartVersion(fixed->dwFileVersionMS, fixed->dwFileVersionLS), release + ".0");
        EXPECT_EQ(FourPartVersion(fixed->dwProductVersionMS, fixed->dwProductVersionLS),
                  release + ".0");
        EXPECT_EQ(fixed->dwFileType, file.fileType);

        EXPECT_EQ(StringValue(info, "FileVersion"), release);
        EXPECT_EQ(StringValue(info, "ProductVersion"), release);
        EXPECT_EQ(StringValue(info, "ProductName"), UNINSTLIB_PRODUCT_NAME);
        EXPECT_EQ(StringValue(info, "OriginalFilename"), file.name);
        EXPECT_NE(StringValue(info, "FileDescription"), "(none)");
    }
}

}  // namespace
