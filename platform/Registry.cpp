#include "platform/Registry.h"

#include "platform/FileReplacement.h"
#include "platform/RegistryStore.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace platform {
namespace {

struct State {
    RegistryStore store;
    std::string file;
};

State& state() {
    static State s;
    return s;
}

std::string FullPath(Registry::Root root, std::string_view subkey) {
    std::string path = Registry::RootName(root);
    if (!subkey.empty()) {
        path += '\\';
        path += subkey;
    }
    return path;
}

// A registry file stays private to its user when it is made.
std::optional<std::string> WriteAtomically(const std::string& path, const std::string& content) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    std::error_code ec;
    if (target.has_parent_path()) {
        fs::create_directories(target.parent_path(), ec);
        if (ec)
            return "cannot create " + target.parent_path().string() + ": " + ec.message();
    }
    std::string why;
    if (!FileReplacement::Write(path, content, {.newFileMode = 0600}, &why))
        return "cannot write " + path + ": " + why;
    return std::nullopt;
}

} // namespace

std::string Registry::RootName(Root root) {
    return root == Root::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

std::vector<std::string> Registry::UseFile(const std::string& path) {
    State& s = state();
    s.file = path;
    s.store = RegistryStore();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {}; // no file yet: an empty registry that Save will create
    std::ostringstream text;
    text << in.rdbuf();
    std::vector<std::string> warnings;
    s.store = RegistryStore::Parse(text.str(), &warnings);
    for (std::string& w : warnings)
        w = path + ": " + w;
    return warnings;
}

void Registry::Reset() {
    state().store = RegistryStore();
    state().file.clear();
}

const std::string& Registry::File() {
    return state().file;
}

std::optional<Registry::Key> Registry::OpenKey(Root root, std::string_view subkey) {
    std::string path = FullPath(root, subkey);
    if (!state().store.Exists(path))
        return std::nullopt;
    return Key(std::move(path));
}

bool Registry::EnumValue(const Key& key, uint32_t index, std::span<char> data, std::string* name) {
    const RegistryStore::Key* k = state().store.Find(key.Path());
    if (!k || index >= k->values.size())
        return false;
    const RegistryStore::Value& v = k->values[index];
    const bool terminated = v.type == RegistryStore::Type::String;
    const size_t needed = v.data.size() + (terminated ? 1 : 0);
    if (needed > data.size())
        return false;
    std::memcpy(data.data(), v.data.data(), v.data.size());
    if (terminated)
        data[v.data.size()] = '\0';
    if (name)
        *name = v.name;
    return true;
}

void Registry::SetString(Root root, std::string_view subkey, std::string_view name,
                         std::string_view data) {
    state().store.SetString(FullPath(root, subkey), name, data);
}

std::optional<std::string> Registry::Save() {
    const State& s = state();
    if (s.file.empty())
        return std::string("no registry file chosen");
    return WriteAtomically(s.file, s.store.Format());
}

std::string Registry::DefaultFile() {
    std::string base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::string(home) + "/.config";
    else
        return {};
    return base + "/pdfhost/registry.reg";
}

Registry::Registration Registry::RegisterAppPath(std::string_view fileName, std::string_view folder,
                                                 std::string* error) {
    const std::string subkey = std::string(kAppPathsKey) + std::string(fileName);
    if (OpenKey(Root::LocalMachine, subkey))
        return Registration::AlreadyPresent;
    SetString(Root::LocalMachine, subkey, "", folder);
    if (auto failure = Save()) {
        if (error)
            *error = *failure;
        return Registration::SaveFailed;
    }
    return Registration::Added;
}

} // namespace platform
