#include "module/DLLFunc.h"

#include <stdexcept>

namespace zrv {

// Constant-initialised, so a unit that registers itself while the library initialises never
// finds them overwritten by a later initialiser.
TDLLControllerClass DLLControllerClass = nullptr;
const TClassInfo* frmBaseGeneClass = nullptr;

const char* const kNoControllerClassError
    = "ZRV DLL Internal Error :\rNot Assign \"DLLControllerClass\" varible";
const char* const kNoFormClassError
    = "ZRV DLL Internal Error :\rNot Assign \"frmBaseGeneClass\" varible";

extern "C" TDLLBaseController* GetController()
{
    if (!DLLControllerClass)
        throw std::runtime_error(kNoControllerClassError);
    return DLLControllerClass();
}

} // namespace zrv
