// A test that loads the real library by name, as a caller does, on a machine without the suite,
// and finds its exports by the names a caller uses; the library is unloaded after each case, so
// each case starts from a fresh load.
#pragma once

#include <gtest/gtest.h>

#include "platform/win32.h"
#include "support/machine.h"

class LoadedLibraryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing_machine::Reset();
        m_library = LoadLibraryA("uninstlib.dll");
        ASSERT_NE(m_library, nullptr) << "error " << GetLastError();
    }
    void TearDown() override {
        if (m_library != nullptr) {
            FreeLibrary(m_library);
        }
        testing_machine::Reset();
    }

    template <typename Function>
    Function Resolve(const char* name) {
        return reinterpret_cast<Function>(
            reinterpret_cast<void (*)()>(GetProcAddress(m_library, name)));
    }

  private:
    HMODULE m_library = nullptr;
};
