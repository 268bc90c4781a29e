#include "platform/host/host_ui.h"

#include <cstdio>
#include <fstream>
#include <iostream>

#include "platform/host/escaped_text.h"

namespace tvx::host {

std::string TranscriptText(std::string_view text) { return "\"" + EscapedText(text) + "\""; }

namespace {

int DefaultButton(std::uint32_t style) {
  const std::vector<int> buttons = ButtonsOfStyle(style);
  const std::size_t index = (style & box::kDefaultButtonMask) >> 8;
  return index < buttons.size() ? buttons[index] : buttons[0];
}

bool IsButtonOf(int button, std::uint32_t style) {
  for (int candidate : ButtonsOfStyle(style))
    if (candidate == button) return true;
  return false;
}

}  // namespace

HostUi::HostUi(Options options, MachineFaults& faults)
    : options_(std::move(options)),
      faults_(faults),
      surface_(DefaultSystemPalette(), [](int id) { return BitmapResourceBytes(id); }) {}

int HostUi::ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style,
                           BoxOwner owner) {
  const Choice choice = Choose(text, caption, style);
  char style_text[16];
  std::snprintf(style_text, sizeof style_text, "0x%08X", style);
  Write("message-box caption=" + TranscriptText(caption) + " text=" + TranscriptText(text) +
        " style=" + style_text + " owner=" + (owner == BoxOwner::MainWindow ? "main" : "none") +
        " answer=" + ButtonName(choice.button) + " from=" + choice.source);
  return choice.button;
}

HostUi::Choice HostUi::Choose(std::string_view text, std::string_view caption, std::uint32_t style) {
  if (options_.answers && options_.answers->NextIsDialog()) {
    problems_.push_back("answers:" + std::to_string(options_.answers->NextLine()) +
                        " is for a dialog, but a message box came: " + TranscriptText(text));
  } else if (options_.answers) {
    const auto answer = options_.answers->NextBox();
    const std::string where = answer ? "answers:" + std::to_string(answer->line) : "";
    if (!answer) {
      problems_.push_back("a message box came after the last answer: " + TranscriptText(text));
    } else if (!answer->Matches(caption, text)) {
      problems_.push_back(where + " does not match the box " + TranscriptText(caption) + " " +
                          TranscriptText(text));
    } else if (!IsButtonOf(answer->button, style)) {
      problems_.push_back(where + " answers a button the box does not have");
    } else {
      return {answer->button, where};
    }
  } else if (options_.prompt) {
    if (const auto button = Prompt(style)) return {*button, "prompt"};
  }
  return {DefaultButton(style), "default"};
}

std::optional<int> HostUi::Prompt(std::uint32_t style) {
  std::ostream& out = options_.echo ? *options_.echo : std::cout;
  for (;;) {
    out << "answer with";
    for (int button : ButtonsOfStyle(style)) out << ' ' << ButtonName(button);
    out << " (empty for the default): " << std::flush;
    std::string line;
    if (!std::getline(*options_.prompt, line) || line.empty()) return std::nullopt;
    const auto button = ParseButtonName(line);
    if (button && IsButtonOf(*button, style)) return button;
  }
}

void HostUi::Write(const std::string& line) {
  if (!options_.transcript.empty()) {
    std::ofstream out(options_.transcript, std::ios::binary | std::ios::app);
    out << line << '\n';
    out.close();
    if (!out) faults_.Add("cannot write the transcript " + options_.transcript.string());
  }
  if (options_.echo) *options_.echo << line << '\n';
}

void HostUi::ReportProgress(std::string_view item, int percent) {
  if (!options_.progress) return;
  if (!progress_) progress_ = std::make_unique<TerminalProgress>(*options_.progress);
  progress_->Update(item, percent);
}

void HostUi::EndProgress() {
  if (progress_) progress_->Finish();
}

std::vector<std::string> HostUi::AnswerProblems() const {
  std::vector<std::string> problems = problems_;
  if (options_.answers && options_.answers->remaining() > 0)
    problems.push_back(std::to_string(options_.answers->remaining()) + " answer(s) left unused");
  return problems;
}

}  // namespace tvx::host
