// A file system for tests that wraps any other and forwards every call to
// it, keeping a log of the calls and refusing the ones a test picks: call
// number N once or from N on, or calls of one operation on a path. It works
// the same over the in-memory file system and over a real disk.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileLimits.h"
#include "platform/FileSystem.h"

namespace kelvo {

// The error of a refusal made by a test.
inline constexpr uint32_t kErrorInjected = kErrorIoDevice;

class FaultyFileSystem : public FileSystem {
public:
    explicit FaultyFileSystem(FileSystem& inner) : inner_(inner) {}

    // --- refusing calls ----------------------------------------------------
    // Refuses the Nth call (1-based, counting every call: those of listings
    // and open files too) and, with fromThenOn, every later call.
    void RefuseCall(uint64_t n, bool fromThenOn = false);
    // Refuses calls of one operation ("SetAttributes", "SetTimes", ...) on a
    // path whose full form ends with `pathSuffix` (empty: any path); `times`
    // refusals, or every matching call when times is 0. The refused calls
    // report `error`.
    void RefuseOperation(const std::string& operation, const std::string& pathSuffix = std::string(),
                         int times = 1, uint32_t error = kErrorInjected);
    void ClearRefusals();

    // --- changing the world meanwhile ------------------------------------
    // Runs `change` (which changes the wrapped file system, as another
    // program would) once, just before the first call of `operation` on a
    // path whose full form ends with `pathSuffix` (empty: any path), after
    // that call is logged.
    void BeforeCall(const std::string& operation, const std::string& pathSuffix, std::function<void()> change);

    // --- what happened -----------------------------------------------------
    // Every call in order, as "Operation argument" (arguments as given; a
    // listing's steps and an open file's calls name the full path).
    const std::vector<std::string>& Calls() const { return calls_; }
    std::vector<std::string> CallsOf(const std::string& operation) const;
    void ClearCalls() { calls_.clear(); }
    uint64_t CallCount() const { return callCount_; }

    // --- FileSystem ----------------------------------------------------------
    bool SetCurrentDirectory(const std::string& path) override;
    bool GetCurrentDirectory(std::string& path) override;
    std::unique_ptr<DirectoryListing> List(const std::string& pattern) override;
    bool FindOne(const std::string& path, FindEntry& entry) override;
    bool GetFullPath(const std::string& path, std::string& fullPath) override;
    bool GetAttributes(const std::string& path, uint32_t& attributes) override;
    bool SetAttributes(const std::string& path, uint32_t attributes, Reach reach = Reach::AsNamed) override;
    bool SetTimes(const std::string& path, const FileTime* creation, const FileTime* access,
                  const FileTime* modification, Reach reach = Reach::AsNamed) override;
    // Logged as "UpdateItem path"; a write it makes is a call of its own,
    // "WriteItem path" followed by what it writes, refused like any call.
    bool UpdateItem(const std::string& path, const ItemOpening& opening, const UpdateDecision& decide,
                    ItemState* after = nullptr) override;
    bool Move(const std::string& from, const std::string& to) override;
    bool Replace(const std::string& from, const std::string& to) override;
    bool Delete(const std::string& path) override;
    bool ReadWholeFile(const std::string& path, std::string& bytes) override;
    std::unique_ptr<WritableFile> OpenForWriting(const std::string& path, bool truncate) override;
    std::string ModulePath() override;
    uint32_t LastError() const override { return lastError_; }

private:
    class Listing;
    class Writer;

    struct Rule {
        std::string operation;
        std::string pathSuffix;
        int remaining;  // 0: always
        uint32_t error;
    };

    struct Hook {
        std::string operation;
        std::string pathSuffix;
        std::function<void()> change;
    };

    // True when the call's argument, or the path it acts on, in the form
    // given or in full, ends with `suffix`.
    bool Matches(const std::string& suffix, const std::string& argument, const std::string& path);
    // Logs the call and tells the code it is refused with, or 0 when it
    // goes ahead. `path` is the path the call acts on when the argument
    // holds more.
    uint32_t Refusal(const std::string& operation, const std::string& argument,
                     const std::string& path = std::string());
    bool Fail(uint32_t error);
    // Passes the wrapped call's outcome on, taking its error when it failed.
    bool Forwarded(bool ok);
    // The full path of a path or of a pattern's folder, as far as the
    // wrapped file system tells it; the path itself otherwise.
    std::string FullPathOf(const std::string& path);

    FileSystem& inner_;
    std::vector<std::string> calls_;
    std::vector<Rule> refusals_;
    std::vector<Hook> hooks_;
    uint64_t callCount_ = 0;
    uint64_t refuseFrom_ = 0;
    bool refuseOnward_ = false;
    uint32_t lastError_ = 0;
};

}  // namespace kelvo
