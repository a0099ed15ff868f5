// The fixture of the simulated machine's profile tests: a reset machine with a scratch folder on
// its drive C:.
#pragma once

#include <optional>

#include "support/profile_files.h"
#include "winsim/fresh_machine.h"

class ProfileFiles : public FreshMachine {
  protected:
    // The folder is made after the reset, which gives drive C: a new host folder.
    void SetUp() override {
        FreshMachine::SetUp();
        m_scratch.emplace();
    }
    void TearDown() override {
        m_scratch.reset();
        FreshMachine::TearDown();
    }
    const profile_files::ScratchFolder& Folder() const { return *m_scratch; }

  private:
    std::optional<profile_files::ScratchFolder> m_scratch;
};
