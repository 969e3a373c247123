// Which function tables the host offers, and up to which version.
//
// Contract: a request for table NAME at version v gets the table when NAME is
// offered and v <= its offered version, else null (never an error). By
// default every table is offered at 5.0 and "Core" at 2.0. Offer() lowers or
// raises one table's version and Withhold() takes it away, so tests can play
// a host that lacks a table or offers an old one. Offer/Withhold return false
// for a name the host has no table for. The registry refers to the tables of
// a HostTableSet, which must outlive it.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pdfhost/core/HostTableSet.h"

namespace pdfhost {

class TableRegistry {
  public:
    explicit TableRegistry(const HostTableSet& tables);

    bool Offer(std::string_view name, ASVersion highest);
    bool Withhold(std::string_view name);
    const void* Lookup(std::string_view name, ASVersion version) const;
    // The offered version, or nothing when withheld or unknown.
    std::optional<ASVersion> Offered(std::string_view name) const;

    // Every table name the host knows, in the order of HostTableSet.
    static const std::vector<std::string>& Names();
    // "4.5" -> 0x00040005; nothing for malformed text or parts above 65535.
    static std::optional<ASVersion> ParseVersion(std::string_view text);
    static std::string FormatVersion(ASVersion version);

  private:
    struct Entry {
        const void* table = nullptr;
        std::optional<ASVersion> offered;
    };
    std::map<std::string, Entry, std::less<>> entries_;
};

} // namespace pdfhost
