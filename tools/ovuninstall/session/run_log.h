// The record of one run of the uninstall program, as people expect of an uninstaller: appended to
// a file, each line with its time: the command line, every report with its percent and phase,
// every question with its answer, every result and rescan, the exit code. A log that cannot be
// written is a warning, never a failed removal.
#pragma once

#include <fstream>
#include <ostream>
#include <string>

class RunLog {
  public:
    explicit RunLog(std::string commandLine) : m_commandLine(std::move(commandLine)) {}

    // Starts the record in path, or where the platform keeps it when path is empty (on Windows
    // %TEMP%\ovuninstall.log; natively nowhere). Only the first call counts. A file that cannot
    // be written is said on warnings.
    void Open(const std::string& path, std::ostream& warnings);
    bool Opened() const { return m_opened; }
    // The file the record goes to; empty when there is none.
    std::string Path() const { return m_file.is_open() ? m_path : std::string(); }
    // One line; nothing when there is no record.
    void Write(const std::string& line);

  private:
    void Warn(const std::string& what);

    std::string m_commandLine;
    std::string m_path;
    std::ofstream m_file;
    std::ostream* m_warnings = nullptr;
    bool m_opened = false;
};

// Where the record goes when --log names no file: empty for nowhere.
std::string DefaultLogPath();
