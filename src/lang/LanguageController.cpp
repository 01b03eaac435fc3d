#include "lang/LanguageController.h"

#include <filesystem>

namespace zrv {

const TClassInfo& TLanguageController::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TLanguageController>("TLanguageController",
        TComponent::StaticClassInfo(), [](TClassBuilder<TLanguageController>& c) {
            c.Bool("Active", &TLanguageController::Active, &TLanguageController::SetActive);
            c.Object<TStrings>("ExcludeControls", &TLanguageController::ExcludeControls,
                &TLanguageController::SetExcludeControls);
            c.Event("BeforeOpen", &TLanguageController::BeforeOpen);
            c.Event("AfterOpen", &TLanguageController::AfterOpen);
            c.Event("BeforeClose", &TLanguageController::BeforeClose);
            c.Event("AfterClose", &TLanguageController::AfterClose);
            c.Event("BeforeLoadComponent", &TLanguageController::BeforeLoadComponent);
            c.Event("AfterLoadComponent", &TLanguageController::AfterLoadComponent);
        });
    return info;
}

TLanguageController::TLanguageController(TComponent* owner)
    : TComponent(owner)
    , excludeControls_(std::make_unique<TStringList>())
    , lines_(std::make_unique<TStringList>())
{
}

TLanguageController::~TLanguageController() = default;

void TLanguageController::SetFileName(const std::string& name)
{
    if (name == fileName_)
        return;
    fileName_ = name;
    lines_->Clear();
    SetActive(false);
}

void TLanguageController::SetExcludeControls(TStrings* list)
{
    if (list && list != excludeControls_.get())
        excludeControls_->Assign(*list);
}

void TLanguageController::SetLines(TStrings* lines)
{
    if (!lines || lines == lines_.get())
        return;
    lines_->Assign(*lines);
    if (!Loading()) {
        if (!lines_->Empty())
            fileName_.clear();
        SetActive(false);
    }
}

void TLanguageController::SetActive(bool active)
{
    if (Loading()) {
        activeWhenLoaded_ = active;
        return;
    }
    if (active == active_)
        return;
    if (active)
        Open();
    else
        Close();
}

void TLanguageController::Open()
{
    BeforeOpen(this);
    active_ = true;
    AfterOpen(this);
}

void TLanguageController::Close()
{
    BeforeClose(this);
    active_ = false;
    AfterClose(this);
}

void TLanguageController::ApplyTo(TComponent*) { }

void TLanguageController::Loaded()
{
    TComponent::Loaded();
    if (activeWhenLoaded_)
        SetActive(true);
}

const TClassInfo& TZrLangController::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TZrLangController>("TZrLangController",
        TLanguageController::StaticClassInfo(), [](TClassBuilder<TZrLangController>& c) {
            c.Text("LangPackageName", &TZrLangController::LangPackageName,
                &TZrLangController::SetLangPackageName);
            c.Enum("DesignType", DesignTypeEnum(), &TZrLangController::DesignType,
                &TZrLangController::SetDesignType);
        });
    return info;
}

TZrLangController::TZrLangController(TComponent* owner)
    : TLanguageController(owner)
{
}

void TZrLangController::SetLangPackageName(const std::string& name)
{
    if (name == packageName_)
        return;
    packageName_ = name;
    SetFileName(LanguageFolder() + name + ".Lng");
}

std::string TZrLangController::LanguageFolder() const { return {}; }

bool TZrLangController::PackageExists() const
{
    std::error_code ec;
    return !FileName().empty() && std::filesystem::is_regular_file(FileName(), ec);
}

std::string LangText(
    TDesignType, const std::string&, const std::string&, const std::string& defaultText)
{
    return defaultText;
}

} // namespace zrv
