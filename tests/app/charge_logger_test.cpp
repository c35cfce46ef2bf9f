#include <gtest/gtest.h>

#include "app/charge_logger.h"
#include "fakes/core_fakes.h"
#include "fakes/fake_log_file.h"

namespace kavelo {
namespace {

constexpr int64_t kNow = 1796803200;  // 2026-12-09T08:00:00Z
const std::string kHeader(kLogHeader);
const std::string kOld = "2026-12-01T07:59:59Z,90,mains,change,\r\n";
const std::string kRecent = "2026-12-02T08:00:00Z,80,battery,change,-5000\r\n";

struct Rig {
    fakes::FakeLogFile file;
    fakes::FakeClock clock;
    ChargeLogger log{file, clock};
    Rig() { clock.utc = kNow * 1000; }
};

TEST(ChargeLogger, OpeningKeepsTheRecentRowsAndStarts) {
    const std::string start = "2026-12-09T08:00:00Z,57,battery,start,-5500\r\n";
    const struct {
        bool exists;
        std::string before, after;
        int replaces;
    } cases[] = {
        {false, "", kHeader + start, 1},
        {true, kHeader + kRecent, kHeader + kRecent + start, 0},
        {true, kHeader + kOld + kRecent, kHeader + kRecent + start, 1},
        {true, kHeader + "junk\r\n" + kRecent + "2026-12-0", kHeader + kRecent + start, 1},
        {true, kRecent, kHeader + kRecent + start, 1},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.file.exists = c.exists;
        rig.file.text = c.before;
        rig.log.Open({0, 57}, -5500);
        EXPECT_TRUE(rig.log.On());
        EXPECT_EQ(rig.file.text, c.after) << c.before;
        EXPECT_EQ(rig.file.replaces, c.replaces) << c.before;
    }
}

TEST(ChargeLogger, AFailureTurnsTheLogOffAndKeepsTheFile) {
    const std::string before = kHeader + kOld + kRecent;
    const struct {
        bool fakes::FakeLogFile::*flag;
        const char* why;
        bool afterOpen;
        std::string after;
    } cases[] = {{&fakes::FakeLogFile::failFolder, "folder refused", false, before},
                 {&fakes::FakeLogFile::failRead, "read refused", false, before},
                 {&fakes::FakeLogFile::failReplace, "replace refused", false, before},
                 {&fakes::FakeLogFile::failAppend, "append refused", false, kHeader + kRecent},
                 {&fakes::FakeLogFile::failAppend, "append refused", true,
                  kHeader + kRecent + "2026-12-09T08:00:00Z,57,battery,start,\r\n"}};
    for (const auto& c : cases) {
        Rig rig;
        rig.file.exists = true;
        rig.file.text = before;
        if (!c.afterOpen) rig.file.*c.flag = true;
        rig.log.Open({0, 57}, {});
        rig.file.*c.flag = true;
        rig.log.Observe({0, 56}, {});
        rig.file.*c.flag = false;
        rig.log.Write(LogEvent::Stop, {0, 55}, {});
        EXPECT_FALSE(rig.log.On()) << c.why;
        EXPECT_EQ(rig.log.Why(), c.why);
        EXPECT_EQ(rig.file.text, c.after) << c.why;
        EXPECT_TRUE(rig.log.Rows().empty());
    }
}

TEST(ChargeLogger, ARowForEachChangeOfPercentOrPowerSource) {
    Rig rig;
    rig.log.Observe({0, 60}, {});  // not open yet: nothing
    rig.log.Open({0, 57}, {});
    const PowerStatus readings[] = {{0, 57}, {0, 56}, {0, 56}, {1, 56}, {1, 56, 8}, {1, 255}, {1, 255}};
    for (const PowerStatus& s : readings) {
        rig.log.Observe(s, {});
        rig.clock.Advance(1000);
    }
    rig.log.Write(LogEvent::Sleep, {1, 57}, 100);
    EXPECT_EQ(rig.file.text, kHeader +
                                 "2026-12-09T08:00:00Z,57,battery,start,\r\n"
                                 "2026-12-09T08:00:01Z,56,battery,change,\r\n"
                                 "2026-12-09T08:00:03Z,56,mains,change,\r\n"
                                 "2026-12-09T08:00:05Z,,mains,change,\r\n"
                                 "2026-12-09T08:00:07Z,57,mains,sleep,100\r\n");
    EXPECT_EQ(rig.log.Rows().size(), 5u);
}

}  // namespace
}  // namespace kavelo
