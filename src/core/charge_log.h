#pragma once
// The charge log: one CSV row per event of the battery, kept for seven days,
// so that the details window can draw the charge over time. The file is
// UTF-8 with CRLF line ends and a header line; its rows are
//   2026-12-09T08:13:25Z,57,battery,change,-5500
// (UTC time to the second, percent or empty, `battery` or `mains`, the event,
// the rate in mW as the system reports it or empty).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavelo {

class Clock;

enum class LogEvent : uint8_t { Start, Change, Sleep, Wake, Stop };

struct LogRow {
    int64_t utcSeconds = 0;  // seconds since 1970-01-01 00:00 UTC
    int percent = -1;        // 0-100, -1 unknown
    bool onMains = false;
    LogEvent event = LogEvent::Change;
    std::optional<int32_t> rateMw;  // signed: negative while discharging
    friend bool operator==(const LogRow&, const LogRow&) = default;
};

inline constexpr std::string_view kLogHeader = "time,percent,power,event,rate_mw\r\n";
inline constexpr int64_t kLogKeepSeconds = 7 * 86400;

// "2026-12-09T08:13:25Z" for an instant in seconds since 1970.
std::string FormatUtc(int64_t utcSeconds);
// The row as one line, its CRLF included.
std::string FormatLogRow(const LogRow& row);
// Reads one line (without its line end); false when it is not a row.
bool ParseLogRow(std::string_view line, LogRow& row);

// The file's text read back: its rows in the order of the file, and how many
// lines were not rows (the header aside). A last line without its line end
// is a row that was being written when the gauge stopped: it is not counted
// as a row.
struct ParsedLog {
    std::vector<LogRow> rows;
    int skipped = 0;
    bool header = false;
};
ParsedLog ParseLog(std::string_view text);

// Drops the rows older than seven days before `nowUtcSeconds`, and those
// more than a day after it; true when it dropped any.
bool PruneLog(std::vector<LogRow>& rows, int64_t nowUtcSeconds);

// The whole file for these rows: the header, then each row.
std::string FormatLog(const std::vector<LogRow>& rows);

// "08:00" for the local time of a UTC instant, given the local offset.
std::string FormatLocalClock(int64_t utcSeconds, int32_t offsetMinutes);

// The graph's line for a screen reader: "From 100 % at 08:00 to 57 % now, on
// battery since 09:12". "From" is the first known percentage since
// `fromUtcSeconds`, "since" the earliest row since then from which the power
// source stayed the current one; each part is left out when the rows do not
// tell it. Times are local, by the clock's offset at each instant.
std::string ChargeSummary(const std::vector<LogRow>& rows, int64_t fromUtcSeconds, int currentPercent,
                          bool onMains, Clock& clock);

}  // namespace kavelo
