#include <gtest/gtest.h>

#include "core/charge_log.h"
#include "fakes/core_fakes.h"

namespace kavelo {
namespace {

constexpr int64_t kDec9 = 1796774400;  // 2026-12-09T00:00:00Z

TEST(ChargeLog, RowsPrintAndReadBack) {
    const struct {
        LogRow row;
        const char* line;
    } cases[] = {
        {{kDec9 + 8 * 3600 + 13 * 60 + 25, 57, false, LogEvent::Change, -5500},
         "2026-12-09T08:13:25Z,57,battery,change,-5500"},
        {{0, 100, true, LogEvent::Start, 45000}, "1970-01-01T00:00:00Z,100,mains,start,45000"},
        {{1709251199, -1, false, LogEvent::Sleep, {}}, "2024-02-29T23:59:59Z,,battery,sleep,"},
        {{-1, 0, true, LogEvent::Wake, 0}, "1969-12-31T23:59:59Z,0,mains,wake,0"},
        {{kDec9, 5, false, LogEvent::Stop, -2147483647}, "2026-12-09T00:00:00Z,5,battery,stop,-2147483647"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatLogRow(c.row), std::string(c.line) + "\r\n");
        LogRow back;
        EXPECT_TRUE(ParseLogRow(c.line, back)) << c.line;
        EXPECT_EQ(back, c.row) << c.line;
    }
}

TEST(ChargeLog, LinesThatAreNotRowsAreRefused) {
    for (const char* line : {
             "", "time,percent,power,event,rate_mw", "2026-12-09T08:13:25Z,57,battery,change",
             "2026-12-09T08:13:25Z,57,battery,change,1,2", "2026-02-29T08:13:25Z,57,battery,change,",
             "2026-12-09T24:00:00Z,57,battery,change,", "2026-12-09 08:13:25Z,57,battery,change,",
             "2026-12-09T08:13:25,57,battery,change,", "2026-13-09T08:13:25Z,57,battery,change,",
             "2026-12-09T08:13:25Z,101,battery,change,", "2026-12-09T08:13:25Z,-1,battery,change,",
             "2026-12-09T08:13:25Z, 57,battery,change,", "2026-12-09T08:13:25Z,57,Battery,change,",
             "2026-12-09T08:13:25Z,57,battery,resume,", "2026-12-09T08:13:25Z,57,battery,change,5.5",
             "2026-12-09T08:13:25Z,57,battery,change,--5", "2026-12-09T08:13:25Z,57,battery,change,-",
             "2026-12-09T08:13:25Z,57,battery,change,2147483648", "\xEF\xBB\xBF,,,,"}) {
        LogRow row{1, 2, true, LogEvent::Wake, 3};
        EXPECT_FALSE(ParseLogRow(line, row)) << line;
        EXPECT_EQ(row, (LogRow{1, 2, true, LogEvent::Wake, 3})) << line;
    }
}

TEST(ChargeLog, FileTextSkipsWhatItCannotRead) {
    const struct {
        const char* text;
        size_t rows;
        int skipped;
        bool header;
    } cases[] = {
        {"", 0, 0, false},
        {"time,percent,power,event,rate_mw\r\n", 0, 0, true},
        {"\xEF\xBB\xBFtime,percent,power,event,rate_mw\n2026-12-09T08:13:25Z,57,battery,start,\n", 1, 0, true},
        {"2026-12-09T08:13:25Z,57,battery,start,\r\n", 1, 0, false},
        {"time,percent,power,event,rate_mw\r\ngarbage\r\n\r\n2026-12-09T08:13:25Z,57,battery,start,\r\n", 1, 2, true},
        // The row being written when the gauge stopped has no line end yet.
        {"time,percent,power,event,rate_mw\r\n2026-12-09T08:13:25Z,57,battery,start,\r\n2026-12-09T08:14", 1, 1, true},
        {"time,percent,power,event,rate_mw\r\n2026-12-09T08:13:25Z,57,battery,start,-55", 0, 1, true},
    };
    for (const auto& c : cases) {
        const ParsedLog log = ParseLog(c.text);
        EXPECT_EQ(log.rows.size(), c.rows) << c.text;
        EXPECT_EQ(log.skipped, c.skipped) << c.text;
        EXPECT_EQ(log.header, c.header) << c.text;
    }
    const std::vector<LogRow> rows{{kDec9, 57, false, LogEvent::Start, {}},
                                   {kDec9 + 60, 56, true, LogEvent::Change, 1200}};
    EXPECT_EQ(ParseLog(FormatLog(rows)).rows, rows);
}

TEST(ChargeLog, PruningDropsRowsOlderThanSevenDays) {
    const int64_t now = kDec9 + 12 * 3600;
    const struct {
        int64_t age;
        bool kept;
    } cases[] = {{8 * 86400, false}, {7 * 86400 + 1, false}, {7 * 86400, true}, {86400, true},
                 {0, true},          {-3600, true}};
    std::vector<LogRow> rows, expected;
    for (const auto& c : cases) {
        rows.push_back({now - c.age, 50, false, LogEvent::Change, {}});
        if (c.kept) expected.push_back(rows.back());
    }
    EXPECT_TRUE(PruneLog(rows, now));
    EXPECT_EQ(rows, expected);
    EXPECT_FALSE(PruneLog(rows, now));
}

TEST(ChargeLog, SummaryForScreenReaders) {
    fakes::FakeClock clock;
    clock.offsetMinutes = 60;
    const int64_t from = kDec9 + 6 * 3600;  // 07:00 local
    const std::vector<LogRow> day{
        {kDec9 + 5 * 3600, 100, true, LogEvent::Start, {}},   // before the span
        {kDec9 + 7 * 3600, 100, true, LogEvent::Change, {}},  // 08:00
        {kDec9 + 7 * 3600 + 60, -1, true, LogEvent::Change, {}},
        {kDec9 + 8 * 3600 + 12 * 60, 99, false, LogEvent::Change, -5000},  // 09:12
        {kDec9 + 10 * 3600, 60, false, LogEvent::Stop, {}},
        {kDec9 + 11 * 3600, 58, false, LogEvent::Start, {}},
    };
    const struct {
        std::vector<LogRow> rows;
        int percent;
        bool onMains;
        const char* text;
    } cases[] = {
        {day, 57, false, "From 100 % at 08:00 to 57 % now, on battery since 09:12"},
        {day, 57, true, "From 100 % at 08:00 to 57 % now, on mains"},
        {{day.begin(), day.begin() + 3}, 100, true, "From 100 % at 08:00 to 100 % now, on mains since 06:00"},
        {{day.begin(), day.begin() + 1}, 57, true, "57 % now, on mains since 06:00"},
        {{}, -1, false, "unknown now, on battery"},
    };
    for (const auto& c : cases) EXPECT_EQ(ChargeSummary(c.rows, from, c.percent, c.onMains, clock), c.text);
    EXPECT_EQ(FormatLocalClock(kDec9, -90), "22:30");
}

}  // namespace
}  // namespace kavelo
