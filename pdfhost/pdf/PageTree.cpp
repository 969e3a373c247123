#include "pdfhost/pdf/PageTree.h"

#include <set>

namespace pdfhost::pdf {

InheritedValue Inherited(QPDFObjectHandle page, const std::string& key) {
    constexpr int kMaxDepth = 256;
    std::set<QPDFObjGen> seen;
    QPDFObjectHandle node = page;
    for (int depth = 0; depth < kMaxDepth && node.isDictionary(); ++depth) {
        if (node.isIndirect() && !seen.insert(node.getObjGen()).second)
            break;
        QPDFObjectHandle v = node.getKey(key);
        if (!v.isNull())
            return {v, node};
        node = node.getKey("/Parent");
    }
    return {QPDFObjectHandle::newNull(), QPDFObjectHandle::newNull()};
}

} // namespace pdfhost::pdf
