// CProduct: one product family of the suite as installed on this machine, or in one Domino
// partition of it. Discovery makes one object per family and partition; the catalogue lists and
// removes it through the virtual operations below, in this order.
#pragma once

#include <cstdint>
#include <list>
#include <memory>

#include "uninstlib/uninstlib.h"

// An owned, separately allocated copy of a text; null until set.
using OwnedText = std::unique_ptr<char[]>;

// Kinds of registry key BuildSuiteKeyPath forms.
enum SuiteKeyKind : int {
    kProductKey = 0,    // the family's own key, in the object's partition
    kSuiteRootKey = 1,  // "SOFTWARE\Tarvelle\Orvanta"
    kPartitionKey = 2,  // the object's partition key (none outside a partition)
};

class CProduct {
  public:
    CProduct(const char* name, const char* version);
    CProduct(const char* name, const char* version, const char* partition);
    virtual ~CProduct();
    CProduct(const CProduct&) = delete;
    CProduct& operator=(const CProduct&) = delete;

    virtual bool AfterLoad();
    virtual const char* GetName() = 0;
    virtual bool FinishRemoval();
    virtual bool Load();
    virtual bool Uninstall(const char* component, ProgressCallback progress);
    virtual bool UninstallAll(ProgressCallback progress) = 0;
    virtual bool UninstallComponent(const char* component, ProgressCallback progress) = 0;

    void SetName(const char* text);
    void SetVersion(const char* text);
    void SetPartition(const char* text);
    void SetUninstallKey(const char* text);
    void SetFolderLocation(const char* text);
    void SetNotesDataDir(const char* text);
    void SetNotesDir(const char* text);
    void SetNotesIni(const char* text);
    void SetProgramDir(const char* text);
    void SetLogsDir(const char* text);
    void SetDatabaseDir(const char* text);
    void SetCommonDir(const char* text);
    void SetServerName(const char* text);
    void SetInstalled(bool installed) { m_installed = installed; }

    // Appends a component name; the list takes ownership of the copy.
    void AddComponent(OwnedText name);
    // The installed component names joined by commas, or null when the list is empty.
    const char* BuildComponentText();
    void FreeComponentText();

    // Registry paths below HKEY_LOCAL_MACHINE, written into destination (capacity bytes).
    bool BuildSuiteKeyPath(char* destination, size_t capacity, int kind) const;
    bool BuildProductKeyPath(char* destination, size_t capacity, const char* subkey,
                             const char* name, bool usePartition) const;
    void ScheduleSelfRemoval();
    // Marks a component removed. Its setup flag is the suite's record that the component is
    // installed, so it is cleared only once all of this removal's work is done: a removal cut
    // short at any point leaves the flag set, and the next scan finds the product and finishes it.
    void ClearSetupFlagLast(int index);
    // Clears the flags ClearSetupFlagLast marked. Uninstall calls it as the removal's last write
    // when no suite-wide cleanup took them with the keys that hold them.
    virtual void ClearMarkedSetupFlags();

    const char* Name() const { return m_name.get(); }
    const char* Version() const { return m_version.get(); }
    const char* Partition() const { return m_partition.get(); }
    const char* NotesDir() const { return m_notesDir.get(); }
    const char* NotesDataDir() const { return m_notesDataDir.get(); }
    bool IsPartitioned() const { return m_partitioned; }
    bool IsInstalled() const { return m_installed; }
    int32_t ComponentCount() const { return m_componentCount; }

  protected:
    // Lists the component when its setup flag says installed, counting it; whether it was.
    bool DetectComponent(const char* component);

    OwnedText m_name;
    OwnedText m_version;
    OwnedText m_partition;
    OwnedText m_uninstallKey;
    OwnedText m_folderLocation;
    OwnedText m_notesDataDir;
    OwnedText m_notesDir;
    OwnedText m_notesIni;
    OwnedText m_programDir;
    OwnedText m_logsDir;
    OwnedText m_databaseDir;
    OwnedText m_commonDir;
    OwnedText m_serverName;
    OwnedText m_componentText;
    bool m_installed = false;
    bool m_partitioned = false;
    bool m_serverRunning = false;
    int32_t m_stepPercent = 0;
    int32_t m_percent = 0;
    uint16_t m_processorArch = 0;
    std::list<OwnedText> m_components;
    int32_t m_componentCount = 0;

  private:
    void Construct(const char* name, const char* version, const char* partition);

    uint32_t m_removedFlags = 0;  // bit n: setup flag n
};

// An exact, separately allocated copy of text (an empty text for null).
OwnedText CopyOwnedText(const char* text);
// The text, or an empty text where a field or argument is unset.
const char* OrEmpty(const char* text);
const char* OrEmpty(const OwnedText& field);
