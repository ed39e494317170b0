// The 1 kHz recorder: a CSV row for each 1 ms step of the device's time.
//   t_ms,hand_x,hand_y,handle_x,handle_y,force_x,force_y,effects
// then, on each row after the seven integers, three columns per playing
// effect, in creation order: its name (UTF-8, in double quotes when it holds
// a comma, a quote, CR or LF, a quote doubled inside), its force x and y.
// Rows are built in a buffer and written in large pieces, so a row costs
// little more than formatting its numbers.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "simulator/effects/effect_model.h"
#include "simulator/effects/regular_file.h"

namespace velsim {

struct RecordedRow {
    int64_t millis = 0;
    int32_t handX = 0, handY = 0, handleX = 0, handleY = 0, forceX = 0, forceY = 0;
};

struct EffectShare {
    size_t position;
    int32_t forceX, forceY;
};

class Recorder {
public:
    // Opens the file (see OutputFile) and writes the header.
    FileCreate Open(const std::filesystem::path& path, int& error);
    // effects: the playing effects' positions and shares, in any order.
    void Row(const RecordedRow& row, std::vector<EffectShare>& effects, const EffectModel& model);
    // Writes what is left; false when some write failed.
    bool Close();

private:
    const std::string& NameOf(size_t position, const EffectModel& model);
    void Flush();

    OutputFile file_;
    std::string buffer_;
    bool failed_ = false;
    std::vector<std::string> names_;  // by position: the name as a CSV field, made on first use
};

// A name as one CSV field (RFC 4180).
std::string CsvField(const std::u16string& name);

}  // namespace velsim
