// The answer script: how an unattended run answers the program's questions.
//
//   # a comment
//   box IDYES                                 answers the next message box
//   box IDOK caption="Error" text~"not found"  (only if it matches)
//   dialog 133 select 1009 2                   acts on the running dialog 133
//   dialog 150 press 1
//
// Dialog actions: press ID, return (the Return key: the default button
// with the key held), escape (Cancel, even without a visible button), select ID INDEX, double-click ID INDEX,
// type ID "TEXT", check ID 0|1, key CODE; on a tree view expand ID "PATH",
// collapse ID "PATH", select-item ID "PATH" (the item texts from a root,
// joined by "\"). A dialog takes the dialog lines for it that come next,
// until one of them ends it.
//
// Answers are taken in order. A caption= filter must equal the box's
// caption, a text~ filter must occur in its text; quoted values take the
// escapes backslash-quote, backslash-backslash and backslash-n.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tvx::host {

struct BoxAnswer {
  int button = 0;  // box::kId*
  std::optional<std::string> caption;
  std::optional<std::string> text_contains;
  int line = 0;

  bool Matches(std::string_view box_caption, std::string_view box_text) const;
};

struct DialogAction {
  enum class Kind {
    Press,
    Return,
    Escape,
    Select,
    DoubleClick,
    Type,
    Check,
    Key,
    Hover,
    Leave,
    Display,
    Expand,
    Collapse,
    SelectItem
  };
  int dialog = 0;
  Kind kind = Kind::Press;
  int control = 0;
  int value = 0;     // the index, check state, key code, or the display's height
  std::string text;  // typed text, or a tree item's path
  int line = 0;

  // Whether the action's second argument is a text.
  bool TakesText() const;
  // The action as the script writes it, without "dialog N".
  std::string Describe() const;
};

class AnswerScript {
 public:
  // Parses the script; on failure answers nullopt with "line N: why".
  static std::optional<AnswerScript> Parse(std::string_view text, std::string& error);

  // The next answer, or nullopt when the script is used up or a dialog
  // line comes next (NextIsDialog tells).
  std::optional<BoxAnswer> NextBox();
  bool NextIsDialog() const;
  // The next line when it is an action on this dialog.
  std::optional<DialogAction> NextDialogAction(int dialog);
  // Line number of the next unused line; 0 when none is left.
  int NextLine() const;
  std::size_t remaining() const { return answers_.size() - next_; }

 private:
  std::vector<std::variant<BoxAnswer, DialogAction>> answers_;
  std::size_t next_ = 0;
};

// "IDYES" or a number; nullopt for anything else.
std::optional<int> ParseButtonName(std::string_view name);
const char* ButtonName(int button);

}  // namespace tvx::host
