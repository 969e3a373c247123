#include "platform/DialogAnswers.h"

#include <deque>

namespace platform {
namespace {

std::deque<std::string>& queue() {
    static std::deque<std::string> q;
    return q;
}

} // namespace

void DialogAnswers::Push(const std::string& answer) {
    queue().push_back(answer);
}

std::optional<std::string> DialogAnswers::Next() {
    if (queue().empty())
        return std::nullopt;
    std::string answer = std::move(queue().front());
    queue().pop_front();
    return answer;
}

std::size_t DialogAnswers::Pending() {
    return queue().size();
}

void DialogAnswers::Clear() {
    queue().clear();
}

} // namespace platform
