#include "pdfhost/core/ExceptionFrames.h"

#include <vector>

#include "pdfhost/core/HostError.h"

namespace pdfhost {
namespace {

struct State {
    std::vector<ASExceptionFrame*> frames;
    ASErrorCode current = 0;
};

State& state() {
    static State s;
    return s;
}

} // namespace

void ExceptionFrames::Push(ASExceptionFrame* frame) {
    if (!frame)
        pdfhost::Raise(kErrBadParameter, "A null exception frame was pushed.");
    State& s = state();
    frame->previous = s.frames.empty() ? nullptr : s.frames.back();
    s.frames.push_back(frame);
}

void ExceptionFrames::Pop() {
    State& s = state();
    if (s.frames.empty())
        pdfhost::Raise(kErrUnbalancedFrames,
                       "An exception frame was popped although none was pushed.");
    s.frames.pop_back();
}

std::size_t ExceptionFrames::Depth() {
    return state().frames.size();
}

void ExceptionFrames::TruncateTo(std::size_t depth) {
    State& s = state();
    if (s.frames.size() > depth)
        s.frames.resize(depth);
}

void ExceptionFrames::Raise(ASErrorCode code) {
    state().current = code;
}

ASErrorCode ExceptionFrames::CurrentCode() {
    return state().current;
}

void ExceptionFrames::Reset() {
    state() = State{};
}

} // namespace pdfhost
