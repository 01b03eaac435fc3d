#pragma once
// String lists: TStrings (the interface every list of lines offers, whether it lives in memory,
// in a combo box or in a memo) and TStringList (the list in memory).

#include "platform/components/Event.h"
#include "platform/components/Object.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zrv {

class TStrings : public TPersistent {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0; // empty out of range
    virtual void Put(int index, const std::string& s); // out of range: nothing
    virtual TObject* GetObject(int /*index*/) const { return nullptr; }
    virtual void PutObject(int /*index*/, TObject* /*object*/) { }
    virtual void Insert(int index, const std::string& s) = 0; // index clamped to 0..Count
    virtual void Delete(int index) = 0; // out of range: nothing
    virtual void Clear() = 0;

    std::string Strings(int index) const { return Get(index); }
    std::string operator[](int index) const { return Get(index); }
    virtual int Add(const std::string& s); // position of the new line
    int AddObject(const std::string& s, TObject* object);
    void InsertObject(int index, const std::string& s, TObject* object);
    void AddStrings(const TStrings& other);
    void Append(const std::string& s) { Add(s); }
    virtual int IndexOf(std::string_view s) const; // without regard to case; -1 when absent
    int IndexOfObject(const TObject* object) const;
    void Exchange(int a, int b);
    void Move(int from, int to);
    bool Empty() const { return Count() == 0; }
    std::vector<std::string> ToVector() const;
    void SetStrings(const std::vector<std::string>& lines); // replaces all lines

    // Lines of the form name=value.
    std::string Names(int index) const;
    std::string ValueFromIndex(int index) const;
    int IndexOfName(std::string_view name) const; // without regard to case
    std::string Values(std::string_view name) const;
    void SetValue(std::string_view name, const std::string& value); // empty value deletes

    // All lines, each ended by "\r\n". Setting splits at "\r\n", "\n" or "\r".
    std::string Text() const;
    void SetText(std::string_view text);
    // Lines separated by commas, quoted with '"' when they hold blanks, commas or quotes.
    std::string CommaText() const;
    void SetCommaText(std::string_view text);

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    bool Assign(const TPersistent& source) override;
    bool Equals(const TStrings& other) const;

protected:
    // Called around a batch of changes (BeginUpdate / EndUpdate at depth 0).
    virtual void SetUpdateState(bool /*updating*/) { }

private:
    int updateCount_ = 0;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
    TStringList() = default;
    explicit TStringList(std::vector<std::string> lines);

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int Count() const override { return static_cast<int>(items_.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const std::string& s) override; // sorted lists insert in order; -1 when refused
    int IndexOf(std::string_view s) const override;

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates d) { duplicates_ = d; }
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool v);
    void Sort();
    void CustomSort(const std::function<int(const TStringList&, int, int)>& compare);
    // Binary search in a sorted list: true when found; `index` is where it is or would go.
    bool Find(std::string_view s, int& index) const;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool updating) override;
    virtual void Changing();
    virtual void Changed();

private:
    int Compare(std::string_view a, std::string_view b) const;
    struct Item {
        std::string text;
        TObject* object = nullptr;
    };
    std::vector<Item> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    TDuplicates duplicates_ = TDuplicates::dupIgnore;
};

} // namespace zrv
