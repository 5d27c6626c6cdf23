#include "MenuTemplateCompiler.h"

#include <cstddef>
#include <optional>

namespace menucompiler {
namespace {

constexpr std::uint16_t kGrayed = 0x0001;
constexpr std::uint16_t kInactive = 0x0002;
constexpr std::uint16_t kChecked = 0x0008;
constexpr std::uint16_t kPopup = 0x0010;
constexpr std::uint16_t kMenuBarBreak = 0x0020;
constexpr std::uint16_t kMenuBreak = 0x0040;
constexpr std::uint16_t kEnd = 0x0080;

enum class TokenKind { Word, Number, String, Comma, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text; // word (upper case as written) or decoded UTF-8 string
    std::uint32_t value = 0;
    int line = 1;
};

struct Item {
    std::uint16_t flags = 0;
    std::uint16_t id = 0;
    std::u16string text;
    std::vector<Item> children; // popups only
};

class Error {
public:
    Error(int line, std::string what) : m_message("line " + std::to_string(line) + ": " + std::move(what)) {}
    const std::string& message() const { return m_message; }

private:
    std::string m_message;
};

// Decodes UTF-8; a malformed sequence is an error rather than a silent replacement, because the
// text would otherwise reach the screen garbled.
std::optional<std::u16string> Utf8ToUtf16(std::string_view in) {
    std::u16string out;
    std::size_t i = 0;
    while (i < in.size()) {
        const auto lead = static_cast<unsigned char>(in[i]);
        std::uint32_t cp = 0;
        std::size_t extra = 0;
        if (lead < 0x80) {
            cp = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            cp = lead & 0x1F;
            extra = 1;
        } else if ((lead & 0xF0) == 0xE0) {
            cp = lead & 0x0F;
            extra = 2;
        } else if ((lead & 0xF8) == 0xF0) {
            cp = lead & 0x07;
            extra = 3;
        } else {
            return std::nullopt;
        }
        if (extra > 0 && i + extra >= in.size()) {
            return std::nullopt;
        }
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(in[i + k]);
            if ((c & 0xC0) != 0x80) {
                return std::nullopt;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        i += extra + 1;
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return std::nullopt;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

class Lexer {
public:
    explicit Lexer(std::string_view source) : m_source(source) {}

    Token Next() {
        SkipBlanks();
        Token token;
        token.line = m_line;
        if (m_pos >= m_source.size()) {
            return token;
        }
        const char c = m_source[m_pos];
        if (c == ',') {
            ++m_pos;
            token.kind = TokenKind::Comma;
            return token;
        }
        if (c == '"') {
            token.kind = TokenKind::String;
            token.text = ReadString();
            return token;
        }
        if (c >= '0' && c <= '9') {
            token.kind = TokenKind::Number;
            token.value = ReadNumber();
            return token;
        }
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_') {
            token.kind = TokenKind::Word;
            while (m_pos < m_source.size() && IsWordChar(m_source[m_pos])) {
                token.text.push_back(m_source[m_pos++]);
            }
            return token;
        }
        throw Error(m_line, std::string("unexpected character '") + c + "'");
    }

private:
    static bool IsWordChar(char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    }

    void SkipBlanks() {
        while (m_pos < m_source.size()) {
            const char c = m_source[m_pos];
            if (c == '\n') {
                ++m_line;
                ++m_pos;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++m_pos;
            } else if (c == '#') {
                while (m_pos < m_source.size() && m_source[m_pos] != '\n') {
                    ++m_pos;
                }
            } else {
                return;
            }
        }
    }

    std::string ReadString() {
        ++m_pos; // opening quote
        std::string text;
        while (true) {
            if (m_pos >= m_source.size() || m_source[m_pos] == '\n') {
                throw Error(m_line, "text without its closing quote");
            }
            const char c = m_source[m_pos++];
            if (c == '"') {
                return text;
            }
            if (c != '\\') {
                text.push_back(c);
                continue;
            }
            if (m_pos >= m_source.size()) {
                throw Error(m_line, "text without its closing quote");
            }
            const char escaped = m_source[m_pos++];
            switch (escaped) {
            case '"':
                text.push_back('"');
                break;
            case '\\':
                text.push_back('\\');
                break;
            case 't':
                text.push_back('\t');
                break;
            case 'n':
                text.push_back('\n');
                break;
            default:
                throw Error(m_line, std::string("unknown escape \\") + escaped);
            }
        }
    }

    std::uint32_t ReadNumber() {
        const bool hex = m_source.substr(m_pos, 2) == "0x" || m_source.substr(m_pos, 2) == "0X";
        if (hex) {
            m_pos += 2;
        }
        std::uint64_t value = 0;
        std::size_t digits = 0;
        while (m_pos < m_source.size()) {
            const char c = m_source[m_pos];
            int digit = -1;
            if (c >= '0' && c <= '9') {
                digit = c - '0';
            } else if (hex && c >= 'a' && c <= 'f') {
                digit = c - 'a' + 10;
            } else if (hex && c >= 'A' && c <= 'F') {
                digit = c - 'A' + 10;
            } else if (IsWordChar(c)) {
                throw Error(m_line, "malformed number");
            } else {
                break;
            }
            value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
            if (value > 0xFFFFFFFFu) {
                throw Error(m_line, "number out of range");
            }
            ++digits;
            ++m_pos;
        }
        if (digits == 0) {
            throw Error(m_line, "malformed number");
        }
        return static_cast<std::uint32_t>(value);
    }

    std::string_view m_source;
    std::size_t m_pos = 0;
    int m_line = 1;
};

class Parser {
public:
    explicit Parser(std::string_view source) : m_lexer(source) { Advance(); }

    CompileResult Parse() {
        CompileResult result;
        ExpectWord("MENU");
        result.menuId = static_cast<int>(Expect16BitNumber("menu id"));
        const std::vector<Item> items = ParseBlock();
        if (m_token.kind != TokenKind::End) {
            throw Error(m_token.line, "text after the menu's END");
        }
        WriteWord(result.bytes, 0); // version
        WriteWord(result.bytes, 0); // offset of the items after the header
        WriteItems(result.bytes, items);
        result.ok = true;
        return result;
    }

private:
    void Advance() { m_token = m_lexer.Next(); }

    bool IsWord(const char* word) const { return m_token.kind == TokenKind::Word && m_token.text == word; }

    void ExpectWord(const char* word) {
        if (!IsWord(word)) {
            throw Error(m_token.line, std::string("expected ") + word);
        }
        Advance();
    }

    std::uint16_t Expect16BitNumber(const char* what) {
        if (m_token.kind != TokenKind::Number) {
            throw Error(m_token.line, std::string("expected ") + what);
        }
        if (m_token.value > 0xFFFF) {
            throw Error(m_token.line, std::string(what) + " does not fit in 16 bits");
        }
        const auto value = static_cast<std::uint16_t>(m_token.value);
        Advance();
        return value;
    }

    std::u16string ExpectText() {
        if (m_token.kind != TokenKind::String) {
            throw Error(m_token.line, "expected a quoted text");
        }
        auto text = Utf8ToUtf16(m_token.text);
        if (!text) {
            throw Error(m_token.line, "text is not valid UTF-8");
        }
        Advance();
        return *text;
    }

    // BEGIN item... END; an empty list cannot be written in the binary form (its end mark would
    // sit on no item), so it is refused here rather than shipped broken.
    std::vector<Item> ParseBlock() {
        const int line = m_token.line;
        ExpectWord("BEGIN");
        std::vector<Item> items;
        while (!IsWord("END")) {
            if (m_token.kind == TokenKind::End) {
                throw Error(line, "BEGIN without END");
            }
            items.push_back(ParseItem());
        }
        if (items.empty()) {
            throw Error(m_token.line, "a menu or popup needs at least one item");
        }
        Advance();
        return items;
    }

    Item ParseItem() {
        Item item;
        if (IsWord("MENUITEM")) {
            Advance();
            if (IsWord("SEPARATOR")) {
                Advance();
                return item;
            }
            item.text = ExpectText();
            ExpectComma();
            item.id = Expect16BitNumber("command id");
            item.flags = ParseOptions();
            return item;
        }
        if (IsWord("POPUP")) {
            Advance();
            item.text = ExpectText();
            item.flags = static_cast<std::uint16_t>(ParseOptions() | kPopup);
            item.children = ParseBlock();
            return item;
        }
        throw Error(m_token.line, "expected MENUITEM, POPUP or END");
    }

    void ExpectComma() {
        if (m_token.kind != TokenKind::Comma) {
            throw Error(m_token.line, "expected ','");
        }
        Advance();
    }

    std::uint16_t ParseOptions() {
        std::uint16_t flags = 0;
        while (m_token.kind == TokenKind::Comma) {
            Advance();
            if (m_token.kind != TokenKind::Word) {
                throw Error(m_token.line, "expected an option");
            }
            flags |= OptionFlag(m_token);
            Advance();
        }
        return flags;
    }

    static std::uint16_t OptionFlag(const Token& token) {
        if (token.text == "GRAYED") {
            return kGrayed;
        }
        if (token.text == "INACTIVE") {
            return kInactive;
        }
        if (token.text == "CHECKED") {
            return kChecked;
        }
        if (token.text == "MENUBREAK") {
            return kMenuBreak;
        }
        if (token.text == "MENUBARBREAK") {
            return kMenuBarBreak;
        }
        throw Error(token.line, "unknown option " + token.text);
    }

    static void WriteWord(std::vector<std::uint8_t>& out, std::uint16_t word) {
        out.push_back(static_cast<std::uint8_t>(word & 0xFF));
        out.push_back(static_cast<std::uint8_t>(word >> 8));
    }

    static void WriteItems(std::vector<std::uint8_t>& out, const std::vector<Item>& items) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            const Item& item = items[i];
            const bool last = i + 1 == items.size();
            WriteWord(out, static_cast<std::uint16_t>(item.flags | (last ? kEnd : 0)));
            if ((item.flags & kPopup) == 0) {
                WriteWord(out, item.id);
            }
            for (const char16_t unit : item.text) {
                WriteWord(out, static_cast<std::uint16_t>(unit));
            }
            WriteWord(out, 0);
            WriteItems(out, item.children);
        }
    }

    Lexer m_lexer;
    Token m_token;
};

} // namespace

CompileResult CompileMenuSource(std::string_view source) {
    try {
        return Parser(source).Parse();
    } catch (const Error& error) {
        CompileResult result;
        result.error = error.message();
        return result;
    }
}

} // namespace menucompiler
