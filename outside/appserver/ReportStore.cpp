#include "ReportStore.h"

#include "platform/SystemInfo.h"
#include "platform/VariantStream.h"

#include <sqlite3.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace zrv {

namespace {

    // Schema version 1. Tables are created on first use and never dropped.
    const char* const kSchema = R"sql(
CREATE TABLE IF NOT EXISTS SETTINGS (
    NAME TEXT PRIMARY KEY,
    VALUE TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS RIGHTS (
    CREATOR TEXT NOT NULL,
    PROGRAMME TEXT NOT NULL,
    POWER TEXT NOT NULL,
    BASELIMITED TEXT NOT NULL DEFAULT '',
    PRIMARY KEY (CREATOR, PROGRAMME));
CREATE TABLE IF NOT EXISTS JOBSEQ (
    DAY TEXT PRIMARY KEY,
    LAST INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS JOBS (
    JOBID TEXT PRIMARY KEY,
    PROGRAMME TEXT, COMPANY TEXT, CREATOR TEXT, DBNAME TEXT, KIND TEXT,
    MODE INTEGER, RUNAT TEXT, COMPUTER TEXT,
    STATUS TEXT NOT NULL, ERRORTEXT TEXT NOT NULL DEFAULT '',
    CREATED TEXT NOT NULL, UPDATED TEXT NOT NULL,
    REQUEST BLOB NOT NULL);
CREATE TABLE IF NOT EXISTS GENES (
    NCONDITION TEXT NOT NULL,
    CREATOR TEXT NOT NULL,
    PROGRAMME TEXT NOT NULL,
    CREATE_DATE TEXT NOT NULL,
    SCONDITION TEXT NOT NULL,
    VCONDITION TEXT NOT NULL,
    PRIMARY KEY (NCONDITION, CREATOR, PROGRAMME));
INSERT OR IGNORE INTO SETTINGS VALUES ('SQLType', '1');
INSERT OR IGNORE INTO SETTINGS VALUES ('RequestFailure', '');
INSERT OR IGNORE INTO RIGHTS VALUES ('*', '*', 'Y,Y,Y,YYYYYYYY', '');
PRAGMA user_version = 1;
)sql";

    // One prepared statement, finalized on every path.
    class Statement {
    public:
        Statement(sqlite3* db, const char* sql)
            : db_(db)
        {
            if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK)
                throw StoreError(std::string("Database error: ") + sqlite3_errmsg(db));
        }
        ~Statement() { sqlite3_finalize(stmt_); }
        Statement(const Statement&) = delete;
        Statement& operator=(const Statement&) = delete;

        Statement& Bind(const std::string& text)
        {
            sqlite3_bind_text(
                stmt_, ++next_, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
            return *this;
        }
        Statement& Bind(int64_t value)
        {
            sqlite3_bind_int64(stmt_, ++next_, value);
            return *this;
        }
        Statement& BindBlob(const std::string& bytes)
        {
            sqlite3_bind_blob(
                stmt_, ++next_, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
            return *this;
        }
        // True while there is a row.
        bool Step()
        {
            const int rc = sqlite3_step(stmt_);
            if (rc == SQLITE_ROW)
                return true;
            if (rc == SQLITE_DONE)
                return false;
            throw StoreError(std::string("Database error: ") + sqlite3_errmsg(db_));
        }
        std::string Text(int col) const
        {
            const auto* p = sqlite3_column_text(stmt_, col);
            return p
                ? std::string(reinterpret_cast<const char*>(p), sqlite3_column_bytes(stmt_, col))
                : std::string();
        }
        std::string Blob(int col) const
        {
            const void* p = sqlite3_column_blob(stmt_, col);
            return p ? std::string(static_cast<const char*>(p), sqlite3_column_bytes(stmt_, col))
                     : std::string();
        }
        int64_t Int(int col) const { return sqlite3_column_int64(stmt_, col); }

    private:
        sqlite3* db_;
        sqlite3_stmt* stmt_ = nullptr;
        int next_ = 0;
    };

    // Commits when Commit is called, rolls back otherwise.
    class Transaction {
    public:
        explicit Transaction(sqlite3* db)
            : db_(db)
        {
            if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
                throw StoreError(std::string("Database error: ") + sqlite3_errmsg(db));
        }
        ~Transaction()
        {
            if (!done_)
                sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        }
        void Commit()
        {
            if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
                throw StoreError(std::string("Database error: ") + sqlite3_errmsg(db_));
            done_ = true;
        }

    private:
        sqlite3* db_;
        bool done_ = false;
    };

    std::string Now(const char* format)
    {
        const time_t t = std::time(nullptr);
        std::tm local {};
        localtime_r(&t, &local);
        char buf[32];
        std::strftime(buf, sizeof buf, format, &local);
        return buf;
    }

    JobRecord ReadJob(const Statement& s)
    {
        JobRecord j;
        j.jobId = s.Text(0);
        j.programme = s.Text(1);
        j.company = s.Text(2);
        j.creator = s.Text(3);
        j.dbName = s.Text(4);
        j.kind = s.Text(5);
        j.mode = static_cast<int>(s.Int(6));
        j.runAt = s.Text(7);
        j.computer = s.Text(8);
        j.status = s.Text(9);
        j.errorText = s.Text(10);
        j.created = s.Text(11);
        j.updated = s.Text(12);
        try {
            j.request = DecodeValue(s.Blob(13));
        } catch (const VariantStreamError& e) {
            throw StoreError(
                "The stored request of job " + j.jobId + " cannot be read: " + e.what());
        }
        return j;
    }

    SchemeRow ReadScheme(const Statement& s)
    {
        return SchemeRow { s.Text(0), s.Text(1), s.Text(2), s.Text(3), s.Text(4), s.Text(5) };
    }

} // namespace

ReportStore::ReportStore(const std::string& path)
    : path_(path)
{
    const auto folder = std::filesystem::path(path).parent_path();
    if (!folder.empty())
        ForceDirectories(folder.string());
    if (sqlite3_open_v2(path.c_str(), &db_,
            SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr)
        != SQLITE_OK) {
        const std::string why = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw StoreError("Cannot open the server database " + path + ": " + why);
    }
    sqlite3_busy_timeout(db_, 10000);
    try {
        Exec("PRAGMA journal_mode = WAL");
        Exec(kSchema);
    } catch (const StoreError& e) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw StoreError("Cannot prepare the server database " + path + ": " + e.what());
    }
}

ReportStore::~ReportStore() { sqlite3_close(db_); }

std::string ReportStore::DefaultPath()
{
    if (const char* p = std::getenv("ZRV_APPSERVER_DB"); p && *p)
        return p;
    std::string base;
    if (const char* x = std::getenv("XDG_DATA_HOME"); x && *x)
        base = x;
    else if (const char* h = std::getenv("HOME"); h && *h)
        base = std::string(h) + "/.local/share";
    else
        base = TempFolder();
    return base + "/zrv/appserver.db";
}

std::string ReportStore::DateTimeText(const Variant& value)
{
    double d = 0;
    try {
        if (value.Type() != varDate && !value.IsNumeric())
            return {};
        d = value.ToDouble();
    } catch (const VariantError&) {
        return {};
    }
    if (!std::isfinite(d) || std::fabs(d) > 3e6)
        return {};
    const DateParts p = DecodeDate(d);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour,
        p.minute, p.second);
    return buf;
}

void ReportStore::Exec(const char* sql) const
{
    char* error = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string why = error ? error : sqlite3_errmsg(db_);
        sqlite3_free(error);
        throw StoreError("Database error: " + why);
    }
}

std::string ReportStore::Setting(const std::string& name, const std::string& fallback) const
{
    Statement s(db_, "SELECT VALUE FROM SETTINGS WHERE NAME = ?");
    s.Bind(name);
    return s.Step() ? s.Text(0) : fallback;
}

void ReportStore::SetSetting(const std::string& name, const std::string& value)
{
    Statement s(db_, "INSERT OR REPLACE INTO SETTINGS VALUES (?, ?)");
    s.Bind(name).Bind(value).Step();
}

RightsRow ReportStore::Rights(const std::string& user, const std::string& programme) const
{
    // The most specific row wins: exact user before "*", then exact program before "*".
    Statement s(db_,
        "SELECT POWER, BASELIMITED FROM RIGHTS"
        " WHERE CREATOR IN (?, '*') AND PROGRAMME IN (?, '*')"
        " ORDER BY CREATOR = '*', PROGRAMME = '*' LIMIT 1");
    s.Bind(user).Bind(programme);
    if (s.Step())
        return RightsRow { s.Text(0), s.Text(1) };
    return RightsRow { "N,N,N,NNNNNNNN", "" };
}

void ReportStore::SetRights(
    const std::string& user, const std::string& programme, const RightsRow& rights)
{
    Statement s(db_, "INSERT OR REPLACE INTO RIGHTS VALUES (?, ?, ?, ?)");
    s.Bind(user).Bind(programme).Bind(rights.power).Bind(rights.baseLimited).Step();
}

std::string ReportStore::AddJob(JobRecord job)
{
    const std::string blob = EncodeValue(job.request);
    const std::string day = Now("%Y%m%d");
    job.created = job.updated = Now("%Y-%m-%d %H:%M:%S");
    Transaction t(db_);
    int64_t number = 1;
    {
        Statement s(db_, "SELECT LAST FROM JOBSEQ WHERE DAY = ?");
        s.Bind(day);
        if (s.Step())
            number = s.Int(0) + 1;
    }
    Statement(db_, "INSERT OR REPLACE INTO JOBSEQ VALUES (?, ?)").Bind(day).Bind(number).Step();
    char id[32];
    std::snprintf(id, sizeof id, "%s%06lld", day.c_str(), static_cast<long long>(number));
    job.jobId = id;
    Statement s(db_, "INSERT INTO JOBS VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    s.Bind(job.jobId).Bind(job.programme).Bind(job.company).Bind(job.creator).Bind(job.dbName);
    s.Bind(job.kind).Bind(job.mode).Bind(job.runAt).Bind(job.computer).Bind(job.status);
    s.Bind(job.errorText).Bind(job.created).Bind(job.updated).BindBlob(blob).Step();
    t.Commit();
    return job.jobId;
}

std::optional<JobRecord> ReportStore::Job(const std::string& jobId) const
{
    Statement s(db_, "SELECT * FROM JOBS WHERE JOBID = ?");
    s.Bind(jobId);
    if (!s.Step())
        return std::nullopt;
    return ReadJob(s);
}

std::vector<std::string> ReportStore::JobIds() const
{
    Statement s(db_, "SELECT JOBID FROM JOBS ORDER BY JOBID");
    std::vector<std::string> ids;
    while (s.Step())
        ids.push_back(s.Text(0));
    return ids;
}

bool ReportStore::UpdateJobStatus(const std::string& jobId, const std::string& status,
    const std::string& errorText, const std::string& when)
{
    Statement s(db_, "UPDATE JOBS SET STATUS = ?, ERRORTEXT = ?, UPDATED = ? WHERE JOBID = ?");
    s.Bind(status)
        .Bind(errorText)
        .Bind(when.empty() ? Now("%Y-%m-%d %H:%M:%S") : when)
        .Bind(jobId)
        .Step();
    return sqlite3_changes(db_) > 0;
}

std::optional<SchemeRow> ReportStore::Scheme(
    const std::string& name, const std::string& creator, const std::string& programme) const
{
    Statement s(db_, "SELECT * FROM GENES WHERE NCONDITION = ? AND CREATOR = ? AND PROGRAMME = ?");
    s.Bind(name).Bind(creator).Bind(programme);
    if (!s.Step())
        return std::nullopt;
    return ReadScheme(s);
}

std::vector<SchemeRow> ReportStore::Schemes(
    const std::string& creator, const std::string& programme) const
{
    Statement s(db_, "SELECT * FROM GENES WHERE CREATOR = ? AND PROGRAMME = ? ORDER BY NCONDITION");
    s.Bind(creator).Bind(programme);
    std::vector<SchemeRow> rows;
    while (s.Step())
        rows.push_back(ReadScheme(s));
    return rows;
}

bool ReportStore::SaveScheme(const SchemeRow& row, bool replace)
{
    Statement s(db_,
        replace ? "INSERT OR REPLACE INTO GENES VALUES (?, ?, ?, ?, ?, ?)"
                : "INSERT OR IGNORE INTO GENES VALUES (?, ?, ?, ?, ?, ?)");
    s.Bind(row.name)
        .Bind(row.creator)
        .Bind(row.programme)
        .Bind(row.createDate)
        .Bind(row.fields)
        .Bind(row.values);
    s.Step();
    return sqlite3_changes(db_) > 0;
}

bool ReportStore::DeleteScheme(
    const std::string& name, const std::string& creator, const std::string& programme)
{
    Statement s(db_, "DELETE FROM GENES WHERE NCONDITION = ? AND CREATOR = ? AND PROGRAMME = ?");
    s.Bind(name).Bind(creator).Bind(programme).Step();
    return sqlite3_changes(db_) > 0;
}

ReportStore::Rename ReportStore::RenameScheme(const std::string& oldName,
    const std::string& newName, const std::string& creator, const std::string& programme)
{
    Transaction t(db_);
    if (!Scheme(oldName, creator, programme))
        return Rename::Missing;
    if (newName != oldName && Scheme(newName, creator, programme))
        return Rename::Taken;
    Statement s(db_,
        "UPDATE GENES SET NCONDITION = ? WHERE NCONDITION = ? AND CREATOR = ? AND PROGRAMME = ?");
    s.Bind(newName).Bind(oldName).Bind(creator).Bind(programme).Step();
    t.Commit();
    return Rename::Done;
}

} // namespace zrv
