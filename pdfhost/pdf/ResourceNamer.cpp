#include "pdfhost/pdf/ResourceNamer.h"

#include "pdfhost/pdf/PageTree.h"

namespace pdfhost::pdf {

std::pair<QPDFObjectHandle, QPDFObjGen> ResourceNamer::EffectiveResources(QPDFObjectHandle page) {
    InheritedValue r = Inherited(page, "/Resources");
    if (r.value.isDictionary())
        return {r.value, r.value.isIndirect() ? r.value.getObjGen() : r.holder.getObjGen()};
    QPDFObjectHandle own = QPDFObjectHandle::newDictionary();
    page.replaceKey("/Resources", own);
    changes_.Mark(page);
    return {own, page.getObjGen()};
}

std::string ResourceNamer::NameFor(QPDFObjectHandle page, const std::string& category,
                                   const std::string& prefix, QPDFObjectHandle object) {
    auto [resources, owner] = EffectiveResources(page);
    const QPDFObjGen target = object.getObjGen();
    // Only dictionaries that other pages may share are worth remembering:
    // one of a page's own is asked about once a run, and remembering every
    // page's names cost a 20,000-page run 9 MB.
    const bool shared = owner != page.getObjGen();
    const auto key = std::make_tuple(owner, category, target);
    // (A missing key is asked about first: qpdf describes the null it would
    // give, which costs more than the rest of the lookup.)
    QPDFObjectHandle sub =
        resources.hasKey(category) ? resources.getKey(category) : QPDFObjectHandle::newNull();
    // A shared dictionary's names go on from the last one given; a page's own
    // start at 1.
    long long first = 0;
    auto counter = [&]() -> long long& { return shared ? next_[{owner, category}] : first; };
    if (!sub.isDictionary()) {
        // Most pages have no pictures yet: their first name is made with
        // its dictionary, which nothing else can hold.
        const std::string name = "/" + prefix + std::to_string(++counter());
        resources.replaceKey(category, QPDFObjectHandle::newDictionary({{name, object}}));
        changes_.Mark(owner);
        if (shared)
            known_[key] = name;
        return name;
    }
    auto holds = [&](const std::string& name) {
        QPDFObjectHandle v = sub.getKey(name);
        return v.isIndirect() && v.getObjGen() == target;
    };
    if (shared)
        if (auto it = known_.find(key); it != known_.end() && holds(it->second))
            return it->second;
    for (auto const& item : sub.getDictAsMap()) {
        if (item.second.isIndirect() && item.second.getObjGen() == target) {
            if (shared)
                known_[key] = item.first;
            return item.first;
        }
    }
    long long& n = counter();
    std::string name;
    do {
        name = "/" + prefix + std::to_string(++n);
    } while (sub.hasKey(name));
    sub.replaceKey(name, object);
    changes_.Mark(sub.isIndirect() ? sub.getObjGen() : owner);
    if (shared)
        known_[key] = name;
    return name;
}

} // namespace pdfhost::pdf
