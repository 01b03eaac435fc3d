#include "platform/components/Strings.h"

#include <algorithm>
#include <numeric>

namespace zrv {

namespace {
    char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

    int CompareNoCase(std::string_view a, std::string_view b)
    {
        size_t n = std::min(a.size(), b.size());
        for (size_t i = 0; i < n; ++i) {
            unsigned char x = static_cast<unsigned char>(Lower(a[i]));
            unsigned char y = static_cast<unsigned char>(Lower(b[i]));
            if (x != y)
                return x < y ? -1 : 1;
        }
        return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    }
} // namespace

// ---------------------------------------------------------------------------------------------
// TStrings

const TClassInfo& TStrings::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TStrings>(
        "TStrings", TPersistent::StaticClassInfo(), [](TClassBuilder<TStrings>& c) {
            c.Text(
                "Text", &TStrings::Text, [](TStrings* s, const std::string& v) { s->SetText(v); });
            c.Text("CommaText", &TStrings::CommaText,
                [](TStrings* s, const std::string& v) { s->SetCommaText(v); });
            c.ReadOnlyInt("Count", &TStrings::Count);
        });
    return info;
}

void TStrings::Put(int index, const std::string& s)
{
    if (index < 0 || index >= Count())
        return;
    TObject* object = GetObject(index);
    BeginUpdate();
    Delete(index);
    Insert(index, s);
    PutObject(index, object);
    EndUpdate();
}

int TStrings::Add(const std::string& s)
{
    int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const std::string& s, TObject* object)
{
    int index = Add(s);
    if (index >= 0)
        PutObject(index, object);
    return index;
}

void TStrings::InsertObject(int index, const std::string& s, TObject* object)
{
    Insert(index, s);
    PutObject(std::clamp(index, 0, Count() - 1), object);
}

void TStrings::AddStrings(const TStrings& other)
{
    BeginUpdate();
    for (int i = 0; i < other.Count(); ++i)
        AddObject(other.Get(i), other.GetObject(i));
    EndUpdate();
}

int TStrings::IndexOf(std::string_view s) const
{
    for (int i = 0; i < Count(); ++i)
        if (CompareNoCase(Get(i), s) == 0)
            return i;
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == object)
            return i;
    return -1;
}

void TStrings::Exchange(int a, int b)
{
    if (a == b || a < 0 || b < 0 || a >= Count() || b >= Count())
        return;
    BeginUpdate();
    std::string sa = Get(a), sb = Get(b);
    TObject *oa = GetObject(a), *ob = GetObject(b);
    Put(a, sb);
    PutObject(a, ob);
    Put(b, sa);
    PutObject(b, oa);
    EndUpdate();
}

void TStrings::Move(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= Count() || to >= Count())
        return;
    BeginUpdate();
    std::string s = Get(from);
    TObject* o = GetObject(from);
    Delete(from);
    InsertObject(to, s, o);
    EndUpdate();
}

std::vector<std::string> TStrings::ToVector() const
{
    std::vector<std::string> out;
    out.reserve(static_cast<size_t>(Count()));
    for (int i = 0; i < Count(); ++i)
        out.push_back(Get(i));
    return out;
}

void TStrings::SetStrings(const std::vector<std::string>& lines)
{
    BeginUpdate();
    Clear();
    for (const std::string& s : lines)
        Add(s);
    EndUpdate();
}

std::string TStrings::Names(int index) const
{
    std::string s = Get(index);
    size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

std::string TStrings::ValueFromIndex(int index) const
{
    std::string s = Get(index);
    size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(eq + 1);
}

int TStrings::IndexOfName(std::string_view name) const
{
    for (int i = 0; i < Count(); ++i) {
        std::string s = Get(i);
        size_t eq = s.find('=');
        if (eq != std::string::npos && CompareNoCase(std::string_view(s).substr(0, eq), name) == 0)
            return i;
    }
    return -1;
}

std::string TStrings::Values(std::string_view name) const
{
    int i = IndexOfName(name);
    return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStrings::SetValue(std::string_view name, const std::string& value)
{
    int i = IndexOfName(name);
    if (value.empty()) {
        if (i >= 0)
            Delete(i);
        return;
    }
    std::string line = std::string(name) + "=" + value;
    if (i >= 0)
        Put(i, line);
    else
        Add(line);
}

std::string TStrings::Text() const
{
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        out += Get(i);
        out += "\r\n";
    }
    return out;
}

void TStrings::SetText(std::string_view text)
{
    BeginUpdate();
    Clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            Add(std::string(text.substr(start)));
            break;
        }
        Add(std::string(text.substr(start, end - start)));
        if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    EndUpdate();
}

std::string TStrings::CommaText() const
{
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        std::string s = Get(i);
        if (i > 0)
            out += ',';
        bool quote = s.empty() ? false : s.find_first_of(" ,\"\t") != std::string::npos;
        if (quote) {
            out += '"';
            for (char c : s) {
                if (c == '"')
                    out += '"';
                out += c;
            }
            out += '"';
        } else
            out += s;
    }
    return out;
}

void TStrings::SetCommaText(std::string_view text)
{
    BeginUpdate();
    Clear();
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
    };
    skipBlanks();
    while (i < text.size()) {
        std::string item;
        if (text[i] == '"') {
            ++i;
            while (i < text.size()) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
            while (i < text.size() && text[i] != ',')
                ++i;
        } else {
            while (i < text.size() && text[i] != ',')
                item += text[i++];
            while (!item.empty() && (item.back() == ' ' || item.back() == '\t'))
                item.pop_back();
        }
        Add(item);
        if (i < text.size() && text[i] == ',') {
            ++i;
            skipBlanks();
            if (i == text.size())
                Add("");
        }
        skipBlanks();
    }
    EndUpdate();
}

void TStrings::BeginUpdate()
{
    if (updateCount_++ == 0)
        SetUpdateState(true);
}

void TStrings::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0)
        SetUpdateState(false);
}

bool TStrings::Assign(const TPersistent& source)
{
    auto* other = dynamic_cast<const TStrings*>(&source);
    if (!other)
        return false;
    if (other == this)
        return true;
    BeginUpdate();
    Clear();
    AddStrings(*other);
    EndUpdate();
    return true;
}

bool TStrings::Equals(const TStrings& other) const
{
    if (Count() != other.Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != other.Get(i))
            return false;
    return true;
}

// ---------------------------------------------------------------------------------------------
// TStringList

const TClassInfo& TStringList::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TStringList>(
        "TStringList", TStrings::StaticClassInfo(), [](TClassBuilder<TStringList>& c) {
            c.Bool("Sorted", &TStringList::Sorted, &TStringList::SetSorted);
            c.Event("OnChange", &TStringList::OnChange);
            c.Event("OnChanging", &TStringList::OnChanging);
        });
    return info;
}

TStringList::TStringList(std::vector<std::string> lines)
{
    for (std::string& s : lines)
        items_.push_back({ std::move(s), nullptr });
}

std::string TStringList::Get(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return items_[static_cast<size_t>(index)].text;
}

void TStringList::Put(int index, const std::string& s)
{
    if (index < 0 || index >= Count() || items_[static_cast<size_t>(index)].text == s)
        return;
    Changing();
    items_[static_cast<size_t>(index)].text = s;
    Changed();
}

TObject* TStringList::GetObject(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return items_[static_cast<size_t>(index)].object;
}

void TStringList::PutObject(int index, TObject* object)
{
    if (index < 0 || index >= Count())
        return;
    Changing();
    items_[static_cast<size_t>(index)].object = object;
    Changed();
}

void TStringList::Insert(int index, const std::string& s)
{
    index = std::clamp(index, 0, Count());
    Changing();
    items_.insert(items_.begin() + index, Item { s, nullptr });
    Changed();
}

int TStringList::Add(const std::string& s)
{
    if (!sorted_) {
        int index = Count();
        Insert(index, s);
        return index;
    }
    int index = 0;
    if (Find(s, index)) {
        if (duplicates_ == TDuplicates::dupIgnore)
            return index;
        if (duplicates_ == TDuplicates::dupError)
            return -1;
    }
    Changing();
    items_.insert(items_.begin() + index, Item { s, nullptr });
    Changed();
    return index;
}

void TStringList::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (items_.empty())
        return;
    Changing();
    items_.clear();
    Changed();
}

int TStringList::Compare(std::string_view a, std::string_view b) const
{
    if (caseSensitive_)
        return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
    return CompareNoCase(a, b);
}

int TStringList::IndexOf(std::string_view s) const
{
    if (sorted_) {
        int index = 0;
        return Find(s, index) ? index : -1;
    }
    for (int i = 0; i < Count(); ++i)
        if (Compare(items_[static_cast<size_t>(i)].text, s) == 0)
            return i;
    return -1;
}

bool TStringList::Find(std::string_view s, int& index) const
{
    int lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        int mid = (lo + hi) / 2;
        int c = Compare(items_[static_cast<size_t>(mid)].text, s);
        if (c < 0)
            lo = mid + 1;
        else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (duplicates_ != TDuplicates::dupAccept)
                    lo = mid;
            }
        }
    }
    index = lo;
    return found;
}

void TStringList::SetSorted(bool sorted)
{
    if (sorted_ == sorted)
        return;
    if (sorted)
        Sort();
    sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool v)
{
    if (caseSensitive_ == v)
        return;
    caseSensitive_ = v;
    if (sorted_)
        Sort();
}

void TStringList::Sort()
{
    CustomSort([](const TStringList& list, int a, int b) {
        return list.Compare(
            list.items_[static_cast<size_t>(a)].text, list.items_[static_cast<size_t>(b)].text);
    });
}

void TStringList::CustomSort(const std::function<int(const TStringList&, int, int)>& compare)
{
    if (Count() < 2)
        return;
    std::vector<int> order(items_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(
        order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
    std::vector<Item> sortedItems;
    sortedItems.reserve(items_.size());
    for (int i : order)
        sortedItems.push_back(items_[static_cast<size_t>(i)]);
    Changing();
    items_.swap(sortedItems);
    Changed();
}

void TStringList::SetUpdateState(bool updating)
{
    if (updating)
        Changing();
    else
        Changed();
}

void TStringList::Changing()
{
    if (UpdateCount() == 0)
        OnChanging(this);
}

void TStringList::Changed()
{
    if (UpdateCount() == 0)
        OnChange(this);
}

} // namespace zrv
