// The ways the core talks to its surroundings without knowing them: questions
// and messages (Prompt), and which cells changed on the map picture (CellSink).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace d7 {

enum class Choice { Yes, No, Cancel };

// Modal questions and messages. The GUI shows message boxes; the CLI and the
// tests answer from a script.
class Prompt {
  public:
    virtual ~Prompt() = default;
    // A Yes/No question; true for Yes.
    virtual bool askYesNo(const std::string& caption, const std::string& text) = 0;
    // A message with an OK button (refusals and errors).
    virtual void inform(const std::string& caption, const std::string& text) = 0;
    // A Yes/No/Cancel question. A prompt that cannot offer three answers
    // cancels, which leaves everything as it is.
    virtual Choice askYesNoCancel(const std::string&, const std::string&) { return Choice::Cancel; }
    // "Select Traderoute": which of a town's traders (listed in slot order)
    // gives up its slot. The index of the chosen line, or nothing for Cancel.
    virtual std::optional<int> selectTraderoute(const std::vector<int>& traders) = 0;
};

// Answers every question the same way and remembers what was asked and said.
// The "Select Traderoute" choice is traderouteChoice (nothing: Cancel).
class ScriptedPrompt : public Prompt {
  public:
    explicit ScriptedPrompt(bool answer = false) : answer_(answer) {}
    bool askYesNo(const std::string& caption, const std::string& text) override {
        questions.emplace_back(caption, text);
        return answer_;
    }
    void inform(const std::string& caption, const std::string& text) override {
        messages.emplace_back(caption, text);
    }
    Choice askYesNoCancel(const std::string& caption, const std::string& text) override {
        questions.emplace_back(caption, text);
        return choice;
    }
    std::optional<int> selectTraderoute(const std::vector<int>& traders) override {
        traderouteLists.push_back(traders);
        return traderouteChoice;
    }
    void setAnswer(bool answer) { answer_ = answer; }

    // The answer to every Yes/No/Cancel question.
    Choice choice = Choice::Cancel;

    std::vector<std::pair<std::string, std::string>> questions;
    std::vector<std::pair<std::string, std::string>> messages;
    std::optional<int> traderouteChoice;
    std::vector<std::vector<int>> traderouteLists;

  private:
    bool answer_;
};

// Told by the cell writers what to redraw in the map picture. The renderer
// implements it; without a sink nothing is drawn.
class CellSink {
  public:
    virtual ~CellSink() = default;
    // The cell's planes changed: draw its tile and, in domain or trader view, its label.
    virtual void cellChanged(int x, int y) = 0;
    // A building piece was put on the cell: bits 0x10 draws the village sign,
    // bits 0x80 the castle piece of the cell's part number.
    virtual void buildingPieceChanged(int x, int y, std::uint8_t bits) = 0;
    // So much changed that the whole map picture must be redrawn.
    virtual void mapChanged() = 0;
};

}  // namespace d7
