// Profile files for tests that run on both platforms: a scratch folder on drive C: (of the
// simulated machine natively, of Wine's C: drive under the Windows build) and the raw bytes of the
// files in it, so that a test can seed a file exactly and compare it exactly afterwards.
#pragma once

#include <string>

namespace profile_files {

class ScratchFolder {
  public:
    // A new empty folder (what an earlier run left there goes first); removed with everything in
    // it when the object goes.
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The Windows path of a file in the folder.
    std::string PathOf(const std::string& name) const;
    void Write(const std::string& name, const std::string& bytes) const;
    // The file's bytes; "<missing>" when there is no such file.
    std::string Read(const std::string& name) const;

  private:
    std::string m_windowsPath;
};

}  // namespace profile_files
