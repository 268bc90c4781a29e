#include "install/copy_files.h"

#include <algorithm>
#include <vector>

#include "detection/software_probes.h"
#include "install/item_copy.h"
#include "install/progress_box.h"
#include "platform/file_services.h"
#include "ui/plain_message.h"

namespace tvx {
namespace {

constexpr int kDiskFullText = 183;

int Percent(std::int64_t part, std::int64_t whole) {
  // A script may state sizes that are too small, or none at all.
  if (whole <= 0) return 100;
  return static_cast<int>(std::clamp<std::int64_t>(part * 100 / whole, 0, 100));
}

class CopyLoop {
 public:
  CopyLoop(CopyRequest& request, const CopyItemList& list)
      : request_(request), platform_(request.platform), list_(list), buffer_(kCopyChunkBytes) {
    for (const CopyItem& item : list.items) paths_.push_back(ResolveCopyPaths(item, request.places));
  }

  CopyOutcome Run();

 private:
  enum class Step { Next, Fail };

  Step CopyItemAt(std::size_t index);
  bool IsUpToDate(const CopyPaths& paths);
  Step CopyChunks(ItemCopy& copy, std::int64_t size);
  Step FailChunk(ItemCopy& copy);
  Step CannotCopy(const CopyPaths& paths) {
    Report("Can't copy " + paths.source + " to " + paths.destination + "!!");
    return Step::Fail;
  }
  void Report(const std::string& text) { platform_.ui.ShowMessageBox(text, "", box::kOk); }
  std::vector<std::string> ShownPaths() const;

  CopyRequest& request_;
  Platform& platform_;
  const CopyItemList& list_;
  std::vector<CopyPaths> paths_;
  std::vector<char> buffer_;
  std::unique_ptr<ProgressBox> box_;
  std::int64_t copied_ = 0;
  CopyOutcome outcome_;
};

std::vector<std::string> CopyLoop::ShownPaths() const {
  std::vector<std::string> shown;
  for (std::size_t i = 0; i < paths_.size(); ++i) {
    if (list_.items[i].source_name.empty()) continue;
    shown.push_back(paths_[i].source);
    shown.push_back(paths_[i].destination);
  }
  return shown;
}

CopyOutcome CopyLoop::Run() {
  platform_.ui.KeyPressed(kF4Key);  // forgets an F4 pressed before the copy
  box_ = std::make_unique<ProgressBox>(request_.text, ShownPaths());
  box_->Open(platform_.ui);
  for (std::size_t i = 0; i < list_.items.size(); ++i) {
    if (CopyItemAt(i) == Step::Fail) {
      outcome_.code = CopyOutcome::kFailed;
      break;
    }
  }
  return outcome_;
}

CopyLoop::Step CopyLoop::CopyItemAt(std::size_t index) {
  const CopyItem& item = list_.items[index];
  const CopyPaths& paths = paths_[index];
  if (item.source_name.empty()) {
    if (!paths.climbs_out) CreateDirectoryChain(platform_.files, paths.destination);
    return Step::Next;
  }
  box_->ShowPaths(paths.source, paths.destination);
  if (paths.climbs_out) return CannotCopy(paths);
  ItemCopy copy(platform_, item, paths);
  const bool source_exists = copy.SourceExists();
  // A library kept because it is as new is still used by this product:
  // without its count the first uninstall would take it from the others.
  if (paths.shared && source_exists && IsUpToDate(paths)) {
    copy.CountKeptLibrary();
    return Step::Next;
  }
  const std::int64_t size = copy.SourceSizeBlocks();
  if (!copy.OpenForCopy()) {
    if (!paths.shared || !source_exists) return CannotCopy(paths);
    copied_ += size;  // a library in use stays as it is
    copy.CountKeptLibrary();
    return Step::Next;
  }
  // An empty file installs as an empty file; a source that cannot be read
  // stops the installation.
  if (size == 0 && !copy.SourceReadable()) {
    Report("FileLen(" + paths.source + ")=0 !!");
    copy.Close();
    return Step::Fail;
  }
  if (size > 0 && CopyChunks(copy, size) == Step::Fail) return Step::Fail;
  copy.CloseCopy();
  copied_ += size;
  return Step::Next;
}

// A shared library is copied only over an older version, compared as text.
bool CopyLoop::IsUpToDate(const CopyPaths& paths) {
  const std::string offered = FileVersionText(platform_.files, platform_.system, paths.source);
  const std::string installed = FileVersionText(platform_.files, platform_.system, paths.destination);
  return offered <= installed;
}

CopyLoop::Step CopyLoop::CopyChunks(ItemCopy& copy, std::int64_t size) {
  for (;;) {
    const std::int64_t position = copy.CopyChunk(buffer_);
    if (position == 0) return FailChunk(copy);
    box_->ShowFileProgress(Percent(position, size));
    box_->ShowTotalProgress(Percent(copied_ + std::min(position, size), list_.total));
    platform_.ui.DispatchOneMessage();
    if (box_->abort_requested() || platform_.ui.KeyPressed(kF4Key)) {
      copy.Discard();
      return Step::Fail;
    }
    // At or past the size measured: a file that grew ends here too.
    if (position >= size) return copy.Finish() ? Step::Next : FailChunk(copy);
  }
}

CopyLoop::Step CopyLoop::FailChunk(ItemCopy& copy) {
  copy.Discard();
  if (copy.failure() == ChunkFailure::DiskFull) {
    outcome_.disk_full_reported = true;
    ShowPlainMessage(platform_.ui, request_.text(kDiskFullText));
  }
  return Step::Fail;
}

}  // namespace

CopyOutcome CopyFiles(CopyRequest& request, const CopyItemList& list) {
  return CopyLoop(request, list).Run();
}

}  // namespace tvx
