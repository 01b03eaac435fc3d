#pragma once
// The host's demo company database (SQLite): settings, message templates, the program table and
// the master tables. It is built from the readable seed (outside/demo-data/demo_seed.sql, compiled
// into the library) whenever the file is missing or was built from an older seed. Condition
// schemes are read from the application server's database when that exists, as both parties
// share the company's data in a real installation.

#include "platform/Variant.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace zrv {

class DemoDatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class DemoDatabase {
public:
    using Row = std::vector<Variant>;

    // Opens the database at `path` (":memory:" for one that lives with the object), building it
    // from the seed when needed. `schemePath` names the application server's database; empty
    // means none. Raises DemoDatabaseError.
    explicit DemoDatabase(const std::string& path, const std::string& schemePath = "");
    ~DemoDatabase();
    DemoDatabase(const DemoDatabase&) = delete;
    DemoDatabase& operator=(const DemoDatabase&) = delete;

    // ZRV_DEMO_DB, else "zrv/demo.db" under the user's data folder.
    static std::string DefaultPath();
    // ZRV_APPSERVER_DB, else "zrv/appserver.db" under the user's data folder (where the
    // application server keeps its database by default).
    static std::string DefaultSchemePath();
    // The seed: the file named by ZRV_DEMO_SEED when set, else the text compiled in.
    static std::string SeedText();
    // The user_version the seed sets.
    static int SeedVersion(std::string_view seed);

    // Runs one statement with text parameters bound to ?1, ?2, ... (missing ones bind as empty
    // texts) and returns up to `maxRows` rows. Texts come back as wide texts, integers as
    // integers, reals as doubles, NULL as an empty text. With `readOnly` only statements that do
    // not write are run. Raises DemoDatabaseError.
    std::vector<Row> Query(const std::string& sql, const std::vector<std::string>& params = {},
        size_t maxRows = static_cast<size_t>(-1), bool readOnly = false) const;
    // The column names of a statement without running it.
    std::vector<std::string> Columns(const std::string& sql) const;

    // The schema that holds the condition schemes: "srv" (the application server's database,
    // attached on first use once it exists) or "main".
    std::string SchemeSchema();

private:
    void Build(const std::string& path);
    sqlite3* db_ = nullptr;
    std::string schemePath_;
    bool schemesAttached_ = false;
};

} // namespace zrv
