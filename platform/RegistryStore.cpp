#include "platform/RegistryStore.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

namespace platform {
namespace {

constexpr std::array<std::string_view, 5> kRoots = {
    "HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER",   "HKEY_CLASSES_ROOT",
    "HKEY_USERS",         "HKEY_CURRENT_CONFIG",
};

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kUnicodeHeader = "Windows Registry Editor Version 5.00";

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// Reads a quoted string at the start of `s` ("\\" and "\"" are the escapes;
// any other backslash is kept as it is). Advances `s` past the closing quote.
std::optional<std::string> TakeQuoted(std::string_view& s) {
    if (s.empty() || s.front() != '"')
        return std::nullopt;
    std::string out;
    for (size_t i = 1; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"') {
            s.remove_prefix(i + 1);
            return out;
        }
        if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) {
            out += s[++i];
            continue;
        }
        out += c;
    }
    return std::nullopt;
}

std::string Quote(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<std::string> ParseDword(std::string_view digits) {
    if (digits.empty() || digits.size() > 8)
        return std::nullopt;
    uint32_t v = 0;
    for (char c : digits) {
        const int d = HexDigit(c);
        if (d < 0)
            return std::nullopt;
        v = v << 4 | static_cast<uint32_t>(d);
    }
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>(v >> (8 * i) & 0xff);
    return bytes;
}

std::optional<std::string> ParseHexBytes(std::string_view list) {
    std::string bytes;
    list = Trim(list);
    while (!list.empty()) {
        const size_t comma = list.find(',');
        const std::string_view item = Trim(list.substr(0, comma));
        if (item.empty() || item.size() > 2)
            return std::nullopt;
        int v = 0;
        for (char c : item) {
            const int d = HexDigit(c);
            if (d < 0)
                return std::nullopt;
            v = v * 16 + d;
        }
        bytes += static_cast<char>(v);
        if (comma == std::string_view::npos)
            break;
        list.remove_prefix(comma + 1);
        if (Trim(list).empty())
            return std::nullopt; // a trailing comma names a byte that is not there
    }
    return bytes;
}

// A string as the bytes of a hex(1) value (the string type written as
// bytes), terminator included: the only way to write one that holds a line
// break, which a quoted string cannot carry in a line-based file.
std::string HexString(std::string_view s) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out = "hex(1):";
    for (char c : s) {
        const auto b = static_cast<unsigned char>(c);
        out += kDigits[b >> 4];
        out += kDigits[b & 15];
        out += ',';
    }
    out += "00";
    return out;
}

// The right-hand side of a value line; nullopt when it is damaged.
std::optional<RegistryStore::Value> ParseData(std::string_view rhs) {
    RegistryStore::Value v;
    v.text = std::string(rhs);
    if (!rhs.empty() && rhs.front() == '"') {
        std::string_view rest = rhs;
        auto s = TakeQuoted(rest);
        if (!s || !Trim(rest).empty())
            return std::nullopt;
        v.type = RegistryStore::Type::String;
        v.data = std::move(*s);
        return v;
    }
    if (rhs.starts_with("dword:")) {
        auto d = ParseDword(rhs.substr(6));
        if (!d)
            return std::nullopt;
        v.type = RegistryStore::Type::Dword;
        v.data = std::move(*d);
        return v;
    }
    if (rhs.starts_with("hex")) {
        const size_t colon = rhs.find(':');
        if (colon == std::string_view::npos)
            return std::nullopt;
        const std::string_view kind = rhs.substr(3, colon - 3);
        if (!kind.empty() && (kind.size() < 3 || kind.front() != '(' || kind.back() != ')'))
            return std::nullopt;
        auto b = ParseHexBytes(rhs.substr(colon + 1));
        if (!b)
            return std::nullopt;
        v.type = RegistryStore::Type::Binary;
        if (kind == "(1)") {
            v.type = RegistryStore::Type::String;
            if (!b->empty() && b->back() == '\0')
                b->pop_back();
        }
        v.data = std::move(*b);
        return v;
    }
    return std::nullopt;
}

class Parser {
  public:
    Parser(RegistryStore& store, std::vector<std::string>* warnings)
        : store_(store), warnings_(warnings) {}

    void Run(std::string_view text) {
        std::vector<std::string_view> lines = SplitLines(text);
        size_t i = 0;
        while (i < lines.size() && Trim(lines[i]).empty())
            ++i;
        if (i < lines.size()) {
            const std::string_view first = Trim(lines[i]);
            if (first == kHeader || first == kUnicodeHeader)
                ++i;
            else
                Warn(i, "missing registry header");
        } else {
            Warn(0, "missing registry header");
        }
        for (; i < lines.size(); ++i) {
            std::string_view line = Trim(lines[i]);
            if (line.empty() || line.front() == ';')
                continue;
            if (line.front() == '[') {
                KeyLine(i, line);
                continue;
            }
            if (line.front() == '@' || line.front() == '"') {
                // Binary data may continue over lines that end in a backslash.
                std::string joined(line);
                while (joined.ends_with('\\') && i + 1 < lines.size()) {
                    joined.pop_back();
                    joined += Trim(lines[++i]);
                }
                ValueLine(i, joined);
                continue;
            }
            Warn(i, "not a key or value line");
        }
    }

  private:
    static std::vector<std::string_view> SplitLines(std::string_view text) {
        std::vector<std::string_view> lines;
        while (!text.empty()) {
            const size_t lf = text.find('\n');
            std::string_view line = text.substr(0, lf);
            if (line.ends_with('\r'))
                line.remove_suffix(1);
            lines.push_back(line);
            if (lf == std::string_view::npos)
                break;
            text.remove_prefix(lf + 1);
        }
        return lines;
    }

    void KeyLine(size_t i, std::string_view line) {
        key_.reset();
        haveKeyLine_ = true;
        if (line.size() < 2 || line.back() != ']') {
            Warn(i, "key line without closing bracket");
            return;
        }
        const std::string_view path = line.substr(1, line.size() - 2);
        if (path.starts_with('-')) {
            Warn(i, "key deletion is not supported here");
            return;
        }
        if (!RegistryStore::IsKnownRoot(path)) {
            Warn(i, "unknown root key");
            return;
        }
        key_ = std::string(path);
        store_.AddKey(path);
    }

    void ValueLine(size_t i, std::string_view line) {
        if (!haveKeyLine_) {
            Warn(i, "value outside any key");
            return;
        }
        if (!key_)
            return; // its key line was already reported
        std::string name;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else {
            auto quoted = TakeQuoted(line);
            if (!quoted) {
                Warn(i, "unterminated value name");
                return;
            }
            name = std::move(*quoted);
        }
        line = Trim(line);
        if (line.empty() || line.front() != '=') {
            Warn(i, "value line without '='");
            return;
        }
        const std::string_view rhs = Trim(line.substr(1));
        if (rhs == "-") {
            Warn(i, "value deletion is not supported here");
            return;
        }
        auto value = ParseData(rhs);
        if (!value) {
            Warn(i, "malformed value data");
            return;
        }
        value->name = std::move(name);
        store_.SetValue(*key_, std::move(*value));
    }

    void Warn(size_t index, std::string_view what) {
        if (warnings_)
            warnings_->push_back("line " + std::to_string(index + 1) + ": " + std::string(what));
    }

    RegistryStore& store_;
    std::vector<std::string>* warnings_;
    std::optional<std::string> key_; // set while values have a home
    bool haveKeyLine_ = false;
};

} // namespace

bool RegistryStore::IsKnownRoot(std::string_view path) {
    const std::string_view root = path.substr(0, path.find('\\'));
    return std::any_of(kRoots.begin(), kRoots.end(),
                       [&](std::string_view r) { return SameText(r, root); });
}

RegistryStore RegistryStore::Parse(std::string_view text, std::vector<std::string>* warnings) {
    RegistryStore store;
    Parser(store, warnings).Run(text);
    return store;
}

void RegistryStore::AddKey(std::string_view path) {
    FindOrAdd(path);
}

void RegistryStore::SetValue(std::string_view path, Value value) {
    Put(FindOrAdd(path), std::move(value));
}

std::string RegistryStore::Format() const {
    std::string out(kHeader);
    out += "\r\n\r\n";
    for (const Key& key : keys_) {
        out += "[" + key.path + "]\r\n";
        for (const Value& v : key.values) {
            out += v.name.empty() ? std::string("@") : Quote(v.name);
            out += "=" + v.text + "\r\n";
        }
        out += "\r\n";
    }
    return out;
}

bool RegistryStore::Exists(std::string_view path) const {
    if (!IsKnownRoot(path))
        return false;
    if (path.find('\\') == std::string_view::npos)
        return true; // a root always exists
    return std::any_of(keys_.begin(), keys_.end(), [&](const Key& k) {
        if (SameText(k.path, path))
            return true;
        return k.path.size() > path.size() && k.path[path.size()] == '\\' &&
               SameText(std::string_view(k.path).substr(0, path.size()), path);
    });
}

const RegistryStore::Key* RegistryStore::Find(std::string_view path) const {
    for (const Key& k : keys_) {
        if (SameText(k.path, path))
            return &k;
    }
    return nullptr;
}

void RegistryStore::SetString(std::string_view path, std::string_view name, std::string_view data) {
    Value v;
    v.name = std::string(name);
    v.type = Type::String;
    v.data = std::string(data);
    v.text = data.find_first_of("\r\n") == std::string_view::npos ? Quote(data) : HexString(data);
    SetValue(path, std::move(v));
}

RegistryStore::Key& RegistryStore::FindOrAdd(std::string_view path) {
    for (Key& k : keys_) {
        if (SameText(k.path, path))
            return k;
    }
    keys_.push_back(Key{std::string(path), {}});
    return keys_.back();
}

void RegistryStore::Put(Key& key, Value value) {
    for (Value& v : key.values) {
        if (SameText(v.name, value.name)) {
            v = std::move(value);
            return;
        }
    }
    key.values.push_back(std::move(value));
}

} // namespace platform
