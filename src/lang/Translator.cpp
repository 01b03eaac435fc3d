#include "lang/Translator.h"

namespace zrv {

TTranslator::TTranslator(const std::string& libraryName)
    : library_(Library::Load(libraryName))
{
    if (!library_)
        throw TranslatorError("Load Library " + libraryName + " Error!");
    gbToBig5_ = library_->Function<Convert>("GBtoBIG5");
    big5ToGb_ = library_->Function<Convert>("BIG5toGB");
    if (!gbToBig5_ || !big5ToGb_)
        throw TranslatorError("Get Library Procedure Address Error!");
}

TTranslator::~TTranslator() = default;

std::string TTranslator::Call(Convert convert, const std::string& text) const
{
    if (!convert)
        return text;
    const char* result = convert(text.c_str());
    return result ? std::string(result) : text;
}

std::string TTranslator::GBtoBIG5(const std::string& text) const { return Call(gbToBig5_, text); }

std::string TTranslator::BIG5toGB(const std::string& text) const { return Call(big5ToGb_, text); }

} // namespace zrv
