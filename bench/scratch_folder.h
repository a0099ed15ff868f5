// A folder of the benchmark's own below the host's temporary folder (TMPDIR), removed with all it
// holds when its holder goes, so that an interrupted comparison leaves nothing behind.
#pragma once

#include <string>

class ScratchFolder {
  public:
    // label names the folder for whoever finds it while the run goes on.
    explicit ScratchFolder(const std::string& label);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return m_path; }
    // A path below the folder.
    std::string Below(const std::string& name) const { return m_path + "/" + name; }

  private:
    std::string m_path;
};
