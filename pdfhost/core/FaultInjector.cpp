#include "pdfhost/core/FaultInjector.h"

#include <cstring>
#include <map>
#include <unordered_map>

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
    // By the address of the operation's name, a constant of its entry: a
    // count is then one hash of a pointer, on every host call.
    std::unordered_map<const char*, int> counts;
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
    ++s.counts[operation];
    if (s.armed.empty())
        return;
    const std::string_view name(operation);
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
    int calls = 0;
    for (const auto& [name, count] : state().counts)
        if (operation == name)
            calls += count;
    return calls;
}

} // namespace pdfhost
