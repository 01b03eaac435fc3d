#include "platform/components/Dialogs.h"

#include "platform/components/Application.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <cstdio>

namespace zrv {

namespace {
    struct ButtonInfo {
        TMsgDlgBtn button;
        const char* name;
        const char* caption;
        TModalResult result;
        QMessageBox::StandardButton standard;
    };
    const ButtonInfo kButtons[] = {
        { mbYes, "Yes", "&Yes", mrYes, QMessageBox::Yes },
        { mbNo, "No", "&No", mrNo, QMessageBox::No },
        { mbOK, "OK", "OK", mrOk, QMessageBox::Ok },
        { mbCancel, "Cancel", "Cancel", mrCancel, QMessageBox::Cancel },
        { mbAbort, "Abort", "&Abort", mrAbort, QMessageBox::Abort },
        { mbRetry, "Retry", "&Retry", mrRetry, QMessageBox::Retry },
        { mbIgnore, "Ignore", "&Ignore", mrIgnore, QMessageBox::Ignore },
        { mbAll, "All", "&All", mrAll, QMessageBox::YesToAll },
        { mbNoToAll, "NoToAll", "N&o to All", mrNoToAll, QMessageBox::NoToAll },
        { mbYesToAll, "YesToAll", "Yes to &All", mrYesToAll, QMessageBox::SaveAll },
        { mbHelp, "Help", "&Help", mrNone, QMessageBox::Help },
    };

    std::shared_ptr<TDialogPresenter>& Current()
    {
        static std::shared_ptr<TDialogPresenter> presenter;
        return presenter;
    }

    std::string EffectiveCaption(const TMessageDialogRequest& r)
    {
        if (!r.Caption.empty())
            return r.Caption;
        if (r.Type == TMsgDlgType::mtCustom)
            return Application().Title();
        return MsgDlgTypeCaption(r.Type);
    }
} // namespace

const TEnumInfo& MsgDlgTypeEnum()
{
    static const TEnumInfo info { "TMsgDlgType",
        { "mtWarning", "mtError", "mtInformation", "mtConfirmation", "mtCustom" } };
    return info;
}

const TEnumInfo& MsgDlgBtnEnum()
{
    static const TEnumInfo info { "TMsgDlgBtn",
        { "mbYes", "mbNo", "mbOK", "mbCancel", "mbAbort", "mbRetry", "mbIgnore", "mbAll",
            "mbNoToAll", "mbYesToAll", "mbHelp" } };
    return info;
}

std::string MsgDlgButtonName(TMsgDlgBtn button) { return kButtons[button].name; }
std::string MsgDlgButtonCaption(TMsgDlgBtn button) { return kButtons[button].caption; }
TModalResult MsgDlgButtonResult(TMsgDlgBtn button) { return kButtons[button].result; }

std::string MsgDlgTypeCaption(TMsgDlgType type)
{
    switch (type) {
    case TMsgDlgType::mtWarning:
        return "Warning";
    case TMsgDlgType::mtError:
        return "Error";
    case TMsgDlgType::mtInformation:
        return "Information";
    case TMsgDlgType::mtConfirmation:
        return "Confirm";
    default:
        return {};
    }
}

// ---------------------------------------------------------------------------------------------

TModalResult TQtDialogPresenter::MessageDialog(const TMessageDialogRequest& request)
{
    EnsureApplication();
    QMessageBox box(request.Owner ? request.Owner->Handle() : nullptr);
    box.setWindowTitle(QString::fromStdString(EffectiveCaption(request)));
    box.setText(QString::fromStdString(request.Text));
    switch (request.Type) {
    case TMsgDlgType::mtWarning:
        box.setIcon(QMessageBox::Warning);
        break;
    case TMsgDlgType::mtError:
        box.setIcon(QMessageBox::Critical);
        break;
    case TMsgDlgType::mtInformation:
        box.setIcon(QMessageBox::Information);
        break;
    case TMsgDlgType::mtConfirmation:
        box.setIcon(QMessageBox::Question);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    if (!request.FontName.empty()) {
        TFont f;
        f.SetName(request.FontName);
        if (request.FontHeight != 0)
            f.SetHeight(request.FontHeight);
        box.setFont(f.ToQFont());
    }
    std::map<QAbstractButton*, TModalResult> results;
    const TMsgDlgBtn defaultButton = DefaultDialogButton(request.Buttons);
    for (const ButtonInfo& b : kButtons) {
        if (!(request.Buttons & DlgButton(b.button)))
            continue;
        auto it = request.ButtonCaptions.find(b.button);
        std::string caption = it != request.ButtonCaptions.end() ? it->second : b.caption;
        QPushButton* pb = box.addButton(QString::fromStdString(caption),
            b.button == mbCancel || b.button == mbNo ? QMessageBox::RejectRole
                                                     : QMessageBox::AcceptRole);
        results[pb] = b.result;
        if (b.button == defaultButton)
            box.setDefaultButton(pb);
        if (b.button == mbCancel)
            box.setEscapeButton(pb);
    }
    box.exec();
    auto it = results.find(box.clickedButton());
    return it == results.end() ? mrCancel : it->second;
}

TModalResult TQtDialogPresenter::ShowModal(TCustomForm& form)
{
    QPointer<QWidget> handle = form.Handle();
    TComponent* self = &form;
    if (handle)
        handle->setWindowModality(Qt::ApplicationModal);
    form.ShowForm();
    while (true) {
        if (!TComponent::IsLive(self) || !handle)
            return mrCancel; // freed while it ran
        if (form.ModalResult() != mrNone) {
            if (form.CloseModal())
                break;
        } else if (!handle->isVisible()) {
            form.SetModalResult(mrCancel); // hidden without a result: nobody could answer it
            continue;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    TModalResult result = form.ModalResult();
    form.Hide();
    if (handle)
        handle->setWindowModality(Qt::NonModal);
    return result;
}

// ---------------------------------------------------------------------------------------------

TMsgDlgBtn DefaultDialogButton(TMsgDlgButtons buttons)
{
    // As the classic dialog: OK, else Yes, else Retry, else the first button there is.
    for (TMsgDlgBtn b : { mbOK, mbYes, mbRetry })
        if (buttons & DlgButton(b))
            return b;
    for (const ButtonInfo& b : kButtons)
        if (buttons & DlgButton(b.button))
            return b.button;
    return mbOK;
}

TModalResult TScriptedDialogPresenter::DefaultAnswer(TMsgDlgButtons buttons)
{
    return buttons ? MsgDlgButtonResult(DefaultDialogButton(buttons)) : mrNone;
}

TModalResult TScriptedDialogPresenter::MessageDialog(const TMessageDialogRequest& request)
{
    Record r;
    r.kind = Record::Kind::Message;
    r.type = request.Type;
    r.text = request.Text;
    r.caption = EffectiveCaption(request);
    r.buttons = request.Buttons;
    r.buttonCaptions = request.ButtonCaptions;
    r.fontName = request.FontName;
    r.fontCharset = request.FontCharset;
    if (!answers_.empty()) {
        r.answer = answers_.front();
        answers_.pop_front();
    } else
        r.answer = DefaultAnswer(request.Buttons);
    records_.push_back(r);
    return r.answer;
}

TModalResult TScriptedDialogPresenter::ShowModal(TCustomForm& form)
{
    TComponent* self = &form;
    Record r;
    r.kind = Record::Kind::Modal;
    r.formClass = form.ClassName();
    r.formName = form.Name();
    r.caption = form.Caption();
    size_t index = records_.size();
    records_.push_back(r);

    form.ShowForm();
    FormScript script;
    if (!formScripts_.empty()) {
        script = std::move(formScripts_.front());
        formScripts_.pop_front();
    } else if (auto it = byClass_.find(r.formClass); it != byClass_.end())
        script = it->second;
    if (script && TComponent::IsLive(self))
        script(form);
    if (!TComponent::IsLive(self)) {
        records_[index].answer = mrCancel;
        return mrCancel;
    }
    if (form.ModalResult() == mrNone)
        form.SetModalResult(mrCancel);
    form.CloseModal(); // a refusal leaves mrNone, which is what the caller then sees
    TModalResult result = form.ModalResult();
    records_[index].answer = result;
    if (TComponent::IsLive(self))
        form.Hide();
    return result;
}

std::vector<TScriptedDialogPresenter::Record> TScriptedDialogPresenter::Messages() const
{
    std::vector<Record> out;
    for (const Record& r : records_)
        if (r.kind == Record::Kind::Message)
            out.push_back(r);
    return out;
}

// ---------------------------------------------------------------------------------------------

TDialogPresenter& DialogPresenter()
{
    auto& p = Current();
    if (!p) {
        EnsureApplication();
        QString platform = QGuiApplication::platformName();
        if (platform == "offscreen" || platform == "minimal") {
            std::fprintf(stderr,
                "kvsr58: no dialog presenter installed on the %s platform; dialogs are "
                "answered with their default button\n",
                platform.toUtf8().constData());
            p = std::make_shared<TScriptedDialogPresenter>();
        } else
            p = std::make_shared<TQtDialogPresenter>();
    }
    return *p;
}

std::shared_ptr<TDialogPresenter> SetDialogPresenter(std::shared_ptr<TDialogPresenter> presenter)
{
    std::shared_ptr<TDialogPresenter> previous = std::move(Current());
    Current() = std::move(presenter);
    return previous;
}

TModalResult ShowMessageDialog(const TMessageDialogRequest& request)
{
    return DialogPresenter().MessageDialog(request);
}

TModalResult MessageDlg(
    const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext)
{
    TMessageDialogRequest r;
    r.Text = text;
    r.Type = type;
    r.Buttons = buttons;
    r.HelpContext = helpContext;
    return ShowMessageDialog(r);
}

void ShowMessage(const std::string& text) { MessageDlg(text, TMsgDlgType::mtCustom, mbOKOnly); }

} // namespace zrv
