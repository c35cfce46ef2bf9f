#include "core/charge_log.h"

#include <algorithm>
#include <climits>

#include "core/day_clock.h"

namespace kavelo {
namespace {

constexpr std::string_view kEventNames[] = {"start", "change", "sleep", "wake", "stop"};

// Days since 1970-01-01 and the proleptic Gregorian date, both ways (the
// usual era arithmetic: 400-year eras of 146 097 days, years from March).
void CivilFromDays(int64_t z, int64_t& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2);
}

int64_t DaysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    return era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
}

// Two digits after `sep` (no printf: its implementation alone would add
// some 20 KB to the program).
void Put2(std::string& out, char sep, int64_t value) {
    if (sep) out += sep;
    out += static_cast<char>('0' + value / 10 % 10);
    out += static_cast<char>('0' + value % 10);
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

// Digits only, at most `maxDigits` of them; false for anything else.
bool ReadNumber(std::string_view s, size_t maxDigits, int64_t& value) {
    if (s.empty() || s.size() > maxDigits) return false;
    value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

bool ParseUtc(std::string_view s, int64_t& seconds) {
    // Only the one form the log writes: read the numbers, then check that the
    // instant they make prints back the same (which rules out a 31 June or a
    // 25th hour).
    if (s.size() != 20) return false;
    int64_t y, mo, d, h, mi, se;
    if (!ReadNumber(s.substr(0, 4), 4, y) || !ReadNumber(s.substr(5, 2), 2, mo) ||
        !ReadNumber(s.substr(8, 2), 2, d) || !ReadNumber(s.substr(11, 2), 2, h) ||
        !ReadNumber(s.substr(14, 2), 2, mi) || !ReadNumber(s.substr(17, 2), 2, se) || mo < 1 || mo > 12)
        return false;
    seconds = DaysFromCivil(y, static_cast<int>(mo), static_cast<int>(d)) * 86400 + h * 3600 + mi * 60 + se;
    return FormatUtc(seconds) == s;
}

}  // namespace

std::string FormatUtc(int64_t utcSeconds) {
    const int64_t days = FloorDiv(utcSeconds, 86400);
    const int64_t s = utcSeconds - days * 86400;
    int64_t y;
    int m, d;
    CivilFromDays(days, y, m, d);
    std::string text = std::to_string(y);
    text.insert(0, text.size() < 4 ? 4 - text.size() : 0, '0');
    Put2(text, '-', m);
    Put2(text, '-', d);
    Put2(text, 'T', s / 3600);
    Put2(text, ':', s / 60 % 60);
    Put2(text, ':', s % 60);
    return text + 'Z';
}

std::string FormatLogRow(const LogRow& row) {
    std::string line = FormatUtc(row.utcSeconds);
    line += ',';
    if (row.percent >= 0) line += std::to_string(row.percent);
    line += row.onMains ? ",mains," : ",battery,";
    line += kEventNames[static_cast<int>(row.event)];
    line += ',';
    if (row.rateMw) line += std::to_string(*row.rateMw);
    line += "\r\n";
    return line;
}

bool ParseLogRow(std::string_view line, LogRow& row) {
    std::string_view field[5];
    for (int i = 0; i < 5; ++i) {
        const size_t comma = line.find(',');
        if ((comma == std::string_view::npos) != (i == 4)) return false;
        field[i] = line.substr(0, comma);
        if (i < 4) line.remove_prefix(comma + 1);
    }
    LogRow out;
    int64_t n = 0;
    if (!ParseUtc(field[0], out.utcSeconds)) return false;
    if (!field[1].empty()) {
        if (!ReadNumber(field[1], 3, n) || n > 100) return false;
        out.percent = static_cast<int>(n);
    }
    if (field[2] != "battery" && field[2] != "mains") return false;
    out.onMains = field[2] == "mains";
    const auto* name = std::find(std::begin(kEventNames), std::end(kEventNames), field[3]);
    if (name == std::end(kEventNames)) return false;
    out.event = static_cast<LogEvent>(name - std::begin(kEventNames));
    if (!field[4].empty()) {
        const bool negative = field[4][0] == '-';
        if (!ReadNumber(field[4].substr(negative), 10, n) || n > INT32_MAX) return false;
        out.rateMw = static_cast<int32_t>(negative ? -n : n);
    }
    row = out;
    return true;
}

ParsedLog ParseLog(std::string_view text) {
    ParsedLog log;
    bool first = true;
    // A line without its line end is the one that was being written.
    for (size_t end; (end = text.find('\n')) != std::string_view::npos; first = false) {
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (first && line.size() >= 3 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
        LogRow row;
        if (first && line == kLogHeader.substr(0, kLogHeader.size() - 2))
            log.header = true;
        else if (ParseLogRow(line, row))
            log.rows.push_back(row);
        else
            ++log.skipped;
    }
    if (!text.empty()) ++log.skipped;
    return log;
}

bool PruneLog(std::vector<LogRow>& rows, int64_t nowUtcSeconds) {
    // Rows from more than a day ahead were written while the clock was
    // wrong; left in, they would never grow old.
    const size_t before = rows.size();
    std::erase_if(rows, [&](const LogRow& r) {
        return r.utcSeconds < nowUtcSeconds - kLogKeepSeconds || r.utcSeconds > nowUtcSeconds + 86400;
    });
    return rows.size() != before;
}

std::string FormatLog(const std::vector<LogRow>& rows) {
    std::string text(kLogHeader);
    for (const LogRow& row : rows) text += FormatLogRow(row);
    return text;
}

std::string FormatLocalClock(int64_t utcSeconds, int32_t offsetMinutes) {
    const int64_t local = utcSeconds + int64_t{offsetMinutes} * 60;
    const int64_t s = local - FloorDiv(local, 86400) * 86400;
    std::string text;
    Put2(text, 0, s / 3600);
    Put2(text, ':', s / 60 % 60);
    return text;
}

std::string ChargeSummary(const std::vector<LogRow>& rows, int64_t fromUtcSeconds, int currentPercent,
                          bool onMains, Clock& clock) {
    auto clockText = [&](int64_t t) { return FormatLocalClock(t, clock.LocalOffsetMinutes(t * 1000)); };
    std::string text;
    const auto first = std::find_if(rows.begin(), rows.end(), [&](const LogRow& r) {
        return r.utcSeconds >= fromUtcSeconds && r.percent >= 0;
    });
    if (first != rows.end())
        text = "From " + std::to_string(first->percent) + " % at " + clockText(first->utcSeconds) + " to ";
    text += currentPercent >= 0 ? std::to_string(currentPercent) + " %" : std::string("unknown");
    text += onMains ? " now, on mains" : " now, on battery";
    int64_t since = -1;
    for (auto r = rows.rbegin(); r != rows.rend() && r->onMains == onMains; ++r) since = r->utcSeconds;
    if (since >= 0) text += " since " + clockText(since);
    return text;
}

}  // namespace kavelo
