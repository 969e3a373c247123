#include "pdfhost/core/Atoms.h"

#include <deque>
#include <unordered_map>

#include "pdfhost/core/HostError.h"

namespace pdfhost {
namespace {

struct Table {
    std::unordered_map<std::string, ASAtom> byName;
    // A deque never moves its elements, so the text ASAtomGetString hands
    // out stays valid while more names are added.
    std::deque<std::string> names;
};

Table& table() {
    static Table t;
    return t;
}

} // namespace

ASAtom Atoms::FromString(const std::string& name) {
    Table& t = table();
    if (auto it = t.byName.find(name); it != t.byName.end())
        return it->second;
    if (t.names.size() >= ASAtomNull)
        Raise(kErrNoMemory, "The atom table is full.");
    const auto atom = static_cast<ASAtom>(t.names.size());
    t.names.push_back(name);
    t.byName.emplace(name, atom);
    return atom;
}

bool Atoms::Exists(ASAtom atom) {
    return atom < table().names.size();
}

const std::string& Atoms::Name(ASAtom atom) {
    if (!Exists(atom))
        Raise(kErrBadParameter, "Unknown atom " + std::to_string(atom) + ".");
    return table().names[atom];
}

} // namespace pdfhost
