// The text of a profile (INI) file as Windows reads and edits it. An edit replaces the bytes of
// the lines it concerns and nothing else, so comments, blank lines, spacing and line ends of
// every other line survive byte for byte.
//
// How a line reads: leading and trailing blanks do not count. "[name]" opens a section (the name
// runs to the last "]" of the line, blanks around it dropped; a line that opens with "[" and has
// no "]" is ignored); "name = value" is a key with a value, blanks around both dropped; any other
// line is a key without a value, which reads as missing. A comment (";...") is a key like any
// other, except that lists of key names leave it out. Lines before the first section form a
// nameless section. Names compare without regard to letter case; the first section and the
// first key of a name are the ones that count.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace winsim::detail {

class ProfileText {
  public:
    explicit ProfileText(std::string content);

    const std::string& Content() const { return m_content; }

    // The names of the sections in file order, the nameless ones left out.
    std::vector<std::string> SectionNames() const;
    // The names of the keys that have a value, comments left out, in file order; nothing when
    // there is no section of that name.
    std::optional<std::vector<std::string>> KeyNames(const std::string& section) const;
    // The value as written, blanks around it dropped; nothing for a missing key or one without
    // a value.
    std::optional<std::string> Value(const std::string& section, const std::string& key) const;

    // Replaces the key's line by "key=value", keeping the key's spelling and the line's end. A
    // new key goes after the last line of its section that is not blank; a new section goes at
    // the end of the file. New lines end in CR LF.
    void SetValue(const std::string& section, const std::string& key, const std::string& value);
    // Removes the key's line; false when there was no such key.
    bool DeleteKey(const std::string& section, const std::string& key);
    // Removes the section's header and every line up to the next section; false when there was
    // no such section.
    bool DeleteSection(const std::string& section);

  private:
    enum class LineKind { kBlank, kHeader, kKey, kOther };
    struct Line {
        size_t begin = 0;
        size_t textEnd = 0;  // where the line's end (CR LF, LF or the end of the file) begins
        size_t next = 0;     // where the next line begins
        LineKind kind = LineKind::kOther;
        std::string name;
        std::string value;
        bool hasValue = false;
    };
    struct Section {
        std::string name;
        size_t firstLine = 0;  // the header, or line 0 for the lines before any header
        size_t endLine = 0;    // one past the section's last line
    };

    void Parse();
    const Section* FindSection(const std::string& name) const;
    const Line* FindKey(const Section& section, const std::string& key) const;
    void Replace(size_t begin, size_t end, const std::string& text);

    std::string m_content;
    std::vector<Line> m_lines;
    std::vector<Section> m_sections;
};

// Blanks as the profile functions drop them around names and values.
std::string TrimProfileBlanks(const std::string& text);
std::string TrimLeadingProfileBlanks(const std::string& text);
std::string TrimTrailingProfileBlanks(const std::string& text);

}  // namespace winsim::detail
