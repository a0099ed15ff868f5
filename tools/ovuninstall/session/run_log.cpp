#include "ovuninstall/session/run_log.h"

#include <ctime>
#include <iomanip>
#include <sstream>

namespace {

std::string Now() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (local == nullptr) {
        return "(no time)";
    }
    std::ostringstream text;
    text << std::put_time(local, "%Y-%m-%d %H:%M:%S");
    return text.str();
}

}  // namespace

void RunLog::Open(const std::string& path, std::ostream& warnings) {
    if (m_opened) {
        return;
    }
    m_opened = true;
    m_warnings = &warnings;
    m_path = path.empty() ? DefaultLogPath() : path;
    if (m_path.empty()) {
        return;
    }
    m_file.open(m_path, std::ios::app);
    if (!m_file) {
        Warn("cannot be opened");
        return;
    }
    Write("ovuninstall started: " + m_commandLine);
}

void RunLog::Write(const std::string& line) {
    if (!m_file.is_open()) {
        return;
    }
    m_file << Now() << "  " << line << "\n" << std::flush;
    if (!m_file) {
        Warn("cannot be written any more");
    }
}

void RunLog::Warn(const std::string& what) {
    *m_warnings << "ovuninstall: warning: the log " << m_path << " " << what
                << "; the program goes on without it\n";
    m_file.close();
}
