#include "platform/memory/MemoryRecordStore.h"

namespace kelvo {

class MemoryRecordStore::Writer : public RecordWriter {
public:
    Writer(MemoryRecordStore& store, const std::string& name) : store_(store), name_(name) {}
    ~Writer() override { Flush(); }

    void Append(const std::string& line) override { held_.push_back({line, true}); }
    void AppendWithMessage(const std::string& line, uint32_t code) override {
        held_.push_back({line + "\t(message " + std::to_string(code) + ")", true});
    }
    bool Flush() override {
        store_.AddLines(name_, held_);
        held_.clear();
        return true;
    }

private:
    MemoryRecordStore& store_;
    const std::string name_;
    Lines held_;
};

namespace {

// A reader over a copy of the record's lines, taken when it is opened.
class LinesReader : public RecordReader {
public:
    LinesReader(MemoryRecordStore::Lines lines, bool fromTheEnd) : lines_(std::move(lines)), fromTheEnd_(fromTheEnd) {}

    bool Next(std::string& line, bool& exact) override {
        if (next_ >= lines_.size()) return false;
        const MemoryRecordStore::Line& at = fromTheEnd_ ? lines_[lines_.size() - 1 - next_] : lines_[next_];
        ++next_;
        exact = at.exact;
        line = exact ? at.text : at.text.substr(0, at.text.find('\t'));
        return true;
    }

private:
    MemoryRecordStore::Lines lines_;
    bool fromTheEnd_;
    size_t next_ = 0;
};

}  // namespace

void MemoryRecordStore::Put(const std::string& name, const Lines& lines) {
    std::lock_guard<std::mutex> lock(mutex_);
    records_[name] = lines;
}

MemoryRecordStore::Lines MemoryRecordStore::LinesOf(const std::string& name) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = records_.find(name);
    return it == records_.end() ? Lines() : it->second;
}

std::vector<std::string> MemoryRecordStore::TextsOf(const std::string& name) {
    std::vector<std::string> texts;
    for (const Line& line : LinesOf(name)) texts.push_back(line.text);
    return texts;
}

std::vector<std::string> MemoryRecordStore::Shown() {
    std::lock_guard<std::mutex> lock(mutex_);
    return shown_;
}

void MemoryRecordStore::AddLines(const std::string& name, const Lines& lines) {
    std::lock_guard<std::mutex> lock(mutex_);
    Lines& record = records_[name];
    record.insert(record.end(), lines.begin(), lines.end());
}

std::unique_ptr<RecordWriter> MemoryRecordStore::Create(const std::string& name) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (refuseCreate_ || name.empty() || records_.count(name) != 0) return nullptr;
    records_[name];
    return std::make_unique<Writer>(*this, name);
}

std::vector<std::string> MemoryRecordStore::Names() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> names;
    for (const auto& [name, lines] : records_) names.push_back(name);
    return names;
}

std::unique_ptr<RecordReader> MemoryRecordStore::Read(const std::string& name, bool fromTheEnd) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = records_.find(name);
    if (it == records_.end()) return nullptr;
    return std::make_unique<LinesReader>(it->second, fromTheEnd);
}

bool MemoryRecordStore::AppendLine(const std::string& name, const std::string& line) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = records_.find(name);
    if (it == records_.end()) return false;
    it->second.push_back({line, true});
    return true;
}

bool MemoryRecordStore::Delete(const std::string& name) {
    std::lock_guard<std::mutex> lock(mutex_);
    return records_.erase(name) != 0;
}

bool MemoryRecordStore::Show(const std::string& name) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!name.empty() && records_.count(name) == 0) return false;
    shown_.push_back(name);
    return true;
}

}  // namespace kelvo
