#pragma once
// TPageControl and TTabSheet: pages with tabs. Only the active page is visible (its controls
// can take the focus; those of other pages cannot). A page change by the user asks OnChanging
// first (AllowChange false keeps the page) and raises OnChange afterwards; setting ActivePage
// from code raises neither. A sheet raises OnShow / OnHide when it appears or disappears.
// With OwnerDraw the tabs are drawn by DrawTab (OnDrawTab), given the tab's index among the
// visible tabs.

#include "platform/components/Canvas.h"
#include "platform/components/WinControl.h"

class QTabWidget;
class QPainter;

namespace zrv {

class TPageControl;
class TImageList;

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TPageControl* PageControl() const { return pageControl_; }
    void SetPageControl(TPageControl* pc);
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool v);
    int PageIndex() const;
    void SetPageIndex(int index);
    int TabIndex() const; // among the visible tabs, -1 when the tab is hidden
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v) { imageIndex_ = v; }

    bool SetParent(TWinControl* parent) override;
    bool SetParentComponent(TComponent* parent) override;
    bool HandleWidgetEvent(QObject* receiver, QEvent* event) override;

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    void ApplyBounds() override;
    void TextChanged() override;
    void VisibleChanged() override;

private:
    friend class TPageControl;
    void SetActiveFlag(bool active);

    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
    int imageIndex_ = -1;
};

enum class TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum class TTabStyle { tsTabs, tsButtons, tsFlatButtons };
const TEnumInfo& TabPositionEnum();
const TEnumInfo& TabStyleEnum();

using TTabChangingEvent = TEvent<TObject*, bool&>;
using TDrawTabEvent = TEvent<TObject*, int, const TRect&, bool>;

class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    QTabWidget* TabWidget() const;
    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // The next page after `current` (wrapping), skipping pages with hidden tabs when asked.
    TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const;
    // Moves to the next page as the user would: OnChanging, the change, OnChange.
    void SelectNextPage(bool goForward, bool checkTabVisible = true);

    TTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition v);
    TTabStyle Style() const { return style_; }
    void SetStyle(TTabStyle v);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool v) { multiLine_ = v; }
    int TabHeight() const { return tabHeight_; }
    void SetTabHeight(int v) { tabHeight_ = v; }
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int v) { tabWidth_ = v; }
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool v) { hotTrack_ = v; }
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool v);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    TCanvas& Canvas() { return canvas_; }

    // The user's page change through the tabs, with OnChanging and OnChange (tests use it to
    // stand in for a click on a tab). False when OnChanging refused.
    bool ChangePageByUser(TTabSheet* page);

    int IndexedCount() const override { return PageCount(); }
    TObject* IndexedItem(int index) override { return Pages(index); }
    void Notification(TComponent* component, TOperation operation) override;
    bool HandleWidgetEvent(QObject* receiver, QEvent* event) override;
    void Loaded() override;

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    TDrawTabEvent OnDrawTab;

protected:
    virtual bool CanChange();
    virtual void Change();
    // Draws tab `tabIndex` (among visible tabs) in `rect`; OnDrawTab when assigned.
    virtual void DrawTab(int tabIndex, const TRect& rect, bool active);
    void PlaceControl(TControl* control) override;
    void UnplaceControl(TControl* control) override;

private:
    friend class TTabSheet;
    friend class TabBarImpl;
    void ChangeActivePage(TTabSheet* page);
    void MoveFocusOffPage(TTabSheet* next);
    void CurrentChangedByQt(int index);
    void PaintTabs(QPainter& painter);
    void SyncTab(TTabSheet* sheet);

    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
    bool changing_ = false;
    bool approved_ = false;
    TTabPosition tabPosition_ = TTabPosition::tpTop;
    TTabStyle style_ = TTabStyle::tsTabs;
    bool multiLine_ = false;
    int tabHeight_ = 0;
    int tabWidth_ = 0;
    bool hotTrack_ = false;
    bool ownerDraw_ = false;
    TImageList* images_ = nullptr;
    TCanvas canvas_;
};

} // namespace zrv
