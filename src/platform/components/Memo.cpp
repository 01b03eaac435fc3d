#include "platform/components/Memo.h"

#include <QPlainTextEdit>
#include <QTextBlock>

namespace zrv {

const TEnumInfo& ScrollStyleEnum()
{
    static const TEnumInfo info { "TScrollStyle",
        { "ssNone", "ssHorizontal", "ssVertical", "ssBoth" } };
    return info;
}

namespace {
    // The lines of a memo, read from and written to its document.
    class TMemoStrings : public TStrings {
    public:
        explicit TMemoStrings(TMemo* memo)
            : memo_(memo)
        {
        }
        int Count() const override { return static_cast<int>(Split().size()); }
        std::string Get(int index) const override
        {
            auto lines = Split();
            if (index < 0 || index >= static_cast<int>(lines.size()))
                return {};
            return lines[static_cast<size_t>(index)];
        }
        void Put(int index, const std::string& s) override
        {
            auto lines = Split();
            if (index < 0 || index >= static_cast<int>(lines.size()))
                return;
            lines[static_cast<size_t>(index)] = s;
            Join(lines);
        }
        void Insert(int index, const std::string& s) override
        {
            auto lines = Split();
            index = std::clamp(index, 0, static_cast<int>(lines.size()));
            lines.insert(lines.begin() + index, s);
            Join(lines);
        }
        void Delete(int index) override
        {
            auto lines = Split();
            if (index < 0 || index >= static_cast<int>(lines.size()))
                return;
            lines.erase(lines.begin() + index);
            Join(lines);
        }
        void Clear() override { memo_->TextEdit()->setPlainText(QString()); }

    private:
        std::vector<std::string> Split() const
        {
            QString text = memo_->TextEdit()->toPlainText();
            std::vector<std::string> out;
            if (text.isEmpty())
                return out;
            QStringList parts = text.split('\n');
            if (parts.size() > 1 && parts.back().isEmpty())
                parts.removeLast(); // a final line break ends the last line
            for (const QString& p : parts)
                out.push_back(p.toStdString());
            return out;
        }
        void Join(const std::vector<std::string>& lines)
        {
            QStringList parts;
            for (const std::string& s : lines)
                parts << QString::fromStdString(s);
            memo_->TextEdit()->setPlainText(parts.join('\n'));
        }
        TMemo* memo_;
    };
} // namespace

const TClassInfo& TMemo::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TMemo>(
        "TMemo", TWinControl::StaticClassInfo(), [](TClassBuilder<TMemo>& c) {
            c.Object<TStrings>("Lines", &TMemo::Lines, &TMemo::SetLines);
            c.Text("Text", &TMemo::Text, &TMemo::SetText);
            c.Bool("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly);
            c.Bool("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap);
            c.Enum("ScrollBars", ScrollStyleEnum(), &TMemo::ScrollBars, &TMemo::SetScrollBars);
            c.Bool("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns);
            c.Bool("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs);
            c.Int("MaxLength", &TMemo::MaxLength, &TMemo::SetMaxLength);
            c.Enum("Alignment", AlignmentEnum(), &TMemo::Alignment, &TMemo::SetAlignment);
            c.Text("ImeName", &TMemo::ImeName, &TMemo::SetImeName);
            c.Enum("ImeMode", ImeModeEnum(), &TMemo::ImeMode, &TMemo::SetImeMode);
            c.Event("OnChange", &TMemo::OnChange);
        });
    return info;
}

TMemo::TMemo(TComponent* owner)
    : TWinControl(owner, NewHandle<QPlainTextEdit>())
    , lines_(std::make_unique<TMemoStrings>(this))
{
    SetTabStop(true);
    SetBounds(0, 0, 185, 89);
    SetColor(clWindow);
    QPlainTextEdit* e = TextEdit();
    e->setTabChangesFocus(true);
    e->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    e->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RegisterInnerWidget(e->viewport());
    QObject::connect(e, &QPlainTextEdit::textChanged, e, [this] {
        if (!IsDestroying()) {
            if (maxLength_ > 0) {
                QPlainTextEdit* ed = TextEdit();
                QString t = ed->toPlainText();
                if (t.size() > maxLength_) {
                    QSignalBlocker block(ed);
                    ed->setPlainText(t.left(maxLength_));
                    ed->moveCursor(QTextCursor::End);
                }
            }
            Change();
        }
    });
}

TMemo::~TMemo() { Destroying(); }

QPlainTextEdit* TMemo::TextEdit() const { return static_cast<QPlainTextEdit*>(Handle()); }

std::string TMemo::GetText() const
{
    QString t = TextEdit()->toPlainText();
    t.replace("\n", "\r\n");
    return t.toStdString();
}

void TMemo::SetText(const std::string& text)
{
    QString t = QString::fromStdString(text);
    t.replace("\r\n", "\n");
    t.replace('\r', '\n');
    if (t != TextEdit()->toPlainText())
        TextEdit()->setPlainText(t);
}

void TMemo::SetLines(TStrings* lines)
{
    if (lines && lines != lines_.get())
        lines_->Assign(*lines);
}

bool TMemo::ReadOnly() const { return TextEdit()->isReadOnly(); }
void TMemo::SetReadOnly(bool v) { TextEdit()->setReadOnly(v); }

void TMemo::SetWordWrap(bool v)
{
    wordWrap_ = v;
    TextEdit()->setLineWrapMode(v ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TMemo::SetScrollBars(TScrollStyle v)
{
    scrollBars_ = v;
    bool h = v == TScrollStyle::ssHorizontal || v == TScrollStyle::ssBoth;
    bool vert = v == TScrollStyle::ssVertical || v == TScrollStyle::ssBoth;
    TextEdit()->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    TextEdit()->setVerticalScrollBarPolicy(vert ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TMemo::SetWantTabs(bool v)
{
    wantTabs_ = v;
    TextEdit()->setTabChangesFocus(!v);
}

void TMemo::SetAlignment(TAlignment v) { alignment_ = v; }

TPoint TMemo::CaretPos() const
{
    QTextCursor c = TextEdit()->textCursor();
    return { c.positionInBlock(), c.blockNumber() };
}

void TMemo::SetCaretPos(TPoint p)
{
    QTextDocument* doc = TextEdit()->document();
    QTextBlock block = doc->findBlockByNumber(std::max(p.Y, 0));
    if (!block.isValid())
        block = doc->lastBlock();
    QTextCursor c(block);
    c.movePosition(
        QTextCursor::Right, QTextCursor::MoveAnchor, std::clamp(p.X, 0, block.length() - 1));
    TextEdit()->setTextCursor(c);
}

void TMemo::SelectAll() { TextEdit()->selectAll(); }

bool TMemo::WantsKey(uint16_t key, TShiftState shift) const
{
    if (key == VK_RETURN && !(shift & ssCtrl))
        return wantReturns_;
    if (key == VK_TAB && !(shift & ssCtrl))
        return wantTabs_;
    return false;
}

void TMemo::Change()
{
    if (EventsEnabled())
        OnChange(this);
}

void TMemo::ApplyColor()
{
    QPalette pal = TextEdit()->palette();
    pal.setColor(QPalette::Base, ToQColor(Color()));
    TextEdit()->setPalette(pal);
}

} // namespace zrv
