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
    void inform(const std::string& caption, const std::string& text) override {
        err_ << caption << ": " << text << "\n";
    }
    // Only "add-trader ... replace S" chooses; elsewhere the choice is cancelled.
    std::optional<int> selectTraderoute(const std::vector<int>&) override { return std::nullopt; }

  private:
    std::ostream& err_;
    bool answer_;
};

}  // namespace d7::cli
