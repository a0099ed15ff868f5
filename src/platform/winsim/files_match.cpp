#include "platform/winsim/files_match.h"

#include <vector>

#include "platform/winsim/text_case.h"

namespace winsim::detail {

namespace {

enum class Token : char {
    kLiteral,
    kStar,
    kDosStar,
    kDosQuestion,
    kDosDot,
};

struct Element {
    Token token;
    char literal;
};

std::vector<Element> Compile(const std::string& pattern) {
    std::vector<Element> elements;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        Token token = Token::kLiteral;
        if (c == '?' || c == '>') {
            token = Token::kDosQuestion;
        } else if ((c == '.' && (next == '?' || next == '*')) || c == '"') {
            token = Token::kDosDot;
        } else if ((c == '*' && next == '.') || c == '<') {
            token = Token::kDosStar;
        } else if (c == '*') {
            token = Token::kStar;
        }
        elements.push_back({token, UpperAscii(c)});
    }
    return elements;
}

class Matcher {
  public:
    Matcher(const std::string& pattern, const std::string& name)
        : m_elements(Compile(pattern)),
          m_name(name),
          m_lastDot(name.rfind('.')),
          m_memo((m_elements.size() + 1) * (name.size() + 1), kUnknown) {}

    bool Matches() { return Match(0, 0); }

  private:
    static constexpr signed char kUnknown = -1;

    bool Match(size_t p, size_t n) {
        signed char& memo = m_memo[p * (m_name.size() + 1) + n];
        if (memo == kUnknown) {
            memo = Step(p, n) ? 1 : 0;
        }
        return memo == 1;
    }

    bool Step(size_t p, size_t n) {
        const bool nameEnds = n == m_name.size();
        if (p == m_elements.size()) {
            return nameEnds;
        }
        const Element& element = m_elements[p];
        switch (element.token) {
            case Token::kStar:
                return Match(p + 1, n) || (!nameEnds && Match(p, n + 1));
            case Token::kDosStar:
                return Match(p + 1, n) || (!nameEnds && n != m_lastDot && Match(p, n + 1));
            case Token::kDosQuestion:
                if (nameEnds || m_name[n] == '.') {
                    return Match(p + 1, n);
                }
                return Match(p + 1, n + 1);
            case Token::kDosDot:
                if (nameEnds) {
                    return Match(p + 1, n);
                }
                return m_name[n] == '.' && Match(p + 1, n + 1);
            case Token::kLiteral:
                return !nameEnds && UpperAscii(m_name[n]) == element.literal && Match(p + 1, n + 1);
        }
        return false;
    }

    std::vector<Element> m_elements;
    const std::string& m_name;
    size_t m_lastDot;
    std::vector<signed char> m_memo;
};

}  // namespace

bool MatchesPattern(const std::string& pattern, const std::string& name) {
    return Matcher(pattern, name).Matches();
}

}  // namespace winsim::detail
