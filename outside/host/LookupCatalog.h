#pragma once
// What the host answers for each (table, kind) pair the modules ask about: the statement the
// validator runs for a check or a query, and the statement, caption and column captions of the
// lookup window. Statements take the caller's conditions as ?1, ?2, ... in order; "{S}" stands
// for the schema that holds the condition schemes.

#include <string>
#include <vector>

namespace zrv {

struct CatalogEntry {
    std::string table;
    std::string kind;
    std::string title; // caption of the lookup window
    std::string sql;
    std::vector<std::string> captions; // one per column, for the lookup window
};

class LookupCatalog {
public:
    // The validator's entry ("CheckValue" answers the first row, "QueryData" every row); nullptr
    // when the pair is unknown. Table and kind compare without regard to case.
    static const CatalogEntry* Check(const std::string& table, const std::string& kind);
    // The lookup window's entry; nullptr when the pair is unknown.
    static const CatalogEntry* Lookup(const std::string& table, const std::string& kind);
};

} // namespace zrv
