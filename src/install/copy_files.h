// The copy of an installation's files, one after the other in chunks,
// with the progress box up.
#pragma once

#include <string>

#include "install/copy_paths.h"
#include "platform/platform.h"
#include "script/copy_item.h"
#include "ui/text_lookup.h"

namespace tvx {

struct CopyRequest {
  Platform& platform;
  TextLookup text;  // localized strings by number
  CopyPlaces places;
};

struct CopyOutcome {
  static constexpr int kDone = 1;    // every item copied or skipped
  static constexpr int kFailed = 2;  // aborted, or an item failed
  int code = kDone;
  // The full disk was reported to the user (string 183): the caller must
  // not follow it with a message of its own.
  bool disk_full_reported = false;
};

CopyOutcome CopyFiles(CopyRequest& request, const CopyItemList& list);

}  // namespace tvx
