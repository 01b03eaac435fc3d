#include "platform/components/FormResources.h"

#include "platform/components/TypeInfo.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <cctype>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>

namespace zrv {

namespace {
    struct Entry {
        std::string fileName;
        std::string text;
        std::unique_ptr<TFormDescription> parsed;
    };

    struct NameLess {
        bool operator()(const std::string& a, const std::string& b) const
        {
            size_t n = std::min(a.size(), b.size());
            for (size_t i = 0; i < n; ++i) {
                char x = static_cast<char>(std::tolower(static_cast<unsigned char>(a[i])));
                char y = static_cast<char>(std::tolower(static_cast<unsigned char>(b[i])));
                if (x != y)
                    return x < y;
            }
            return a.size() < b.size();
        }
    };

    std::map<std::string, Entry, NameLess>& Entries()
    {
        static std::map<std::string, Entry, NameLess> entries;
        return entries;
    }

    void ScanResources()
    {
        static bool scanned = false;
        if (scanned)
            return;
        scanned = true;
        QDirIterator it(":/", { "*.zfm" }, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QString path = it.next();
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly))
                continue;
            QByteArray bytes = f.readAll();
            std::string text(bytes.constData(), static_cast<size_t>(bytes.size()));
            std::string file
                = path.mid(2).toStdString(); // ":/forms/root/X.zfm" -> "forms/root/X.zfm"
            std::string cls = DescribedClassName(text);
            if (cls.empty()) {
                std::fprintf(stderr,
                    "kvsr58: %s:1: the first line names no class; description ignored\n",
                    file.c_str());
                continue;
            }
            auto& e = Entries()[cls];
            if (e.fileName.empty()) // descriptions added at run time win
                e = Entry { file, std::move(text), nullptr };
        }
    }
} // namespace

const TFormDescription* FormResources::Find(std::string_view className)
{
    ScanResources();
    auto it = Entries().find(std::string(className));
    if (it == Entries().end())
        return nullptr;
    Entry& e = it->second;
    if (!e.parsed)
        e.parsed
            = std::make_unique<TFormDescription>(ParseFormDescriptionOrThrow(e.text, e.fileName));
    return e.parsed.get();
}

bool FormResources::Add(const std::string& fileName, std::string text)
{
    ScanResources();
    std::string cls = DescribedClassName(text);
    if (cls.empty())
        return false;
    Entries()[cls] = Entry { fileName, std::move(text), nullptr };
    return true;
}

void FormResources::Remove(std::string_view className) { Entries().erase(std::string(className)); }

std::vector<std::string> FormResources::ClassNames()
{
    ScanResources();
    std::vector<std::string> out;
    for (const auto& [name, entry] : Entries())
        out.push_back(name);
    return out;
}

} // namespace zrv
