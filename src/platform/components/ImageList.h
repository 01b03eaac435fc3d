#pragma once
// TImageList: a numbered list of small images of one size (16 x 16 unless set), for tool
// buttons, menus and list views. Images are added from bitmaps; a strip wider than the list is
// cut into several images.

#include "platform/components/Bitmap.h"
#include "platform/components/Component.h"

#include <QImage>
#include <vector>

class QIcon;

namespace zrv {

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int Width() const { return width_; }
    void SetWidth(int w);
    int Height() const { return height_; }
    void SetHeight(int h);
    int Count() const { return static_cast<int>(images_.size()); }
    TColor BkColor() const { return bkColor_; }
    void SetBkColor(TColor c) { bkColor_ = c; }
    bool Masked() const { return masked_; }
    void SetMasked(bool v) { masked_ = v; }

    // Adds the image (cut into Width-wide pieces); `mask`: white = transparent. The index of the
    // first image added, -1 when nothing was added.
    int Add(const TBitmap& image, const TBitmap* mask = nullptr);
    // Adds with a transparent colour.
    int AddMasked(const TBitmap& image, TColor transparent);
    void Delete(int index);
    void Clear();
    bool GetBitmap(int index, TBitmap& out) const;
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
    QIcon Icon(int index) const;

    TNotifyEvent OnChange;

private:
    void Changed() { OnChange(this); }

    int width_ = 16;
    int height_ = 16;
    TColor bkColor_ = clNone;
    bool masked_ = true;
    std::vector<QImage> images_; // with alpha: transparent pixels are clear
};

} // namespace zrv
