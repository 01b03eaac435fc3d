#include "forms/base/BaseGene.h"

#include "config/OrvaneINI.h"
#include "forms/base/BaseGeneU.h"
#include "forms/base/HostCalls.h"
#include "forms/base/ObjBrkr.h"
#include "forms/base/SConnect.h"
#include "lib/DateTexts.h"
#include "lib/LibRTTI.h"
#include "lib/StrFields.h"
#include "lib/VariantCodePage.h"
#include "platform/CodePage.h"
#include "platform/SystemInfo.h"
#include "platform/components/Application.h"
#include "platform/components/Button.h"
#include "platform/components/ComboBox.h"
#include "platform/components/ImageList.h"
#include "platform/components/Label.h"
#include "platform/components/ListView.h"
#include "platform/components/MaskEdit.h"
#include "platform/components/Memo.h"
#include "platform/components/Menus.h"
#include "platform/components/PageControl.h"
#include "platform/components/Panel.h"
#include "platform/components/SpeedButton.h"
#include "platform/components/Splitter.h"
#include "platform/components/ToolBar.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <sys/stat.h>

#include <algorithm>
#include <ctime>

namespace zrv {

namespace {

    const char* const kClass = "TfrmBaseGene";

    // The window the shell passes when the module runs as a program of its own.
    Variant StandAloneContext()
    {
        return Variant::ArrayOf({ Variant("796"), Variant("KMTest60"), Variant("KMTest60") });
    }

    // A text for display: null reads as empty, as the settings and answers of the host do.
    std::string TextOf(const Variant& v) { return v.IsNull() ? std::string() : v.ToString(); }

    bool IsArrayWithItems(const Variant& v) { return v.IsArray() && !v.Items().empty(); }

} // namespace

const TClassInfo& TfrmBaseGene::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TfrmBaseGene>(
        kClass, TZRForm::StaticClassInfo(), [](TClassBuilder<TfrmBaseGene>& c) {
            c.Field("pgOption", &TfrmBaseGene::pgOption);
            c.Field("tsOption1", &TfrmBaseGene::tsOption1);
            c.Field("tsOption2", &TfrmBaseGene::tsOption2);
            c.Field("lblToday", &TfrmBaseGene::lblToday);
            c.Field("btnPrintDate", &TfrmBaseGene::btnPrintDate);
            c.Field("edPrintDate", &TfrmBaseGene::edPrintDate);
            c.Field("Panel1", &TfrmBaseGene::Panel1);
            c.Field("btnOk", &TfrmBaseGene::btnOk);
            c.Field("btnCancel", &TfrmBaseGene::btnCancel);
            c.Field("pnlCondition", &TfrmBaseGene::pnlCondition);
            c.Field("lblCondition", &TfrmBaseGene::lblCondition);
            c.Field("Splitter1", &TfrmBaseGene::Splitter1);
            c.Field("lstCondition", &TfrmBaseGene::lstCondition);
            c.Field("ToolBar1", &TfrmBaseGene::ToolBar1);
            c.Field("btnInsert", &TfrmBaseGene::btnInsert);
            c.Field("btnOpen", &TfrmBaseGene::btnOpen);
            c.Field("btnDelete", &TfrmBaseGene::btnDelete);
            c.Field("ToolButton1", &TfrmBaseGene::ToolButton1);
            c.Field("muOperation", &TfrmBaseGene::muOperation);
            c.Field("mnList", &TfrmBaseGene::mnList);
            c.Field("ImageList1", &TfrmBaseGene::ImageList1);
            c.Field("ImageList2", &TfrmBaseGene::ImageList2);
            c.Field("MainMidas", &TfrmBaseGene::MainMidas);
            c.Field("ObjBroker", &TfrmBaseGene::ObjBroker);
            c.Event("OnDateFieldEnter", &TfrmBaseGene::OnDateFieldEnter);
            c.Event("OnDateFieldExit", &TfrmBaseGene::OnDateFieldExit);
            c.Event("OnRequiredExit", &TfrmBaseGene::OnRequiredExit);
            c.Handler("FormClose", &TfrmBaseGene::FormClose);
            c.Handler("FormDestroy", &TfrmBaseGene::FormDestroy);
            c.Handler("FormKeyDown", &TfrmBaseGene::FormKeyDown);
            c.Handler("FormKeyPress", &TfrmBaseGene::FormKeyPress);
            c.Handler("FormResize", &TfrmBaseGene::FormResize);
            c.Handler("pgOptionChange", &TfrmBaseGene::pgOptionChange);
            c.Handler("pgOptionChanging", &TfrmBaseGene::pgOptionChanging);
            c.Handler("tsOption2Show", &TfrmBaseGene::tsOption2Show);
            c.Handler("btnOkClick", &TfrmBaseGene::btnOkClick);
            c.Handler("btnCancelClick", &TfrmBaseGene::btnCancelClick);
            c.Handler("DateFieldEnter", &TfrmBaseGene::DateFieldEnter);
            c.Handler("DateFieldExit", &TfrmBaseGene::DateFieldExit);
            c.Handler("RequiredExit", &TfrmBaseGene::RequiredExit);
        });
    return info;
}

TfrmBaseGene::TfrmBaseGene(TComponent* owner)
    : TZRForm(owner)
{
    // Classes the description names that nothing else may have mentioned yet.
    RegisterClass(TSocketConnection::StaticClassInfo());
    RegisterClass(TSimpleObjectBroker::StaticClassInfo());
    // The control that had the focus last gets it back after an error message.
    QObject::connect(qApp, &QApplication::focusChanged, Handle(), [this](QWidget*, QWidget* now) {
        if (IsDestroying() || !now)
            return;
        TControl* c = TControl::FromWidget(now);
        auto* w = dynamic_cast<TWinControl*>(c);
        if (!w && c)
            w = c->Parent();
        if (w && w != this && GetParentForm(w) == this)
            FocusAfterError = w;
    });
}

TfrmBaseGene::~TfrmBaseGene() = default;

// ---------------------------------------------------------------------------------------------
// Creation and destruction

void TfrmBaseGene::Loaded()
{
    TZRForm::Loaded();
    // Lookup buttons are flat on every module window.
    for (int i = 0; i < ComponentCount(); ++i)
        if (Components(i)->InheritsFrom("TF2Button"))
            SetOrdPropOf(Components(i), "Flat", 1);
}

void TfrmBaseGene::FormCreate(TObject* sender)
{
    TZRForm::FormCreate(sender);
    // Dates on screen take their separator from the company settings (DateSeparator), so a
    // traditional-Chinese system needs no process-wide separator from the user's locale here.
    // Hints stay up as long as the user points at a control.
    Application().SetHintHidePause(500000);
    ModuleVersion = "870401-0.00.00";
    CompanyID.clear();
    ModuleID.clear();
    ProgramTitle.clear();
    InfoTitle.clear();
    DateFields.clear();
    RequiredFields.clear();
    OnDateFieldEnter = TNotifyEvent::Bind(this, &TfrmBaseGene::DateFieldEnter, "DateFieldEnter");
    OnDateFieldExit = TNotifyEvent::Bind(this, &TfrmBaseGene::DateFieldExit, "DateFieldExit");
    OnRequiredExit = TNotifyEvent::Bind(this, &TfrmBaseGene::RequiredExit, "RequiredExit");
    CheckFailed = false;
    SystemPageArranged = false;
    FocusAfterError = this;
    QuietMessages = false;
    Interactive = true;
    PrepareDataSets();
    for (int i = 0; i < ComponentCount(); ++i)
        if (HasProp(Components(i), "ImeName"))
            SetStrPropOf(Components(i), "ImeName", "");
}

void TfrmBaseGene::FormClose(TObject*, TCloseAction& action) { action = TCloseAction::caFree; }

void TfrmBaseGene::FormDestroy(TObject*)
{
    PageEndControls.clear();
    SettingsCache.clear();
    ReleaseServices();
    if (MainMidas && !LocalServer)
        MainMidas->SetConnected(false);
    AppServer = Variant();
    HostObject = Variant();
}

void TfrmBaseGene::ReleaseServices()
{
    CounterObject = Variant();
    ValidatorObject = Variant();
    LookupObject = Variant();
}

void TfrmBaseGene::BeforeDestruction()
{
    // A window that goes away while it is on screen is hidden first, so whoever listens to its
    // hide event (the controller tells the shell) hears it before the destruction.
    if (QWidget* h = Handle(); h && h->isVisible()) {
        OnHide(this);
        h->hide();
    }
    TZRForm::BeforeDestruction();
}

void TfrmBaseGene::Notification(TComponent* component, TOperation operation)
{
    TZRForm::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    std::erase(PageEndControls, component);
    if (FocusAfterError == component)
        FocusAfterError = nullptr;
}

void TfrmBaseGene::PrepareDataSets()
{
    // Client data sets convert their texts for display; this window's design has none of its
    // own (the scheme list is read by the scheme pane).
}

// ---------------------------------------------------------------------------------------------
// Identity

void TfrmBaseGene::SetModulePath(const std::string& path)
{
    ModulePath = path;
    if (RunsAsLibrary())
        return;
    // Started as a program of its own: no shell hands over a context.
    OpenWithContext(StandAloneContext());
}

bool TfrmBaseGene::RunsAsLibrary() const { return IsLibraryFile(ModulePath); }

std::string TfrmBaseGene::ModuleIDFromPath() const
{
    return ModuleIDFromFileName(ModulePath, RunsAsLibrary());
}

void TfrmBaseGene::SetCaptionTitle(const std::string& title)
{
    ProgramTitle = title;
    if (!RunsAsLibrary())
        ProgramTitle += LookupText(kClass, "sExeVer", true, "[您现在运行的是Exe版本!]");
    SetCaption(ProgramTitle + "[" + CompanyName + "]");
}

void TfrmBaseGene::SetConditionCount(int n)
{
    ConditionCount = n + (ConditionBase < ConditionCount ? 0 : ConditionBase);
}

void TfrmBaseGene::SetModuleID(const std::string& id)
{
    ModuleID = UpperCase(id);
    ServerProgID = ModuleID + "S.Class1";
    InfoTitle = ReadProgramTitle();
    SetCaptionTitle(InfoTitle);
}

void TfrmBaseGene::SetDateFields(const std::string& list)
{
    // The date checks on entering and leaving these fields come with the remembered values;
    // until then the list is only kept.
    DateFields = Trim(list);
}

Variant TfrmBaseGene::InfoArray() const
{
    return Variant::ArrayOf({ Variant::Wide(UserID), Variant::Wide(CompanyID),
        Variant::Wide(ModuleID), Variant::Wide(InfoTitle) });
}

// ---------------------------------------------------------------------------------------------
// Opening

bool TfrmBaseGene::OpenWithContext(const Variant& context)
{
    if (!CompanyID.empty())
        return false;
    bool result = true;
    try {
        SettingsCache.clear();
        PageEndControls.clear();
        ReleaseServices();
        ConditionBase = 1;
        ShowMessageCode("");
        unshownLog_.clear();
        if (edPrintDate)
            edPrintDate->SetText("");
        RunParamsStore = Variant::Null();
        ParamsAreControls = true;
        AutoRun = false;

        const int low = context.LowBound(1);
        const int high = context.HighBound(1);
        HostWindow = high - low > 2 ? static_cast<WindowHandle>(context[low + 3].ToInt64()) : 0;
        if (high - low < 4) {
            ShowMessageCode("E;000038");
            PostClose();
        }
        SetVisible(false);
        UserID = context[low].ToString();
        CompanyID = context[low + 1].ToString();
        DbName = context[low + 2].ToString();

        InitHostServices();

        if (!WindowNameMatchesModule(Name(), ModuleID)) {
            ShowMessageCode("E;000036");
            PostClose();
            return true;
        }

        MainMidas->SetConnected(false);
        bool connected = SetUpConnection();
        if (connected) {
            ChooseServerName(MainMidas);
            connected = !MainMidas->ServerName().empty() && ConnectServer();
        }
        if (!connected) {
            ShowMessageCode("E;000006");
            PostClose();
            result = false;
        }
    } catch (const std::exception& e) {
        RecordError(e.what());
        result = false;
    } catch (...) {
        RecordError("Unknown error while opening the window");
        result = false;
    }
    return result;
}

void TfrmBaseGene::InitHostServices()
{
    // The design colours are remembered here once the remembered values are in place.
    CreateHostServices();
    VersionType = HostCalls::VersionType(HostObject);
    try {
        ProductID = HostCalls::ProductID(HostObject);
    } catch (...) {
        ProductID = 3;
    }
    InitFormSettings();
    CreateLookupService();
}

void TfrmBaseGene::InitFormSettings()
{
    SetDateFields("edPrintDate");
    ModuleKind = "R";
    HeaderSize = 9;
    ServiceFlags = 0;
    SetModuleID(ModuleIDFromPath());
    SetConditionCount(0);
}

void TfrmBaseGene::PostClose() { PostMessage(WM_CLOSE); }

// ---------------------------------------------------------------------------------------------
// Showing, pages and keys

void TfrmBaseGene::FormShow(TObject* sender)
{
    TZRForm::FormShow(sender);
    std::string caption = ProgramTitle;
    if (ProductID == 5)
        caption += LookupText(kClass, "sPublicVer", true, "-普及版");
    SetCaption(caption + "[" + CompanyName + "]");
    if (pgOption && pgOption->PageCount() > 0) {
        pgOption->SetActivePageIndex(0);
        FocusFirstControl();
    }
    ConvertTexts();
    LoadSchemeList();
}

void TfrmBaseGene::FocusFirstControl()
{
    TTabSheet* page = pgOption ? pgOption->ActivePage() : nullptr;
    if (!page)
        return;
    std::vector<TWinControl*> windowed;
    for (int i = 0; i < page->ControlCount(); ++i)
        if (auto* w = dynamic_cast<TWinControl*>(page->Controls(i)))
            windowed.push_back(w);
    for (int order = 0;; ++order) {
        auto it = std::find_if(windowed.begin(), windowed.end(),
            [order](TWinControl* w) { return w->TabOrder() == order; });
        if (it == windowed.end())
            return;
        if ((*it)->Enabled()) {
            // A selection panel puts the focus on its begin edit or its list itself.
            (*it)->SetFocus();
            return;
        }
    }
}

void TfrmBaseGene::pgOptionChange(TObject*) { FocusFirstControl(); }

void TfrmBaseGene::pgOptionChanging(TObject*, bool& allowChange)
{
    QuietMessages = true;
    RunExitCheck(ActiveControl());
    QuietMessages = false;
    allowChange = !CheckFailed;
}

void TfrmBaseGene::RunExitCheck(TWinControl* control)
{
    CheckFailed = false;
    if (!control)
        return;
    TWinControl* target = control;
    for (TWinControl* p = control->Parent(); p; p = p->Parent())
        if (p->InheritsFrom("TSelectPanel")) {
            target = p;
            break;
        }
    TMethod handler = GetEventPropOf(target, "OnExit");
    TNotifyEvent exit;
    if (handler.Assigned() && exit.Assign(handler))
        exit(control);
}

void TfrmBaseGene::tsOption2Show(TObject*)
{
    if (SystemPageArranged)
        return;
    ArrangeControls();
    SystemPageArranged = true;
}

void TfrmBaseGene::ArrangeControls()
{
    if (tsOption2) {
        TFont font;
        font.Assign(*Font());
        font.SetSize(9);
        tsOption2->SetFont(&font);
        tsOption2->SetParentFont(false);
    }
    if (Height() < 110)
        SetHeight(110);
    if (Width() < 315)
        SetWidth(315);
    if (lblToday) {
        lblToday->SetAutoSize(true);
        lblToday->SetLeft(8);
        lblToday->SetTop(12);
    }
    if (edPrintDate)
        edPrintDate->SetBounds(60, 8, 85, edPrintDate->Height());
    if (btnPrintDate && edPrintDate)
        btnPrintDate->SetBounds(edPrintDate->Left() + edPrintDate->Width(), edPrintDate->Top(),
            btnPrintDate->Width(), edPrintDate->Height());
}

void TfrmBaseGene::FormKeyDown(TObject*, uint16_t& key, TShiftState shift)
{
    const TShiftState mods = shift & ssModifiers;
    switch (key) {
    case VK_ESCAPE:
        Close();
        break;
    case VK_F1:
        ShowHelp();
        break;
    case VK_F2:
        F2Pressed(VK_F2, ActiveControl());
        break;
    case 'V':
        if (mods == (ssCtrl | ssAlt))
            ShowModuleProperties();
        break;
    case VK_TAB:
    case VK_PRIOR:
    case VK_NEXT: {
        bool back
            = (key == VK_TAB && mods == (ssCtrl | ssShift)) || (key == VK_PRIOR && mods == ssCtrl);
        bool forward = (key == VK_TAB && mods == ssCtrl) || (key == VK_NEXT && mods == ssCtrl);
        if (!back && !forward)
            break;
        if (pgOption)
            pgOption->SelectNextPage(forward);
        key = 0;
        break;
    }
    default:
        break;
    }
}

bool TfrmBaseGene::IsPageEndControl(TWinControl* control) const
{
    auto listed = [this](const TControl* c) {
        return std::find(PageEndControls.begin(), PageEndControls.end(), c)
            != PageEndControls.end();
    };
    if (!control)
        return false;
    if (listed(control))
        return true;
    TWinControl* parent = control->Parent();
    if (!parent || !listed(parent))
        return false;
    // The end edit and the list of a listed selection panel count; its begin edit does not,
    // so Enter there moves on to the end edit.
    if (parent->InheritsFrom("TSelectPanel"))
        return SameName(control->Name(), "edFinal") || SameName(control->Name(), "ListBox");
    // A button of a listed radio group.
    return control->InheritsFrom("TRadioButton");
}

void TfrmBaseGene::FormKeyPress(TObject*, TKeyChar& key)
{
    if (key != 13)
        return;
    TWinControl* active = ActiveControl();
    // The first two lines of a memo take Enter as a line break; from the third on Enter moves on.
    if (auto* memo = dynamic_cast<TMemo*>(active); memo && memo->CaretPos().Y < 2)
        return;
    key = 0;
    if (IsPageEndControl(active)) {
        if (pgOption && pgOption->ActivePageIndex() < pgOption->PageCount() - 1)
            pgOption->SelectNextPage(true);
        return;
    }
    SelectNext(active, true, true);
}

void TfrmBaseGene::ShowHelp()
{
    std::optional<std::string> topic = HelpTopicFor(ModuleID);
    if (!topic)
        return;
    try {
        HostCalls::CallHelp(HostObject, ModuleID.substr(0, 3), *topic);
    } catch (const std::exception& e) {
        RecordError(e.what());
    }
}

void TfrmBaseGene::ShowModuleProperties()
{
    std::string size = "-", modified = "-";
    struct stat st { };
    if (::stat(ModulePath.c_str(), &st) == 0) {
        size = std::to_string(static_cast<long long>(st.st_size));
        std::tm local {};
        const time_t when = st.st_mtime;
        char buf[32];
        if (localtime_r(&when, &local)
            && std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &local))
            modified = buf;
    }
    std::string text = LookupText(kClass, "sModuleFile", true, "文件") + ": " + ModulePath + "\r"
        + LookupText(kClass, "sModuleSize", true, "大小") + ": " + size + "\r"
        + LookupText(kClass, "sModuleTime", true, "修改时间") + ": " + modified + "\r"
        + LookupText(kClass, "sModuleVersion", true, "版本") + ": " + ModuleVersion;
    ShowDialogBox(text, TMsgDlgType::mtInformation, mbOKOnly);
}

void TfrmBaseGene::F2Pressed(uint16_t, TWinControl* control)
{
    if (control && control->CanFocus())
        control->SetFocus();
    // F2 on the print date opens the date quick-pick once lookups are in place.
}

void TfrmBaseGene::btnOkClick(TObject*) { }

void TfrmBaseGene::btnCancelClick(TObject*) { Close(); }

// The checks these hooks run before they hand over to the replaced handlers come with the
// remembered values; until then nothing is hooked and they only reset the check state.
void TfrmBaseGene::DateFieldEnter(TObject*) { CheckFailed = false; }
void TfrmBaseGene::DateFieldExit(TObject*) { CheckFailed = false; }
void TfrmBaseGene::RequiredExit(TObject*) { CheckFailed = false; }

void TfrmBaseGene::FormResize(TObject*) { RepaintHostWindow(); }

void TfrmBaseGene::RepaintHostWindow()
{
    if (HostWindow == 0)
        return;
    if (QWidget* w = QWidget::find(static_cast<WId>(HostWindow)))
        w->update();
}

bool TfrmBaseGene::HandleWidgetEvent(QObject* receiver, QEvent* event)
{
    const bool handled = TZRForm::HandleWidgetEvent(receiver, event);
    if (receiver == Handle() && event->type() == QEvent::Move && !IsDestroying())
        RepaintHostWindow();
    return handled;
}

void TfrmBaseGene::WndProc(TMessage& message)
{
    if (message.Msg == WM_F2CONTROL) {
        auto* target = reinterpret_cast<TComponent*>(message.LParam);
        if (TComponent::IsLive(target))
            F2Pressed(VK_F2, dynamic_cast<TWinControl*>(target));
        return;
    }
    TZRForm::WndProc(message);
}

// ---------------------------------------------------------------------------------------------
// Run parameters and rights

void TfrmBaseGene::ApplyRunParams(const Variant& params)
{
    if (!params.IsArray())
        return;
    const Variant x = params[params.LowBound(1) + 1];
    RunParamsStore = x;
    if (!IsArrayWithItems(x))
        return;
    const int low = x.LowBound(1);
    const int mode = x[low].ToInt();
    Interactive = mode == 0 || mode == 1;
    AutoRun = false;
    bool ok = false;
    if (x.HighBound(1) > low && IsArrayWithItems(x[low + 1])) {
        const Variant& pair = x[low + 1];
        const int pl = pair.LowBound(1);
        ParamsAreControls = pair[pl].ToBool();
        const Variant payload = pair.HighBound(1) > pl ? pair[pl + 1] : Variant();
        if (IsArrayWithItems(payload))
            ok = ParamsAreControls ? ControlListAccepted(payload) : ApplyParamPayload(payload);
        AutoRun = ok && mode != 0;
    }
    if (!Converted) {
        ConvertTexts();
        if (SystemCodePage() == "950") {
            if (ZrConverter)
                ProgramTitle = ZrConverter->ToDisplay(Variant(ProgramTitle)).ToString();
            SetCaptionTitle(ProgramTitle);
        }
    }
    if (mode > 2 && ok)
        RunByMode(mode);
    else if (AutoRun && btnOk)
        btnOk->Click();
}

bool TfrmBaseGene::ControlListAccepted(const Variant& payload)
{
    bool ok = false;
    try {
        const int low = payload.LowBound(1);
        const Variant& items = payload[low];
        const Variant& values = payload[low + 1];
        ok = IsArrayWithItems(items) && values.IsArray()
            && items.Items().size() == values.Items().size();
        for (size_t i = 0; ok && i < items.Items().size(); ++i) {
            const Variant& item = items.Items()[i];
            TComponent* c = FindComponent(item[item.LowBound(1) + 1].ToString());
            ok = c
                && (c->InheritsFrom("TSelectPanel") || dynamic_cast<TComboBox*>(c)
                    || HasProp(c, "ItemIndex") || HasProp(c, "Checked") || HasProp(c, "Text")
                    || HasProp(c, "Lines"));
        }
    } catch (...) {
        ok = false;
    }
    if (!ok)
        ShowMessageCode("W;000014");
    return ok;
}

bool TfrmBaseGene::ApplyParamPayload(const Variant&) { return false; }

void TfrmBaseGene::RunByMode(int) { }

void TfrmBaseGene::ApplyRights(const Variant& answer)
{
    auto element = [&answer](int i) -> Variant {
        if (!answer.IsArray() || answer.DimCount() != 1)
            return Variant();
        const int at = answer.LowBound(1) + i;
        return at <= answer.HighBound(1) ? answer[at] : Variant();
    };
    const std::string rights = TextOf(element(1));
    const std::string t4 = GetField(rights, ",", 4);
    RightFlag7 = t4.size() >= 7 && t4[6] != 'N';
    RightFlag8 = t4.size() >= 8 && t4[7] != 'N';
    const int codePage = static_cast<int>(StrToFloatOr(TextOf(element(5)), 0));
    BaseLimited = CodePageToWide(TextOf(element(4)), codePage);
    AfterRightsApplied();
}

void TfrmBaseGene::AfterRightsApplied() { }

// ---------------------------------------------------------------------------------------------
// Request building

bool TfrmBaseGene::BuildRequest()
{
    // The repeating-job extension and the sending belong to the options form.
    const int h = HeaderSize;
    const int n = ConditionCount;
    if (h == 0 || (n == 0 && !AutoRun)) {
        ShowMessageCode("I;000003");
        return false;
    }
    Variant header = Variant::Array(1, h);
    Variant labels = Variant::Array(1, n);
    Variant values = Variant::Array(1, n);
    struct Section {
        Variant* array;
        int size;
        const char* key;
        const char* defaultName;
    };
    const Section sections[] = { { &labels, n, "sOption", "选择条件文字" },
        { &values, n, "sOptionInf", "选择条件信息" }, { &header, h, "sEnvSetting", "环境设置" } };
    for (const Section& s : sections) {
        bool filled = false;
        if (s.array == &labels)
            filled = FillConditionLabels(labels, n - ConditionBase);
        else if (s.array == &values)
            filled = FillConditionValues(values, n - ConditionBase);
        else
            filled = FillRequestHeader(header, h);
        if (!filled)
            return false;
        const std::string name = LookupText(kClass, s.key, true, s.defaultName);
        if (s.array->HighBound(1) != s.size) {
            ShowMessageCode("W;000002;" + name + ";" + std::to_string(s.size) + ";"
                + std::to_string(s.array->HighBound(1)));
            return false;
        }
        for (int i = 1; i <= s.size; ++i) {
            const Variant& v = (*s.array)[i];
            if (v.IsEmpty() || v.IsNull()) {
                ShowMessageCode(
                    "W;000003;" + name + ";" + std::to_string(s.size) + ";" + std::to_string(i));
                return false;
            }
        }
    }
    if (ZrConverter) {
        labels = ZrConverter->ToDatabase(labels);
        values = ZrConverter->ToDatabase(values);
    }
    RequestArray = Variant::ArrayOf({ header, labels, values });
    return true;
}

bool TfrmBaseGene::FillRequestHeader(Variant& header, int)
{
    try {
        header[1] = Variant(UpperCase(ModuleID));
        header[2] = Variant(HeaderSize);
        header[3] = Variant(ConditionCount);
        header[4] = Variant(CompanyID);
        header[5] = Variant(UserID);
        header[6] = Variant(DbName);
        header[7] = Variant::FromDate(NowAsDate());
        header[8] = Variant(ServerProgID);
        header[9] = Variant(UpperCase(ModuleKind));
        return true;
    } catch (const std::exception& e) {
        RecordError(e.what());
        return false;
    }
}

bool TfrmBaseGene::FillConditionLabels(Variant& labels, int count)
{
    DirectView = true;
    try {
        labels[count + ConditionBase] = Variant::ArrayOf(
            { Variant(lblToday ? lblToday->Caption() : std::string()), Variant("edPrintDate") });
        return true;
    } catch (...) {
        ShowMessageCode("E;000030;" + GetMessageText("I", "000011"));
        return false;
    }
}

bool TfrmBaseGene::FillConditionValues(Variant& values, int count)
{
    try {
        const std::string text = edPrintDate ? edPrintDate->Text() : std::string();
        const std::string trimmed = Trim(text);
        const std::string sep = DateSeparator();
        std::string compact;
        if (!trimmed.empty() && !trimmed.starts_with(sep) && !trimmed.ends_with(sep)) {
            const double date = OrderedStrToDate(trimmed, DateFormatKind(), sep);
            compact = DateToCompact(date);
            if (compact.empty())
                throw std::runtime_error("unreadable print date " + trimmed);
        }
        values[count + ConditionBase] = Variant(compact);
        return true;
    } catch (...) {
        ShowMessageCode("E;000030");
        return false;
    }
}

// ---------------------------------------------------------------------------------------------
// Operations whose work belongs to the lookups, schemes and the report run

void TfrmBaseGene::PickPhrase(TWinControl*) { }

void TfrmBaseGene::SetRequiredFields(const std::string& list)
{
    // Highlighting and checking the listed fields comes with the remembered values.
    RequiredFields = list;
}

bool TfrmBaseGene::RunWithServerLibrary(const std::string&, const std::string&, const std::string&,
    int, const Variant&, const std::string&, const std::string&, const std::string&,
    const std::string&, const std::string&)
{
    // Running the module's server library on this computer comes with the report form.
    return false;
}

void TfrmBaseGene::Reserved1() { }
void TfrmBaseGene::Reserved2() { }

void TfrmBaseGene::LookupWindow(const std::string&, const std::string&, const Variant&,
    const std::string&, bool, Variant& result)
{
    // The lookup request to the host's lookup window comes with the lookups.
    result = Variant();
}

void TfrmBaseGene::ChooseServerName(TSocketConnection*) { }

bool TfrmBaseGene::SaveScheme(const std::string&, const std::string&, bool)
{
    // Condition schemes are stored by the options form.
    return false;
}

bool TfrmBaseGene::RestoreScheme(const std::string&, const std::string&) { return false; }

bool TfrmBaseGene::LoadSchemeList()
{
    // The scheme pane fills its list once condition schemes are in place.
    return false;
}

bool TfrmBaseGene::AfterSchemeRestored() { return true; }

void TfrmBaseGene::BeforeRestoreValue(TComponent*, const std::string&) { }
void TfrmBaseGene::AfterRestoreValue(TComponent*, const std::string&) { }

// ---------------------------------------------------------------------------------------------
// Application server and host services

bool TfrmBaseGene::SetUpConnection()
{
    try {
        MainMidas->SetConnected(false);
        auto profile = std::make_unique<TOrvaneIniC>();
        // A problem recorded without a dialog earlier during opening is the reason to stop;
        // messages the user has already seen are not repeated.
        std::string failure = unshownLog_;
        if (failure.empty()) {
            const Variant& servers = profile->Servers;
            if (servers.IsArray() && servers.DimCount() == 2 && servers.Count(2) > 0) {
                const int row = servers.LowBound(1), col = servers.LowBound(2);
                MainMidas->SetAddress(servers.At(row, col).ToString());
                MainMidas->SetObjectBroker(nullptr);
                MainMidas->SetPort(servers.At(row + 1, col).ToInt());
            }
        }
        profile.reset();
        if (!failure.empty())
            ShowMessageCode(failure);
        return failure.empty();
    } catch (const std::exception& e) {
        RecordError(e.what());
        return false;
    }
}

bool TfrmBaseGene::ConnectServer()
{
    try {
        AppServer = Variant();
        if (MainMidas->Connected())
            MainMidas->SetConnected(false);
        if (IsLocalHostAddress(MainMidas->Address())) {
            LocalServer = true;
            Variant server(CreateObject(MainMidas->ServerName()));
            MainMidas->SetLocalAppServer(server);
            AppServer = server;
        } else {
            LocalServer = false;
            MainMidas->SetConnected(true);
            if (MainMidas->Connected())
                AppServer = MainMidas->AppServer();
        }
        return true;
    } catch (const std::exception& e) {
        RecordError(e.what());
        return false;
    }
}

void TfrmBaseGene::CreateHostServices()
{
    if (!RunsAsLibrary()) {
        try {
            HostObject = Variant(CreateObject("HalvorWorkCenter.Manager"));
        } catch (...) {
            HostObject = Variant();
        }
    }
    try {
        CounterObject = HostCalls::ComCounter(HostObject);
        const Variant info = HostCalls::GetSysInfo(CounterObject, CompanyID);
        if (info.IsArray() && info.DimCount() == 2) {
            const int row = info.LowBound(1);
            for (int i = info.LowBound(2); i <= info.HighBound(2); ++i)
                SettingsCache.emplace_back(TextOf(info.At(row, i)), TextOf(info.At(row + 1, i)));
        }
        CompanyName = GetSetting("ZRV002");
    } catch (...) {
        CounterObject = Variant();
    }
    try {
        ValidatorObject = HostCalls::ComValidator(HostObject);
    } catch (...) {
        ValidatorObject = Variant();
    }
}

void TfrmBaseGene::CreateLookupService()
{
    if (!(ServiceFlags & 4))
        return;
    try {
        LookupObject = HostCalls::ComF2Window(HostObject);
    } catch (...) {
        LookupObject = Variant();
    }
}

std::string TfrmBaseGene::GetSetting(const std::string& name)
{
    std::string value;
    for (const auto& [key, v] : SettingsCache)
        if (SameText(key, name)) {
            value = v;
            break;
        }
    if (value.empty()) {
        static const char* const chinese[]
            = { "商品分类方式一", "商品分类方式二", "商品分类方式三", "商品分类方式四" };
        static const char* const english[]
            = { "Inv.Cate.1", "Inv.Cate.2", "Inv.Cate.3", "Inv.Cate.4" };
        static const char* const names[] = { "SYS007", "SYS008", "SYS009", "SYS010" };
        const std::string upper = UpperCase(name);
        for (int i = 0; i < 4; ++i)
            if (upper == names[i])
                value = UICodePage() == "437" ? english[i] : chinese[i];
    }
    if (Converted && ZrConverter)
        value = ZrConverter->FromDatabase(Variant(value)).ToString();
    return value;
}

int TfrmBaseGene::DateFormatKind()
{
    const std::string text = Trim(GetSetting("Sys001"));
    const double kind = StrToFloatOr(text, 1);
    return kind == static_cast<int>(kind) ? static_cast<int>(kind) : 1;
}

std::string TfrmBaseGene::DateSeparator()
{
    std::string sep = GetSetting("Sys002");
    return sep.empty() ? std::string("/") : sep;
}

bool TfrmBaseGene::AskValidator(const std::string& table, const std::string& kind, bool query,
    Variant& result, const Variant& conditions)
{
    if (ValidatorObject.IsEmpty())
        return false;
    try {
        Variant converted = ZrConverter ? ZrConverter->ToDatabase(conditions) : conditions;
        DispatchPtr validator = HostCalls::Need(ValidatorObject, "validator object");
        try {
            validator->Put("ProductID", Variant(ProductID));
        } catch (...) {
        }
        try {
            validator->Put("BaseLimited", Variant(BaseLimited));
        } catch (...) {
        }
        const bool answer = HostCalls::AskValidator(
            ValidatorObject, query, table, kind, DbName, converted, result);
        if (Converted && ZrConverter)
            result = ZrConverter->FromDatabase(result);
        return answer;
    } catch (...) {
        return false;
    }
}

Variant TfrmBaseGene::CallCounter(const std::string& command, Variant& parameters)
{
    if (CounterObject.IsEmpty())
        return Variant();
    try {
        Variant answer = HostCalls::GetCounter(
            CounterObject, UpperCase(command), parameters, CompanyID, DbName);
        if (Converted && ZrConverter)
            answer = ZrConverter->FromDatabase(answer);
        return answer;
    } catch (...) {
        return Variant();
    }
}

std::string TfrmBaseGene::ReadProgramTitle()
{
    try {
        Variant row;
        if (!AskValidator("ADMMB", "01", false, row, Variant::ArrayOf({ Variant(ModuleID) }))) {
            RequestIn936 = false;
            return {};
        }
        const int low = row.LowBound(1);
        std::string title = TextOf(row[low]);
        RequestIn936 = TextOf(row[low + 4]) == "Y";
        if (row.HighBound(1) >= low + 7 && UICodePage() == "437")
            title = TextOf(row[low + 7]);
        return title;
    } catch (...) {
        RequestIn936 = false;
        return ModuleID;
    }
}

// ---------------------------------------------------------------------------------------------
// Messages

void TfrmBaseGene::ShowMessageCode(const std::string& code)
{
    // Leaving a field towards Cancel never produces messages.
    if (btnCancel && ActiveControl() == btnCancel)
        return;
    if (code.empty()) {
        MessageCodeLog.clear();
        MessageTextLog.clear();
        unshownLog_.clear();
        return;
    }
    MessageCodeLog += code + "; ";
    const TMessageCode m = ParseMessageCode(code);
    if (!m.show)
        unshownLog_ += code + "; ";
    const std::string text = MessageTextFor(GetMessageText(m.type, m.number), m.params);
    if (MessageTextLog.find(text) == std::string::npos)
        MessageTextLog += text + "; ";
    if (m.show)
        ShowDialogBox(text, DialogTypeForLetter(m.type), mbOKOnly);
}

void TfrmBaseGene::RecordError(const std::string& text)
{
    if (btnCancel && ActiveControl() == btnCancel)
        return;
    const std::string t = Trim(text);
    if (t.empty()) {
        MessageCodeLog.clear();
        MessageTextLog.clear();
        unshownLog_.clear();
        return;
    }
    MessageCodeLog += "E;-1; ";
    unshownLog_ += "E;-1; ";
    if (MessageTextLog.find(t) == std::string::npos)
        MessageTextLog += t + "; ";
}

std::string TfrmBaseGene::GetMessageText(const std::string& type, const std::string& number)
{
    std::string text;
    bool got = false;
    if (!HostObject.IsEmpty()) {
        try {
            text = HostCalls::GetMessage(HostObject, type, number);
            got = true;
        } catch (...) {
        }
    }
    if (!got)
        text = "Can not Get Message\rType= " + type + ", ID= " + number + " ";
    if (ZrConverter)
        text = ZrConverter->FromDatabase(Variant(text)).ToString();
    return text;
}

TModalResult TfrmBaseGene::ShowTypedMessage(const std::string& type, const std::string& number,
    const std::vector<std::string>& arguments, TMsgDlgButtons buttons)
{
    const std::string text = MessageTextFor(GetMessageText(type, number), arguments);
    return ShowDialogBox(
        text, DialogTypeForLetter(type), buttons ? buttons : DefaultButtonsForLetter(type));
}

TModalResult TfrmBaseGene::ShowDialogBox(
    const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    if (QuietMessages && type != TMsgDlgType::mtError)
        return mrNone;
    TMessageDialogRequest r;
    r.Text = text;
    r.Type = type;
    r.Buttons = buttons;
    r.Caption = Caption();
    r.Owner = this;
    if (UICodePage() != "437") {
        for (int b = mbYes; b <= mbHelp; ++b) {
            const auto button = static_cast<TMsgDlgBtn>(b);
            if (!(buttons & DlgButton(button)))
                continue;
            std::string caption = DialogButtonCaption(MsgDlgButtonName(button));
            if (ZrConverter)
                caption = ZrConverter->ToDisplay(Variant(caption)).ToString();
            r.ButtonCaptions[button] = caption;
        }
    }
    TFont font;
    TCodeConverter::ApplyFont(UIConversionMode(), font);
    if (font.Charset() != DEFAULT_CHARSET) {
        r.FontName = font.Name();
        r.FontHeight = font.Height();
        r.FontCharset = font.Charset();
    }
    const TModalResult result = ShowMessageDialog(r);
    // No mouse capture may stay behind in the control the dialog interrupted.
    if (TWinControl* active = ActiveControl())
        active->PostMessage(WM_LBUTTONUP);
    if (type == TMsgDlgType::mtError && FocusAfterError && FocusAfterError->CanFocus())
        FocusAfterError->SetFocus();
    return result;
}

} // namespace zrv
