# Sourced by the shell snippets that run under `tvxwine with`, which exports
# this file's path as TVX_AUTO_HELPER. auto runs the automation program
# ($AUTO) without Wine's carriage returns and answers with the program's own
# status, not the filter's.
auto() {
  wine "$AUTO" "$@" | tr -d '\r'
  return "${PIPESTATUS[0]}"
}
