// CKRM: the Rendimo Manager, the suite's statistics product. On a server it has one component,
// the Notes server task novstatg with its statistics database, template, log, shortcuts and
// registry key.
#pragma once

#include <memory>

#include "product/product.h"

class CKRM : public CProduct {
  public:
    static constexpr const char* kFamilyName = "Rendimo Manager";

    CKRM(const char* name, const char* version);
    CKRM(const char* name, const char* version, const char* partition);
    ~CKRM() override;

    bool AfterLoad() override;
    const char* GetName() override;
    bool FinishRemoval() override;
    bool Load() override;
    bool UninstallAll(ProgressCallback progress) override;
    bool UninstallComponent(const char* component, ProgressCallback progress) override;
    void ClearMarkedSetupFlags() override;

    // Removes the server component; false, with nothing changed, while the Notes server runs.
    bool RemoveServer(ProgressCallback progress);

  private:
    void ProbeServer();
    void RemoveServerFiles();
    void RemoveDatabases();
    void RemoveFolderItems();
    void RemoveRegistryKeys();

    bool m_hasServer = false;
    // The server's registry step ran: its Setup parameter goes through the parameter store too.
    bool m_clearSetupParameter = false;
};

// Discovery's factory of the family: the object of one partition (null: of the unpartitioned
// suite), loaded.
std::unique_ptr<CProduct> MakeRendimoManager(const char* version, const char* partition);
