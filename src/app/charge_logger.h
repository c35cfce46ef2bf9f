#pragma once
// Keeps the charge log: a row for each event of the gauge's run, appended as
// it happens. The log is off until Open (after the first face is shown, so
// that the start reads nothing of it) and for the rest of the run once a
// write fails; the reason is kept for the details window.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/battery_reading.h"
#include "core/charge_log.h"
#include "core/day_clock.h"
#include "core/power.h"
#include "platform/log_file.h"

namespace kavelo {

class ChargeLogger {
public:
    // The rate of each row comes from `figures` (none: left empty), read
    // only when a row is written.
    ChargeLogger(LogFile& file, Clock& clock, BatteryFigures* figures = nullptr)
        : file_(file), clock_(clock), figures_(figures) {}

    // Makes the folder, drops the rows older than seven days and the lines
    // that cannot be read (rewriting the file only then), and writes the
    // `start` row for this reading.
    void Open(const PowerStatus& status);
    // The one reading of a refresh: a `change` row when the percentage or
    // the power source differs from the last row's.
    void Observe(const PowerStatus& status);
    // `sleep`, `wake` and `stop`, with the latest reading: a `wake` only
    // after a `sleep`, and after a `sleep` only a `wake`.
    void Write(LogEvent event, const PowerStatus& status);

    bool On() const { return on_; }
    // Why the log is off ("" while it is on or not yet opened).
    const std::string& Why() const { return why_; }
    // The rows on file now, for the graph; empty while the log is off.
    std::vector<LogRow> Rows();
    LogFile& File() { return file_; }

private:
    void Fail(const std::string& why);

    LogFile& file_;
    Clock& clock_;
    BatteryFigures* figures_;
    bool on_ = false;
    std::string why_;
    LogRow last_;
};

}  // namespace kavelo
