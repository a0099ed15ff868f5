// Program Manager's groups and the group commands it carries out, free of any Win32 header so that
// the simulated machine and the stand-in Program Manager that Wine tests run share one set of
// rules: "[DeleteGroup(group)]", "[ShowGroup(group, n)]" (n 1 to 8; the group becomes the active
// one) and "[DeleteItem(item)]" (in the active group). A command about a group or item that is not
// there, or any other command, is not carried out. Names compare without regard to case.
#pragma once

#include <string>
#include <vector>

namespace winsim {

struct ProgmanGroup {
    std::string name;
    std::vector<std::string> items;
};

namespace detail {

class ProgmanGroups {
  public:
    // Adds a group, or replaces the one of that name.
    void Add(const ProgmanGroup& group);
    // Carries out the commands of one execute transaction in order, up to the first that fails.
    // True when all of them succeeded.
    bool Execute(const std::string& text);
    void Clear();

    const std::vector<ProgmanGroup>& Groups() const { return m_groups; }
    // The group the last ShowGroup made active; empty when none is.
    const std::string& ActiveGroup() const { return m_activeGroup; }

  private:
    std::vector<ProgmanGroup>::iterator Find(const std::string& name);
    bool DeleteGroup(const std::vector<std::string>& arguments);
    bool ShowGroup(const std::vector<std::string>& arguments);
    bool DeleteItem(const std::vector<std::string>& arguments);

    std::vector<ProgmanGroup> m_groups;
    std::string m_activeGroup;
};

}  // namespace detail

}  // namespace winsim
