#pragma once
// The application server's own database (SQLite): accepted report jobs with the whole request,
// condition schemes (table GENES, keyed by NCONDITION, CREATOR, PROGRAMME), user rights and a
// few settings. One store is one database connection; several stores (one per connected
// client) may share a file, so writes are short transactions and readers wait on a busy file.

#include "platform/Variant.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

struct sqlite3;

namespace zrv {

class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct JobRecord {
    std::string jobId;
    std::string programme; // header item 1
    std::string company; // 4
    std::string creator; // 5
    std::string dbName; // 6
    std::string kind; // 9: "R", or "r" for a repeating job
    int mode = 0; // 10: 0 job queue, 1 at once, 2 at a given time
    std::string runAt; // 11, "yyyy-mm-dd hh:mm:ss"
    std::string computer; // the client computer, when the request named it
    std::string status; // "Q" queued, "R" running at once, "S" scheduled, "P" repeating,
                        // "D" done, "E" ended with an error
    std::string errorText;
    std::string created;
    std::string updated;
    Variant request; // the whole request as received
};

struct SchemeRow {
    std::string name; // NCONDITION
    std::string creator; // CREATOR
    std::string programme; // PROGRAMME
    std::string createDate; // CREATE_DATE, "yyyymmdd"
    std::string fields; // SCONDITION
    std::string values; // VCONDITION
};

struct RightsRow {
    std::string power; // the comma-separated rights text
    std::string baseLimited;
};

class ReportStore {
public:
    // Opens (creating when needed) the database; raises StoreError.
    explicit ReportStore(const std::string& path);
    ~ReportStore();
    ReportStore(const ReportStore&) = delete;
    ReportStore& operator=(const ReportStore&) = delete;

    // ZRV_APPSERVER_DB when set, else "zrv/appserver.db" under the user's data folder
    // ($XDG_DATA_HOME, else ~/.local/share).
    static std::string DefaultPath();
    const std::string& Path() const { return path_; }
    // "yyyy-mm-dd hh:mm:ss" of an automation date; empty for a value that is not a date or number.
    static std::string DateTimeText(const Variant& value);

    // Settings: "SQLType" (integer the clients keep), "RequestFailure" (when not empty, every
    // run request is refused with this description).
    std::string Setting(const std::string& name, const std::string& fallback = "") const;
    void SetSetting(const std::string& name, const std::string& value);

    // The rights of a user for a program: the row for both, else for the user and any program
    // ("*"), else for any user and the program, else the row "*", "*".
    RightsRow Rights(const std::string& user, const std::string& programme) const;
    void SetRights(const std::string& user, const std::string& programme, const RightsRow& rights);

    // Stores a job under a new identifier ("yyyymmdd" and a six-digit number of the day) and
    // returns that identifier.
    std::string AddJob(JobRecord job);
    std::optional<JobRecord> Job(const std::string& jobId) const;
    std::vector<std::string> JobIds() const;
    bool UpdateJobStatus(const std::string& jobId, const std::string& status,
        const std::string& errorText, const std::string& when);

    std::optional<SchemeRow> Scheme(
        const std::string& name, const std::string& creator, const std::string& programme) const;
    // The user's schemes of one program, by name.
    std::vector<SchemeRow> Schemes(const std::string& creator, const std::string& programme) const;
    // False (nothing stored) when the scheme exists and `replace` is false.
    bool SaveScheme(const SchemeRow& row, bool replace);
    bool DeleteScheme(
        const std::string& name, const std::string& creator, const std::string& programme);
    enum class Rename { Done, Missing, Taken };
    Rename RenameScheme(const std::string& oldName, const std::string& newName,
        const std::string& creator, const std::string& programme);

private:
    void Exec(const char* sql) const;
    std::string path_;
    sqlite3* db_ = nullptr;
};

} // namespace zrv
