#pragma once
// TMaskEdit: an edit with an input mask of the classic form "body;save;blank", for example
// "9999/99/99;1; ": 0 digit required, 9 digit or blank, # digit, sign or blank, L/l letter
// required/optional, A/a letter or digit required/optional, C/c any character
// required/optional, > upper case, < lower case, <> no case change, \ next character literal,
// ! (leading blanks) accepted and ignored; other characters are literals. "save" 0 means the
// literals are not part of Text; "blank" is the character shown in unfilled positions.
// EditText is what the edit shows (blanks included); Text turns blanks into spaces and drops
// the literals when they are not saved.

#include "platform/components/Edit.h"

namespace zrv {

struct TEditMaskParts {
    std::string body;
    bool saveLiterals = true;
    char blank = '_';
};
TEditMaskParts SplitEditMask(std::string_view mask);
// The mask in the notation of Qt's input masks ("" for an empty mask).
std::string QtInputMaskFor(std::string_view mask);

class TCustomMaskEdit : public TCustomEdit {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    const std::string& EditMask() const { return mask_; }
    virtual void SetEditMask(const std::string& mask);
    bool IsMasked() const { return !mask_.empty(); }
    std::string EditText() const;
    void SetEditText(const std::string& text);

    std::string GetText() const override;
    void SetText(const std::string& text) override;

protected:
    TCustomMaskEdit(TComponent* owner, QLineEdit* handle);

private:
    std::string mask_;
    TEditMaskParts parts_;
};

class TMaskEdit : public TCustomMaskEdit {
public:
    explicit TMaskEdit(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

protected:
    TMaskEdit(TComponent* owner, QLineEdit* handle);
};

} // namespace zrv
