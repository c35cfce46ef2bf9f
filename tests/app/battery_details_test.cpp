#include <gtest/gtest.h>

#include "app/battery_details.h"
#include "app/details_figures.h"
#include "fakes/core_fakes.h"
#include "fakes/fake_details.h"

namespace kavelo {
namespace {

constexpr uint32_t kSys = kBatterySystemBattery;
constexpr uint32_t kUnknown = kBatteryUnknownCapacity;

TEST(BatteryDevices, SumOnlySystemBatteriesInMwhAndKeepUnknownsUnknown) {
    const BatteryDevice a{kSys, 50000, 44000, 312, 12100, -7000};
    const BatteryDevice b{kSys, 30000, 27000, 40, 11900, -3000};
    const BatteryDevice ups{kSys | kBatteryIsShortTerm, 90000, 90000, 5, 24000, -100};
    const BatteryDevice notSystem{0, 90000, 90000, 5, 24000, -100};
    const BatteryDevice relative{kSys | kBatteryCapacityRelative, 100, 97, 12, 11000, -25};
    const BatteryDevice blank{kSys, kUnknown, kUnknown, 0, kBatteryUnknownVoltage, kUnknownRate};
    struct Case {
        std::vector<BatteryDevice> devices;
        BatteryDesign expected;  // design, full, rate, cycles, voltage, batteries
    } cases[] = {
        {{}, {-1, -1, kUnknownRate, -1, -1, 0}},
        {{a}, {50000, 44000, -7000, 312, 12100, 1}},
        {{a, b}, {80000, 71000, -10000, -1, -1, 2}},
        {{a, ups, notSystem}, {50000, 44000, -7000, 312, 12100, 1}},
        {{relative}, {-1, -1, kUnknownRate, 12, 11000, 1}},
        {{a, relative}, {50000, 44000, -7000, -1, -1, 2}},
        {{blank}, {-1, -1, kUnknownRate, -1, -1, 1}},
        {{a, blank}, {-1, -1, kUnknownRate, -1, -1, 2}},
        {{BatteryDevice{kSys, 50000, 44000, 0, 12100, 0}}, {50000, 44000, kUnknownRate, -1, 12100, 1}},
    };
    for (const Case& c : cases) {
        const BatteryDesign d = CombineBatteries(c.devices);
        SCOPED_TRACE(c.devices.size());
        EXPECT_EQ(d.designMwh, c.expected.designMwh);
        EXPECT_EQ(d.fullMwh, c.expected.fullMwh);
        EXPECT_EQ(d.rateMw, c.expected.rateMw);
        EXPECT_EQ(d.cycleCount, c.expected.cycleCount);
        EXPECT_EQ(d.voltageMv, c.expected.voltageMv);
        EXPECT_EQ(d.batteries, c.expected.batteries);
    }
}

TEST(BatteryDetailsText, FiguresAndTheRateLine) {
    const PowerStatus battery{0, 57, 0}, charging{1, 80, kBatteryFlagCharging}, held{1, 80, 0}, full{1, 100, 0};
    const BatteryDesign design{12650, 11000, kUnknownRate, 312, 11100, 1};
    // The fake battery of the tests under Wine, with devices as a laptop has them.
    const std::vector<std::string> values =
        DetailsValues({battery, {-5500, 6270, 11000, 4104}, design, 7260, 900});
    EXPECT_EQ(DetailsCopyText(values),
              "Charge: 57 %\r\nState: On battery\r\nRate: 5.5 W\r\nRemaining energy: 6.3 Wh\r\n"
              "Full-charge capacity: 11.0 Wh\r\nDesign capacity: 12.7 Wh\r\nHealth: 87 %\r\nCycle count: 312\r\n"
              "Voltage: 11.10 V\r\nTime left (learned): 2 h 01 min\r\nTime left (Windows): 1 h 08 min\r\n"
              "Time to full (learned): Unknown");
    // Nothing known but the charge: Windows' own rate sign is not trusted.
    const std::vector<std::string> bare = DetailsValues({charging, {45000, -1, -1, -1}, {}, -1, 2700});
    EXPECT_EQ(bare, (std::vector<std::string>{"80 %", "Charging", "45.0 W", "Unknown", "Unknown", "Unknown",
                                              "Unknown", "Unknown", "Unknown", "Unknown", "Unknown", "45 min"}));
    EXPECT_EQ(DetailsValues({held, {}, {}, -1, -1})[1], "On mains, not charging");
    EXPECT_EQ(DetailsValues({full, {}, {}, -1, -1})[1], "Charged");
    EXPECT_EQ(DetailsValues({{0, 255, 128}, {}, {}, -1, -1})[0], "Unknown");

    struct { int32_t rate; PowerStatus power; const char* line; } lines[] = {
        {-5500, battery, "Discharging at 5.5 W"}, {45000, charging, "Charging at 45.0 W"},
        {-45049, charging, "Charging at 45.0 W"}, {-5500, held, ""}, {0, battery, ""}, {kUnknownRate, battery, ""},
    };
    for (const auto& l : lines) EXPECT_EQ(RateLineText(l.rate, l.power), l.line) << l.rate;
}

TEST(BatteryDetails, OneWindowReadsWhileOpenAndTheDevicesAtMostEveryFewSeconds) {
    GaugeState state;
    state.Power = {0, 57, 0};
    fakes::FakeFigures figures;
    fakes::FakeDetailsWindows windows;
    fakes::FakeClock clock;
    clock.utc = 1000000;
    TBatteryDetails details(state, windows, figures, clock);
    details.PowerChanged();
    EXPECT_EQ(figures.energyReads + figures.deviceReads, 0);  // closed: nothing read

    details.Open();
    details.Open();  // brought to the front, not opened again
    EXPECT_EQ(windows.opened, 1);
    EXPECT_EQ(windows.last->fronts, 1);
    EXPECT_EQ(windows.last->values[2], "5.5 W");
    figures.energy.rateMw = -7000;
    details.OnDetailsTick();
    clock.Advance(TBatteryDetails::kDevicesEveryMs - 1);
    details.PowerChanged();
    EXPECT_EQ(windows.last->values[2], "7.0 W");
    EXPECT_EQ(figures.deviceReads, 1);
    clock.Advance(1);
    details.OnDetailsTick();
    EXPECT_EQ(figures.deviceReads, 2);

    details.OnDetailsCopy();
    ASSERT_EQ(windows.last->clipboard.size(), 1u);
    EXPECT_EQ(windows.last->clipboard[0].rfind("Charge: 57 %\r\nState: On battery\r\nRate: 7.0 W\r\n", 0), 0u);
    details.OnDetailsClosed();
    EXPECT_FALSE(windows.open);
    const int reads = figures.energyReads;
    details.PowerChanged();
    EXPECT_EQ(figures.energyReads, reads);
    details.Open();
    EXPECT_EQ(windows.opened, 2);
    EXPECT_EQ(windows.last->values[0], "57 %");  // a new window gets every figure
}

}  // namespace
}  // namespace kavelo
