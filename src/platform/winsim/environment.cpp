// The process environment of the simulated machine. It is separate from the Linux environment of
// the test process, names are matched without regard to case, and a new machine starts with the
// variables an NT 4.0 server sets for its administrator. What the program sets with
// SetEnvironmentVariableA belongs to its process, as on Windows, and dies with it: the image keeps
// the environment every new process of the machine starts with.
#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "platform/winsim/control.h"
#include "platform/winsim/machine.h"
#include "platform/winsim/text_case.h"

namespace winsim {

namespace {

using Variables = std::map<std::string, std::string, detail::LessNoCase>;

Variables SeededVariables() {
    return {
        {"COMPUTERNAME", "WINSIM"},
        {"ComSpec", "C:\\WINNT\\system32\\cmd.exe"},
        {"OS", "Windows_NT"},
        {"Path", "C:\\WINNT\\system32;C:\\WINNT"},
        {"PATHEXT", ".COM;.EXE;.BAT;.CMD"},
        {"SystemDrive", "C:"},
        {"SystemRoot", "C:\\WINNT"},
        {"TEMP", "C:\\TEMP"},
        {"TMP", "C:\\TEMP"},
        {"USERNAME", "Administrator"},
        {"USERPROFILE", "C:\\WINNT\\Profiles\\Administrator"},
        {"windir", "C:\\WINNT"},
    };
}

struct Environment {
    std::mutex lock;
    Variables variables = SeededVariables();  // the running process's
    Variables machine = SeededVariables();    // what a new process starts with
};

Environment& TheEnvironment() {
    static Environment environment;
    return environment;
}

bool Lookup(const std::string& name, std::string* value) {
    Environment& env = TheEnvironment();
    std::lock_guard<std::mutex> hold(env.lock);
    auto found = env.variables.find(name);
    if (found == env.variables.end()) {
        return false;
    }
    *value = found->second;
    return true;
}

// Windows replaces the whole entry, so the name takes the case of the latest write.
void Assign(Variables* variables, const std::string& name, const std::string& value) {
    variables->erase(name);
    variables->emplace(name, value);
}

void SetInProcess(const std::string& name, const std::string& value) {
    Environment& env = TheEnvironment();
    std::lock_guard<std::mutex> hold(env.lock);
    Assign(&env.variables, name, value);
}

void RemoveFromProcess(const std::string& name) {
    Environment& env = TheEnvironment();
    std::lock_guard<std::mutex> hold(env.lock);
    env.variables.erase(name);
}

// %NAME% becomes the variable's value. A name that is not set is kept as written, percent signs
// included, and the scan goes on after its closing percent sign; a lone percent sign stays. The
// values are not expanded again.
std::string Expand(const std::string& text) {
    std::string out;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t open = text.find('%', pos);
        if (open == std::string::npos) {
            break;
        }
        size_t close = text.find('%', open + 1);
        if (close == std::string::npos) {
            break;
        }
        out.append(text, pos, open - pos);
        std::string value;
        if (close > open + 1 && Lookup(text.substr(open + 1, close - open - 1), &value)) {
            out += value;
        } else {
            out.append(text, open, close - open + 1);
        }
        pos = close + 1;
    }
    out.append(text, pos, std::string::npos);
    return out;
}

void ResetEnvironment() {
    Environment& env = TheEnvironment();
    std::lock_guard<std::mutex> hold(env.lock);
    env.variables = SeededVariables();
    env.machine = env.variables;
}

// "environment": {"NAME": "value", ...} replaces the whole environment of a new machine.
bool LoadEnvironment(const detail::MachineDocument& machine, const std::string&,
                     std::string* error) {
    auto found = machine.find("environment");
    if (found == machine.end()) {
        return true;
    }
    if (!found->is_object()) {
        *error = "\"environment\" must be an object of names and texts";
        return false;
    }
    Variables variables;
    for (const auto& [name, value] : found->items()) {
        if (!value.is_string()) {
            *error = "environment variable \"" + name + "\" must be a text";
            return false;
        }
        variables[name] = value.get<std::string>();
    }
    Environment& env = TheEnvironment();
    std::lock_guard<std::mutex> hold(env.lock);
    env.machine = variables;
    env.variables = std::move(variables);
    return true;
}

bool SaveEnvironment(detail::MachineDocument* machine, const std::string&, std::string*) {
    detail::MachineDocument variables = detail::MachineDocument::object();
    Environment& env = TheEnvironment();
    std::lock_guard<std::mutex> hold(env.lock);
    for (const auto& [name, value] : env.machine) {
        variables[name] = value;
    }
    (*machine)["environment"] = std::move(variables);
    return true;
}

[[maybe_unused]] const bool kRegistered =
    detail::RegisterMachinePiece({&ResetEnvironment, &LoadEnvironment, &SaveEnvironment});

}  // namespace

// The machine's own environment: the running process and every later one see the change.
void SetEnvironment(const std::string& name, const std::string& value) {
    Environment& env = TheEnvironment();
    std::lock_guard<std::mutex> hold(env.lock);
    Assign(&env.variables, name, value);
    Assign(&env.machine, name, value);
}

void ClearEnvironment(const std::string& name) {
    Environment& env = TheEnvironment();
    std::lock_guard<std::mutex> hold(env.lock);
    env.variables.erase(name);
    env.machine.erase(name);
}

}  // namespace winsim

extern "C" {

// The length without the zero when the value fits; otherwise the size needed, zero included, and
// the buffer untouched. An empty value gives 0 like a missing one, but leaves the last error.
DWORD WINAPI GetEnvironmentVariableA(LPCSTR lpName, LPSTR lpBuffer, DWORD nSize) {
    std::string value;
    if (lpName == nullptr || !winsim::Lookup(lpName, &value)) {
        SetLastError(ERROR_ENVVAR_NOT_FOUND);
        return 0;
    }
    if (lpBuffer == nullptr || value.size() >= nSize) {
        return static_cast<DWORD>(value.size() + 1);
    }
    std::memcpy(lpBuffer, value.c_str(), value.size() + 1);
    return static_cast<DWORD>(value.size());
}

// A NULL value deletes the variable (also one that is not there). A name may begin with "=", as
// the per-drive directories do, but hold none after that.
BOOL WINAPI SetEnvironmentVariableA(LPCSTR lpName, LPCSTR lpValue) {
    if (lpName == nullptr || lpName[0] == '\0' || std::strchr(lpName + 1, '=') != nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (lpValue == nullptr) {
        winsim::RemoveFromProcess(lpName);
    } else {
        winsim::SetInProcess(lpName, lpValue);
    }
    return TRUE;
}

// The size of the expansion, zero included, whether it fits or not. When it does not, the buffer
// holds as much as fits, zero-terminated, and the last error is 122.
DWORD WINAPI ExpandEnvironmentStringsA(LPCSTR lpSrc, LPSTR lpDst, DWORD nSize) {
    const std::string expanded = winsim::Expand(lpSrc == nullptr ? "" : lpSrc);
    const DWORD needed = static_cast<DWORD>(expanded.size() + 1);
    if (lpDst == nullptr) {
        nSize = 0;
    }
    if (needed <= nSize) {
        std::memcpy(lpDst, expanded.c_str(), needed);
        return needed;
    }
    if (nSize > 0) {
        std::memcpy(lpDst, expanded.data(), nSize - 1);
        lpDst[nSize - 1] = '\0';
    }
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return needed;
}

}  // extern "C"
