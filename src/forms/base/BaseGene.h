#pragma once
// TfrmBaseGene: the base of every module window. The controller creates it invisible, gives it
// the library path and the shell's host object, and initialises it with the shell's context:
// the window takes its identity (user, company, database, module) from the context and its
// file name, obtains the host's service objects, connects to the application server and keeps
// itself hidden until the shell shows it. It composes its caption, handles the keys every module
// window shares, focuses the first control of a page, reports problems through message codes,
// and gives its descendants a fixed set of virtual operations to extend.

#include "controls/F2Button.h"
#include "forms/root/ZRForm.h"
#include "module/DLLBaseCtrller.h"
#include "platform/Variant.h"

#include <string>
#include <utility>
#include <vector>

namespace zrv {

class TButton;
class TLabel;
class TListView;
class TMaskEdit;
class TMenuItem;
class TPageControl;
class TPanel;
class TPopupMenu;
class TSimpleObjectBroker;
class TSocketConnection;
class TSpeedButton;
class TSplitter;
class TTabSheet;
class TToolBar;
class TToolButton;
class TImageList;

// The private message whose long parameter is a control: the window runs F2 on it.
constexpr uint32_t WM_F2CONTROL = ZM_LOOKUPREQUEST; // 1034, posted by the lookup buttons

class TfrmBaseGene : public TZRForm {
public:
    explicit TfrmBaseGene(TComponent* owner);
    ~TfrmBaseGene() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // ----- Components of the design -----
    TPageControl* pgOption = nullptr;
    TTabSheet* tsOption1 = nullptr; // the descendants' condition page
    TTabSheet* tsOption2 = nullptr; // the system page
    TLabel* lblToday = nullptr;
    TSpeedButton* btnPrintDate = nullptr;
    TMaskEdit* edPrintDate = nullptr;
    TPanel* Panel1 = nullptr;
    TButton* btnOk = nullptr;
    TButton* btnCancel = nullptr;
    TPanel* pnlCondition = nullptr; // the scheme pane
    TLabel* lblCondition = nullptr;
    TSplitter* Splitter1 = nullptr;
    TListView* lstCondition = nullptr;
    TToolBar* ToolBar1 = nullptr;
    TToolButton* btnInsert = nullptr;
    TToolButton* btnOpen = nullptr;
    TToolButton* btnDelete = nullptr;
    TToolButton* ToolButton1 = nullptr;
    TPopupMenu* muOperation = nullptr;
    TPopupMenu* mnList = nullptr;
    TImageList* ImageList1 = nullptr;
    TImageList* ImageList2 = nullptr;
    TSocketConnection* MainMidas = nullptr;
    TSimpleObjectBroker* ObjBroker = nullptr;

    // ----- Identity and state -----
    std::string UserID, CompanyID, DbName; // an empty CompanyID: not initialised yet
    WindowHandle HostWindow = 0; // the shell window repainted when this one moves or resizes
    Variant HostObject;
    std::string ModulePath; // the library (or program) file the window runs from
    std::string ModuleID; // upper case, e.g. "KVSR58"
    std::string ServerProgID; // ModuleID + "S.Class1"
    std::string ProgramTitle; // first part of the caption
    std::string InfoTitle; // the program-table title the controller reports
    std::string CompanyName;
    std::string ModuleKind; // "R" for a report
    std::string ModuleVersion;
    int32_t VersionType = 0;
    int32_t ProductID = 0; // 5: the public edition
    int32_t HeaderSize = 0;
    int32_t ConditionCount = 0;
    int32_t ConditionBase = 0;
    std::string DateFields;
    std::string RequiredFields;
    uint8_t ServiceFlags = 0; // 4: create the lookup-window object
    bool RequestIn936 = false;
    std::vector<TWinControl*> PageEndControls; // Enter on these moves to the next page
    bool SystemPageArranged = false;
    TWinControl* FocusAfterError = nullptr;
    int32_t ResultCode = 0;
    Variant ResultValue;
    Variant RequestArray; // [header, labels, values] once built
    bool DirectView = false; // handed to the server library; every request building sets it

    // Run parameters.
    Variant RunParamsStore;
    bool ParamsAreControls = true;
    bool AutoRun = false;
    bool Interactive = true; // informational results are shown as dialogs

    // User rights.
    std::u16string BaseLimited;
    bool RightFlag7 = false;
    bool RightFlag8 = false;

    // Application server and host services.
    Variant AppServer;
    bool LocalServer = false;
    Variant CounterObject;
    Variant ValidatorObject;
    Variant LookupObject;
    std::vector<std::pair<std::string, std::string>> SettingsCache; // name, value
    std::string MessageCodeLog; // every code shown or recorded, each followed by "; "
    std::string MessageTextLog; // every distinct text, each followed by "; "
    bool QuietMessages = false; // only error dialogs are shown
    bool CheckFailed = false; // the last field check failed

    // ----- Operations -----
    // Called by the controller right after creation. A file that is not a library makes the
    // window start on its own with the built-in test context.
    void SetModulePath(const std::string& path);
    bool RunsAsLibrary() const;
    // The module identifier the file name spells (see BaseGeneU).
    std::string ModuleIDFromPath() const;
    void SetCaptionTitle(const std::string& title);
    void SetConditionCount(int n);
    void SetModuleID(const std::string& id);
    void SetDateFields(const std::string& list);
    // The controller's run-parameter handler: uses element 1 of the two-element array.
    void ApplyRunParams(const Variant& params);
    // The answer of the server's "GetPower".
    void ApplyRights(const Variant& answer);
    // F1: asks the shell to show this module's help topic.
    void ShowHelp();
    // Ctrl+Alt+V: the module file's path, size, modification time and version.
    void ShowModuleProperties();
    // Clears CheckFailed and runs the control's current exit handler as the page change would.
    void RunExitCheck(TWinControl* control);
    // Focuses the first enabled control of the active page, in tab order.
    void FocusFirstControl();
    // The information the controller hands the shell: [user, company, module, title].
    Variant InfoArray() const;

    // Application server and host services.
    bool SetUpConnection();
    bool ConnectServer();
    virtual void CreateHostServices();
    virtual void CreateLookupService();
    std::string GetSetting(const std::string& name);
    int DateFormatKind();
    std::string DateSeparator();
    bool AskValidator(const std::string& table, const std::string& kind, bool query,
        Variant& result, const Variant& conditions);
    Variant CallCounter(const std::string& command, Variant& parameters);
    std::string ReadProgramTitle();

    // Messages.
    void ShowMessageCode(const std::string& code);
    void RecordError(const std::string& text);
    std::string GetMessageText(const std::string& type, const std::string& number);
    TModalResult ShowTypedMessage(const std::string& type, const std::string& number,
        const std::vector<std::string>& arguments, TMsgDlgButtons buttons = 0);
    TModalResult ShowDialogBox(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);

    // ----- Virtual operations, in slot order -----
    virtual void ArrangeControls();
    virtual bool BuildRequest();
    virtual void InitFormSettings();
    virtual void PickPhrase(TWinControl* control);
    virtual void SetRequiredFields(const std::string& list);
    virtual bool RunWithServerLibrary(const std::string& jobID, const std::string& module,
        const std::string& jobKey, int count, const Variant& conditions,
        const std::string& database, const std::string& kind, const std::string& user,
        const std::string& company, const std::string& extName);
    virtual void PrepareDataSets();
    virtual void InitHostServices();
    virtual bool OpenWithContext(const Variant& context);
    virtual void Reserved1();
    virtual bool FillConditionValues(Variant& values, int count);
    virtual bool ApplyParamPayload(const Variant& payload);
    virtual void Reserved2();
    virtual bool FillRequestHeader(Variant& header, int count);
    virtual bool FillConditionLabels(Variant& labels, int count);
    virtual void AfterRightsApplied();
    virtual void LookupWindow(const std::string& table, const std::string& kind,
        const Variant& conditions, const std::string& extra, bool multiple, Variant& result);
    virtual void ChooseServerName(TSocketConnection* connection);
    virtual bool SaveScheme(const std::string& fieldList, const std::string& name, bool replace);
    virtual bool RestoreScheme(const std::string& fieldList, const std::string& valueText);
    virtual bool LoadSchemeList();
    virtual bool AfterSchemeRestored();
    virtual void RunByMode(int mode);
    virtual void BeforeRestoreValue(TComponent* component, const std::string& line);
    virtual void AfterRestoreValue(TComponent* component, const std::string& line);

    // Dynamically dispatched: F2 on a control (descendants take their own fields).
    virtual void F2Pressed(uint16_t key, TWinControl* control);

    // ----- Published handlers -----
    void FormCreate(TObject* sender) override;
    void FormShow(TObject* sender) override;
    void FormClose(TObject* sender, TCloseAction& action);
    void FormDestroy(TObject* sender);
    void FormKeyDown(TObject* sender, uint16_t& key, TShiftState shift);
    void FormKeyPress(TObject* sender, TKeyChar& key);
    void FormResize(TObject* sender);
    void pgOptionChange(TObject* sender);
    void pgOptionChanging(TObject* sender, bool& allowChange);
    void tsOption2Show(TObject* sender);
    virtual void btnOkClick(TObject* sender);
    void btnCancelClick(TObject* sender);
    // The date-field and required-field hooks that take over fields' handlers.
    void DateFieldEnter(TObject* sender);
    void DateFieldExit(TObject* sender);
    void RequiredExit(TObject* sender);

    TNotifyEvent OnDateFieldEnter;
    TNotifyEvent OnDateFieldExit;
    TNotifyEvent OnRequiredExit;

    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    bool HandleWidgetEvent(QObject* receiver, QEvent* event) override;
    void Loaded() override;
    void BeforeDestruction() override;

protected:
    // Repaints the shell window behind this one.
    void RepaintHostWindow();
    // Asks for the window to close once the current work has returned.
    void PostClose();

private:
    void ReleaseServices();
    bool ControlListAccepted(const Variant& payload);
    bool IsPageEndControl(TWinControl* control) const;
    std::string unshownLog_; // codes recorded without a dialog since the log was cleared
};

} // namespace zrv
