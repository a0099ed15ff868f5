// CPathlyn: the Pathlyn family, a Notes server task with its extension-manager add-in ("Pathlyn
// Server") and a client program with an add-in of its own ("Pathlyn Client"), installed
// separately. Once neither is left, the product's folder or Program Manager group and its key go.
#pragma once

#include <cstdint>
#include <memory>

#include "product/product.h"
#include "uninstlib/uninstlib.h"

class CPathlyn : public CProduct {
  public:
    static constexpr const char* kFamilyName = "Pathlyn";
    static constexpr const char* kServerComponent = "Pathlyn Server";
    static constexpr const char* kClientComponent = "Pathlyn Client";

    CPathlyn(const char* name, const char* version);
    CPathlyn(const char* name, const char* version, const char* partition);
    ~CPathlyn() override;

    bool AfterLoad() override;
    const char* GetName() override;
    // The product's own shell: its Start-menu folder (its Program Manager group on Windows NT
    // 3.51) and its product key.
    bool FinishRemoval() override;
    bool Load() override;
    // Removes the server, then the client, whatever the server removal gave.
    bool UninstallAll(ProgressCallback progress) override;
    bool UninstallComponent(const char* component, ProgressCallback progress) override;

    // The component removals (pathlyn_server.cpp, pathlyn_client.cpp). The server removal
    // refuses while the Notes server runs; each clears its component's flag once done.
    bool RemoveServer(ProgressCallback progress);
    bool RemoveClient(ProgressCallback progress);

    bool HasServer() const { return m_hasServer; }
    bool HasClient() const { return m_hasClient; }

  protected:
    bool m_hasServer = false;
    bool m_hasClient = false;

  private:
    // Both removal entries begin here: m_percent back to 0 and, on the Windows NT family,
    // whether the Notes server runs.
    void ProbeServer();
    // The server's program files, on a machine where this server is the only one using them.
    void RemoveServerProgramFiles(ProgressCallback progress);
    // True when no product of another family that shares the suite's pieces is left.
    static bool NoOtherFamilyLeft();
};

// Discovery's factory of the family: the object of one partition (null: of the unpartitioned
// suite), loaded.
std::unique_ptr<CProduct> MakePathlyn(const char* version, const char* partition);
