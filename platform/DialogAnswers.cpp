#include "platform/DialogAnswers.h"

#include <deque>

namespace platform {
namespace {

std::deque<DialogAnswer>& queue() {
    static std::deque<DialogAnswer> q;
    return q;
}

} // namespace

void DialogAnswers::Push(DialogAnswer answer) {
    queue().push_back(std::move(answer));
}

std::optional<DialogAnswer> DialogAnswers::Next() {
    if (queue().empty())
        return std::nullopt;
    DialogAnswer answer = std::move(queue().front());
    queue().pop_front();
    return answer;
}

const DialogAnswer* DialogAnswers::Peek() {
    return queue().empty() ? nullptr : &queue().front();
}

std::size_t DialogAnswers::Pending() {
    return queue().size();
}

void DialogAnswers::Clear() {
    queue().clear();
}

} // namespace platform
