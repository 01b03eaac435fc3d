#pragma once
// Form descriptions: the readable text a form class is built from. A description is a tree of
//
//   object frmMain: TfrmMain            (or "inherited frmMain: TfrmMain" for a descendant)
//     Caption = '报表'                   strings in single quotes ('' for a quote), #13 codes
//     Font.Height = -13                  numbers; dotted paths reach sub-objects
//     Position = poScreenCenter          identifiers: enumeration values, colour names, ...
//     BorderIcons = [biSystemMenu]       sets
//     Items.Strings = ( 'a' 'b' )        string lists
//     Columns = < item Caption = 'x' end >   collections
//     Glyph.Data = { 89504E47... }       binary data (hexadecimal)
//     OnClick = btnOkClick               event handlers by name
//     object btnOk: TButton ... end      nested components (children of a control)
//   end
//
// This unit only reads the text into that tree and reports syntax errors with file and line;
// FormReader applies a tree to components.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zrv {

struct TDescProperty;

struct TDescValue {
    enum class Kind { Integer, Float, String, Ident, Set, List, Collection, Binary };
    Kind kind = Kind::Integer;
    int64_t integer = 0;
    double number = 0;
    std::string text; // String (UTF-8), Ident, Binary (bytes)
    std::vector<std::string> names; // Set
    std::vector<TDescValue> items; // List
    std::vector<std::vector<TDescProperty>> collection; // Collection: properties per item
    int line = 0;

    std::string Describe() const; // short text for error messages
};

struct TDescProperty {
    std::string path;
    TDescValue value;
    int line = 0;
};

struct TDescObject {
    bool inherited = false;
    std::string name;
    std::string className;
    int line = 0;
    std::vector<TDescProperty> properties;
    std::vector<TDescObject> children;
};

struct TFormDescription {
    std::string fileName;
    TDescObject root;
};

// A wrong description: the file and line it names and what is wrong.
class EFormDescriptionError : public std::runtime_error {
public:
    EFormDescriptionError(std::string file, int line, const std::string& message);
    const std::string& File() const { return file_; }
    int Line() const { return line_; }
    const std::string& Message() const { return message_; }

private:
    std::string file_;
    int line_;
    std::string message_;
};

// Reads a description. False on a syntax error, with `error` set ("file:line: message").
bool ParseFormDescription(std::string_view text, const std::string& fileName, TFormDescription& out,
    std::string* error = nullptr, int* errorLine = nullptr);
// The same, raising EFormDescriptionError.
TFormDescription ParseFormDescriptionOrThrow(std::string_view text, const std::string& fileName);
// The root's class name from the first line, without reading the rest ("" when there is none).
std::string DescribedClassName(std::string_view text);

} // namespace zrv
