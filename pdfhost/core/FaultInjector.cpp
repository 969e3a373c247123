#include "pdfhost/core/FaultInjector.h"

#include <map>

#include "pdfhost/core/HostError.h"

namespace pdfhost {
namespace {

struct Arming {
    ASErrorCode code = 0;
    int nth = 0;       // 0 = always
    int callsSeen = 0; // since arming
};

struct State {
    std::map<std::string, Arming, std::less<>> armed;
    std::map<std::string, int, std::less<>> counts;
};

State& state() {
    static State s;
    return s;
}

} // namespace

void FaultInjector::Arm(const std::string& operation, ASErrorCode code, int nthCall) {
    state().armed[operation] = Arming{code, nthCall, 0};
}

void FaultInjector::Disarm(const std::string& operation) {
    state().armed.erase(operation);
}

void FaultInjector::Reset() {
    state() = State{};
}

void FaultInjector::OnCall(const char* operation) {
    State& s = state();
    // Every host call passes here: count without making a string.
    const std::string_view name(operation);
    if (auto counted = s.counts.find(name); counted != s.counts.end())
        ++counted->second;
    else
        s.counts.emplace(name, 1);
    if (s.armed.empty())
        return;
    auto it = s.armed.find(name);
    if (it == s.armed.end())
        return;
    Arming& a = it->second;
    ++a.callsSeen;
    if (a.nth == 0 || a.callsSeen == a.nth)
        Raise(a.code,
              std::string(operation) + " failed (injected fault): " + ErrorTexts::Generic(a.code));
}

int FaultInjector::CallCount(const std::string& operation) {
    auto it = state().counts.find(operation);
    return it == state().counts.end() ? 0 : it->second;
}

} // namespace pdfhost
