#include "platform/components/MaskEdit.h"

#include <QLineEdit>
#include <cstring>

namespace zrv {

TEditMaskParts SplitEditMask(std::string_view mask)
{
    // Fields are separated by the last two ";" that are not escaped.
    std::vector<size_t> seps;
    for (size_t i = 0; i < mask.size(); ++i) {
        if (mask[i] == '\\') {
            ++i;
            continue;
        }
        if (mask[i] == ';')
            seps.push_back(i);
    }
    TEditMaskParts parts;
    if (seps.empty()) {
        parts.body = std::string(mask);
        return parts;
    }
    size_t bodyEnd = seps.size() >= 2 ? seps[seps.size() - 2] : seps.back();
    parts.body = std::string(mask.substr(0, bodyEnd));
    if (seps.size() >= 2) {
        std::string_view save
            = mask.substr(seps[seps.size() - 2] + 1, seps.back() - seps[seps.size() - 2] - 1);
        parts.saveLiterals = !(save == "0");
        std::string_view blank = mask.substr(seps.back() + 1);
        if (!blank.empty())
            parts.blank = blank[0];
    } else {
        std::string_view save = mask.substr(seps.back() + 1);
        parts.saveLiterals = !(save == "0");
    }
    return parts;
}

std::string QtInputMaskFor(std::string_view mask)
{
    TEditMaskParts parts = SplitEditMask(mask);
    if (parts.body.empty())
        return {};
    std::string out;
    const std::string& b = parts.body;
    for (size_t i = 0; i < b.size(); ++i) {
        char c = b[i];
        switch (c) {
        case '\\':
            if (i + 1 < b.size()) {
                out += '\\';
                out += b[++i];
            }
            break;
        case '!':
            break; // blank trimming has no counterpart; the mask still works
        case '<':
            if (i + 1 < b.size() && b[i + 1] == '>') {
                out += '!';
                ++i;
            } else
                out += '<';
            break;
        case '>':
            out += '>';
            break;
        case 'L':
            out += 'A';
            break;
        case 'l':
            out += 'a';
            break;
        case 'A':
            out += 'N';
            break;
        case 'a':
            out += 'n';
            break;
        case 'C':
            out += 'X';
            break;
        case 'c':
            out += 'x';
            break;
        case '0':
            out += '9';
            break;
        case '9':
            out += '0';
            break;
        case '#':
            out += '#';
            break;
        default:
            // Characters that Qt reads as mask codes are literals here.
            if (std::strchr("AaNnXx90Dd#HhBb><![]{}\\", c))
                out += '\\';
            out += c;
            break;
        }
    }
    out += ';';
    out += parts.blank;
    return out;
}

namespace {
    // Which positions of the shown text are literals.
    std::vector<bool> LiteralPositions(const std::string& body)
    {
        std::vector<bool> lit;
        for (size_t i = 0; i < body.size(); ++i) {
            char c = body[i];
            if (c == '\\') {
                if (i + 1 < body.size())
                    ++i;
                lit.push_back(true);
                continue;
            }
            if (c == '!' || c == '>' || c == '<')
                continue;
            lit.push_back(!std::strchr("LlAaCc09#", c));
        }
        return lit;
    }
} // namespace

const TClassInfo& TCustomMaskEdit::StaticClassInfo()
{
    static const TClassInfo& info
        = TClassInfo::Define<TCustomMaskEdit>("TCustomMaskEdit", TCustomEdit::StaticClassInfo());
    return info;
}

TCustomMaskEdit::TCustomMaskEdit(TComponent* owner, QLineEdit* handle)
    : TCustomEdit(owner, handle)
{
}

void TCustomMaskEdit::SetEditMask(const std::string& mask)
{
    if (mask == mask_)
        return;
    std::string kept = GetText();
    mask_ = mask;
    parts_ = SplitEditMask(mask);
    LineEdit()->setInputMask(QString::fromStdString(QtInputMaskFor(mask)));
    SetText(kept);
}

std::string TCustomMaskEdit::EditText() const { return LineEdit()->displayText().toStdString(); }

void TCustomMaskEdit::SetEditText(const std::string& text)
{
    LineEdit()->setText(QString::fromStdString(text));
}

std::string TCustomMaskEdit::GetText() const
{
    if (!IsMasked())
        return TCustomEdit::GetText();
    QString shown = LineEdit()->displayText();
    std::vector<bool> lit = LiteralPositions(parts_.body);
    QString out;
    for (int i = 0; i < shown.size(); ++i) {
        bool isLiteral = static_cast<size_t>(i) < lit.size() && lit[static_cast<size_t>(i)];
        if (isLiteral && !parts_.saveLiterals)
            continue;
        QChar ch = shown.at(i);
        out += (!isLiteral && ch == QLatin1Char(parts_.blank)) ? QChar(' ') : ch;
    }
    return out.toStdString();
}

void TCustomMaskEdit::SetText(const std::string& text)
{
    if (!IsMasked()) {
        TCustomEdit::SetText(text);
        return;
    }
    LineEdit()->setText(QString::fromStdString(text));
}

const TClassInfo& TMaskEdit::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TMaskEdit>(
        "TMaskEdit", TCustomMaskEdit::StaticClassInfo(), [](TClassBuilder<TMaskEdit>& c) {
            c.Text("EditMask", &TMaskEdit::EditMask, &TMaskEdit::SetEditMask);
            c.Text("Text", &TMaskEdit::Text, &TMaskEdit::SetText);
            c.Int("MaxLength", &TMaskEdit::MaxLength, &TMaskEdit::SetMaxLength);
            c.Bool("ReadOnly", &TMaskEdit::ReadOnly, &TMaskEdit::SetReadOnly);
            c.Text("PasswordChar", &TMaskEdit::PasswordChar, &TMaskEdit::SetPasswordChar);
            c.Enum("CharCase", EditCharCaseEnum(), &TMaskEdit::CharCase, &TMaskEdit::SetCharCase);
            c.Bool("AutoSelect", &TMaskEdit::AutoSelect, &TMaskEdit::SetAutoSelect);
            c.Bool("AutoSize", &TMaskEdit::AutoSize, &TMaskEdit::SetAutoSize);
            c.Text("ImeName", &TMaskEdit::ImeName, &TMaskEdit::SetImeName);
            c.Enum("ImeMode", ImeModeEnum(), &TMaskEdit::ImeMode, &TMaskEdit::SetImeMode);
            c.Event("OnChange", &TMaskEdit::OnChange);
        });
    return info;
}

TMaskEdit::TMaskEdit(TComponent* owner)
    : TMaskEdit(owner, NewHandle<QLineEdit>())
{
}

TMaskEdit::TMaskEdit(TComponent* owner, QLineEdit* handle)
    : TCustomMaskEdit(owner, handle)
{
}

} // namespace zrv
