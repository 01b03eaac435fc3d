#pragma once
// The controller contract between the client shell and a module library. The shell loads the
// library, calls its only export `GetController` and drives the module through the virtual
// operations below; their order is part of the boundary, so new operations go at the end.
// This header is what a shell includes (it needs only the Variant of the platform layer).

#include "platform/Variant.h"

#include <cstdint>
#include <functional>

namespace zrv {

class TObject;
class TDLLBaseController;

// Codes raised through `OnEvent`.
enum ControllerEvent : int32_t {
    ceCreated = 256, // the window was created, before it takes the context
    ceShown = 272,
    ceHidden = 288,
    ceDestroyed = 304, // after the result was captured
    ceEvent320 = 320,
};

// The shell's callback: (event code, the controller that raised it).
using ControllerEventHandler = std::function<void(int32_t event, TDLLBaseController* sender)>;

// A window handle as the shell sees it (the native window id; 0 for none).
using WindowHandle = uintptr_t;

class TDLLBaseController {
public:
    Variant HostObject; // the shell's service object, handed to the window on Open
    int32_t ResultCode = 0; // captured when the window is destroyed
    Variant ResultValue;
    ControllerEventHandler OnEvent; // may be empty

    virtual std::u16string GetVersion() = 0;
    virtual int32_t GetVisible() = 0; // -1 (all bits set) for true, 0 for false
    virtual void SetVisible(int16_t value) = 0;
    virtual WindowHandle GetHandle() = 0;
    // Opens (creating on first use) the window with the five-element context
    // [user, company, database, shell window handle, reserved]; 0 accepted, -1 refused.
    virtual int32_t Open(Variant& context) = 0;
    virtual int32_t ApplyParams(Variant& params) = 0;
    virtual int32_t ApplyCommand(int32_t kind, int32_t arg, Variant& params) = 0;
    virtual Variant ShowModal() = 0;
    virtual void CloseWindow() = 0;
    // [user, company, module identifier, program title]; -1 without a window.
    virtual int32_t GetInfo(Variant& info) = 0;
    virtual bool IsClosed() = 0;
    virtual void DoCreate();
    virtual void DoShow(TObject* sender);
    virtual void DoHide(TObject* sender);
    virtual void DoDestroy(TObject* sender);
    virtual void DoEvent320();
    virtual void Notify(int32_t event);
    virtual void Idle();

    virtual ~TDLLBaseController();
};

// The library's export. Raises std::runtime_error when the library registered no controller.
extern "C" TDLLBaseController* GetController();
using GetControllerFn = TDLLBaseController* (*)();

} // namespace zrv
