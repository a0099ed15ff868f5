#include "scenario/wine_machine.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "platform/winsim/control.h"
#include "scenario/machine_snapshot.h"

namespace fs = std::filesystem;

namespace {

// The registry trees the suite and its removal touch; the Wine snapshot reads these.
const char* const kRegistryRoots[] = {
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvelle",
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Lotus",
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls",
    // The whole Uninstall key, so that the suite's entry going away leaves the key it lay in.
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\LANManagerMIB2Agent",
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment",
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\SNMP\\Parameters",
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application",
};

// Wine's names of the systems machine images name.
const std::map<std::string, std::string> kWineVersions = {
    {"win32s", "win31"}, {"win95", "win95"},   {"nt351", "nt351"},
    {"nt40", "nt40"},    {"win2000", "win2k"}, {"winxp", "winxp"},
};

constexpr const char* kProgramManagerKey = "programManager";
constexpr const char* kProgmanStandIn = "progman_stand_in.exe";

const std::map<std::string, int> kServiceStates = {
    {"stopped", 1},          {"start pending", 2}, {"stop pending", 3}, {"running", 4},
    {"continue pending", 5}, {"pause pending", 6}, {"paused", 7},
};

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// Wine's regedit takes the hex form of text values in an 8-bit file as 8-bit text, where the
// registry editor's version 5 format means UTF-16; the image's file is handed over in UTF-16.
void WriteAsUtf16(const std::string& text, const fs::path& path) {
    std::string wide = "\xFF\xFE";
    for (char c : text) {
        wide += c;
        wide += '\0';
    }
    std::ofstream(path, std::ios::binary) << wide;
}

std::string WithoutCarriageReturns(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

// What the service's stop behaviour in the image asks of the test service.
std::string TestServiceArguments(const nlohmann::json& service) {
    const std::string stop = service.value("stop", "at once");
    if (stop == "pending") {
        return "pending " + std::to_string(service.value("stop pending ms", 0));
    }
    if (stop == "never") {
        return "never";
    }
    if (stop == "refuses") {
        return "refuses";
    }
    return "at-once";
}

// Copies below `from` into `to` what the image holds there: entries the template prefix lacks go
// whole; folders Wine has too (C:\windows) are walked, so Wine's own files stay out.
void CopyImageParts(const fs::path& imagePart, const fs::path& templatePart, const fs::path& from,
                    const fs::path& to) {
    if (!fs::is_directory(imagePart)) {
        return;
    }
    for (const auto& entry : fs::directory_iterator(imagePart)) {
        const fs::path name = entry.path().filename();
        const fs::path source = from / name;
        if (!fs::exists(source)) {
            continue;
        }
        if (fs::is_directory(source) && fs::exists(templatePart / name)) {
            fs::create_directories(to / name);
            CopyImageParts(entry.path(), templatePart / name, source, to / name);
        } else {
            fs::copy(source, to / name, fs::copy_options::recursive);
        }
    }
}

}  // namespace

WineMachine::WineMachine(std::string prefix, std::string windowsBin)
    : m_prefix(std::move(prefix)), m_windowsBin(std::move(windowsBin)) {}

WineMachine::~WineMachine() {
    if (m_programManager) {
        m_programManager->Stop();
    }
    std::system(("WINEPREFIX=" + Quoted(m_prefix) + " wineserver -k >/dev/null 2>&1").c_str());
    std::error_code ignored;
    fs::remove_all(m_prefix, ignored);
}

// Commands run one after the other by one command interpreter inside Wine: far quicker than a
// Wine start for each.
int WineMachine::Batch(const std::vector<std::string>& commands, std::string* output) {
    const fs::path batch = fs::path(m_prefix) / "drive_c" / "ovtest" / "batch.bat";
    std::ofstream out(batch, std::ios::binary);
    out << "@echo off\r\n";
    for (const std::string& command : commands) {
        out << command << "\r\n";
    }
    out.close();
    return Wine("cmd /c C:\\\\ovtest\\\\batch.bat", output);
}

std::string WineMachine::WineCommand(const std::string& arguments) const {
    return "cd / && WINEPREFIX=" + Quoted(m_prefix) +
           " WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' DISPLAY= wine " + arguments +
           " </dev/null 2>/dev/null";
}

int WineMachine::Wine(const std::string& arguments, std::string* output) {
    FILE* pipe = popen(WineCommand(arguments).c_str(), "r");
    if (pipe == nullptr) {
        return -1;
    }
    std::string text;
    char buffer[4096];
    size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        text.append(buffer, read);
    }
    const int status = pclose(pipe);
    if (output != nullptr) {
        *output = WithoutCarriageReturns(text);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool WineMachine::MakeTemplate(const std::string& templateDir, std::string* error) {
    if (fs::exists(fs::path(templateDir) / "system.reg")) {
        return true;
    }
    fs::create_directories(templateDir);
    const std::string environment = "WINEPREFIX=" + Quoted(templateDir) +
                                    " WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' DISPLAY=";
    const std::string commands =
        environment + " wineboot -i >/dev/null 2>&1; " + environment +
        " wine reg add 'HKCU\\Software\\Wine\\Drivers' /v Graphics /d null /f >/dev/null 2>&1; " +
        "WINEPREFIX=" + Quoted(templateDir) + " wineserver -w";
    if (std::system(commands.c_str()) != 0 || !fs::exists(fs::path(templateDir) / "system.reg")) {
        *error = "wineboot could not make the template prefix " + templateDir;
        return false;
    }
    return true;
}

// Now and then, on a busy machine, the command interpreter that takes the image's registry ends
// at once having run nothing, in a prefix like any other: a second attempt from a fresh copy of
// the template takes it.
bool WineMachine::Prepare(const std::string& templateDir, const std::string& imageDir,
                          std::string* error) {
    if (PrepareOnce(templateDir, imageDir, error)) {
        return true;
    }
    m_programManager.reset();
    std::system(("WINEPREFIX=" + Quoted(m_prefix) + " wineserver -k >/dev/null 2>&1").c_str());
    return PrepareOnce(templateDir, imageDir, error);
}

bool WineMachine::PrepareOnce(const std::string& templateDir, const std::string& imageDir,
                              std::string* error) {
    m_templateDir = templateDir;
    fs::remove_all(m_prefix);
    // Hard links, but for the registry files: Wine writes a file that has other links into that
    // very file, which would carry this scenario's registry and services into the template and so
    // into every later scenario. The drive's files that a scenario touches are copied in afresh
    // below.
    if (std::system(("cp -al " + Quoted(templateDir) + " " + Quoted(m_prefix)).c_str()) != 0) {
        *error = "cannot copy the template prefix";
        return false;
    }
    for (const char* hive : {"system.reg", "user.reg", "userdef.reg"}) {
        const fs::path own = fs::path(m_prefix) / hive;
        std::error_code failed;
        fs::remove(own, failed);
        if (!fs::copy_file(fs::path(templateDir) / hive, own, failed)) {
            *error = "cannot copy the template prefix's " + std::string(hive);
            return false;
        }
    }
    // One server for the whole scenario, so services keep running between the runs.
    std::system(("WINEPREFIX=" + Quoted(m_prefix) + " wineserver -p >/dev/null 2>&1").c_str());

    const fs::path image(imageDir);
    nlohmann::json machine = nlohmann::json::parse(ReadWholeFile(image / "machine.json"));
    const fs::path drive = image / machine["drives"].value("C", "drive_c");
    for (const auto& entry : fs::recursive_directory_iterator(drive)) {
        const fs::path target = fs::path(m_prefix) / "drive_c" / fs::relative(entry.path(), drive);
        if (entry.is_directory()) {
            fs::create_directories(target);
        } else {
            fs::remove(target);
            fs::copy_file(entry.path(), target);
        }
    }
    const fs::path tools = fs::path(m_prefix) / "drive_c" / "ovtest";
    fs::create_directories(tools);
    const nlohmann::json progman = machine.value(kProgramManagerKey, nlohmann::json::object());
    const bool progmanRuns = progman.value("running", false);
    std::vector<std::string> programs = {"ovuninstall.exe", "uninstlib.dll", "ovrt.dll",
                                         "services_test_service.exe"};
    if (progmanRuns) {
        programs.push_back(kProgmanStandIn);
    }
    for (const std::string& file : programs) {
        fs::copy_file(fs::path(m_windowsBin) / file, tools / file);
    }
    WriteAsUtf16(ReadWholeFile(image / "registry.reg"), tools / "image-registry.reg");
    const std::string os = machine.value("os", "nt40");
    const auto version = kWineVersions.find(os);
    if (version == kWineVersions.end()) {
        *error = "Wine has no system like '" + os + "'";
        return false;
    }
    std::vector<std::string> commands = {
        "regedit /s C:\\ovtest\\image-registry.reg",
        "reg add \"HKCU\\Software\\Wine\\AppDefaults\\ovuninstall.exe\" /v Version /d " +
            version->second + " /f > nul",
    };
    std::string running;
    for (const auto& service : machine.value("services", nlohmann::json::array())) {
        const std::string name = service.at("name");
        commands.push_back("sc create \"" + name +
                           "\" binpath= \"C:\\ovtest\\services_test_service.exe " +
                           TestServiceArguments(service) + "\" displayname= \"" +
                           service.value("display name", name) + "\" > nul");
        if (service.value("state", "stopped") == "running") {
            commands.push_back("sc start \"" + name + "\" > nul");
            running += " \"" + name + "\"";
        }
    }
    if (!running.empty()) {
        commands.push_back("C:\\ovtest\\services_test_service.exe wait-running" + running);
    }
    if (Batch(commands) != 0) {
        *error = "Wine could not take the image's registry and services";
        return false;
    }
    if (progmanRuns) {
        m_programManager = std::make_unique<WineProgramManager>(tools / "progman");
        const std::string standIn = Quoted(std::string("C:\\ovtest\\") + kProgmanStandIn) + " " +
                                    Quoted("C:\\ovtest\\progman");
        return m_programManager->Start(progman, WineCommand(standIn) + " >/dev/null", error);
    }
    return true;
}

// Through the command interpreter, which reads the whole exit code: wine's own exit status keeps
// only its low 8 bits (3010 would read 194).
ProgramResult WineMachine::Run(const std::vector<std::string>& args) {
    std::string command = "C:\\ovtest\\ovuninstall.exe";
    for (const std::string& arg : args) {
        command += " \"" + arg + "\"";
    }
    const fs::path codeFile = fs::path(m_prefix) / "drive_c" / "ovtest" / "exit-code.txt";
    fs::remove(codeFile);
    ProgramResult result;
    Batch({command, "echo %ERRORLEVEL% > C:\\ovtest\\exit-code.txt"}, &result.output);
    const std::string code = ReadWholeFile(codeFile);
    result.exitCode = code.empty() ? -1 : std::atoi(code.c_str());
    return result;
}

bool WineMachine::Snapshot(const std::string& imageDir, const std::string& outDir,
                           std::string* error) {
    const fs::path out(outDir);
    fs::remove_all(out);
    fs::create_directories(out / "drive_c");

    nlohmann::ordered_json machine =
        nlohmann::ordered_json::parse(ReadWholeFile(fs::path(imageDir) / "machine.json"));
    const nlohmann::ordered_json imageServices =
        machine.value("services", nlohmann::ordered_json::array());

    // Everything read back in one go: each registry tree into a file, each service's state.
    const fs::path exports = fs::path(m_prefix) / "drive_c" / "ovtest" / "snapshot";
    fs::remove_all(exports);
    fs::create_directories(exports);
    std::vector<std::string> commands;
    for (size_t i = 0; i < std::size(kRegistryRoots); ++i) {
        commands.push_back("regedit /e C:\\ovtest\\snapshot\\registry" + std::to_string(i) +
                           ".reg \"" + kRegistryRoots[i] + "\"");
    }
    for (size_t i = 0; i < imageServices.size(); ++i) {
        commands.push_back("sc query \"" + imageServices[i].at("name").get<std::string>() +
                           "\" > C:\\ovtest\\snapshot\\service" + std::to_string(i) + ".txt");
    }
    // A Wine that is starting or stopping its server now and then runs nothing of a batch, which
    // would read as a machine without registry or services (a key that is gone writes no export
    // either): the batch ends by leaving a mark, and it is run again until the mark is there.
    const fs::path mark = exports / "done.txt";
    commands.push_back("echo done> C:\\ovtest\\snapshot\\done.txt");
    const auto allWritten = [&] { return fs::exists(mark); };
    for (int attempt = 0; attempt < 3 && !allWritten(); ++attempt) {
        Batch(commands);
    }
    if (!allWritten()) {
        *error = "Wine did not read back the registry and the services";
        return false;
    }

    winsim::Reset();
    for (size_t i = 0; i < std::size(kRegistryRoots); ++i) {
        const fs::path exported = exports / ("registry" + std::to_string(i) + ".reg");
        if (fs::exists(exported) && !winsim::ImportRegistry(ReadWholeFile(exported), error)) {
            *error = std::string(kRegistryRoots[i]) + ": " + *error;
            return false;
        }
    }
    std::ofstream(out / "registry.reg", std::ios::binary) << winsim::ExportRegistry();
    winsim::Reset();

    const fs::path imageDrive = fs::path(imageDir) / machine["drives"].value("C", "drive_c");
    CopyImageParts(imageDrive, fs::path(m_templateDir) / "drive_c", fs::path(m_prefix) / "drive_c",
                   out / "drive_c");
    machine["drives"] = {{"C", "drive_c"}};

    nlohmann::ordered_json services = nlohmann::ordered_json::array();
    for (size_t i = 0; i < imageServices.size(); ++i) {
        nlohmann::ordered_json service = imageServices[i];
        const std::string answer = WithoutCarriageReturns(
            ReadWholeFile(exports / ("service" + std::to_string(i) + ".txt")));
        const size_t state = answer.find("STATE");
        if (state == std::string::npos) {
            continue;  // the service is gone
        }
        const int code = std::atoi(answer.c_str() + answer.find(':', state) + 1);
        for (const auto& [text, number] : kServiceStates) {
            if (number == code) {
                service["state"] = text;
            }
        }
        services.push_back(service);
    }
    if (machine.contains("services")) {
        machine["services"] = services;
    }
    // A Program Manager that does not run in the image stays as it is: nothing can change it.
    if (m_programManager && !m_programManager->Read(&machine[kProgramManagerKey], error)) {
        return false;
    }
    std::ofstream(out / "machine.json", std::ios::binary) << machine.dump(4) << "\n";
    return true;
}
