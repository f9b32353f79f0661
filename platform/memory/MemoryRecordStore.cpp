#include "platform/memory/MemoryRecordStore.h"

namespace kelvo {

class MemoryRecordStore::Writer : public RecordWriter {
public:
    Writer(MemoryRecordStore& store, const std::string& name) : store_(store), name_(name) {}
    ~Writer() override {
        Flush();
        store_.WriterGone(name_);
    }

    void Append(const std::string& line) override {
        if (!failed_) held_.push_back({line, true});
    }
    void AppendWithMessage(const std::string& line, uint32_t code) override {
        Append(line + "\t(message " + std::to_string(code) + ")");
    }
    // The name has no code page 932 form: the line reads back as not exact.
    void AppendNamedWithMessage(const std::string& head, const std::string& systemName, const std::string& tail,
                                uint32_t code) override {
        if (!failed_) held_.push_back({head + systemName + tail + "\t(message " + std::to_string(code) + ")", false});
    }
    bool Flush() override {
        if (!failed_ && !held_.empty()) failed_ = !store_.AddLines(name_, held_);
        held_.clear();
        return !failed_;
    }

private:
    MemoryRecordStore& store_;
    const std::string name_;
    Lines held_;
    bool failed_ = false;
};

// Reads the store's lines one at a time, so that a test sees how many were
// read; from the end it starts at the last line there when it was opened.
class MemoryRecordStore::Reader : public RecordReader {
public:
    Reader(MemoryRecordStore& store, const std::string& name, bool fromTheEnd, size_t size)
        : store_(store), name_(name), fromTheEnd_(fromTheEnd), size_(size) {}
    ~Reader() override { store_.ReaderGone(name_); }

    bool Next(std::string& line, bool& exact) override {
        if (next_ >= size_) return false;
        Line at;
        const size_t index = fromTheEnd_ ? size_ - 1 - next_ : next_;
        ++next_;
        if (!store_.LineAt(name_, index, at)) return false;
        exact = at.exact;
        line = exact ? at.text : at.text.substr(0, at.text.find('\t'));
        return true;
    }

private:
    MemoryRecordStore& store_;
    const std::string name_;
    const bool fromTheEnd_;
    // Forwards, lines written after the opening are read too, as on disk
    // they would be; the end is fixed only for reading backwards.
    size_t size_;
    size_t next_ = 0;
};

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

void MemoryRecordStore::RefuseCreate(bool refuse) {
    std::lock_guard<std::mutex> lock(mutex_);
    refuseCreate_ = refuse;
}

void MemoryRecordStore::RefuseWritesAfter(size_t lines) {
    std::lock_guard<std::mutex> lock(mutex_);
    writeLimit_ = lines;
}

void MemoryRecordStore::RefuseAppendLine(bool refuse) {
    std::lock_guard<std::mutex> lock(mutex_);
    refuseAppendLine_ = refuse;
}

size_t MemoryRecordStore::LinesRead() {
    std::lock_guard<std::mutex> lock(mutex_);
    return linesRead_;
}

std::vector<std::string> MemoryRecordStore::Shown() {
    std::lock_guard<std::mutex> lock(mutex_);
    return shown_;
}

bool MemoryRecordStore::AddLines(const std::string& name, const Lines& lines) {
    std::lock_guard<std::mutex> lock(mutex_);
    Lines& record = records_[name];
    if (record.size() + lines.size() > writeLimit_) return false;
    record.insert(record.end(), lines.begin(), lines.end());
    return true;
}

void MemoryRecordStore::WriterGone(const std::string& name) {
    std::lock_guard<std::mutex> lock(mutex_);
    writing_.erase(name);
}

void MemoryRecordStore::ReaderGone(const std::string& name) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = readers_.find(name);
    if (it != readers_.end() && --it->second == 0) readers_.erase(it);
}

bool MemoryRecordStore::LineAt(const std::string& name, size_t index, Line& line) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = records_.find(name);
    if (it == records_.end() || index >= it->second.size()) return false;
    line = it->second[index];
    ++linesRead_;
    return true;
}

std::unique_ptr<RecordWriter> MemoryRecordStore::Create(const std::string& name) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (refuseCreate_ || name.empty() || records_.count(name) != 0) return nullptr;
    records_[name];
    writing_.insert(name);
    return std::make_unique<Writer>(*this, name);
}

std::vector<std::string> MemoryRecordStore::Names() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> names;
    for (const auto& [name, lines] : records_) names.push_back(name);
    return names;
}

std::unique_ptr<RecordReader> MemoryRecordStore::Read(const std::string& name, bool fromTheEnd,
                                                      RecordAccess* access) {
    std::lock_guard<std::mutex> lock(mutex_);
    RecordAccess result = RecordAccess::Opened;
    auto it = records_.find(name);
    if (it == records_.end()) {
        result = RecordAccess::Missing;
    } else if (writing_.count(name) != 0) {
        result = RecordAccess::InUse;
    }
    if (access != nullptr) *access = result;
    if (result != RecordAccess::Opened) return nullptr;
    ++readers_[name];
    return std::make_unique<Reader>(*this, name, fromTheEnd, fromTheEnd ? it->second.size() : static_cast<size_t>(-1));
}

bool MemoryRecordStore::AppendLine(const std::string& name, const std::string& line) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = records_.find(name);
    if (refuseAppendLine_ || it == records_.end() || writing_.count(name) != 0) return false;
    it->second.push_back({line, true});
    return true;
}

bool MemoryRecordStore::Delete(const std::string& name) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (writing_.count(name) != 0 || readers_.count(name) != 0) return false;
    return records_.erase(name) != 0;
}

bool MemoryRecordStore::Show(const std::string& name) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!name.empty() && records_.count(name) == 0) return false;
    shown_.push_back(name);
    return true;
}

}  // namespace kelvo
