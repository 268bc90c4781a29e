// Force-included into every source of the portable core (see
// CoreLayers.cmake): loads the standard headers the core may use while their
// platform and C-library includes are still allowed, then turns the C file,
// environment, clock and process functions into compile errors. A standard
// header that is not loaded here and pulls in a forbidden one fails the
// build: load it here if the core really needs it. Each name is undefined
// first because some C libraries make these functions macros.
#pragma once

#define TVX_LOADING_STANDARD_HEADERS
#include <algorithm>
#include <array>
#include <bitset>
#include <cctype>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <forward_list>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <list>
#include <map>
#include <memory>
#include <numeric>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <tuple>
#include <type_traits>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <variant>
#include <vector>
#undef TVX_LOADING_STANDARD_HEADERS

#define TVX_FORBIDDEN(name) name##_is_kept_out_of_the_portable_core_use_the_platform_seam

// Files and folders.
#undef fopen
#define fopen(...) TVX_FORBIDDEN(fopen)
#undef freopen
#define freopen(...) TVX_FORBIDDEN(freopen)
#undef tmpfile
#define tmpfile(...) TVX_FORBIDDEN(tmpfile)
#undef tmpnam
#define tmpnam(...) TVX_FORBIDDEN(tmpnam)
#undef remove
#define remove(...) TVX_FORBIDDEN(remove)
#undef rename
#define rename(...) TVX_FORBIDDEN(rename)
#undef filesystem
#define filesystem TVX_FORBIDDEN(filesystem)
// Standard streams: the core shows texts through the Ui.
#undef printf
#define printf(...) TVX_FORBIDDEN(printf)
#undef puts
#define puts(...) TVX_FORBIDDEN(puts)
#undef perror
#define perror(...) TVX_FORBIDDEN(perror)
// Environment and processes.
#undef getenv
#define getenv(...) TVX_FORBIDDEN(getenv)
#undef setenv
#define setenv(...) TVX_FORBIDDEN(setenv)
#undef putenv
#define putenv(...) TVX_FORBIDDEN(putenv)
#undef system
#define system(...) TVX_FORBIDDEN(system)
#undef popen
#define popen(...) TVX_FORBIDDEN(popen)
#undef exit
#define exit(...) TVX_FORBIDDEN(exit)
#undef quick_exit
#define quick_exit(...) TVX_FORBIDDEN(quick_exit)
#undef _Exit
#define _Exit(...) TVX_FORBIDDEN(_Exit)
#undef atexit
#define atexit(...) TVX_FORBIDDEN(atexit)
// Clocks and randomness: the machine's clock comes through the System.
#undef time
#define time(...) TVX_FORBIDDEN(time)
#undef clock
#define clock(...) TVX_FORBIDDEN(clock)
#undef rand
#define rand(...) TVX_FORBIDDEN(rand)
#undef srand
#define srand(...) TVX_FORBIDDEN(srand)
#undef random_device
#define random_device TVX_FORBIDDEN(random_device)
#undef chrono
#define chrono TVX_FORBIDDEN(chrono)
