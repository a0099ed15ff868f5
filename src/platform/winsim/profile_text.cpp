#include "platform/winsim/profile_text.h"

#include <utility>

#include "platform/winsim/text_case.h"

namespace winsim::detail {

namespace {

constexpr const char* kBlanks = " \t\r\v\f";
constexpr const char* kNewLine = "\r\n";

}  // namespace

std::string TrimLeadingProfileBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(kBlanks);
    return first == std::string::npos ? std::string() : text.substr(first);
}

std::string TrimTrailingProfileBlanks(const std::string& text) {
    const size_t last = text.find_last_not_of(kBlanks);
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

std::string TrimProfileBlanks(const std::string& text) {
    return TrimTrailingProfileBlanks(TrimLeadingProfileBlanks(text));
}

ProfileText::ProfileText(std::string content) : m_content(std::move(content)) {
    Parse();
}

void ProfileText::Parse() {
    m_lines.clear();
    m_sections.assign(1, Section{});
    size_t begin = 0;
    while (begin < m_content.size()) {
        Line line;
        line.begin = begin;
        const size_t newLine = m_content.find('\n', begin);
        line.next = newLine == std::string::npos ? m_content.size() : newLine + 1;
        line.textEnd = newLine == std::string::npos ? m_content.size() : newLine;
        if (line.textEnd > begin && m_content[line.textEnd - 1] == '\r') {
            --line.textEnd;
        }
        const std::string text =
            TrimProfileBlanks(m_content.substr(begin, line.textEnd - line.begin));
        const size_t equals = text.find('=');
        const size_t closing = text.rfind(']');
        if (text.empty()) {
            line.kind = LineKind::kBlank;
        } else if (text[0] == '[') {
            if (closing != std::string::npos) {
                line.kind = LineKind::kHeader;
                line.name = TrimProfileBlanks(text.substr(1, closing - 1));
            }
        } else {
            line.kind = LineKind::kKey;
            line.name = TrimProfileBlanks(text.substr(0, equals));
            if (equals != std::string::npos) {
                line.hasValue = true;
                line.value = TrimProfileBlanks(text.substr(equals + 1));
            }
        }
        if (line.kind == LineKind::kHeader) {
            m_sections.back().endLine = m_lines.size();
            m_sections.push_back(Section{line.name, m_lines.size(), 0});
        }
        m_lines.push_back(std::move(line));
        begin = m_lines.back().next;
    }
    m_sections.back().endLine = m_lines.size();
}

const ProfileText::Section* ProfileText::FindSection(const std::string& name) const {
    const std::string wanted = TrimProfileBlanks(name);
    for (const Section& section : m_sections) {
        if (EqualNoCase(section.name, wanted)) {
            return &section;
        }
    }
    return nullptr;
}

const ProfileText::Line* ProfileText::FindKey(const Section& section,
                                              const std::string& key) const {
    const std::string wanted = TrimProfileBlanks(key);
    for (size_t i = section.firstLine; i < section.endLine; ++i) {
        const Line& line = m_lines[i];
        if (line.kind == LineKind::kKey && EqualNoCase(line.name, wanted)) {
            return &line;
        }
    }
    return nullptr;
}

std::vector<std::string> ProfileText::SectionNames() const {
    std::vector<std::string> names;
    for (const Section& section : m_sections) {
        if (!section.name.empty()) {
            names.push_back(section.name);
        }
    }
    return names;
}

std::optional<std::vector<std::string>> ProfileText::KeyNames(const std::string& name) const {
    const Section* section = FindSection(name);
    if (section == nullptr) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (size_t i = section->firstLine; i < section->endLine; ++i) {
        const Line& line = m_lines[i];
        if (line.kind == LineKind::kKey && line.hasValue && line.name.compare(0, 1, ";") != 0) {
            names.push_back(line.name);
        }
    }
    return names;
}

std::optional<std::string> ProfileText::Value(const std::string& name,
                                              const std::string& key) const {
    const Section* section = FindSection(name);
    const Line* line = section != nullptr ? FindKey(*section, key) : nullptr;
    if (line == nullptr || !line->hasValue) {
        return std::nullopt;
    }
    return line->value;
}

void ProfileText::Replace(size_t begin, size_t end, const std::string& text) {
    m_content.replace(begin, end - begin, text);
    Parse();
}

void ProfileText::SetValue(const std::string& name, const std::string& key,
                           const std::string& value) {
    const Section* section = FindSection(name);
    if (section == nullptr) {
        const bool endsOpen = !m_content.empty() && m_content.back() != '\n';
        Replace(m_content.size(), m_content.size(),
                (endsOpen ? kNewLine : "") + ("[" + TrimProfileBlanks(name) + "]") + kNewLine +
                    TrimProfileBlanks(key) + "=" + value + kNewLine);
        return;
    }
    if (const Line* line = FindKey(*section, key)) {
        Replace(line->begin, line->textEnd, line->name + "=" + value);
        return;
    }
    // After the section's last line that is not blank, so that blank lines keep separating it
    // from the next section. A nameless section without lines begins the file.
    size_t at = section->firstLine;
    bool found = false;
    for (size_t i = section->firstLine; i < section->endLine; ++i) {
        if (m_lines[i].kind != LineKind::kBlank) {
            at = i;
            found = true;
        }
    }
    const std::string entry = TrimProfileBlanks(key) + "=" + value + kNewLine;
    if (!found) {
        Replace(0, 0, entry);
        return;
    }
    const Line& last = m_lines[at];
    const bool endsOpen = last.next == last.textEnd;
    Replace(last.next, last.next, (endsOpen ? kNewLine : "") + entry);
}

bool ProfileText::DeleteKey(const std::string& name, const std::string& key) {
    const Section* section = FindSection(name);
    const Line* line = section != nullptr ? FindKey(*section, key) : nullptr;
    if (line == nullptr) {
        return false;
    }
    Replace(line->begin, line->next, "");
    return true;
}

bool ProfileText::DeleteSection(const std::string& name) {
    const Section* section = FindSection(name);
    if (section == nullptr || section->firstLine == section->endLine) {
        return false;
    }
    const size_t begin = m_lines[section->firstLine].begin;
    const size_t end = m_lines[section->endLine - 1].next;
    Replace(begin, end, "");
    return true;
}

}  // namespace winsim::detail
