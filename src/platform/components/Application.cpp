#include "platform/components/Application.h"

#include "platform/components/Control.h"
#include "platform/components/Form.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QToolTip>
#include <QWidget>
#include <algorithm>

namespace zrv {

const TClassInfo& TApplication::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TApplication>(
        "TApplication", TComponent::StaticClassInfo(), [](TClassBuilder<TApplication>& c) {
            c.Text("Title", &TApplication::Title, &TApplication::SetTitle);
            c.Bool("ShowHint", &TApplication::ShowHint, &TApplication::SetShowHint);
            c.Int("HintPause", &TApplication::HintPause, &TApplication::SetHintPause);
            c.Int("HintHidePause", &TApplication::HintHidePause, &TApplication::SetHintHidePause);
        });
    return info;
}

TApplication::TApplication()
    : TComponent(nullptr)
{
}

void TApplication::SetShowHint(bool v)
{
    showHint_ = v;
    if (!v)
        QToolTip::hideText();
}

void TApplication::SetHintHidePause(int ms)
{
    hintHidePause_ = ms;
    EnsureApplication();
    QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, false);
}

void TApplication::ProcessMessages()
{
    EnsureApplication();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

const TClassInfo& TScreen::StaticClassInfo()
{
    static const TClassInfo& info
        = TClassInfo::Define<TScreen>("TScreen", TComponent::StaticClassInfo());
    return info;
}

TScreen::TScreen()
    : TComponent(nullptr)
    , iconFont_(std::make_unique<TFont>())
    , hintFont_(std::make_unique<TFont>())
    , menuFont_(std::make_unique<TFont>())
{
}

TCustomForm* TScreen::Forms(int index) const
{
    if (index < 0 || index >= FormCount())
        return nullptr;
    return forms_[static_cast<size_t>(index)];
}

TCustomForm* TScreen::ActiveForm() const
{
    QWidget* active = QApplication::activeWindow();
    for (TCustomForm* f : forms_)
        if (active && f->Handle() == active)
            return f;
    if (lastActive_ && lastActive_->Visible())
        return lastActive_;
    return nullptr;
}

TWinControl* TScreen::ActiveControl() const
{
    TCustomForm* f = ActiveForm();
    return f ? f->ActiveControl() : nullptr;
}

int TScreen::Width() const
{
    EnsureApplication();
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() : 1024;
}

int TScreen::Height() const
{
    EnsureApplication();
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().height() : 768;
}

void TScreen::AddForm(TCustomForm* form)
{
    if (std::find(forms_.begin(), forms_.end(), form) == forms_.end())
        forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form)
{
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    if (lastActive_ == form)
        lastActive_ = nullptr;
}

void TScreen::FormActivated(TCustomForm* form) { lastActive_ = form; }

TApplication& Application()
{
    static TApplication* app = new TApplication; // lives as long as the process
    return *app;
}

TScreen& Screen()
{
    static TScreen* screen = new TScreen;
    return *screen;
}

} // namespace zrv
