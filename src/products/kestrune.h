// CKestrune: the suite's console product, one component ("Kestrune Console") started from its
// shortcuts (a Program Manager item on Windows NT 3.51) with the suite's client directory on the
// machine-wide search path. Its product key also holds settings the other products read (the
// Notes server, the mail and the database directory), which go with the last product using them.
#pragma once

#include <memory>

#include "product/product.h"
#include "uninstlib/uninstlib.h"

class CKestrune : public CProduct {
  public:
    static constexpr const char* kFamilyName = "Kestrune";
    static constexpr const char* kConsoleComponent = "Kestrune Console";

    CKestrune(const char* name, const char* version);
    CKestrune(const char* name, const char* version, const char* partition);
    ~CKestrune() override;

    bool AfterLoad() override;
    const char* GetName() override;
    // The console's shortcuts (its Program Manager group on Windows NT 3.51), the product key with
    // everything below it, and the setup flag.
    bool FinishRemoval() override;
    bool Load() override;
    bool UninstallAll(ProgressCallback progress) override;
    bool UninstallComponent(const char* component, ProgressCallback progress) override;

    // The console's removal, together with the keys of the products no longer installed. It never
    // refuses: the console does not depend on the Notes server.
    bool RemoveConsole(ProgressCallback progress);

    bool HasConsole() const { return m_hasConsole; }

  protected:
    bool m_hasConsole = false;

  private:
    // The keys of the products that are gone, and the product key's subkeys no product left
    // reads.
    void DeleteKeysOfRemovedProducts() const;
    void DeleteConsoleShortcuts() const;
};

// Discovery's factory of the family: the object of one partition (null: of the unpartitioned
// suite), loaded.
std::unique_ptr<CProduct> MakeKestrune(const char* version, const char* partition);
