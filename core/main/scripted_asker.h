// A MessageAsker that answers from a script and keeps every request: for tests and for runs
// without a window. When the script runs out it answers kResultNone, as a box that could not be
// shown.
#pragma once

#include <deque>
#include <vector>

#include "core/main/message_box.h"

namespace core {

class ScriptedAsker : public MessageAsker {
  public:
    ScriptedAsker() = default;
    explicit ScriptedAsker(std::deque<int> answers) : answers_(std::move(answers)) {}

    void answer(int result) { answers_.push_back(result); }

    int ask(const MessageBoxRequest& request) override {
        requests_.push_back(request);
        if (answers_.empty()) return kResultNone;
        const int result = answers_.front();
        answers_.pop_front();
        return result;
    }

    const std::vector<MessageBoxRequest>& requests() const { return requests_; }

  private:
    std::deque<int> answers_;
    std::vector<MessageBoxRequest> requests_;
};

}  // namespace core
