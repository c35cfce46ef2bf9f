#include <gtest/gtest.h>

#include "app/charge_logger.h"
#include "fakes/core_fakes.h"
#include "fakes/fake_log_file.h"

namespace kavelo {
namespace {

const std::string kHeader(kLogHeader), kOld = "2026-12-01T07:59:59Z,90,mains,change,\r\n",
                  kRecent = "2026-12-02T08:00:00Z,80,battery,change,-5000\r\n",
                  kStart = "2026-12-09T08:00:00Z,57,battery,start,\r\n";

struct Rig : BatteryFigures {
    fakes::FakeLogFile file;
    fakes::FakeClock clock;
    int32_t rate = kUnknownRate;
    ChargeLogger log{file, clock, this};
    Rig(const std::string& text) { clock.utc = 1796803200000, file.text = text; }  // 2026-12-09T08:00Z
    bool ReadEnergy(BatteryEnergy& e) override { return e.rateMw = rate, true; }
    void ReadDevices(std::vector<BatteryDevice>&) override {}
};

TEST(ChargeLogger, OpeningKeepsTheRecentRowsAndStarts) {
    const struct { std::string before, after; int replaces; } cases[] = {
        {"", kHeader + kStart, 1}, {kHeader + kRecent, kHeader + kRecent + kStart, 0},
        {kHeader + kOld + kRecent, kHeader + kRecent + kStart, 1},
        {kHeader + "junk\r\n" + kRecent + "2026-12-0", kHeader + kRecent + kStart, 1},
        {kRecent, kHeader + kRecent + kStart, 1}};
    for (const auto& c : cases) {
        Rig rig(c.before);
        rig.log.Open({0, 57});
        EXPECT_TRUE(rig.log.On() && rig.file.text == c.after && rig.file.replaces == c.replaces) << c.before;
    }
}

TEST(ChargeLogger, AFailureTurnsTheLogOffAndLeavesTheFileWhole) {
    const std::string before = kHeader + kOld + kRecent;
    const struct { const char* refuse; bool atOpen; std::string after; } cases[] = {
        {"folder", true, before}, {"read", true, before}, {"replace", true, before},
        {"append", true, kHeader + kRecent}, {"append", false, kHeader + kRecent + kStart}};
    for (const auto& c : cases) {
        Rig rig(before);
        if (c.atOpen) rig.file.refuse = c.refuse;
        rig.log.Open({0, 57});
        rig.file.refuse = c.refuse;
        rig.log.Observe({0, 56});
        rig.file.refuse.clear();
        rig.log.Write(LogEvent::Stop, {0, 55});  // off for the rest of the run
        EXPECT_TRUE(!rig.log.On() && rig.log.Why() == std::string(c.refuse) + " refused" && rig.file.text == c.after &&
                    rig.log.Rows().empty()) << c.refuse;
    }
}

TEST(ChargeLogger, ARowForEachChangeOfPercentOrPowerSource) {
    Rig rig(kHeader);
    rig.log.Observe({0, 60});  // not open yet: nothing
    rig.log.Open({0, 57});
    for (const PowerStatus& s : {PowerStatus{0, 57}, {0, 56}, {0, 56}, {1, 56}, {1, 56, 8}, {1, 255}, {1, 255}})
        rig.log.Observe(s), rig.clock.Advance(1000);
    rig.rate = 100;
    rig.log.Write(LogEvent::Sleep, {1, 57});  // its rate read as it is written
    rig.rate = kUnknownRate;
    rig.log.Observe({1, 50});  // asleep: only the first wake is a row
    for (int i = 0; i < 2; ++i) rig.log.Write(LogEvent::Wake, {1, 50});
    EXPECT_EQ(rig.file.text, kHeader + kStart +
                                 "2026-12-09T08:00:01Z,56,battery,change,\r\n2026-12-09T08:00:03Z,56,mains,change,\r\n"
                                 "2026-12-09T08:00:05Z,,mains,change,\r\n2026-12-09T08:00:07Z,57,mains,sleep,100\r\n"
                                 "2026-12-09T08:00:07Z,50,mains,wake,\r\n");
    EXPECT_EQ(rig.log.Rows().size(), 6u);
}

}  // namespace
}  // namespace kavelo
