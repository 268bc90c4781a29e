// One line on a terminal that tells how far long work has come: the
// percent and the item in hand, rewritten in place, shown only once the
// work has lasted a second and cleared when it ends.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

namespace tvx::host {

class TerminalProgress {
 public:
  using Clock = std::function<double()>;  // seconds, from any origin

  explicit TerminalProgress(std::ostream& out, Clock clock = SteadySeconds, double delay = 1.0,
                            std::size_t width = 79);
  ~TerminalProgress() { Finish(); }
  TerminalProgress(const TerminalProgress&) = delete;
  TerminalProgress& operator=(const TerminalProgress&) = delete;

  void Update(std::string_view item, int percent);
  // Clears the line, when one shows; the next update starts the delay anew.
  void Finish();

  static double SteadySeconds();
  // "42% item", the item's start cut to "..." to fit the width.
  static std::string Line(std::string_view item, int percent, std::size_t width);

 private:
  std::ostream& out_;
  Clock clock_;
  double delay_;
  std::size_t width_;
  bool started_ = false;
  double start_ = 0;
  std::string shown_;  // the line on the terminal, empty when none
};

// Whether the standard error stream is a terminal.
bool StandardErrorIsTerminal();

}  // namespace tvx::host
