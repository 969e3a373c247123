#include "templates/DocumentFacts.h"

#include <vector>

#include "sdk/HostCalls.h"

namespace templates {
namespace {

// Releases the path obtained from the host when the scope ends, also when a
// later host call raises.
class PathGuard {
  public:
    PathGuard(ASFileSys fs, ASPathName path) : fs_(fs), path_(path) {}
    ~PathGuard() {
        if (!path_)
            return;
        DURING
        ASFileSysReleasePath(fs_, path_);
        HANDLER
        END_HANDLER
    }
    PathGuard(const PathGuard&) = delete;
    PathGuard& operator=(const PathGuard&) = delete;

  private:
    ASFileSys fs_;
    ASPathName path_;
};

std::string PathOf(ASFile file) {
    ASPathName path = ASFileAcquirePathName(file);
    if (!path)
        return {};
    ASFileSys fs = ASFileGetFileSys(file);
    PathGuard guard(fs, path);
    // Asked once for the length, then for the text: no fixed buffer limits
    // the path on this platform.
    const ASInt32 length = ASFileSysDisplayStringFromPath(fs, path, nullptr, 0);
    if (length <= 0)
        return {};
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    ASFileSysDisplayStringFromPath(fs, path, buffer.data(), length + 1);
    return std::string(buffer.data());
}

} // namespace

std::optional<DocumentFacts> GatherActiveDocumentFacts() {
    AVDoc view = AVAppGetActiveDoc();
    if (!view)
        return std::nullopt;
    PDDoc doc = AVDocGetPDDoc(view);
    if (!doc)
        return std::nullopt;

    DocumentFacts facts;
    if (ASFile file = PDDocGetFile(doc))
        facts.path = PathOf(file);
    for (std::size_t i = 0; i < kInfoKeys.size(); ++i) {
        char buffer[kInfoBufferSize] = {};
        PDDocGetInfo(doc, kInfoKeys[i], buffer, kInfoBufferSize);
        buffer[kInfoBufferSize - 1] = '\0'; // whatever the host did
        facts.info[i] = buffer;
    }
    facts.times = platform::FileFacts::Times(facts.path);
    return facts;
}

} // namespace templates
