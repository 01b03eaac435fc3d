// Message dialogs and modal forms through the presenter: the scripted presenter records and
// answers; the Qt presenter shows real dialogs (closed here by a timer, so nothing waits).

#include "TestSupport.h"

#include "platform/components/Button.h"
#include "platform/components/Dialogs.h"
#include "platform/components/Edit.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zrv;

namespace {

class TAskForm : public TForm {
public:
    explicit TAskForm(TComponent* owner)
        : TForm(owner)
    {
        SetName("frmAsk");
        SetCaption("方案");
        edName = new TEdit(this);
        edName->SetParent(this);
        btnOk = new TButton(this);
        btnOk->SetParent(this);
        btnOk->SetModalResult(mrOk);
        btnCancel = new TButton(this);
        btnCancel->SetParent(this);
        btnCancel->SetModalResult(mrCancel);
    }
    TEdit* edName;
    TButton* btnOk;
    TButton* btnCancel;
};

struct DialogsFixture : ::testing::Test {
    void SetUp() override { EnsureApplication(); }
    std::shared_ptr<TScriptedDialogPresenter> scripted
        = std::make_shared<TScriptedDialogPresenter>();
    TScopedDialogPresenter scope { scripted };
};

TEST_F(DialogsFixture, MessagesAreRecordedAndAnsweredAsScripted)
{
    scripted->QueueAnswer(mrNo);
    EXPECT_EQ(MessageDlg("替换现有方案?", TMsgDlgType::mtConfirmation, mbYesNoCancel), mrNo);
    // Without a queued answer: the default button, as Enter would press it.
    struct Case {
        TMsgDlgButtons buttons;
        TModalResult answer;
    } cases[] = { { mbYesNoCancel, mrYes }, { mbOKCancel, mrOk }, { mbAbortRetryIgnore, mrRetry },
        { DlgButton(mbNo) | DlgButton(mbCancel), mrNo } };
    for (const Case& c : cases)
        EXPECT_EQ(MessageDlg("x", TMsgDlgType::mtWarning, c.buttons), c.answer);
    ShowMessage("完成");
    auto m = scripted->Messages();
    ASSERT_EQ(m.size(), 6u);
    EXPECT_EQ(m[0].text, "替换现有方案?");
    EXPECT_EQ(m[0].type, TMsgDlgType::mtConfirmation);
    EXPECT_EQ(m[0].buttons, mbYesNoCancel);
    EXPECT_EQ(m[0].caption, "Confirm");
    EXPECT_EQ(m[0].answer, mrNo);
    EXPECT_EQ(m[5].type, TMsgDlgType::mtCustom);
    EXPECT_EQ(m[5].buttons, mbOKOnly);

    TMessageDialogRequest r;
    r.Text = "删除?";
    r.Type = TMsgDlgType::mtWarning;
    r.Buttons = mbOKCancel;
    r.Caption = "采购进退货明细表";
    r.ButtonCaptions = { { mbOK, "确定" }, { mbCancel, "取消" } };
    ShowMessageDialog(r);
    EXPECT_EQ(scripted->Last()->caption, "采购进退货明细表");
    EXPECT_EQ(scripted->Last()->buttonCaptions.at(mbCancel), "取消");
}

TEST_F(DialogsFixture, ModalFormsRunTheirScript)
{
    TOwned<TAskForm> f(CreateForm<TAskForm>());
    std::vector<std::string> events;
    f->OnShow = TNotifyEvent([&](TObject*) { events.push_back("show"); });
    f->OnClose = TCloseEvent([&](TObject*, TCloseAction&) { events.push_back("close"); });
    f->OnHide = TNotifyEvent([&](TObject*) { events.push_back("hide"); });
    scripted->QueueForm([](TCustomForm& form) {
        auto& ask = static_cast<TAskForm&>(form);
        ask.edName->SetText("月报");
        ask.btnOk->Click(); // the button gives the form its modal result
    });
    EXPECT_EQ(f->ShowModal(), mrOk);
    EXPECT_EQ(f->edName->Text(), "月报");
    EXPECT_EQ(events, (std::vector<std::string> { "show", "close", "hide" }));
    EXPECT_FALSE(f->Visible());
    EXPECT_FALSE(f->FormState() & fsModal);
    ASSERT_NE(scripted->Last(), nullptr);
    EXPECT_EQ(scripted->Last()->formClass, "TForm");
    EXPECT_EQ(scripted->Last()->answer, mrOk);

    // No script: cancelled. Close on a modal form is a cancel too.
    EXPECT_EQ(f->ShowModal(), mrCancel);
    scripted->OnForm("TForm", [](TCustomForm& form) { form.Close(); });
    EXPECT_EQ(f->ShowModal(), mrCancel);

    // OnClose may keep the form open: the run ends without a result.
    f->OnClose = TCloseEvent([](TObject*, TCloseAction& a) { a = TCloseAction::caNone; });
    scripted->QueueForm([](TCustomForm& form) { form.SetModalResult(mrOk); });
    EXPECT_EQ(f->ShowModal(), mrNone);
}

TEST_F(DialogsFixture, ScopedPresentersNest)
{
    auto inner = std::make_shared<TScriptedDialogPresenter>();
    {
        TScopedDialogPresenter s(inner);
        ShowMessage("inner");
    }
    ShowMessage("outer");
    EXPECT_EQ(inner->Messages().size(), 1u);
    EXPECT_EQ(scripted->Messages().size(), 1u);
    EXPECT_EQ(scripted->Messages()[0].text, "outer");
}

TEST(DefaultPresenter, OffscreenNeverBlocks)
{
    EnsureApplication();
    auto previous = SetDialogPresenter(nullptr);
    EXPECT_EQ(MessageDlg("?", TMsgDlgType::mtConfirmation, mbYesNoCancel), mrYes);
    TOwned<TForm> f(CreateForm<TForm>());
    EXPECT_EQ(f->ShowModal(), mrCancel);
    SetDialogPresenter(previous);
}

TEST(QtPresenter, ShowsRealDialogsWithTheirTextsAndButtons)
{
    EnsureApplication();
    TScopedDialogPresenter scope(std::make_shared<TQtDialogPresenter>());
    QString seenTitle, seenText;
    QStringList seenButtons;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenTitle = box->windowTitle();
        seenText = box->text();
        for (QAbstractButton* b : box->buttons())
            seenButtons << b->text();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == "否(&N)")
                b->click();
    });
    TMessageDialogRequest r;
    r.Text = "保存吗?";
    r.Type = TMsgDlgType::mtConfirmation;
    r.Buttons = mbYesNoCancel;
    r.Caption = "报表";
    r.ButtonCaptions = { { mbYes, "是(&Y)" }, { mbNo, "否(&N)" }, { mbCancel, "取消" } };
    EXPECT_EQ(ShowMessageDialog(r), mrNo);
    EXPECT_EQ(seenTitle, "报表");
    EXPECT_EQ(seenText, "保存吗?");
    EXPECT_EQ(seenButtons.size(), 3);
    EXPECT_TRUE(seenButtons.contains("取消"));

    // A modal form runs its own loop until a button sets the result.
    TOwned<TAskForm> f(CreateForm<TAskForm>());
    QTimer::singleShot(0, [&] { f->btnCancel->Click(); });
    EXPECT_EQ(f->ShowModal(), mrCancel);
    EXPECT_FALSE(f->Visible());
}

} // namespace
