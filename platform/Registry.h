// The process's registry: one store of keys and values, backed by a file in
// the text format of registry exports (see RegistryStore).
//
// Contract: until UseFile is called the registry is empty and lives in
// memory only. UseFile reads the file (a missing file is an empty registry;
// damaged lines are skipped and returned as warnings, never an error) and
// makes it the target of Save. The host and every plug-in share this one
// store because this library is loaded once per process.
//
// OpenKey and EnumValue behave like the home platform's calls that the
// plug-in was written against: opening a key that does not exist fails;
// EnumValue fails when the index is past the last value and when the
// value's data does not fit the caller's buffer (a string needs room for its
// terminator). On success the buffer holds the data, strings terminated.
// A Key is a name, not a lock: it stays valid while the registry changes.
//
// Save writes the whole store atomically (temporary file in the same folder,
// then rename), creating the folder when needed; on failure the previous
// file is untouched and the error text is returned.
//
// Everything runs on the user-interface thread; nothing here is thread-safe.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Registry {
  public:
    enum class Root { LocalMachine, CurrentUser };

    class Key {
      public:
        const std::string& Path() const { return path_; }

      private:
        friend class Registry;
        explicit Key(std::string path) : path_(std::move(path)) {}
        std::string path_;
    };

    // Where installers register a program's folder; the plug-in's file name
    // follows the last backslash.
    static constexpr std::string_view kAppPathsKey =
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

    static std::vector<std::string> UseFile(const std::string& path);
    // Back to an empty registry in memory only.
    static void Reset();
    static const std::string& File();

    static std::optional<Key> OpenKey(Root root, std::string_view subkey);
    static bool EnumValue(const Key& key, uint32_t index, std::span<char> data,
                          std::string* name = nullptr);

    static void SetString(Root root, std::string_view subkey, std::string_view name,
                          std::string_view data);
    static std::optional<std::string> Save(); // nullopt on success, else the error

    // The registry file used when none is chosen: registry.reg in the user's
    // configuration folder ($XDG_CONFIG_HOME, else $HOME/.config) under
    // "pdfhost"; empty when neither variable is set.
    static std::string DefaultFile();

    enum class Registration { AlreadyPresent, Added, SaveFailed };
    // What an installer does for a plug-in: when the App Paths key of
    // `fileName` is missing, create it with the folder as its default value
    // and save. An existing key is left exactly as it is.
    static Registration RegisterAppPath(std::string_view fileName, std::string_view folder,
                                        std::string* error = nullptr);

    static std::string RootName(Root root);
};

} // namespace platform
