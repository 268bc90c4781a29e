// The answer script: how an unattended run answers the program's questions.
//
//   # a comment
//   box IDYES                                 answers the next message box
//   box IDOK caption="Error" text~"not found"  (only if it matches)
//
// Answers are taken in order. A caption= filter must equal the box's
// caption, a text~ filter must occur in its text; quoted values take the
// escapes backslash-quote, backslash-backslash and backslash-n.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tvx::host {

struct BoxAnswer {
  int button = 0;  // box::kId*
  std::optional<std::string> caption;
  std::optional<std::string> text_contains;
  int line = 0;

  bool Matches(std::string_view box_caption, std::string_view box_text) const;
};

class AnswerScript {
 public:
  // Parses the script; on failure answers nullopt with "line N: why".
  static std::optional<AnswerScript> Parse(std::string_view text, std::string& error);

  // The next answer, or nullopt when the script is used up.
  std::optional<BoxAnswer> NextBox();
  std::size_t remaining() const { return answers_.size() - next_; }

 private:
  std::vector<BoxAnswer> answers_;
  std::size_t next_ = 0;
};

// "IDYES" or a number; nullopt for anything else.
std::optional<int> ParseButtonName(std::string_view name);
const char* ButtonName(int button);

}  // namespace tvx::host
