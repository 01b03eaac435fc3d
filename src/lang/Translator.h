#pragma once
// TTranslator: the binding to the outside GB/Big5 library "Zrlanguage.dll", which converts texts
// between simplified Chinese (GB) and traditional Chinese (Big5). The library is loaded by name
// when the translator is made and unloaded when it goes.

#include "platform/Library.h"

#include <memory>
#include <stdexcept>
#include <string>

namespace zrv {

// Raised when the library or one of its entry points is missing.
class TranslatorError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TTranslator {
public:
    // Loads the library and looks up "GBtoBIG5" and "BIG5toGB". Raises TranslatorError with
    // "Load Library <name> Error!" when the library cannot be loaded, and with
    // "Get Library Procedure Address Error!" when either entry point is missing.
    explicit TTranslator(const std::string& libraryName = "Zrlanguage.dll");
    ~TTranslator();
    TTranslator(const TTranslator&) = delete;
    TTranslator& operator=(const TTranslator&) = delete;

    // The text in the other script; the text itself when the entry point is absent.
    std::string GBtoBIG5(const std::string& text) const;
    std::string BIG5toGB(const std::string& text) const;

private:
    using Convert = const char* (*)(const char*);
    std::string Call(Convert convert, const std::string& text) const;

    std::unique_ptr<Library> library_;
    Convert gbToBig5_ = nullptr;
    Convert big5ToGb_ = nullptr;
};

} // namespace zrv
