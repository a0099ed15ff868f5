#include "scratch_folder.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <vector>

ScratchFolder::ScratchFolder(const std::string& label) {
    const std::string pattern =
        (std::filesystem::temp_directory_path() / ("uninstlib-bench-" + label + "-XXXXXX"))
            .string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) == nullptr) {
        throw std::runtime_error("cannot create a scratch folder like " + pattern);
    }
    m_path = name.data();
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}
