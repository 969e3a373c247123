// Feeds arbitrary bytes to the parameter-file reader.
//
// Beyond "no crash, no out-of-bounds access", it checks the property the
// settings rely on: whatever a read accepted, writing it and reading the
// result back gives the same record. Content the reader refuses must leave
// the record untouched.
#include "settings/ParameterFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

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
    if (!ParameterFile::Apply(ParameterFile::Format(read), again) || !(again == read))
        std::abort();
    return 0;
}
