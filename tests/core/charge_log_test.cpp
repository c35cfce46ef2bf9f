#include <gtest/gtest.h>

#include "core/charge_log.h"
#include "fakes/core_fakes.h"

namespace kavelo {
namespace {

constexpr int64_t kDec9 = 1796774400;  // 2026-12-09T00:00:00Z
const std::string kHead = "time,percent,power,event,rate_mw\r\n", kRow = "2026-12-09T08:13:25Z,57,battery,start,";

TEST(ChargeLog, RowsPrintAndReadBack) {
    const std::pair<LogRow, const char*> cases[] = {
        {{kDec9 + 29605, 57, false, LogEvent::Change, -5500}, "2026-12-09T08:13:25Z,57,battery,change,-5500"},
        {{0, 100, true, LogEvent::Start, 45000}, "1970-01-01T00:00:00Z,100,mains,start,45000"},
        {{1709251199, -1, false, LogEvent::Sleep, {}}, "2024-02-29T23:59:59Z,,battery,sleep,"},
        {{-1, 0, true, LogEvent::Wake, 0}, "1969-12-31T23:59:59Z,0,mains,wake,0"},
        {{kDec9, 5, false, LogEvent::Stop, -2147483647}, "2026-12-09T00:00:00Z,5,battery,stop,-2147483647"}};
    LogRow back;
    for (const auto& [row, line] : cases)
        EXPECT_TRUE(FormatLogRow(row) == line + std::string("\r\n") && ParseLogRow(line, back) && back == row) << line;
    // Lines that are not rows, field by field.
    const std::string t = "2026-12-09T08:13:25Z";
    for (const std::string& bad : std::initializer_list<std::string>{
             "", kHead.substr(0, 32), "2026-02-29T08:13:25Z,57,battery,change,", "2026-12-09T24:00:00Z,,mains,stop,",
             "2026-12-09 08:13:25Z,,mains,stop,", "2026-13-09T08:13:25Z,,mains,stop,", "2026-12-09T08:13:25,,mains,",
             t + ",57,battery,change", t + ",57,battery,change,1,2", t + ",101,battery,change,", t + ",-1,mains,stop,",
             t + ", 57,mains,stop,", t + ",57,Battery,stop,", t + ",57,battery,resume,", t + ",57,mains,stop,5.5",
             t + ",57,mains,stop,--5", t + ",57,mains,stop,-", t + ",57,mains,stop,2147483648"}) {
        LogRow row{1, 2, true, LogEvent::Wake, 3};
        EXPECT_TRUE(!ParseLogRow(bad, row) && row == (LogRow{1, 2, true, LogEvent::Wake, 3})) << bad;
    }
}

TEST(ChargeLog, FileTextSkipsWhatItCannotReadAndPrunesAWeek) {
    const struct { std::string text; size_t rows; int skipped; bool header; } cases[] = {
        {"", 0, 0, false}, {kHead, 0, 0, true}, {"\xEF\xBB\xBF" + kHead + kRow + "\n", 1, 0, true},
        {kRow + "\r\n", 1, 0, false}, {kHead + "garbage\r\n\r\n" + kRow + "\r\n", 1, 2, true},
        // The row being written when the gauge stopped has no line end yet.
        {kHead + kRow + "\r\n2026-12-09T08:14", 1, 1, true}, {kHead + kRow + "-55", 0, 1, true}};
    for (const auto& c : cases) {
        const ParsedLog log = ParseLog(c.text);
        EXPECT_TRUE(log.rows.size() == c.rows && log.skipped == c.skipped && log.header == c.header) << c.text;
    }
    std::vector<LogRow> rows, kept;
    for (int64_t age : {8 * 86400, 7 * 86400 + 1, 7 * 86400, 3600, 0, -86400, -86401}) {
        rows.push_back({kDec9 - age, 50, age < 0, LogEvent::Change, {}});
        if (age <= 7 * 86400 && age >= -86400) kept.push_back(rows.back());
    }
    EXPECT_EQ(ParseLog(FormatLog(rows)).rows, rows);
    EXPECT_TRUE(PruneLog(rows, kDec9));
    EXPECT_EQ(rows, kept);
    EXPECT_FALSE(PruneLog(rows, kDec9));
}

TEST(ChargeLog, SummaryForScreenReaders) {
    fakes::FakeClock clock;
    clock.offsetMinutes = 60;
    auto row = [](double hour, int p, bool mains, LogEvent e) {
        return LogRow{kDec9 + static_cast<int64_t>(hour * 3600 + 0.5), p, mains, e, {}};
    };
    const std::vector<LogRow> day{row(5, 100, true, LogEvent::Start),  // before the span
                                  row(7, 100, true, LogEvent::Change), row(7.1, -1, true, LogEvent::Change),
                                  row(8.2, 99, false, LogEvent::Change), row(10, 60, false, LogEvent::Stop),
                                  row(11, 58, false, LogEvent::Start)};
    const struct { size_t rows; int percent; bool onMains; const char* text; } cases[] = {
        {6, 57, false, "From 100 % at 08:00 to 57 % now, on battery since 09:12"},
        {3, 100, true, "From 100 % at 08:00 to 100 % now, on mains since 06:00"},
        {1, 57, true, "57 % now, on mains since 06:00"},
        {0, -1, false, "unknown now, on battery"}};
    for (const auto& c : cases)
        EXPECT_EQ(ChargeSummary({day.begin(), day.begin() + c.rows}, kDec9 + 6 * 3600, c.percent, c.onMains, clock),
                  c.text);
}

}  // namespace
}  // namespace kavelo
