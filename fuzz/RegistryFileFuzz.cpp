// Feeds arbitrary text to the registry file reader.
//
// Input: the file's text, then optionally a NUL byte and a string value that
// is set on a key before saving. Beyond "no crash, no out-of-bounds access"
// it checks what a registry that is read and saved again relies on: what a
// read kept is written so that the next read gives no warning and the same
// store (writing it again gives the same text), and a string set through
// SetString reads back as the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/RegistryStore.h"

using platform::RegistryStore;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    const std::string_view text = input.substr(0, nul);

    std::vector<std::string> warnings;
    RegistryStore store = RegistryStore::Parse(text, &warnings);
    constexpr std::string_view kKey = "HKEY_CURRENT_USER\\Software\\Fuzz";
    std::string set;
    if (nul != std::string_view::npos) {
        set = std::string(input.substr(nul + 1));
        store.SetString(kKey, "Set", set);
    }
    const std::string written = store.Format();

    std::vector<std::string> again;
    const RegistryStore reread = RegistryStore::Parse(written, &again);
    if (!again.empty() || reread.Format() != written)
        std::abort();
    if (nul != std::string_view::npos) {
        const RegistryStore::Key* key = reread.Find(kKey);
        if (!key || !reread.Exists(kKey))
            std::abort();
        bool found = false;
        for (const RegistryStore::Value& v : key->values)
            found = found ||
                    (v.name == "Set" && v.type == RegistryStore::Type::String && v.data == set);
        if (!found)
            std::abort();
    }
    return 0;
}
