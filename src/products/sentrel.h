// CSentrel: the Sentrel family, one catalogue product bundling up to four separately installed
// components on a Domino server machine: the agent (Notes task, auxiliary programs, databases,
// Recycle Service), the Message Center paging server, the Advanced Vellgard server task, and the
// SNMP subagent. The subagent is never listed: it goes with the last component that depends on it
// (the agent or Advanced Vellgard), which hands over to RemoveSnmpSubagent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>

#include "product/product.h"
#include "uninstlib/uninstlib.h"

class CSentrel : public CProduct {
  public:
    static constexpr const char* kFamilyName = "Sentrel";
    // The listed components, as the catalogue shows them and UninstallComponent takes them.
    static constexpr const char* kAgentComponent = "Sentrel";
    static constexpr const char* kMessageCenterComponent = "Message Center";
    static constexpr const char* kAdvancedVellgardComponent = "Advanced Vellgard Server";

    CSentrel(const char* name, const char* version);
    CSentrel(const char* name, const char* version, const char* partition);
    ~CSentrel() override;

    bool AfterLoad() override;
    const char* GetName() override;
    // The product's own shell: its Start-menu folder or Program Manager group, its product key
    // and its directory on the machine-wide search path.
    bool FinishRemoval() override;
    bool Load() override;
    // Removes the agent, the Message Center and Advanced Vellgard in that order; always false.
    bool UninstallAll(ProgressCallback progress) override;
    bool UninstallComponent(const char* component, ProgressCallback progress) override;

    // Reads the components' setup flags; true when a listed component is installed.
    bool DetectComponents();

    // The removal of each component (sentrel_<component>.cpp). Each reports through progress,
    // advances m_percent by m_stepPercent per phase and, once done, clears its own flag and (but
    // for the subagent) lowers m_componentCount.
    bool RemoveSnmpSubagent(ProgressCallback progress);
    bool RemoveAgent(ProgressCallback progress);
    bool RemoveMessageCenter(ProgressCallback progress);
    bool RemoveAdvancedVellgard(ProgressCallback progress);

    const char* MailDatabase() const { return m_mailDatabase.get(); }
    bool HasSnmpSubagent() const { return m_hasSnmpSubagent; }
    bool HasAgent() const { return m_hasAgent; }
    bool HasMessageCenter() const { return m_hasMessageCenter; }
    bool HasAdvancedVellgard() const { return m_hasAdvancedVellgard; }

  protected:
    OwnedText m_mailDatabase;
    bool m_hasSnmpSubagent = false;
    bool m_hasAgent = false;
    bool m_hasMessageCenter = false;
    bool m_hasAdvancedVellgard = false;

    // ---- Steps the removal procedures share (sentrel_removal_steps.cpp) -------------------

    // Shared program files, logs and services go only when this server is the only one that
    // uses them: one partition or none, or an object outside any partition.
    bool IsSingleServer() const;
    // One progress step: m_percent += m_stepPercent.
    void Advance() { m_percent += m_stepPercent; }
    // Asks a yes/no question (kind 2) with the current m_percent; true for yes. Status lines go
    // through ReportStatus and ReportPhase (removal_progress.h).
    bool Ask(ProgressCallback progress, const char* question, int32_t step) const;
    // Asks whether dir, which still holds files, should go with them (step 1, kind 2), and
    // deletes the whole tree on yes.
    void OfferToRemoveLeftovers(ProgressCallback progress, const char* dir) const;
    // "a" on Alpha, "n" elsewhere: the first letter of the Notes server task executables.
    const char* TaskPrefix() const;
    // When the Notes server was found running: looks up the task's process (TaskPrefix() +
    // task, e.g. "novagent"), and when it runs reports message (step 1) and has the console-
    // command program in the Common directory tell the server to make the task quit. Advances
    // once in either case; does nothing when the server was not running.
    void ShutDownServerTask(ProgressCallback progress, const char* task, const char* message);
    // Deletes each named file of dir with DeleteFileA; failures are ignored.
    static void DeleteEachFile(const char* dir, std::initializer_list<const char*> names);
    static void DeleteEachFile(const char* dir, const char* const* names, size_t count);
    // The product's Start-menu folder ("<Folder Location>\Sentrel") and, on Windows NT 3.51,
    // its Program Manager group ("<Folder Location> Sentrel"); false when it would not fit.
    bool FormatStartMenuFolder(char* destination, size_t capacity) const;
    bool FormatProgramGroup(char* destination, size_t capacity) const;
    // Deletes a shortcut file of the product's Start-menu folder.
    void DeleteStartMenuShortcut(const char* shortcut) const;
    // Deletes items of the product's Program Manager group, in order.
    void DeleteProgramGroupItems(std::initializer_list<const char*> items) const;

  private:
    // Both removal entries begin here: m_percent back to 0, and on the Windows NT family
    // m_serverRunning from whether the Notes server process runs.
    void ProbeServer();
    int32_t AgentStepCount() const;
    int32_t MessageCenterStepCount() const;
    int32_t AdvancedVellgardStepCount() const;
};

// Discovery's factory for the family (first in discovery order).
std::unique_ptr<CProduct> MakeSentrel(const char* version, const char* partition);
