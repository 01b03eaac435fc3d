#include "platform/components/FormDescription.h"

#include "platform/CodePage.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zrv {

namespace {

    constexpr int kMaxDepth = 64; // nesting of objects and collections

    enum class Tok { End, Ident, Integer, Float, String, Binary, Symbol };

    struct Token {
        Tok kind = Tok::End;
        std::string text; // identifier, string value, binary bytes, symbol
        int64_t integer = 0;
        double number = 0;
        int line = 1;
    };

    bool IsIdentStart(char c)
    {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    }
    bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
    bool IsDigit(char c) { return c >= '0' && c <= '9'; }
    struct SyntaxError {
        int line;
        std::string message;
    };

    class Lexer {
    public:
        explicit Lexer(std::string_view text)
            : s_(text)
        {
            if (s_.size() >= 3 && static_cast<unsigned char>(s_[0]) == 0xEF
                && static_cast<unsigned char>(s_[1]) == 0xBB
                && static_cast<unsigned char>(s_[2]) == 0xBF)
                pos_ = 3; // byte-order mark
        }

        Token Next()
        {
            SkipBlanks();
            Token t;
            t.line = line_;
            if (pos_ >= s_.size())
                return t;
            char c = s_[pos_];
            if (IsIdentStart(c)) {
                size_t b = pos_;
                while (pos_ < s_.size() && IsIdentChar(s_[pos_]))
                    ++pos_;
                t.kind = Tok::Ident;
                t.text = std::string(s_.substr(b, pos_ - b));
                return t;
            }
            if (IsDigit(c)
                || ((c == '-' || c == '+') && pos_ + 1 < s_.size()
                    && (IsDigit(s_[pos_ + 1]) || s_[pos_ + 1] == '$'))
                || c == '$')
                return Number();
            if (c == '\'' || c == '#')
                return String();
            if (c == '{')
                return Binary();
            if (std::strchr("=:[](),<>.", c)) {
                ++pos_;
                t.kind = Tok::Symbol;
                t.text = std::string(1, c);
                return t;
            }
            throw SyntaxError { line_, std::string("unexpected character '") + Printable(c) + "'" };
        }

    private:
        static std::string Printable(char c)
        {
            unsigned char u = static_cast<unsigned char>(c);
            if (u >= 0x20 && u < 0x7F)
                return std::string(1, c);
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", u);
            return buf;
        }

        void SkipBlanks()
        {
            while (pos_ < s_.size()) {
                char c = s_[pos_];
                if (c == '\n') {
                    ++line_;
                    ++pos_;
                } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f') {
                    ++pos_;
                } else if (c == '/' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '/') {
                    while (pos_ < s_.size() && s_[pos_] != '\n')
                        ++pos_;
                } else
                    break;
            }
        }

        Token Number()
        {
            Token t;
            t.line = line_;
            bool negative = false;
            if (s_[pos_] == '-' || s_[pos_] == '+') {
                negative = s_[pos_] == '-';
                ++pos_;
            }
            if (pos_ < s_.size() && s_[pos_] == '$') {
                ++pos_;
                uint64_t v = 0;
                size_t digits = 0;
                while (pos_ < s_.size() && HexDigitValue(s_[pos_]) >= 0) {
                    if (++digits > 16)
                        throw SyntaxError { line_, "hexadecimal number too long" };
                    v = v * 16 + static_cast<uint64_t>(HexDigitValue(s_[pos_++]));
                }
                if (digits == 0)
                    throw SyntaxError { line_, "hexadecimal digits expected after '$'" };
                t.kind = Tok::Integer;
                t.integer = negative ? -static_cast<int64_t>(v) : static_cast<int64_t>(v);
                return t;
            }
            size_t b = pos_;
            while (pos_ < s_.size() && IsDigit(s_[pos_]))
                ++pos_;
            bool isFloat = false;
            if (pos_ + 1 < s_.size() && s_[pos_] == '.' && IsDigit(s_[pos_ + 1])) {
                isFloat = true;
                ++pos_;
                while (pos_ < s_.size() && IsDigit(s_[pos_]))
                    ++pos_;
            }
            if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
                size_t save = pos_++;
                if (pos_ < s_.size() && (s_[pos_] == '-' || s_[pos_] == '+'))
                    ++pos_;
                if (pos_ < s_.size() && IsDigit(s_[pos_])) {
                    isFloat = true;
                    while (pos_ < s_.size() && IsDigit(s_[pos_]))
                        ++pos_;
                } else
                    pos_ = save;
            }
            std::string digits(s_.substr(b, pos_ - b));
            if (negative)
                digits.insert(digits.begin(), '-');
            errno = 0;
            if (isFloat) {
                t.kind = Tok::Float;
                t.number = std::strtod(digits.c_str(), nullptr);
            } else {
                t.kind = Tok::Integer;
                t.integer = std::strtoll(digits.c_str(), nullptr, 10);
                if (errno == ERANGE)
                    throw SyntaxError { line_, "number out of range: " + digits };
            }
            return t;
        }

        // 'text', #code and their concatenations, also across lines with "+".
        Token String()
        {
            Token t;
            t.kind = Tok::String;
            t.line = line_;
            while (true) {
                if (pos_ < s_.size() && s_[pos_] == '\'') {
                    ++pos_;
                    while (true) {
                        if (pos_ >= s_.size() || s_[pos_] == '\n')
                            throw SyntaxError { line_, "unterminated string" };
                        char c = s_[pos_++];
                        if (c == '\'') {
                            if (pos_ < s_.size() && s_[pos_] == '\'') {
                                t.text += '\'';
                                ++pos_;
                                continue;
                            }
                            break;
                        }
                        t.text += c;
                    }
                } else if (pos_ < s_.size() && s_[pos_] == '#') {
                    ++pos_;
                    uint32_t cp = 0;
                    size_t digits = 0;
                    if (pos_ < s_.size() && s_[pos_] == '$') {
                        ++pos_;
                        while (pos_ < s_.size() && HexDigitValue(s_[pos_]) >= 0 && digits < 7) {
                            cp = cp * 16 + static_cast<uint32_t>(HexDigitValue(s_[pos_++]));
                            ++digits;
                        }
                    } else {
                        while (pos_ < s_.size() && IsDigit(s_[pos_]) && digits < 8) {
                            cp = cp * 10 + static_cast<uint32_t>(s_[pos_++] - '0');
                            ++digits;
                        }
                    }
                    if (digits == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
                        throw SyntaxError { line_, "invalid character code after '#'" };
                    AppendUtf8(t.text, cp);
                } else
                    break;
                // A "+" joins the next piece, possibly on the next line.
                size_t save = pos_;
                int saveLine = line_;
                SkipBlanks();
                if (pos_ < s_.size() && s_[pos_] == '+') {
                    ++pos_;
                    SkipBlanks();
                    if (pos_ >= s_.size() || (s_[pos_] != '\'' && s_[pos_] != '#'))
                        throw SyntaxError { line_, "string expected after '+'" };
                } else {
                    pos_ = save;
                    line_ = saveLine;
                }
            }
            return t;
        }

        Token Binary()
        {
            Token t;
            t.kind = Tok::Binary;
            t.line = line_;
            ++pos_;
            int high = -1;
            while (true) {
                if (pos_ >= s_.size())
                    throw SyntaxError { t.line, "unterminated binary value" };
                char c = s_[pos_++];
                if (c == '}')
                    break;
                if (c == '\n') {
                    ++line_;
                    continue;
                }
                if (c == ' ' || c == '\t' || c == '\r')
                    continue;
                int v = HexDigitValue(c);
                if (v < 0)
                    throw SyntaxError { line_, "hexadecimal digit expected in binary value" };
                if (high < 0)
                    high = v;
                else {
                    t.text += static_cast<char>(high * 16 + v);
                    high = -1;
                }
            }
            if (high >= 0)
                throw SyntaxError { line_, "odd number of hexadecimal digits in binary value" };
            return t;
        }

        std::string_view s_;
        size_t pos_ = 0;
        int line_ = 1;
    };

    bool Keyword(const Token& t, const char* word)
    {
        if (t.kind != Tok::Ident || t.text.size() != std::strlen(word))
            return false;
        for (size_t i = 0; i < t.text.size(); ++i) {
            char a = t.text[i];
            if (a >= 'A' && a <= 'Z')
                a = static_cast<char>(a - 'A' + 'a');
            if (a != word[i])
                return false;
        }
        return true;
    }

    bool IsSymbol(const Token& t, char c)
    {
        return t.kind == Tok::Symbol && t.text.size() == 1 && t.text[0] == c;
    }

    std::string Show(const Token& t)
    {
        switch (t.kind) {
        case Tok::End:
            return "end of file";
        case Tok::Ident:
            return "'" + t.text + "'";
        case Tok::Integer:
        case Tok::Float:
            return "a number";
        case Tok::String:
            return "a string";
        case Tok::Binary:
            return "binary data";
        case Tok::Symbol:
            return "'" + t.text + "'";
        }
        return "?";
    }

    class Parser {
    public:
        explicit Parser(std::string_view text)
            : lex_(text)
        {
            Advance();
        }

        TDescObject ParseRoot()
        {
            if (!Keyword(tok_, "object") && !Keyword(tok_, "inherited") && !Keyword(tok_, "inline"))
                Fail("'object' or 'inherited' expected, found " + Show(tok_));
            TDescObject root = ParseObject(0);
            if (tok_.kind != Tok::End)
                Fail("end of file expected after the root object, found " + Show(tok_));
            return root;
        }

    private:
        [[noreturn]] void Fail(const std::string& message)
        {
            throw SyntaxError { tok_.line, message };
        }
        void Advance() { tok_ = lex_.Next(); }
        void Expect(char c)
        {
            if (!IsSymbol(tok_, c)) {
                std::string message(1, '\'');
                message += c;
                message += "' expected, found ";
                Fail(message + Show(tok_));
            }
            Advance();
        }
        std::string ExpectIdent(const char* what)
        {
            if (tok_.kind != Tok::Ident)
                Fail(std::string(what) + " expected, found " + Show(tok_));
            std::string s = tok_.text;
            Advance();
            return s;
        }

        TDescObject ParseObject(int depth)
        {
            if (depth > kMaxDepth)
                Fail("objects nested too deeply");
            TDescObject o;
            o.line = tok_.line;
            o.inherited = Keyword(tok_, "inherited");
            Advance();
            o.name = ExpectIdent("component name");
            Expect(':');
            o.className = ExpectIdent("class name");
            if (IsSymbol(tok_, '[')) { // position index written by some designers; not used
                Advance();
                if (tok_.kind != Tok::Integer)
                    Fail("number expected in '[...]', found " + Show(tok_));
                Advance();
                Expect(']');
            }
            while (true) {
                if (tok_.kind == Tok::End)
                    Fail("'end' expected for object '" + o.name + "' of line "
                        + std::to_string(o.line));
                if (Keyword(tok_, "end")) {
                    Advance();
                    break;
                }
                if (Keyword(tok_, "object") || Keyword(tok_, "inherited")
                    || Keyword(tok_, "inline")) {
                    o.children.push_back(ParseObject(depth + 1));
                    continue;
                }
                o.properties.push_back(ParseProperty(depth));
            }
            return o;
        }

        TDescProperty ParseProperty(int depth)
        {
            TDescProperty p;
            p.line = tok_.line;
            p.path = ExpectIdent("property name");
            while (IsSymbol(tok_, '.')) {
                Advance();
                std::string next = ExpectIdent("property name after '.'");
                p.path += '.';
                p.path += next;
            }
            Expect('=');
            p.value = ParseValue(depth);
            return p;
        }

        TDescValue ParseScalar()
        {
            TDescValue v;
            v.line = tok_.line;
            switch (tok_.kind) {
            case Tok::Integer:
                v.kind = TDescValue::Kind::Integer;
                v.integer = tok_.integer;
                break;
            case Tok::Float:
                v.kind = TDescValue::Kind::Float;
                v.number = tok_.number;
                break;
            case Tok::String:
                v.kind = TDescValue::Kind::String;
                v.text = tok_.text;
                break;
            case Tok::Ident:
                v.kind = TDescValue::Kind::Ident;
                v.text = tok_.text;
                break;
            case Tok::Binary:
                v.kind = TDescValue::Kind::Binary;
                v.text = tok_.text;
                break;
            default:
                Fail("value expected, found " + Show(tok_));
            }
            Advance();
            return v;
        }

        TDescValue ParseValue(int depth)
        {
            TDescValue v;
            v.line = tok_.line;
            if (IsSymbol(tok_, '[')) {
                v.kind = TDescValue::Kind::Set;
                Advance();
                if (!IsSymbol(tok_, ']')) {
                    while (true) {
                        v.names.push_back(ExpectIdent("set element"));
                        if (IsSymbol(tok_, ']'))
                            break;
                        Expect(',');
                    }
                }
                Advance();
                return v;
            }
            if (IsSymbol(tok_, '(')) {
                v.kind = TDescValue::Kind::List;
                Advance();
                while (!IsSymbol(tok_, ')')) {
                    if (tok_.kind == Tok::End)
                        Fail("')' expected to close the list of line " + std::to_string(v.line));
                    v.items.push_back(ParseScalar());
                }
                Advance();
                return v;
            }
            if (IsSymbol(tok_, '<')) {
                if (depth + 1 > kMaxDepth)
                    Fail("collections nested too deeply");
                v.kind = TDescValue::Kind::Collection;
                Advance();
                while (!IsSymbol(tok_, '>')) {
                    if (!Keyword(tok_, "item"))
                        Fail("'item' or '>' expected, found " + Show(tok_));
                    Advance();
                    std::vector<TDescProperty> props;
                    while (!Keyword(tok_, "end")) {
                        if (tok_.kind == Tok::End)
                            Fail("'end' expected for a collection item");
                        props.push_back(ParseProperty(depth + 1));
                    }
                    Advance();
                    v.collection.push_back(std::move(props));
                }
                Advance();
                return v;
            }
            return ParseScalar();
        }

        Lexer lex_;
        Token tok_;
    };

} // namespace

std::string TDescValue::Describe() const
{
    switch (kind) {
    case Kind::Integer:
        return std::to_string(integer);
    case Kind::Float:
        return std::to_string(number);
    case Kind::String:
        return "'" + text + "'";
    case Kind::Ident:
        return text;
    case Kind::Set: {
        std::string s = "[";
        for (size_t i = 0; i < names.size(); ++i)
            s += (i ? ", " : "") + names[i];
        return s + "]";
    }
    case Kind::List:
        return "a list";
    case Kind::Collection:
        return "a collection";
    case Kind::Binary:
        return "binary data";
    }
    return "?";
}

EFormDescriptionError::EFormDescriptionError(std::string file, int line, const std::string& message)
    : std::runtime_error(file + ":" + std::to_string(line) + ": " + message)
    , file_(std::move(file))
    , line_(line)
    , message_(message)
{
}

bool ParseFormDescription(std::string_view text, const std::string& fileName, TFormDescription& out,
    std::string* error, int* errorLine)
{
    try {
        Parser p(text);
        out.fileName = fileName;
        out.root = p.ParseRoot();
        return true;
    } catch (const SyntaxError& e) {
        if (error)
            *error = fileName + ":" + std::to_string(e.line) + ": " + e.message;
        if (errorLine)
            *errorLine = e.line;
        return false;
    }
}

TFormDescription ParseFormDescriptionOrThrow(std::string_view text, const std::string& fileName)
{
    TFormDescription d;
    try {
        Parser p(text);
        d.fileName = fileName;
        d.root = p.ParseRoot();
    } catch (const SyntaxError& e) {
        throw EFormDescriptionError(fileName, e.line, e.message);
    }
    return d;
}

std::string DescribedClassName(std::string_view text)
{
    try {
        Lexer lex(text);
        Token t = lex.Next();
        if (!Keyword(t, "object") && !Keyword(t, "inherited") && !Keyword(t, "inline"))
            return {};
        if (lex.Next().kind != Tok::Ident || !IsSymbol(lex.Next(), ':'))
            return {};
        Token cls = lex.Next();
        return cls.kind == Tok::Ident ? cls.text : std::string();
    } catch (const SyntaxError&) {
        return {};
    }
}

} // namespace zrv
