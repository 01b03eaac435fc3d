#pragma once
// Controls with texts beyond the published properties the code converter knows (a selection
// panel's words and its list, for instance) implement this so that a whole-window conversion
// reaches them too.

#include <functional>
#include <string>

namespace zrv {

class ICodeConvertible {
public:
    using TextConversion = std::function<std::string(const std::string&)>;
    // Converts every text of the control that a user reads with `convert`.
    virtual void ConvertTexts(const TextConversion& convert) = 0;

protected:
    ~ICodeConvertible() = default;
};

} // namespace zrv
