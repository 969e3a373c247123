// The keys and values of a registry, read from and written as the text of a
// registry export.
//
// Contract: Parse accepts the single-byte export format:
//     REGEDIT4                       (or "Windows Registry Editor Version 5.00")
//
//     [HKEY_LOCAL_MACHINE\SOFTWARE\Vendor\Product]
//     @="default value"
//     "Name"="C:\\with \"escapes\""
//     "Flags"=dword:0000002a
//     "Blob"=hex:01,02,03         (long lists continue after a trailing
//                                  backslash on the next line)
//     "Lines"=hex(1):61,0a,62,00  (a string as bytes; the terminator is
//                                  dropped when present)
// with LF or CR LF line ends, ";" comment lines and blank lines. Damaged
// input never fails the parse: a missing or unknown header, a key line
// without "]" or with an unknown root, a value line outside a key or with
// malformed data, deletion lines ("[-...]", "=-") each add one warning
// ("line N: ...") and are skipped; a skipped key line also skips its values.
// Format writes the same format back (REGEDIT4 header, CR LF); SetString
// writes a string that holds a CR or LF as hex(1), so that no value ever
// spans lines and a value cannot add keys or values of its own; values read
// from a file keep their original right-hand text, so a store that is read
// and saved again keeps what it did not understand the way it understood it.
//
// Key paths include the root name ("HKEY_LOCAL_MACHINE\..."). Key paths and
// value names compare case-insensitively (ASCII), as on the home platform.
// A key exists when it is declared or when a declared key lies below it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class RegistryStore {
  public:
    enum class Type { String, Dword, Binary };

    struct Value {
        std::string name; // empty for the default value "@"
        Type type = Type::String;
        // What a read returns: the text without its terminator (String), four
        // little-endian bytes (Dword), the bytes (Binary).
        std::string data;
        std::string text; // right-hand side as written in the file
    };

    struct Key {
        std::string path;
        std::vector<Value> values; // in file order
    };

    static RegistryStore Parse(std::string_view text, std::vector<std::string>* warnings);
    std::string Format() const;

    bool Exists(std::string_view path) const;
    // The declared key, or nullptr (also for keys that exist only implicitly).
    const Key* Find(std::string_view path) const;
    void AddKey(std::string_view path);
    // Sets a value, creating the key when needed; an existing value of that
    // name is replaced in place, so it keeps its enumeration index.
    void SetValue(std::string_view path, Value value);
    void SetString(std::string_view path, std::string_view name, std::string_view data);

    static bool IsKnownRoot(std::string_view path);

  private:
    Key& FindOrAdd(std::string_view path);
    void Put(Key& key, Value value);

    std::vector<Key> keys_;
};

} // namespace platform
