// An in-memory file system for tests: drives, folders and files with
// attribute words, three times, sizes and contents; names in code page 932
// compared without regard to case as Windows does, and items whose names
// have no exact code page 932 form; links to folders and files; a current
// directory; and a fixed enumeration order. Tests refuse calls and log
// them with FaultyFileSystem wrapped around it.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace kelvo {

class MemoryFileSystem : public FileSystem {
public:
    // How a listing orders a folder's entries. ByName is NTFS's order (by name,
    // case folded), so a file renamed during a listing can turn up again later.
    // Insertion lists in creation order; a renamed entry moves to the end.
    enum class Order { ByName, Insertion };

    struct Node {
        std::string name;
        uint32_t attributes = 0;
        uint64_t size = 0;
        FileTime creation = 0;
        FileTime access = 0;
        FileTime modification = 0;
        std::string content;
        bool locked = false;     // held open by another program: opens fail
        bool noEnter = false;    // a folder that can't be made current
        bool noList = false;     // a folder whose listing can't be started
        // An item whose update can open and read it but whose write through
        // the open item is refused (access denied), as where the system
        // won't let a handle with the right to write attributes change it.
        bool updateWriteRefused = false;
        // A name the system has with no exact code page 932 form: it lists
        // as an entry that is not exact, and no path reaches it (so a test
        // builds what lies below it first).
        bool exact = true;
        // A link: the full path it points to. A path through a link to a
        // folder goes on at that folder, a folder link is entered and listed
        // as its folder, and a write reaches past a link only as named. A
        // listing and a look-up give the link's own entry, whose `attributes`
        // and `reparseTag` say what the system tells of it.
        std::string linkTarget;
        uint32_t reparseTag = 0;
        // False for a link the system can't change as itself (as Wine's
        // links to files): a write to it as itself is refused.
        bool changeableItself = true;
        uint64_t sequence = 0;
        Node* parent = nullptr;
        std::vector<std::unique_ptr<Node>> children;
        bool IsFolder() const { return (attributes & kAttrDirectory) != 0; }
    };

    explicit MemoryFileSystem(Order order = Order::ByName);

    // The modification time the next rename gives the folders it changes
    // is one tick after this one (2023-01-01 00:00:00 UTC at first).
    void SetFolderTimeOnRename(FileTime time) { folderTimeOnRename_ = time; }

    // --- building a tree -------------------------------------------------
    // Creates the folder and any missing parents ("C:\\a\\b"); drives exist on first use.
    Node& AddFolder(const std::string& path, uint32_t extraAttributes = 0);
    // Creates a file (and missing parent folders). Default attributes: archive.
    Node& AddFile(const std::string& path, uint32_t attributes = kAttrArchive, FileTime modification = 0,
                  const std::string& content = std::string());
    // A link at `path` to `target` (a full path, which need not exist),
    // listed with `attributes` and `reparseTag` as the system lists it.
    Node& AddLink(const std::string& path, const std::string& target,
                  uint32_t attributes = kAttrDirectory | kAttrReparsePoint, uint32_t reparseTag = kReparseTagSymlink);
    Node* Find(const std::string& path);  // null when missing
    bool Exists(const std::string& path) { return Find(path) != nullptr; }
    void SetModulePath(const std::string& path) { modulePath_ = path; }

    // --- what happened -----------------------------------------------------
    uint64_t EntriesRead() const { return entriesRead_; }
    uint64_t ListingsOpened() const { return listingsOpened_; }

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
    bool UpdateItem(const std::string& path, const ItemOpening& opening, const UpdateDecision& decide,
                    ItemState* after = nullptr) override;
    bool Move(const std::string& from, const std::string& to) override;
    bool Replace(const std::string& from, const std::string& to) override;
    bool Delete(const std::string& path) override;
    bool ReadWholeFile(const std::string& path, std::string& bytes) override;
    std::unique_ptr<WritableFile> OpenForWriting(const std::string& path, bool truncate) override;
    std::string ModulePath() override;
    uint32_t LastError() const override { return lastError_; }

    // Full path of a node ("C:\\a\\b"; a drive root is "C:\\").
    static std::string PathOf(const Node& node);

private:
    class Listing;
    class Writer;
    friend class Listing;

    bool Fail(uint32_t error);
    bool Resolve(const std::string& path, std::string& full) const;
    // The item a full path names; links along the way are followed, the
    // last name is not. `hops` counts the links followed to get here.
    Node* Lookup(const std::string& fullPath, int hops = 0);
    // The item a link leads to (the node itself when it is no link); null
    // when it leads nowhere or round in a circle.
    Node* Followed(Node* node, int hops = 0);
    // The node a write reaches (null, with the error set, when none).
    Node* WriteTarget(Node* node, Reach reach);
    // Resolves, checks the path limit and looks the item up; null (with the
    // error set) when any of that fails.
    Node* Locate(const std::string& path);
    Node* Drive(const std::string& letter);
    // Sets the settable bits of an item's word as the system does.
    static void WriteAttributeWord(Node& node, uint32_t attributes);
    Node* ChildNamed(Node& folder, const std::string& name);
    Node& Attach(Node& folder, std::unique_ptr<Node> child);
    Node* NextEntry(Node& folder, const Node* after, const std::string& afterKey, uint64_t afterSequence);
    std::string OrderKey(const Node& node) const;

    Order order_;
    std::map<std::string, std::unique_ptr<Node>> drives_;
    std::string currentDirectory_ = "C:\\";
    std::string modulePath_ = "C:\\Program Files\\Kelvo\\Kelvo.exe";
    uint64_t nextSequence_ = 1;
    uint64_t entriesRead_ = 0;
    uint64_t listingsOpened_ = 0;
    uint32_t lastError_ = 0;
    FileTime folderTimeOnRename_ = 133170048000000000ULL;
};

}  // namespace kelvo
