// An item a run could not change, named: its path and the error code of
// the refused call that kept it as it was. The run keeps one per item, in
// the order met, and the count it shows is the number of them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kelvo {

struct ItemFailure {
    // The item's path; a folder's own path where the walk lost what it
    // held (its listing broken off) without knowing their names.
    std::string path;
    // The platform's code; 0 when no call was refused (a time row that had
    // to be left out).
    uint32_t error = 0;
    // An item whose name has no code page 932 form: `path` is its folder's,
    // and this its own name as the system has it (UTF-8), for the record.
    std::string systemName;
};

// One item is one failure, however many of its calls were refused: keeps
// only the first failure recorded since `before`.
inline void KeepFirstFailure(std::vector<ItemFailure>& failures, size_t before) {
    if (failures.size() > before + 1) failures.resize(before + 1);
}

// As KeepFirstFailure, recording `failure` when nothing was recorded since `before`.
inline void RecordOneFailure(std::vector<ItemFailure>& failures, size_t before, ItemFailure failure) {
    if (failures.size() == before) failures.push_back(std::move(failure));
    KeepFirstFailure(failures, before);
}

}  // namespace kelvo
