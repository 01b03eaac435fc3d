#pragma once
// Shared pieces of the application server tests: a fresh database per test and a run request
// shaped as the report window sends it.

#include "platform/SystemInfo.h"
#include "platform/Variant.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace zrv::test {

// A database path in a folder of its own, removed with the fixture.
class TempDatabase {
public:
    TempDatabase()
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::path(::testing::TempDir())
            / ("appserver_" + std::string(info->test_suite_name()) + "_" + info->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    ~TempDatabase() { std::filesystem::remove_all(folder_); }
    std::string Path() const { return (folder_ / "appserver.db").string(); }
    std::string Folder() const { return folder_.string(); }

private:
    std::filesystem::path folder_;
};

// A request of `n` conditions: header 1..14, labels and values 1..n, and for a repeating job the
// schedule parts. Texts are wide, as the window sends them.
inline Variant RunRequest(const std::string& user, int n = 20, int mode = 0, bool repeating = false)
{
    Variant header = Variant::Array(1, 14);
    header[1] = Variant::Wide("KVSR58");
    header[2] = 14;
    header[3] = n;
    header[4] = Variant::Wide("DEMO");
    header[5] = Variant::Wide(user);
    header[6] = Variant::Wide("DEMODB");
    header[7] = Variant::FromDate(45418.5);
    header[8] = Variant::Wide("KVSR58S.Class1");
    header[9] = Variant::Wide(repeating ? "r" : "R");
    header[10] = mode;
    header[11] = Variant::FromDate(45419.354166666664); // 2024-05-07 08:30:00
    header[12] = Variant::Wide("");
    header[13] = Variant::Wide("Y");
    header[14] = 1;
    Variant labels = Variant::Array(1, n);
    Variant values = Variant::Array(1, n);
    for (int i = 1; i <= n; ++i) {
        labels[i] = Variant::ArrayOf(
            { Variant::Wide("条件" + std::to_string(i)), Variant::Wide("sp" + std::to_string(i)) });
        values[i] = Variant::ArrayOf(
            { Variant::Wide("\x04"), Variant::Wide("A001"), Variant::Wide("Z999") });
    }
    std::vector<Variant> parts { header, labels, values };
    if (repeating) {
        parts.push_back(Variant::ArrayOf({ 1, Variant::Wide("20240507"), 8, 30 }));
        parts.push_back(Variant::ArrayOf({ Variant::ArrayOf(
            { Variant::Wide("0"), Variant::Wide("sp06"), Variant::Wide("D") }) }));
    }
    return Variant::ArrayOf(parts);
}

} // namespace zrv::test
