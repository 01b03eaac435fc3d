#pragma once
// TDLLRPCtrller: the controller of a report module. It creates the module window from the
// registered window class, hands it the library path and the shell's host object, takes over
// the window's show, hide and destroy handlers to tell the shell about them, and captures the
// window's result when the window goes away. Registering this unit makes it the library's
// controller class.

#include "module/DLLBaseCtrller.h"
#include "platform/components/Event.h"

#include <string>

namespace zrv {

class TfrmBaseGene;

class TDLLRPCtrller : public TDLLBaseController {
public:
    TfrmBaseGene* Window = nullptr; // none before Open and after the window was destroyed
    TNotifyEvent SavedOnShow; // the window's own handlers, as they were before the hooks
    TNotifyEvent SavedOnHide;
    TNotifyEvent SavedOnDestroy;

    std::u16string GetVersion() override;
    int32_t GetVisible() override;
    void SetVisible(int16_t value) override;
    WindowHandle GetHandle() override;
    int32_t Open(Variant& context) override;
    int32_t ApplyParams(Variant& params) override;
    int32_t ApplyCommand(int32_t kind, int32_t arg, Variant& params) override;
    Variant ShowModal() override;
    void CloseWindow() override;
    int32_t GetInfo(Variant& info) override;
    bool IsClosed() override;
    void DoShow(TObject* sender) override;
    void DoHide(TObject* sender) override;
    void DoDestroy(TObject* sender) override;

    ~TDLLRPCtrller() override;

    // The full path of the file this code was loaded from (the library, or the program when
    // the code is linked into one).
    static std::string ModuleFilePath();
};

// A copy of a value as automation hands it on: byte texts become wide texts, inside arrays too.
Variant ToAutomationVariant(const Variant& value);

} // namespace zrv
