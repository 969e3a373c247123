#include "TsvRows.h"

#include <fstream>
#include <sstream>

namespace testsupport {

std::optional<std::vector<TsvRow>> ReadTsvRows(const std::filesystem::path& path) {
    std::ifstream in(path);
    if (!in)
        return std::nullopt;
    std::vector<TsvRow> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        TsvRow fields;
        std::stringstream split(line);
        for (std::string field; std::getline(split, field, '\t');)
            fields.push_back(field);
        rows.push_back(std::move(fields));
    }
    return rows;
}

} // namespace testsupport
