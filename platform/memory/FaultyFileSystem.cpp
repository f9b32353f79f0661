#include "platform/memory/FaultyFileSystem.h"

#include "platform/Cp932Text.h"

namespace kelvo {

namespace {

bool EndsWithFolded(const std::string& text, const std::string& suffix) {
    if (suffix.size() > text.size()) return false;
    return EqualsIgnoreCase(text.substr(text.size() - suffix.size()), suffix);
}

}  // namespace

// A listing's steps are calls of their own, named by the listed folder.
class FaultyFileSystem::Listing : public DirectoryListing {
public:
    Listing(FaultyFileSystem& files, std::unique_ptr<DirectoryListing> inner, const std::string& folder)
        : files_(files), inner_(std::move(inner)), folder_(folder) {}

    ListingStep Next(FindEntry& entry) override {
        if (const uint32_t error = files_.Refusal("FindNext", folder_)) return ListingStep::Failed(error);
        return inner_->Next(entry);
    }

private:
    FaultyFileSystem& files_;
    std::unique_ptr<DirectoryListing> inner_;
    const std::string folder_;
};

class FaultyFileSystem::Writer : public WritableFile {
public:
    Writer(FaultyFileSystem& files, std::unique_ptr<WritableFile> inner, const std::string& path)
        : files_(files), inner_(std::move(inner)), path_(path) {}

    bool Write(const std::string& bytes) override {
        if (const uint32_t error = files_.Refusal("Write", path_)) return files_.Fail(error);
        return files_.Forwarded(inner_->Write(bytes));
    }
    // A refused close still closes: the file is never left open.
    bool Close() override {
        const uint32_t error = files_.Refusal("Close", path_);
        const bool closed = files_.Forwarded(inner_->Close());
        return error != 0 ? files_.Fail(error) : closed;
    }
    bool Truncate() override {
        if (const uint32_t error = files_.Refusal("Truncate", path_)) return files_.Fail(error);
        return files_.Forwarded(inner_->Truncate());
    }

private:
    FaultyFileSystem& files_;
    std::unique_ptr<WritableFile> inner_;
    const std::string path_;
};

void FaultyFileSystem::RefuseCall(uint64_t n, bool fromThenOn) {
    refuseFrom_ = n;
    refuseOnward_ = fromThenOn;
}

void FaultyFileSystem::RefuseOperation(const std::string& operation, const std::string& pathSuffix, int times,
                                       uint32_t error) {
    refusals_.push_back({operation, pathSuffix, times, error});
}

void FaultyFileSystem::ClearRefusals() {
    refusals_.clear();
    refuseFrom_ = 0;
    refuseOnward_ = false;
}

std::vector<std::string> FaultyFileSystem::CallsOf(const std::string& operation) const {
    std::vector<std::string> result;
    for (const std::string& call : calls_) {
        if (call.compare(0, operation.size() + 1, operation + " ") == 0) result.push_back(call);
    }
    return result;
}

void FaultyFileSystem::BeforeCall(const std::string& operation, const std::string& pathSuffix,
                                  std::function<void()> change) {
    hooks_.push_back({operation, pathSuffix, std::move(change)});
}

// A suffix may name the path alone, in full, or the whole logged argument
// (a path followed by attribute bits, say).
bool FaultyFileSystem::Matches(const std::string& suffix, const std::string& argument, const std::string& path) {
    if (suffix.empty()) return true;
    const std::string& named = path.empty() ? argument : path;
    return EndsWithFolded(argument, suffix) || EndsWithFolded(named, suffix) ||
           EndsWithFolded(FullPathOf(named), suffix);
}

uint32_t FaultyFileSystem::Refusal(const std::string& operation, const std::string& argument,
                                   const std::string& path) {
    ++callCount_;
    calls_.push_back(operation + " " + argument);
    for (auto it = hooks_.begin(); it != hooks_.end(); ++it) {
        if (it->operation != operation || !Matches(it->pathSuffix, argument, path)) continue;
        const std::function<void()> change = std::move(it->change);
        hooks_.erase(it);
        change();
        break;
    }
    if (refuseFrom_ != 0 && (callCount_ == refuseFrom_ || (refuseOnward_ && callCount_ > refuseFrom_))) {
        return kErrorInjected;
    }
    for (auto it = refusals_.begin(); it != refusals_.end(); ++it) {
        if (it->operation != operation || !Matches(it->pathSuffix, argument, path)) continue;
        const uint32_t error = it->error;
        if (it->remaining > 0 && --it->remaining == 0) refusals_.erase(it);
        return error;
    }
    return 0;
}

bool FaultyFileSystem::Fail(uint32_t error) {
    lastError_ = error;
    return false;
}

bool FaultyFileSystem::Forwarded(bool ok) {
    if (!ok) lastError_ = inner_.LastError();
    return ok;
}

std::string FaultyFileSystem::FullPathOf(const std::string& path) {
    std::string full;
    if (path.empty() || path == "*") {
        if (inner_.GetCurrentDirectory(full)) return full;
    } else if (inner_.GetFullPath(path, full)) {
        return full;
    }
    return path;
}

bool FaultyFileSystem::SetCurrentDirectory(const std::string& path) {
    if (const uint32_t error = Refusal("SetCurrentDirectory", path)) return Fail(error);
    return Forwarded(inner_.SetCurrentDirectory(path));
}

bool FaultyFileSystem::GetCurrentDirectory(std::string& path) {
    if (const uint32_t error = Refusal("GetCurrentDirectory", "")) return Fail(error);
    return Forwarded(inner_.GetCurrentDirectory(path));
}

std::unique_ptr<DirectoryListing> FaultyFileSystem::List(const std::string& pattern) {
    if (const uint32_t error = Refusal("FindFirst", pattern)) {
        Fail(error);
        return nullptr;
    }
    std::unique_ptr<DirectoryListing> listing = inner_.List(pattern);
    if (listing == nullptr) {
        Forwarded(false);
        return nullptr;
    }
    std::string folder = pattern.substr(0, pattern.size() - (pattern.empty() ? 0 : 1));
    if (folder.size() > 1 && folder.back() == '\\' && folder[folder.size() - 2] != ':') folder.pop_back();
    return std::make_unique<Listing>(*this, std::move(listing), FullPathOf(folder));
}

bool FaultyFileSystem::FindOne(const std::string& path, FindEntry& entry) {
    if (const uint32_t error = Refusal("FindOne", path)) return Fail(error);
    return Forwarded(inner_.FindOne(path, entry));
}

bool FaultyFileSystem::GetFullPath(const std::string& path, std::string& fullPath) {
    if (const uint32_t error = Refusal("GetFullPath", path)) return Fail(error);
    return Forwarded(inner_.GetFullPath(path, fullPath));
}

bool FaultyFileSystem::GetAttributes(const std::string& path, uint32_t& attributes) {
    if (const uint32_t error = Refusal("GetAttributes", path)) return Fail(error);
    return Forwarded(inner_.GetAttributes(path, attributes));
}

bool FaultyFileSystem::SetAttributes(const std::string& path, uint32_t attributes, Reach reach) {
    if (const uint32_t error = Refusal("SetAttributes", path + " " + std::to_string(attributes), path)) {
        return Fail(error);
    }
    return Forwarded(inner_.SetAttributes(path, attributes, reach));
}

bool FaultyFileSystem::SetTimes(const std::string& path, const FileTime* creation, const FileTime* access,
                                const FileTime* modification, Reach reach) {
    if (const uint32_t error = Refusal("SetTimes", path)) return Fail(error);
    return Forwarded(inner_.SetTimes(path, creation, access, modification, reach));
}

namespace {

// What a write through an open item sets, as the log shows it: the word in
// decimal and each time in ticks, "-" for what it leaves.
std::string Describe(const ItemChange& change) {
    auto part = [](const auto& value) { return value ? std::to_string(*value) : std::string("-"); };
    return part(change.attributes) + " " + part(change.creation) + " " + part(change.access) + " " +
           part(change.modification);
}

}  // namespace

bool FaultyFileSystem::UpdateItem(const std::string& path, const ItemOpening& opening, const UpdateDecision& decide,
                                  ItemState* after) {
    if (const uint32_t error = Refusal("UpdateItem", path)) return Fail(error);
    uint32_t writeRefused = 0;
    const bool ok = inner_.UpdateItem(path, opening, [&](const ItemState& now, ItemChange& change) {
        if (!decide(now, change) || change.Empty()) return false;
        writeRefused = Refusal("WriteItem", path + " " + Describe(change), path);
        return writeRefused == 0;
    }, after);
    if (!ok) return Forwarded(false);
    return writeRefused != 0 ? Fail(writeRefused) : true;
}

bool FaultyFileSystem::Move(const std::string& from, const std::string& to) {
    if (const uint32_t error = Refusal("Move", from + " > " + to)) return Fail(error);
    return Forwarded(inner_.Move(from, to));
}

bool FaultyFileSystem::Replace(const std::string& from, const std::string& to) {
    if (const uint32_t error = Refusal("Replace", from + " > " + to)) return Fail(error);
    return Forwarded(inner_.Replace(from, to));
}

bool FaultyFileSystem::Delete(const std::string& path) {
    if (const uint32_t error = Refusal("Delete", path)) return Fail(error);
    return Forwarded(inner_.Delete(path));
}

bool FaultyFileSystem::ReadWholeFile(const std::string& path, std::string& bytes) {
    if (const uint32_t error = Refusal("ReadWholeFile", path)) return Fail(error);
    return Forwarded(inner_.ReadWholeFile(path, bytes));
}

std::unique_ptr<WritableFile> FaultyFileSystem::OpenForWriting(const std::string& path, bool truncate) {
    if (const uint32_t error = Refusal("OpenForWriting", path)) {
        Fail(error);
        return nullptr;
    }
    std::unique_ptr<WritableFile> file = inner_.OpenForWriting(path, truncate);
    if (file == nullptr) {
        Forwarded(false);
        return nullptr;
    }
    return std::make_unique<Writer>(*this, std::move(file), FullPathOf(path));
}

// Counted and logged like any call, but never refused: the system always
// knows the program's own path.
std::string FaultyFileSystem::ModulePath() {
    Refusal("ModulePath", "");
    return inner_.ModulePath();
}

}  // namespace kelvo
