#include "module/DLLBaseCtrller.h"

namespace zrv {

void TDLLBaseController::DoCreate() { Notify(ceCreated); }
void TDLLBaseController::DoShow(TObject*) { Notify(ceShown); }
void TDLLBaseController::DoHide(TObject*) { Notify(ceHidden); }
void TDLLBaseController::DoDestroy(TObject*) { Notify(ceDestroyed); }
void TDLLBaseController::DoEvent320() { Notify(ceEvent320); }

void TDLLBaseController::Notify(int32_t event)
{
    if (OnEvent)
        OnEvent(event, this);
}

void TDLLBaseController::Idle() { }

TDLLBaseController::~TDLLBaseController() = default;

} // namespace zrv
