#pragma once
// Shared pieces of the control tests: a form that records the lookup requests it is sent, a
// scripted dialog presenter installed per test, and a stand-in picture library.

#include "platform/components/TestSupport.h"

#include "controls/F2Button.h"
#include "controls/GSpdBtn.h"
#include "platform/components/Dialogs.h"
#include "platform/components/Form.h"

#include <QCoreApplication>
#include <QDir>
#include <memory>
#include <string>
#include <vector>

namespace zrv::test {

class TLookupForm : public TForm {
public:
    explicit TLookupForm(TComponent* owner)
        : TForm(owner)
    {
        SetBounds(0, 0, 640, 480);
    }
    void WndProc(TMessage& message) override
    {
        if (message.Msg == ZM_LOOKUPREQUEST) {
            requests.push_back(reinterpret_cast<TWinControl*>(message.LParam));
            return;
        }
        TForm::WndProc(message);
    }
    template <typename T> T* Make(const char* name, TWinControl* parent, int l, int t, int w, int h)
    {
        T* c = new T(this);
        c->SetName(name);
        c->SetParent(parent);
        c->SetBounds(l, t, w, h);
        return c;
    }
    std::vector<TWinControl*> requests;
};

// Records every dialog; answers with the default button.
struct ScriptedDialogs {
    ScriptedDialogs()
        : presenter(std::make_shared<TScriptedDialogPresenter>())
        , scope(presenter)
    {
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> out;
        for (const auto& r : presenter->Messages())
            out.push_back(r.text);
        return out;
    }
    std::shared_ptr<TScriptedDialogPresenter> presenter;
    TScopedDialogPresenter scope;
};

// Puts a picture library in place for the life of the object.
struct ScopedBitmapLibrary {
    explicit ScopedBitmapLibrary(TBitmapLibrary library)
        : previous(SetBitmapLibrary(std::move(library)))
    {
    }
    ~ScopedBitmapLibrary() { SetBitmapLibrary(previous); }
    TBitmapLibrary previous;
};

// Where tests leave pictures for people to look at: <build>/screenshots.
inline std::string ScreenshotFolder()
{
    QDir dir(QCoreApplication::applicationDirPath());
    dir.mkpath("../screenshots");
    return dir.absoluteFilePath("../screenshots").toStdString();
}

} // namespace zrv::test
