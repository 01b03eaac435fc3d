#pragma once
// The library's export and the two registration variables that bind it to concrete classes.
// Both are set once while the library initialises and only read afterwards: the controller
// unit enters its controller class, and the library's main block enters the window class.

#include "module/DLLBaseCtrller.h"

namespace zrv {

class TClassInfo;

// A controller class, as the factory that makes a new instance of it.
using TDLLControllerClass = TDLLBaseController* (*)();

// The controller class GetController makes; empty until a controller unit registers itself.
extern TDLLControllerClass DLLControllerClass;
// The class of the module window (a TfrmBaseGene descendant) the controller opens; empty until
// the library's main block sets it.
extern const TClassInfo* frmBaseGeneClass;

// The error texts raised when a registration is missing.
extern const char* const kNoControllerClassError;
extern const char* const kNoFormClassError;

} // namespace zrv
