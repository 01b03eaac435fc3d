#pragma once
// TApplication and TScreen: the process-wide objects of the user interface. Application() runs
// the event loop work (ProcessMessages) and holds the hint settings; Screen() knows the forms,
// the active form and control, and the fonts of icons, hints and menus.

#include "platform/components/Component.h"
#include "platform/components/Font.h"

#include <memory>
#include <string>
#include <vector>

namespace zrv {

class TCustomForm;
class TWinControl;

class TApplication : public TComponent {
public:
    TApplication();
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& t) { title_ = t; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool v);
    int HintPause() const { return hintPause_; }
    void SetHintPause(int ms) { hintPause_ = ms; }
    int HintHidePause() const { return hintHidePause_; }
    void SetHintHidePause(int ms);
    TCustomForm* MainForm() const { return mainForm_; }
    void SetMainForm(TCustomForm* form) { mainForm_ = form; }

    // Runs everything that is waiting in the event loop (posted messages, paints, releases).
    void ProcessMessages();

private:
    std::string title_ = "KVSR58";
    bool showHint_ = true;
    int hintPause_ = 500;
    int hintHidePause_ = 2500;
    TCustomForm* mainForm_ = nullptr;
};

class TScreen : public TComponent {
public:
    TScreen();
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int FormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int index) const;
    // The form whose window is active; else the form that was shown last and is still visible.
    TCustomForm* ActiveForm() const;
    TWinControl* ActiveControl() const;
    TFont* IconFont() const { return iconFont_.get(); }
    TFont* HintFont() const { return hintFont_.get(); }
    TFont* MenuFont() const { return menuFont_.get(); }
    int Width() const;
    int Height() const;

    // Book-keeping by the forms themselves.
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void FormActivated(TCustomForm* form);

private:
    std::vector<TCustomForm*> forms_;
    TCustomForm* lastActive_ = nullptr;
    std::unique_ptr<TFont> iconFont_, hintFont_, menuFont_;
};

TApplication& Application();
TScreen& Screen();

} // namespace zrv
