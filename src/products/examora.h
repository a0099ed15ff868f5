// CExamora: the suite's report generator. On a server it has one component, the Notes server
// task nexamora with its program directory, report and template databases, and a mail database it
// shares with the Sentrel products.
#pragma once

#include <memory>

#include "product/product.h"

class CExamora : public CProduct {
  public:
    static constexpr const char* kFamilyName = "Examora";

    CExamora(const char* name, const char* version);
    CExamora(const char* name, const char* version, const char* partition);
    ~CExamora() override;

    bool AfterLoad() override;
    const char* GetName() override;
    bool FinishRemoval() override;
    bool Load() override;
    bool UninstallAll(ProgressCallback progress) override;
    bool UninstallComponent(const char* component, ProgressCallback progress) override;

    // Removes the server component; it never refuses, not even for a running Notes server.
    bool RemoveServer(ProgressCallback progress);

  private:
    void RemoveProgramFiles(ProgressCallback progress);
    void RemoveDatabases();
    void RemoveTaskEntry();

    OwnedText m_mailDatabase;
    bool m_hasServer = false;
};

// Discovery's factory of the family: the object of one partition (null: of the unpartitioned
// suite), loaded.
std::unique_ptr<CProduct> MakeExamora(const char* version, const char* partition);
