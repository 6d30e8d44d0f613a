// A small command-line parser for d7irir-cli's commands: positional
// arguments, options with a value (possibly repeated) and flags.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace d7::cli {

// A mistake in the command line; the message says which.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// An argument well formed but not acceptable (a name the game cannot store);
// the message says why. Exit status 2 like a usage error, without the usage.
class RefusedArgument : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct ArgSyntax {
    std::set<std::string> valueOptions;  // e.g. "--pl8", "-e"
    std::set<std::string> flags;         // e.g. "--all"
};

class Args {
  public:
    // Throws UsageError for an unknown option or a missing value.
    Args(const std::vector<std::string>& words, const ArgSyntax& syntax);

    const std::vector<std::string>& positional() const { return positional_; }
    bool has(const std::string& flagOrOption) const;
    std::optional<std::string> value(const std::string& option) const;  // the last one given
    std::vector<std::string> values(const std::string& option) const;   // all, in order

    // Positional argument i; throws UsageError naming what is missing.
    const std::string& at(std::size_t i, const char* what) const;
    // Positional argument i as an integer in [lo, hi]; throws UsageError.
    int intAt(std::size_t i, const char* what, int lo, int hi) const;
    // Requires exactly n positional arguments.
    void expectCount(std::size_t n) const;

  private:
    std::vector<std::string> positional_;
    std::multimap<std::string, std::string> options_;
    std::set<std::string> flags_;
};

// Parses text as an integer in [lo, hi]; throws UsageError naming what.
int parseInt(const std::string& text, const char* what, int lo, int hi);

}  // namespace d7::cli
