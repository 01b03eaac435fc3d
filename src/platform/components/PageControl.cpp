#include "platform/components/PageControl.h"

#include "platform/components/Form.h"
#include "platform/components/ImageList.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>

namespace zrv {

const TEnumInfo& TabPositionEnum()
{
    static const TEnumInfo info { "TTabPosition", { "tpTop", "tpBottom", "tpLeft", "tpRight" } };
    return info;
}

const TEnumInfo& TabStyleEnum()
{
    static const TEnumInfo info { "TTabStyle", { "tsTabs", "tsButtons", "tsFlatButtons" } };
    return info;
}

class TabBarImpl : public QTabBar {
public:
    TPageControl* owner = nullptr;

protected:
    void paintEvent(QPaintEvent* e) override
    {
        if (owner && owner->OwnerDraw() && !owner->IsDestroying()) {
            QPainter p(this);
            owner->PaintTabs(p);
            return;
        }
        QTabBar::paintEvent(e);
    }
};

namespace {
    class TabWidgetImpl : public QTabWidget {
    public:
        TabWidgetImpl()
        {
            bar = new TabBarImpl;
            setTabBar(bar);
        }
        TabBarImpl* bar;
    };
} // namespace

// ---------------------------------------------------------------------------------------------

const TClassInfo& TTabSheet::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TTabSheet>(
        "TTabSheet", TWinControl::StaticClassInfo(), [](TClassBuilder<TTabSheet>& c) {
            c.Text("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption);
            c.Bool("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible);
            c.Int("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex);
            c.Int("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex);
            c.Reference<TPageControl>(
                "PageControl", &TTabSheet::PageControl, &TTabSheet::SetPageControl);
            c.Event("OnShow", &TTabSheet::OnShow);
            c.Event("OnHide", &TTabSheet::OnHide);
        });
    return info;
}

TTabSheet::TTabSheet(TComponent* owner)
    : TWinControl(owner, NewHandle<QWidget>())
{
    Handle()->setFocusPolicy(Qt::NoFocus);
    Handle()->setAutoFillBackground(false);
    TControl::SetVisible(false);
}

TTabSheet::~TTabSheet() { Destroying(); }

bool TTabSheet::SetParent(TWinControl* parent)
{
    if (parent && !dynamic_cast<TPageControl*>(parent))
        return false; // a sheet lives only in a page control
    return TWinControl::SetParent(parent);
}

bool TTabSheet::SetParentComponent(TComponent* parent)
{
    auto* pc = dynamic_cast<TPageControl*>(parent);
    if (!pc)
        return false;
    SetPageControl(pc);
    return true;
}

void TTabSheet::SetPageControl(TPageControl* pc) { SetParent(pc); }

void TTabSheet::SetTabVisible(bool v)
{
    if (v == tabVisible_)
        return;
    tabVisible_ = v;
    if (pageControl_)
        pageControl_->SyncTab(this);
}

int TTabSheet::PageIndex() const
{
    if (!pageControl_)
        return -1;
    auto& pages = pageControl_->pages_;
    auto it = std::find(pages.begin(), pages.end(), this);
    return it == pages.end() ? -1 : static_cast<int>(it - pages.begin());
}

void TTabSheet::SetPageIndex(int index)
{
    int current = PageIndex();
    if (current < 0 || index == current)
        return;
    auto& pages = pageControl_->pages_;
    index = std::clamp(index, 0, static_cast<int>(pages.size()) - 1);
    pages.erase(pages.begin() + current);
    pages.insert(pages.begin() + index, this);
    QSignalBlocker block(pageControl_->TabWidget());
    pageControl_->changing_ = true;
    QTabBar* bar = pageControl_->TabWidget()->tabBar();
    bar->moveTab(current, index);
    pageControl_->changing_ = false;
}

int TTabSheet::TabIndex() const
{
    if (!pageControl_ || !tabVisible_)
        return -1;
    int n = 0;
    for (TTabSheet* p : pageControl_->pages_) {
        if (p == this)
            return n;
        if (p->tabVisible_)
            ++n;
    }
    return -1;
}

void TTabSheet::ApplyBounds()
{
    // The page control decides where its pages go.
}

void TTabSheet::TextChanged()
{
    if (pageControl_)
        pageControl_->SyncTab(this);
}

void TTabSheet::VisibleChanged()
{
    if (!Visible())
        if (TCustomForm* form = GetParentForm(this))
            form->DefocusControl(this, false);
}

void TTabSheet::SetActiveFlag(bool active) { TControl::SetVisible(active); }

bool TTabSheet::HandleWidgetEvent(QObject* receiver, QEvent* event)
{
    if (receiver == Handle()) {
        switch (event->type()) {
        case QEvent::Resize: {
            QWidget* h = Handle();
            QPoint pos = h->pos();
            QSize s = static_cast<QResizeEvent*>(event)->size();
            SetBounds(pos.x(), pos.y(), s.width(), s.height());
            return false;
        }
        case QEvent::Show:
            if (EventsEnabled())
                OnShow(this);
            return false;
        case QEvent::Hide:
            if (EventsEnabled())
                OnHide(this);
            return false;
        default:
            break;
        }
    }
    return TWinControl::HandleWidgetEvent(receiver, event);
}

// ---------------------------------------------------------------------------------------------

const TClassInfo& TPageControl::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TPageControl>(
        "TPageControl", TWinControl::StaticClassInfo(), [](TClassBuilder<TPageControl>& c) {
            c.Reference<TTabSheet>(
                "ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
            c.Enum("TabPosition", TabPositionEnum(), &TPageControl::TabPosition,
                &TPageControl::SetTabPosition);
            c.Enum("Style", TabStyleEnum(), &TPageControl::Style, &TPageControl::SetStyle);
            c.Bool("MultiLine", &TPageControl::MultiLine, &TPageControl::SetMultiLine);
            c.Int("TabHeight", &TPageControl::TabHeight, &TPageControl::SetTabHeight);
            c.Int("TabWidth", &TPageControl::TabWidth, &TPageControl::SetTabWidth);
            c.Bool("HotTrack", &TPageControl::HotTrack, &TPageControl::SetHotTrack);
            c.Bool("OwnerDraw", &TPageControl::OwnerDraw, &TPageControl::SetOwnerDraw);
            c.Reference<TImageList>("Images", &TPageControl::Images, &TPageControl::SetImages);
            c.Event("OnChange", &TPageControl::OnChange);
            c.Event("OnChanging", &TPageControl::OnChanging);
            c.Event("OnDrawTab", &TPageControl::OnDrawTab);
        });
    return info;
}

TPageControl::TPageControl(TComponent* owner)
    : TWinControl(owner, NewHandle<TabWidgetImpl>())
{
    auto* w = static_cast<TabWidgetImpl*>(Handle());
    w->bar->owner = this;
    RegisterInnerWidget(w->bar);
    SetTabStop(true);
    SetBounds(0, 0, 289, 193);
    QObject::connect(w, &QTabWidget::currentChanged, w, [this](int index) {
        if (!IsDestroying())
            CurrentChangedByQt(index);
    });
}

TPageControl::~TPageControl()
{
    Destroying();
    static_cast<TabWidgetImpl*>(Handle())->bar->owner = nullptr;
    // Sheets go first, while the tab widget that holds their widgets still exists.
    while (!pages_.empty())
        pages_.back()->Free();
}

QTabWidget* TPageControl::TabWidget() const { return static_cast<QTabWidget*>(Handle()); }

TTabSheet* TPageControl::Pages(int index) const
{
    if (index < 0 || index >= PageCount())
        return nullptr;
    return pages_[static_cast<size_t>(index)];
}

void TPageControl::PlaceControl(TControl* control)
{
    auto* sheet = dynamic_cast<TTabSheet*>(control);
    if (!sheet) {
        TWinControl::PlaceControl(control);
        return;
    }
    sheet->pageControl_ = this;
    pages_.push_back(sheet);
    {
        changing_ = true;
        QSignalBlocker block(TabWidget());
        TabWidget()->addTab(sheet->Handle(), QString::fromStdString(sheet->Caption()));
        TabWidget()->setTabVisible(PageCount() - 1, sheet->TabVisible());
        changing_ = false;
    }
    if (!activePage_)
        ChangeActivePage(sheet);
    else
        sheet->SetActiveFlag(false);
    SyncTab(activePage_);
}

void TPageControl::UnplaceControl(TControl* control)
{
    // Found by address: a sheet on its way out is no longer a TTabSheet to dynamic_cast.
    auto it = std::find_if(pages_.begin(), pages_.end(),
        [control](TTabSheet* p) { return static_cast<TControl*>(p) == control; });
    if (it == pages_.end()) {
        TWinControl::UnplaceControl(control);
        return;
    }
    TTabSheet* sheet = *it;
    int index = static_cast<int>(it - pages_.begin());
    {
        changing_ = true;
        QSignalBlocker block(TabWidget());
        TabWidget()->removeTab(index);
        changing_ = false;
    }
    pages_.erase(it);
    if (!control->IsDestroying())
        sheet->pageControl_ = nullptr; // a sheet on its way out is not touched as a sheet
    if (QWidget* h = control->Handle()) {
        h->hide();
        h->setParent(nullptr);
    }
    if (activePage_ == sheet) {
        activePage_ = nullptr;
        if (!IsDestroying()) {
            TTabSheet* next = FindNextPage(nullptr, true, true);
            if (next)
                SetActivePage(next);
        }
    }
}

void TPageControl::SyncTab(TTabSheet* sheet)
{
    if (!sheet)
        return;
    int index = sheet->PageIndex();
    if (index < 0)
        return;
    changing_ = true;
    {
        QSignalBlocker block(TabWidget());
        TabWidget()->setTabText(index, QString::fromStdString(sheet->Caption()));
        TabWidget()->setTabVisible(index, sheet->TabVisible());
        if (activePage_)
            TabWidget()->setCurrentIndex(activePage_->PageIndex());
    }
    changing_ = false;
    // Hiding the tab of the active page moves Qt to another page; follow it quietly.
    int current = TabWidget()->currentIndex();
    if (activePage_ && !activePage_->TabVisible() && current >= 0 && Pages(current) != activePage_)
        ChangeActivePage(Pages(current));
}

void TPageControl::MoveFocusOffPage(TTabSheet* page)
{
    if (!page || page == activePage_ || IsDestroying() || !activePage_)
        return;
    if (TCustomForm* form = GetParentForm(this))
        if (form->ActiveControl() && activePage_->ContainsControl(form->ActiveControl())
            && CanFocus())
            form->SetActiveControl(this); // the focus leaves the page it was on
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page && page->pageControl_ != this)
        return;
    MoveFocusOffPage(page);
    if (page) {
        changing_ = true;
        {
            QSignalBlocker block(TabWidget());
            TabWidget()->setCurrentIndex(page->PageIndex());
        }
        changing_ = false;
    }
    ChangeActivePage(page);
}

int TPageControl::ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index) { SetActivePage(Pages(index)); }

void TPageControl::ChangeActivePage(TTabSheet* page)
{
    TTabSheet* old = activePage_;
    if (old == page)
        return;
    MoveFocusOffPage(page);
    activePage_ = page;
    if (page)
        page->SetActiveFlag(true);
    if (old && TComponent::IsLive(old))
        old->SetActiveFlag(false);
    if (page && TabWidget()->currentIndex() != page->PageIndex()) {
        changing_ = true;
        QSignalBlocker block(TabWidget());
        TabWidget()->setCurrentIndex(page->PageIndex());
        changing_ = false;
    }
}

TTabSheet* TPageControl::FindNextPage(
    TTabSheet* current, bool goForward, bool checkTabVisible) const
{
    if (pages_.empty())
        return nullptr;
    const int count = PageCount();
    int start = current ? current->PageIndex() : -1;
    if (start < 0)
        start = goForward ? count - 1 : 0;
    int i = start;
    do {
        i = goForward ? (i + 1) % count : (i + count - 1) % count;
        TTabSheet* p = pages_[static_cast<size_t>(i)];
        if (!checkTabVisible || p->TabVisible())
            return p;
    } while (i != start);
    return nullptr;
}

void TPageControl::SelectNextPage(bool goForward, bool checkTabVisible)
{
    TTabSheet* page = FindNextPage(activePage_, goForward, checkTabVisible);
    if (page && page != activePage_)
        ChangePageByUser(page);
}

bool TPageControl::ChangePageByUser(TTabSheet* page)
{
    if (!page || page == activePage_ || page->pageControl_ != this)
        return false;
    if (!CanChange())
        return false;
    SetActivePage(page);
    Change();
    return true;
}

void TPageControl::CurrentChangedByQt(int index)
{
    if (changing_)
        return;
    TTabSheet* page = Pages(index);
    if (page == activePage_)
        return;
    bool allowed = approved_ || CanChange();
    approved_ = false;
    if (!allowed) {
        // Qt already switched; put the old page back.
        changing_ = true;
        QSignalBlocker block(TabWidget());
        TabWidget()->setCurrentIndex(activePage_ ? activePage_->PageIndex() : -1);
        changing_ = false;
        return;
    }
    ChangeActivePage(page);
    Change();
}

bool TPageControl::CanChange()
{
    bool allow = true;
    if (EventsEnabled())
        OnChanging(this, allow);
    return allow;
}

void TPageControl::Change()
{
    if (EventsEnabled())
        OnChange(this);
}

void TPageControl::SetTabPosition(TTabPosition v)
{
    tabPosition_ = v;
    static const QTabWidget::TabPosition map[]
        = { QTabWidget::North, QTabWidget::South, QTabWidget::West, QTabWidget::East };
    TabWidget()->setTabPosition(map[static_cast<int>(v)]);
}

void TPageControl::SetStyle(TTabStyle v)
{
    style_ = v;
    TabWidget()->setDocumentMode(v != TTabStyle::tsTabs);
}

void TPageControl::SetOwnerDraw(bool v)
{
    ownerDraw_ = v;
    TabWidget()->tabBar()->update();
}

void TPageControl::SetImages(TImageList* images)
{
    if (images_)
        images_->RemoveFreeNotification(this);
    images_ = images;
    if (images)
        images->FreeNotification(this);
}

void TPageControl::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_)
        images_ = nullptr;
}

void TPageControl::PaintTabs(QPainter& painter)
{
    QTabBar* bar = TabWidget()->tabBar();
    canvas_.AttachPainter(&painter);
    canvas_.Font.Assign(*Font());
    int visibleIndex = 0;
    for (int i = 0; i < bar->count(); ++i) {
        if (!bar->isTabVisible(i))
            continue;
        QRect r = bar->tabRect(i);
        DrawTab(visibleIndex++, Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1),
            i == bar->currentIndex());
    }
    canvas_.Detach();
}

void TPageControl::DrawTab(int tabIndex, const TRect& rect, bool active)
{
    if (OnDrawTab) {
        OnDrawTab(this, tabIndex, rect, active);
        return;
    }
    // Plain drawing: face colour and the caption of the page that belongs to the tab.
    int n = 0;
    TTabSheet* page = nullptr;
    for (TTabSheet* p : pages_)
        if (p->TabVisible() && n++ == tabIndex) {
            page = p;
            break;
        }
    canvas_.Brush.Color = active ? clBtnHighlight : clBtnFace;
    canvas_.FillRect(rect);
    if (page)
        canvas_.TextAligned(rect, page->Caption(), 2);
}

bool TPageControl::HandleWidgetEvent(QObject* receiver, QEvent* event)
{
    QTabBar* bar = TabWidget()->tabBar();
    if (receiver == bar && event->type() == QEvent::MouseButtonPress) {
        auto* e = static_cast<QMouseEvent*>(event);
        int index = bar->tabAt(e->position().toPoint());
        TTabSheet* page = Pages(index);
        if (e->button() == Qt::LeftButton && page && page != activePage_) {
            // A click on a tab takes the focus first, then asks whether the page may change.
            if (CanFocus())
                SetFocus();
            if (IsDestroying() || !CanChange())
                return true;
            approved_ = true;
        }
        return false;
    }
    return TWinControl::HandleWidgetEvent(receiver, event);
}

void TPageControl::Loaded()
{
    TWinControl::Loaded();
    if (!activePage_ && !pages_.empty())
        SetActivePage(FindNextPage(nullptr, true, true));
}

} // namespace zrv
