// The commands' Prompt: every message and question is printed as
// "caption: text" and every question gets the same answer.
#pragma once

#include <optional>
#include <ostream>
#include <vector>

#include "core/model/ports.h"

namespace d7::cli {

class StreamPrompt : public Prompt {
  public:
    StreamPrompt(std::ostream& err, bool answer) : err_(err), answer_(answer) {}
    bool askYesNo(const std::string& caption, const std::string& text) override {
        err_ << caption << ": " << text << "\n";
        return answer_;
    }
    // Every message an edit command gets is a refusal (a placement, a trade
    // stop, a starting position the rules refuse).
    void inform(const std::string& caption, const std::string& text) override {
        err_ << caption << ": " << text << "\n";
        ++messages_;
    }
    int messages() const { return messages_; }
    // Only "add-trader ... replace S" chooses; elsewhere the choice is cancelled.
    std::optional<int> selectTraderoute(const std::vector<int>&) override { return std::nullopt; }

  private:
    std::ostream& err_;
    bool answer_;
    int messages_ = 0;
};

}  // namespace d7::cli
