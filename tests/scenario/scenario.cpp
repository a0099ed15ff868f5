#include "scenario/scenario.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Strings(const nlohmann::json& list, const std::string& where) {
    if (!list.is_array()) {
        throw std::runtime_error(where + " must be a list of texts");
    }
    std::vector<std::string> texts;
    for (const auto& item : list) {
        if (!item.is_string()) {
            throw std::runtime_error(where + " must be a list of texts");
        }
        texts.push_back(item.get<std::string>());
    }
    return texts;
}

Scenario ReadScenario(const fs::path& folder) {
    const fs::path file = folder / "scenario.json";
    std::ifstream in(file);
    nlohmann::json document;
    try {
        document = nlohmann::json::parse(in);
    } catch (const nlohmann::json::exception& e) {
        throw std::runtime_error(file.string() + ": " + e.what());
    }
    Scenario scenario;
    scenario.name = folder.filename().string();
    scenario.folder = folder.string();
    scenario.description = document.value("description", "");
    const auto& machine = document.at("machine");
    if (machine.contains("demo")) {
        scenario.demoArguments = Strings(machine["demo"], file.string() + ": machine.demo");
    } else {
        scenario.image = machine.at("image").get<std::string>();
    }
    if (document.contains("prepare")) {
        for (const auto& step : document["prepare"]) {
            scenario.prepare.push_back(Strings(step, file.string() + ": prepare"));
        }
    }
    for (const auto& run : document.at("runs")) {
        scenario.runs.push_back(
            {Strings(run.at("args"), file.string() + ": runs.args"), run.value("exit", 0)});
    }
    if (document.contains("wine") && document["wine"].is_object()) {
        scenario.wine = false;
        scenario.wineSkipReason = document["wine"].value("skip", "");
    }
    return scenario;
}

}  // namespace

int NativeExitCode(int windowsCode) {
    static const std::map<int, int> kNative = {{0, 0},    {1603, 1}, {1639, 2}, {3010, 3},
                                               {1602, 4}, {1605, 5}, {1618, 6}};
    const auto found = kNative.find(windowsCode);
    return found != kNative.end() ? found->second : -1;
}

std::vector<Scenario> LoadScenarios(const std::string& root) {
    std::vector<Scenario> scenarios;
    if (!fs::is_directory(root)) {
        return scenarios;
    }
    for (const auto& entry : fs::directory_iterator(root)) {
        if (entry.is_directory() && fs::exists(entry.path() / "scenario.json")) {
            try {
                scenarios.push_back(ReadScenario(entry.path()));
            } catch (const nlohmann::json::exception& e) {
                throw std::runtime_error((entry.path() / "scenario.json").string() + ": " +
                                         e.what());
            }
        }
    }
    std::sort(scenarios.begin(), scenarios.end(),
              [](const Scenario& a, const Scenario& b) { return a.name < b.name; });
    return scenarios;
}
