#include "DemoDatabase.h"

#include "platform/CodePage.h"
#include "platform/SystemInfo.h"

#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <regex>
#include <sstream>

#include <unistd.h>

namespace zrv {

// The seed compiled into the library (generated from outside/demo-data/demo_seed.sql).
extern const unsigned char kDemoSeedBytes[];
extern const size_t kDemoSeedSize;

namespace {

    std::string DataFolder()
    {
        if (const char* x = std::getenv("XDG_DATA_HOME"); x && *x)
            return std::string(x) + "/zrv/";
        if (const char* h = std::getenv("HOME"); h && *h)
            return std::string(h) + "/.local/share/zrv/";
        return TempFolder() + "zrv/";
    }

    std::string Message(sqlite3* db) { return db ? sqlite3_errmsg(db) : "out of memory"; }

    void Exec(sqlite3* db, const std::string& sql)
    {
        char* error = nullptr;
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string why = error ? error : Message(db);
            sqlite3_free(error);
            throw DemoDatabaseError("Demo database: " + why);
        }
    }

    sqlite3* Open(const std::string& path, int flags)
    {
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(path.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
            const std::string why = Message(db);
            sqlite3_close(db);
            throw DemoDatabaseError("Cannot open the demo database " + path + ": " + why);
        }
        sqlite3_busy_timeout(db, 5000);
        return db;
    }

    int UserVersion(sqlite3* db)
    {
        sqlite3_stmt* s = nullptr;
        int version = 0;
        if (sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &s, nullptr) == SQLITE_OK
            && sqlite3_step(s) == SQLITE_ROW)
            version = sqlite3_column_int(s, 0);
        sqlite3_finalize(s);
        return version;
    }

    // Prepares exactly one statement; anything but blanks and comments after it is refused.
    sqlite3_stmt* PrepareOne(sqlite3* db, const std::string& sql)
    {
        sqlite3_stmt* s = nullptr;
        const char* tail = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &s, &tail)
            != SQLITE_OK)
            throw DemoDatabaseError("Demo database: " + Message(db));
        if (!s)
            throw DemoDatabaseError("Demo database: the statement is empty");
        sqlite3_stmt* more = nullptr;
        const std::string rest(tail ? tail : "");
        if (!Trim(rest).empty()
            && sqlite3_prepare_v2(db, rest.c_str(), -1, &more, nullptr) == SQLITE_OK && more) {
            sqlite3_finalize(more);
            sqlite3_finalize(s);
            throw DemoDatabaseError("Demo database: only one statement may be given");
        }
        return s;
    }

} // namespace

DemoDatabase::DemoDatabase(const std::string& path, const std::string& schemePath)
    : schemePath_(schemePath)
{
    if (path == ":memory:") {
        db_ = Open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        try {
            Exec(db_, SeedText());
        } catch (...) {
            sqlite3_close(db_);
            throw;
        }
        return;
    }
    const int wanted = SeedVersion(SeedText());
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        db_ = Open(path, SQLITE_OPEN_READWRITE);
        if (UserVersion(db_) >= wanted)
            return;
        sqlite3_close(db_);
        db_ = nullptr;
    }
    Build(path);
    db_ = Open(path, SQLITE_OPEN_READWRITE);
}

DemoDatabase::~DemoDatabase() { sqlite3_close(db_); }

void DemoDatabase::Build(const std::string& path)
{
    // Built aside and renamed into place, so that no one ever opens a half-built database.
    const auto folder = std::filesystem::path(path).parent_path();
    if (!folder.empty())
        ForceDirectories(folder.string());
    const std::string building = path + ".building-" + std::to_string(::getpid());
    std::error_code ec;
    std::filesystem::remove(building, ec);
    sqlite3* db = Open(building, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    try {
        Exec(db, SeedText());
    } catch (...) {
        sqlite3_close(db);
        std::filesystem::remove(building, ec);
        throw;
    }
    sqlite3_close(db);
    std::filesystem::remove(path + "-journal", ec);
    std::filesystem::rename(building, path, ec);
    if (ec)
        throw DemoDatabaseError(
            "Cannot put the demo database in place at " + path + ": " + ec.message());
}

std::string DemoDatabase::DefaultPath()
{
    if (const char* p = std::getenv("ZRV_DEMO_DB"); p && *p)
        return p;
    return DataFolder() + "demo.db";
}

std::string DemoDatabase::DefaultSchemePath()
{
    if (const char* p = std::getenv("ZRV_APPSERVER_DB"); p && *p)
        return p;
    return DataFolder() + "appserver.db";
}

std::string DemoDatabase::SeedText()
{
    if (const char* p = std::getenv("ZRV_DEMO_SEED"); p && *p) {
        std::ifstream in(p, std::ios::binary);
        if (!in)
            throw DemoDatabaseError(std::string("Cannot read the demo seed ") + p);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    return std::string(reinterpret_cast<const char*>(kDemoSeedBytes), kDemoSeedSize);
}

int DemoDatabase::SeedVersion(std::string_view seed)
{
    static const std::regex pragma(R"(PRAGMA\s+user_version\s*=\s*(\d+))", std::regex::icase);
    std::match_results<std::string_view::const_iterator> m;
    if (std::regex_search(seed.begin(), seed.end(), m, pragma))
        return std::stoi(m[1].str());
    return 0;
}

std::vector<DemoDatabase::Row> DemoDatabase::Query(const std::string& sql,
    const std::vector<std::string>& params, size_t maxRows, bool readOnly) const
{
    sqlite3_stmt* s = PrepareOne(db_, sql);
    std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> guard(s, &sqlite3_finalize);
    if (readOnly && !sqlite3_stmt_readonly(s))
        throw DemoDatabaseError("Demo database: only queries are allowed here");
    const int count = sqlite3_bind_parameter_count(s);
    for (int i = 1; i <= count; ++i) {
        const std::string& v
            = static_cast<size_t>(i) <= params.size() ? params[i - 1] : std::string();
        sqlite3_bind_text(s, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
    }
    std::vector<Row> rows;
    while (rows.size() < maxRows) {
        const int rc = sqlite3_step(s);
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            throw DemoDatabaseError("Demo database: " + Message(db_));
        Row row;
        for (int c = 0; c < sqlite3_column_count(s); ++c) {
            switch (sqlite3_column_type(s, c)) {
            case SQLITE_INTEGER: {
                const int64_t v = sqlite3_column_int64(s, c);
                if (v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max())
                    row.emplace_back(static_cast<int>(v));
                else
                    row.emplace_back(v);
                break;
            }
            case SQLITE_FLOAT:
                row.emplace_back(sqlite3_column_double(s, c));
                break;
            case SQLITE_NULL:
                row.push_back(Variant::Wide(""));
                break;
            default: {
                const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s, c));
                row.push_back(Variant::Wide(
                    std::string(p ? p : "", static_cast<size_t>(sqlite3_column_bytes(s, c)))));
                break;
            }
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<std::string> DemoDatabase::Columns(const std::string& sql) const
{
    sqlite3_stmt* s = PrepareOne(db_, sql);
    std::vector<std::string> names;
    for (int c = 0; c < sqlite3_column_count(s); ++c)
        names.emplace_back(sqlite3_column_name(s, c));
    sqlite3_finalize(s);
    return names;
}

std::string DemoDatabase::SchemeSchema()
{
    if (!schemesAttached_ && !schemePath_.empty()) {
        std::error_code ec;
        if (std::filesystem::exists(schemePath_, ec)) {
            Query("ATTACH DATABASE ?1 AS srv", { schemePath_ });
            schemesAttached_ = true;
        }
    }
    if (schemesAttached_
        && !Query("SELECT 1 FROM srv.sqlite_master WHERE type = 'table' AND name = 'GENES'")
                .empty())
        return "srv";
    return "main";
}

} // namespace zrv
