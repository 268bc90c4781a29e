// What user account control makes of the running process, and how a
// request to run elevated ended.
#pragma once

namespace tvx {

// The token's elevation type; NotApplicable where the system has no user
// account control (95 to XP: the calls do not exist).
enum class TokenElevation { NotApplicable, Default, Elevated, Limited };

struct ElevationState {
  TokenElevation type = TokenElevation::NotApplicable;
  bool elevated = false;  // the token holds its administrator rights
  bool uac_on = false;    // user account control is enabled (EnableLUA)
};

enum class ElevationAnswer { Accepted, Refused, Failed };

}  // namespace tvx
