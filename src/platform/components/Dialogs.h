#pragma once
// Message dialogs and modal forms go through a replaceable presenter. The shell uses real Qt
// dialogs (TQtDialogPresenter); tests install a TScriptedDialogPresenter that records every
// dialog and answers as the test says, so nothing ever waits for a person. On the offscreen
// platform the default presenter is a scripted one, so a forgotten set-up cannot hang a test.

#include "platform/components/Form.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zrv {

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp
};
using TMsgDlgButtons = uint16_t;
constexpr TMsgDlgButtons DlgButton(TMsgDlgBtn b) { return static_cast<TMsgDlgButtons>(1u << b); }
constexpr TMsgDlgButtons mbYesNoCancel = DlgButton(mbYes) | DlgButton(mbNo) | DlgButton(mbCancel);
constexpr TMsgDlgButtons mbOKCancel = DlgButton(mbOK) | DlgButton(mbCancel);
constexpr TMsgDlgButtons mbAbortRetryIgnore
    = DlgButton(mbAbort) | DlgButton(mbRetry) | DlgButton(mbIgnore);
constexpr TMsgDlgButtons mbOKOnly = DlgButton(mbOK);

const TEnumInfo& MsgDlgTypeEnum();
const TEnumInfo& MsgDlgBtnEnum();
// The classic names of the buttons ("Yes", "No", "OK", "Cancel", "Abort", "Retry", "Ignore",
// "All", "NoToAll", "YesToAll", "Help") and their standard captions ("&Yes", "OK", ...).
std::string MsgDlgButtonName(TMsgDlgBtn button);
std::string MsgDlgButtonCaption(TMsgDlgBtn button);
TModalResult MsgDlgButtonResult(TMsgDlgBtn button);
// The button Enter presses: OK, else Yes, else Retry, else the first one.
TMsgDlgBtn DefaultDialogButton(TMsgDlgButtons buttons);
// The standard caption of a dialog type ("Warning", "Error", "Information", "Confirm").
std::string MsgDlgTypeCaption(TMsgDlgType type);

struct TMessageDialogRequest {
    std::string Text;
    TMsgDlgType Type = TMsgDlgType::mtCustom;
    TMsgDlgButtons Buttons = mbOKOnly;
    std::string Caption; // empty: the standard caption of the type
    std::map<TMsgDlgBtn, std::string> ButtonCaptions; // replaces standard captions
    std::string FontName; // empty: the platform's message font
    int FontHeight = 0;
    int FontCharset = DEFAULT_CHARSET;
    TCustomForm* Owner = nullptr;
    int HelpContext = 0;
};

class TDialogPresenter {
public:
    virtual ~TDialogPresenter() = default;
    // The modal result of the button pressed.
    virtual TModalResult MessageDialog(const TMessageDialogRequest& request) = 0;
    // Runs a form modally (the form is marked modal by ShowModal): shows it, waits until its
    // ModalResult is set and CloseModal agrees, hides it and returns the result.
    virtual TModalResult ShowModal(TCustomForm& form) = 0;
};

// Real dialogs: QMessageBox and a local event loop for modal forms.
class TQtDialogPresenter : public TDialogPresenter {
public:
    TModalResult MessageDialog(const TMessageDialogRequest& request) override;
    TModalResult ShowModal(TCustomForm& form) override;
};

// Records every dialog and answers from a script. Message dialogs take the queued answers in
// order, then the default button's answer (DefaultDialogButton). Modal forms are shown (OnShow
// runs), handed to the queued form scripts (or the handler for their class name), which may fill in
// controls, click buttons and set ModalResult; an unset result becomes mrCancel.
class TScriptedDialogPresenter : public TDialogPresenter {
public:
    struct Record {
        enum class Kind { Message, Modal } kind = Kind::Message;
        TMsgDlgType type = TMsgDlgType::mtCustom;
        std::string text;
        std::string caption;
        TMsgDlgButtons buttons = 0;
        std::map<TMsgDlgBtn, std::string> buttonCaptions;
        std::string fontName;
        int fontCharset = DEFAULT_CHARSET;
        std::string formClass; // modal forms
        std::string formName;
        TModalResult answer = mrNone;
    };
    using FormScript = std::function<void(TCustomForm&)>;

    TModalResult MessageDialog(const TMessageDialogRequest& request) override;
    TModalResult ShowModal(TCustomForm& form) override;

    void QueueAnswer(TModalResult answer) { answers_.push_back(answer); }
    void QueueForm(FormScript script) { formScripts_.push_back(std::move(script)); }
    void OnForm(const std::string& className, FormScript script)
    {
        byClass_[className] = std::move(script);
    }

    const std::vector<Record>& Records() const { return records_; }
    std::vector<Record> Messages() const; // message dialogs only
    const Record* Last() const { return records_.empty() ? nullptr : &records_.back(); }
    void Clear() { records_.clear(); }
    static TModalResult DefaultAnswer(TMsgDlgButtons buttons);

private:
    std::deque<TModalResult> answers_;
    std::deque<FormScript> formScripts_;
    std::map<std::string, FormScript> byClass_;
    std::vector<Record> records_;
};

// The presenter in force and its replacement (returns the previous one).
TDialogPresenter& DialogPresenter();
std::shared_ptr<TDialogPresenter> SetDialogPresenter(std::shared_ptr<TDialogPresenter> presenter);

// Installs a presenter for the life of the object and restores the previous one afterwards.
class TScopedDialogPresenter {
public:
    explicit TScopedDialogPresenter(std::shared_ptr<TDialogPresenter> presenter)
        : previous_(SetDialogPresenter(std::move(presenter)))
    {
    }
    ~TScopedDialogPresenter() { SetDialogPresenter(previous_); }
    TScopedDialogPresenter(const TScopedDialogPresenter&) = delete;
    TScopedDialogPresenter& operator=(const TScopedDialogPresenter&) = delete;

private:
    std::shared_ptr<TDialogPresenter> previous_;
};

// The classic dialog routines.
TModalResult MessageDlg(
    const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext = 0);
TModalResult ShowMessageDialog(const TMessageDialogRequest& request);
void ShowMessage(const std::string& text);

} // namespace zrv
