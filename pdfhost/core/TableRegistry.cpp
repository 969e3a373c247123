#include "pdfhost/core/TableRegistry.h"

#include <charconv>

namespace pdfhost {

TableRegistry::TableRegistry(const HostTableSet& t) {
    const std::vector<std::pair<std::string, const void*>> tables = {
        {"Core", &t.core},
        {"AcroSupport", &t.acroSupport},
        {"Cos", &t.cos},
        {"PDModel", &t.pdModel},
        {"PDFEditWrite", &t.pdfEditWrite},
        {"PDFEditRead", &t.pdfEditRead},
        {"PDSysFont", &t.pdSysFont},
        {"PagePDEContent", &t.pagePDEContent},
        {"AcroView", &t.acroView},
        {"PDSWrite", &t.pdsWrite},
        {"PDSRead", &t.pdsRead},
        {"Win", &t.win},
        {"ASExtra", &t.asExtra},
        {"AcroViewSweetPea", &t.acroViewSweetPea},
        {"PDMetadata", &t.pdMetadata},
    };
    for (const auto& [name, table] : tables)
        entries_[name] = Entry{table, name == "Core" ? CORE_HFT_VERSION_2 : HFT_VERSION_5_0};
}

const std::vector<std::string>& TableRegistry::Names() {
    static const std::vector<std::string> names = {
        "Core",      "AcroSupport",      "Cos",       "PDModel",  "PDFEditWrite", "PDFEditRead",
        "PDSysFont", "PagePDEContent",   "AcroView",  "PDSWrite", "PDSRead",      "Win",
        "ASExtra",   "AcroViewSweetPea", "PDMetadata"};
    return names;
}

bool TableRegistry::Offer(std::string_view name, ASVersion highest) {
    auto it = entries_.find(name);
    if (it == entries_.end())
        return false;
    it->second.offered = highest;
    return true;
}

bool TableRegistry::Withhold(std::string_view name) {
    auto it = entries_.find(name);
    if (it == entries_.end())
        return false;
    it->second.offered.reset();
    return true;
}

const void* TableRegistry::Lookup(std::string_view name, ASVersion version) const {
    auto it = entries_.find(name);
    if (it == entries_.end() || !it->second.offered || version > *it->second.offered)
        return nullptr;
    return it->second.table;
}

std::optional<ASVersion> TableRegistry::Offered(std::string_view name) const {
    auto it = entries_.find(name);
    if (it == entries_.end())
        return std::nullopt;
    return it->second.offered;
}

std::optional<ASVersion> TableRegistry::ParseVersion(std::string_view text) {
    const auto dot = text.find('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    auto part = [](std::string_view s) -> std::optional<unsigned> {
        unsigned value = 0;
        if (s.empty())
            return std::nullopt;
        auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
        if (ec != std::errc() || end != s.data() + s.size() || value > 0xFFFF)
            return std::nullopt;
        return value;
    };
    const auto major = part(text.substr(0, dot));
    const auto minor = part(text.substr(dot + 1));
    if (!major || !minor)
        return std::nullopt;
    return static_cast<ASVersion>((*major << 16) | *minor);
}

std::string TableRegistry::FormatVersion(ASVersion version) {
    return std::to_string(version >> 16) + "." + std::to_string(version & 0xFFFF);
}

} // namespace pdfhost
