#include "pdfhost/core/HostLog.h"

#include <iostream>

namespace pdfhost {
namespace {

std::ostream*& stream() {
    static std::ostream* s = nullptr;
    return s;
}

} // namespace

void HostLog::Report(const std::string& text) {
    std::ostream& out = stream() ? *stream() : std::cerr;
    out << "pdfhost: " << text << '\n';
    out.flush();
}

void HostLog::SetStream(std::ostream* out) {
    stream() = out;
}

} // namespace pdfhost
