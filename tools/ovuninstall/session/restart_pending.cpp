#include "ovuninstall/session/restart_pending.h"

#include "platform/win32.h"

namespace {

constexpr const char* kRunOnceKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr const char* kRunOnceValues[] = {"rem_ov_uninst1", "rem_ov_uninst2"};

class OpenKey {
  public:
    explicit OpenKey(const char* path) {
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE, &m_key) != ERROR_SUCCESS) {
            m_key = nullptr;
        }
    }
    ~OpenKey() {
        if (m_key != nullptr) {
            RegCloseKey(m_key);
        }
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    bool HasValue(const char* name) const {
        return m_key != nullptr &&
               RegQueryValueExA(m_key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }

  private:
    HKEY m_key = nullptr;
};

}  // namespace

bool RestartFinishesRemoval() {
    const OpenKey runOnce(kRunOnceKey);
    for (const char* name : kRunOnceValues) {
        if (runOnce.HasValue(name)) {
            return true;
        }
    }
    return false;
}
