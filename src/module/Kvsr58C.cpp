// The library's main block: the window its controllers open is the KVSR58 report window.
#include "forms/report/Kvsr58CF.h"
#include "module/DLLFunc.h"

namespace {

const bool registered = [] {
    zrv::frmBaseGeneClass = &zrv::TfrmKvsr58::StaticClassInfo();
    return true;
}();

} // namespace
