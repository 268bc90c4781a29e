#include "install/scripted_file_system.h"

#include "platform/path_text.h"

namespace tvx::testing {

class ScriptedFileSystem::ScriptedFile : public File {
 public:
  ScriptedFile(std::unique_ptr<File> inner, FileFault fault, int& reads)
      : inner_(std::move(inner)), fault_(fault), reads_(reads) {}

  ReadResult Read(std::span<char> buffer) override {
    ++reads_;
    ++chunks_;
    if (fault_.kind == FileFault::Kind::ReadError && chunks_ == fault_.chunk) return {0, fault_.error};
    // The file lost its tail after it was measured: the end comes early.
    if (fault_.kind == FileFault::Kind::Shrink && chunks_ > fault_.chunk) return {0, FileError::None};
    return inner_->Read(buffer);
  }
  FileError Write(std::string_view data) override {
    ++chunks_;
    if (fault_.kind == FileFault::Kind::WriteError && chunks_ == fault_.chunk) return fault_.error;
    return inner_->Write(data);
  }
  bool Seek(std::int64_t offset) override { return inner_->Seek(offset); }
  bool Skip(std::int64_t distance) override { return inner_->Skip(distance); }
  std::uint64_t Length() override { return inner_->Length(); }
  FileError Flush() override { return inner_->Flush(); }
  FileError Finish() override {
    return fault_.kind == FileFault::Kind::FinishError ? fault_.error : inner_->Finish();
  }

 private:
  std::unique_ptr<File> inner_;
  FileFault fault_;
  int& reads_;
  int chunks_ = 0;
};

void ScriptedFileSystem::Plan(const std::string& path, FileFault fault) { faults_[AsciiLower(path)] = fault; }

int ScriptedFileSystem::ReadsOf(const std::string& path) const {
  const auto found = reads_.find(AsciiLower(path));
  return found == reads_.end() ? 0 : found->second;
}

const FileFault* ScriptedFileSystem::FaultOf(std::string_view path) const {
  const auto found = faults_.find(AsciiLower(path));
  return found == faults_.end() ? nullptr : &found->second;
}

OpenResult ScriptedFileSystem::Open(std::string_view path, OpenMode mode) {
  const FileFault* fault = FaultOf(path);
  // Another program holds the file: it may be read, not written.
  if (fault && fault->kind == FileFault::Kind::InUse && mode != OpenMode::Read)
    return {nullptr, FileError::AccessDenied};
  OpenResult opened = inner().Open(path, mode);
  if (opened.file)
    opened.file = std::make_unique<ScriptedFile>(std::move(opened.file), fault ? *fault : FileFault{},
                                                 reads_[AsciiLower(path)]);
  return opened;
}

FileError ScriptedFileSystem::SetAttributes(std::string_view path, std::uint32_t attributes) {
  const FileFault* fault = FaultOf(path);
  if (fault && fault->kind == FileFault::Kind::InUse) return FileError::AccessDenied;
  return inner().SetAttributes(path, attributes);
}

}  // namespace tvx::testing
