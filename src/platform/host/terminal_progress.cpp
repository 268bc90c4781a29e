#include "platform/host/terminal_progress.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ostream>

namespace tvx::host {

TerminalProgress::TerminalProgress(std::ostream& out, Clock clock, double delay, std::size_t width)
    : out_(out), clock_(std::move(clock)), delay_(delay), width_(std::max<std::size_t>(width, 10)) {}

double TerminalProgress::SteadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::string TerminalProgress::Line(std::string_view item, int percent, std::size_t width) {
  std::string line = std::to_string(std::clamp(percent, 0, 100)) + "% ";
  const std::size_t room = width > line.size() ? width - line.size() : 0;
  if (item.size() > room && room > 3)
    line += "..." + std::string(item.substr(item.size() - (room - 3)));
  else
    line += std::string(item.substr(0, room));
  return line;
}

void TerminalProgress::Update(std::string_view item, int percent) {
  const double now = clock_();
  if (!started_) {
    started_ = true;
    start_ = now;
  }
  if (now - start_ < delay_) return;
  const std::string line = Line(item, percent, width_);
  if (line == shown_) return;
  // The old line may be longer: blanks cover what it leaves.
  const std::size_t cover = shown_.size() > line.size() ? shown_.size() - line.size() : 0;
  out_ << '\r' << line << std::string(cover, ' ');
  out_.flush();
  shown_ = line;
}

void TerminalProgress::Finish() {
  started_ = false;
  if (shown_.empty()) return;
  out_ << '\r' << std::string(shown_.size(), ' ') << '\r';
  out_.flush();
  shown_.clear();
}

bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

}  // namespace tvx::host
