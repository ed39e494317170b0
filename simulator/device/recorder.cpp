#include "simulator/device/recorder.h"

#include <algorithm>
#include <charconv>

#include "simulator/effects/text.h"

namespace velsim {

namespace {

constexpr size_t kFlushAt = 1 << 16;

void Append(std::string& buffer, int64_t value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    buffer.append(digits, end);
}

}  // namespace

std::string CsvField(const std::u16string& name)
{
    const std::string utf8 = EncodeUtf8(name);
    if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
    std::string quoted = "\"";
    for (char c : utf8) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

FileCreate Recorder::Open(const std::filesystem::path& path, int& error)
{
    const FileCreate result = file_.Create(path, error);
    if (result != FileCreate::Done) return result;
    buffer_.reserve(kFlushAt * 2);
    buffer_ = "t_ms,hand_x,hand_y,handle_x,handle_y,force_x,force_y,effects\n";
    return result;
}

const std::string& Recorder::NameOf(size_t position, const EffectModel& model)
{
    if (position >= names_.size()) names_.resize(std::max(position + 1, names_.size() * 2));
    std::string& name = names_[position];
    if (name.empty()) name = CsvField(model.At(position).name);  // names are never empty
    return name;
}

void Recorder::Row(const RecordedRow& row, std::vector<EffectShare>& effects,
                   const EffectModel& model)
{
    for (int64_t value : {row.millis, int64_t{row.handX}, int64_t{row.handY}, int64_t{row.handleX},
                          int64_t{row.handleY}, int64_t{row.forceX}, int64_t{row.forceY}}) {
        Append(buffer_, value);
        buffer_ += ',';
    }
    buffer_.pop_back();
    std::sort(effects.begin(), effects.end(),
              [](const EffectShare& a, const EffectShare& b) { return a.position < b.position; });
    for (const auto& effect : effects) {
        buffer_ += ',';
        buffer_ += NameOf(effect.position, model);
        buffer_ += ',';
        Append(buffer_, effect.forceX);
        buffer_ += ',';
        Append(buffer_, effect.forceY);
    }
    buffer_ += '\n';
    if (buffer_.size() >= kFlushAt) Flush();
}

void Recorder::Flush()
{
    if (!failed_ && !file_.Write(buffer_.data(), buffer_.size())) failed_ = true;
    buffer_.clear();
}

bool Recorder::Close()
{
    Flush();
    const bool closed = file_.Close();
    return closed && !failed_;
}

}  // namespace velsim
