// The demo builder over the simulated machine: everything it adds goes through the Win32 API or
// the machine's control functions, so the image it saves is what the library will see.
#pragma once

#include "demo_machine.h"
#include "platform/win32.h"

class SimulatedDemoMachine : public DemoMachine {
  public:
    void AddFile(const std::string& path, const std::string& content = {}) override;
    void AddDirectory(const std::string& path) override;
    void AddKey(const std::string& key) override;
    void SetString(const std::string& key, const std::string& name,
                   const std::string& value) override;
    void SetExpandString(const std::string& key, const std::string& name,
                         const std::string& value) override;
    void SetDword(const std::string& key, const std::string& name, uint32_t value) override;
    void AddNotesIniListEntry(const std::string& iniPath, const std::string& variable,
                              const std::string& entry) override;
    void SetNotesIniValue(const std::string& iniPath, const std::string& variable,
                          const std::string& value) override;
    void AddService(const std::string& name, const std::string& displayName, bool running) override;
    void AddProcess(const std::string& name) override;
    void AddProgramManagerItem(const std::string& group, const std::string& item) override;
    void AddSharedFileCount(const std::string& path, uint32_t count) override;
    void AddSearchPathEntry(const std::string& dir) override;

    // Anything the builder could not add, one line each.
    const std::vector<std::string>& Problems() const { return m_problems; }

  private:
    void SetValue(const std::string& key, const std::string& name, DWORD type, const void* data,
                  DWORD size);
    std::vector<std::string> m_problems;
};
