// Message boxes of a simulated machine: written to a transcript and
// answered from an answer script, a terminal prompt, or by default.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "platform/host/answer_script.h"
#include "platform/ui.h"

namespace tvx::host {

class HostUi : public Ui {
 public:
  struct Options {
    std::filesystem::path transcript;     // appended to; empty: no transcript
    std::optional<AnswerScript> answers;  // without: default buttons
    std::ostream* echo = nullptr;         // each transcript line also goes here
    std::istream* prompt = nullptr;       // with: ask on the terminal
  };
  explicit HostUi(Options options);

  int ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style,
                     BoxOwner owner) override;

  // Answers that did not match their box, and answers left unused.
  std::vector<std::string> AnswerProblems() const;

 private:
  struct Choice {
    int button;
    std::string source;
  };
  Choice Choose(std::string_view text, std::string_view caption, std::uint32_t style);
  std::optional<int> Prompt(std::uint32_t style);
  void Write(const std::string& line);

  Options options_;
  std::vector<std::string> problems_;
};

// Escapes a text for one transcript line: \n, \r, \t, \", \\ and \xNN.
std::string TranscriptText(std::string_view text);
std::vector<int> ButtonsOfStyle(std::uint32_t style);

}  // namespace tvx::host
