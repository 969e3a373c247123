// Feeds arbitrary bytes to the parameter-file reader.
//
// Beyond "no crash, no out-of-bounds access", it checks the property the
// settings rely on: whatever a read accepted, writing it and reading the
// result back gives the same record, but for a CR inside a text value, which
// the writer puts down as a space. Content the reader refuses must leave the
// record untouched.
#include "settings/ParameterFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

StampSettings AsWritten(StampSettings s) {
    for (std::string* text :
         {&s.szPosition, &s.szImageFileName, &s.text.szText, &s.text.szFontName})
        std::replace(text->begin(), text->end(), '\r', ' ');
    std::string face(s.text.lfFontInfo.FaceName());
    std::replace(face.begin(), face.end(), '\r', ' ');
    s.text.lfFontInfo.SetFaceName(face);
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);

    StampSettings read;
    read.ApplyFirstRunValues();
    // An empty face name is written as one space, the one value that does
    // not come back as it went out; no read can produce it.
    read.text.lfFontInfo.SetFaceName("Arial");
    const StampSettings before = read;
    if (!ParameterFile::Apply(content, read)) {
        if (!(read == before))
            std::abort();
        return 0;
    }
    StampSettings again;
    if (!ParameterFile::Apply(ParameterFile::Format(read), again) || !(again == AsWritten(read)))
        std::abort();
    return 0;
}
