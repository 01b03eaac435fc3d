#include "module/DLLRPCtrller.h"

#include "forms/base/BaseGene.h"
#include "module/DLLFunc.h"
#include "platform/CodePage.h"

#include <QWidget>

#include <dlfcn.h>

#include <filesystem>
#include <stdexcept>

namespace zrv {

namespace {

    // Unit initialisation: this library's controllers are report controllers.
    const bool registered = [] {
        DLLControllerClass = []() -> TDLLBaseController* { return new TDLLRPCtrller; };
        return true;
    }();

} // namespace

Variant ToAutomationVariant(const Variant& value)
{
    if (value.Type() == varString)
        return Variant(Utf8ToUtf16(value.AsByteText()));
    if (!value.IsArray())
        return value;
    Variant copy = value;
    for (Variant& item : copy.Items())
        item = ToAutomationVariant(item);
    return copy;
}

std::string TDLLRPCtrller::ModuleFilePath()
{
    // The whole path, however long: a cut path would name another module.
    Dl_info info {};
    if (!::dladdr(reinterpret_cast<void*>(&TDLLRPCtrller::ModuleFilePath), &info)
        || !info.dli_fname)
        return {};
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(info.dli_fname, ec);
    return ec ? std::string(info.dli_fname) : path.lexically_normal().string();
}

std::u16string TDLLRPCtrller::GetVersion()
{
    return Window ? Utf8ToUtf16(Window->ModuleVersion) : std::u16string();
}

int32_t TDLLRPCtrller::GetVisible() { return Window && Window->Visible() ? -1 : 0; }

void TDLLRPCtrller::SetVisible(int16_t value)
{
    if (!Window)
        return;
    if (!value) {
        Window->Hide();
        return;
    }
    if (Window->WindowState() == TWindowState::wsMinimized)
        Window->SetWindowState(TWindowState::wsNormal);
    Window->ShowForm(); // shows it and brings it to the front
}

WindowHandle TDLLRPCtrller::GetHandle()
{
    if (!Window || !Window->Handle())
        return 0;
    return static_cast<WindowHandle>(Window->Handle()->winId());
}

int32_t TDLLRPCtrller::Open(Variant& context)
{
    int32_t result = -1;
    const Variant copy = context;
    if (!Window) {
        if (!frmBaseGeneClass)
            throw std::runtime_error(kNoFormClassError);
        TComponent* created = frmBaseGeneClass->Create(nullptr);
        auto* window = dynamic_cast<TfrmBaseGene*>(created);
        if (!window) {
            if (created)
                created->Free();
            throw std::runtime_error("ZRV DLL Internal Error :\r\"frmBaseGeneClass\" is not a "
                                     "TfrmBaseGene class");
        }
        Window = window;
        Window->SetModulePath(ModuleFilePath());
        Window->HostObject = HostObject;
        DoCreate();
        if (!TComponent::IsLive(window)) {
            Window = nullptr; // the shell closed it when it heard of the creation
            return result;
        }
        SavedOnShow = Window->OnShow;
        SavedOnHide = Window->OnHide;
        SavedOnDestroy = Window->OnDestroy;
        Window->OnShow = TNotifyEvent([this](TObject* sender) { DoShow(sender); });
        Window->OnHide = TNotifyEvent([this](TObject* sender) { DoHide(sender); });
        Window->OnDestroy = TNotifyEvent([this](TObject* sender) { DoDestroy(sender); });
    }
    if (Window->OpenWithContext(copy))
        result = 0;
    return result;
}

int32_t TDLLRPCtrller::ApplyParams(Variant& params)
{
    if (!Window || !params.IsArray())
        return -1;
    try {
        Variant forwarded = Variant::ArrayOf({ Variant(true), params[params.LowBound(1) + 1] });
        Window->ApplyRunParams(forwarded);
        return 0;
    } catch (...) {
        return -1;
    }
}

int32_t TDLLRPCtrller::ApplyCommand(int32_t kind, int32_t, Variant& params)
{
    if (!Window || (kind != 5 && kind != 9))
        return -1;
    try {
        Window->ApplyRunParams(Variant::ArrayOf({ Variant(false), params }));
        return 0;
    } catch (...) {
        return -1;
    }
}

Variant TDLLRPCtrller::ShowModal()
{
    if (!Window)
        return Variant(static_cast<int>(mrCancel));
    return Variant(static_cast<int>(Window->ShowModal()));
}

void TDLLRPCtrller::CloseWindow()
{
    if (Window && !Window->IsDestroying())
        Window->Free();
}

int32_t TDLLRPCtrller::GetInfo(Variant& info)
{
    if (!Window)
        return -1;
    info = Window->InfoArray();
    return 0;
}

bool TDLLRPCtrller::IsClosed() { return Window == nullptr; }

void TDLLRPCtrller::DoShow(TObject* sender)
{
    if (SavedOnShow)
        SavedOnShow(sender);
    Notify(ceShown);
}

void TDLLRPCtrller::DoHide(TObject* sender)
{
    if (SavedOnHide)
        SavedOnHide(sender);
    Notify(ceHidden);
}

void TDLLRPCtrller::DoDestroy(TObject* sender)
{
    if (!Window)
        return;
    ResultCode = Window->ResultCode;
    ResultValue = ToAutomationVariant(Window->ResultValue);
    if (SavedOnDestroy)
        SavedOnDestroy(sender);
    // The shell may free this controller when it hears of the destruction.
    Window = nullptr;
    Notify(ceDestroyed);
}

TDLLRPCtrller::~TDLLRPCtrller()
{
    if (Window)
        CloseWindow();
}

} // namespace zrv
