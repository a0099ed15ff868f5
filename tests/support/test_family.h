// A product family that exists only in tests: it loads like a real family and exposes what the
// base class keeps, so the base can be examined on its own.
#pragma once

#include "product/product.h"

class CTestFamily : public CProduct {
  public:
    CTestFamily(const char* name, const char* version) : CProduct(name, version) {
        CTestFamily::Load();
    }
    CTestFamily(const char* name, const char* version, const char* partition)
        : CProduct(name, version, partition) {
        CTestFamily::Load();
    }

    const char* GetName() override { return "Test Family"; }
    bool AfterLoad() override { return false; }
    bool Load() override {
        if (!CProduct::Load()) {
            return false;
        }
        AfterLoad();
        return true;
    }
    bool UninstallAll(ProgressCallback) override { return false; }
    bool UninstallComponent(const char*, ProgressCallback) override { return false; }

    const char* ProgramDir() const { return m_programDir.get(); }
    const char* CommonDir() const { return m_commonDir.get(); }
    const char* LogsDir() const { return m_logsDir.get(); }
    const char* NotesIni() const { return m_notesIni.get(); }
    const char* ServerName() const { return m_serverName.get(); }
};
