#pragma once
// Every value Kavelo keeps between runs, one row each: where it is stored,
// its kind, its default and the field it fills. Loading and saving, the
// initial values of GaugeState, the tools' defaults and the tests all read
// this table, so a new stored value is one more row.
#include <cstdint>

#include "core/gauge_state.h"

namespace kavelo {

enum class StoredKind : uint8_t {
    Integer,      // signed decimal text
    Colour,       // an integer holding 0x00BBGGRR
    Flag,         // "1" or "0"; any other number reads as set
    NegatedFlag,  // a flag whose field holds its negation
    Histories,    // the learned histories, under sections of their own
};

// The parts of the gauge window that are stored; the window applies them.
enum class WindowPart : uint8_t { None, Top, Left, StayOnTop, TrayOnly };

// The field a row fills: a member of GaugeState or a part of the window.
struct StoredField {
    constexpr StoredField() = default;
    constexpr StoredField(int32_t GaugeState::*m) : integer(m) {}
    constexpr StoredField(Colour GaugeState::*m) : colour(m) {}
    constexpr StoredField(bool GaugeState::*m) : flag(m) {}
    constexpr StoredField(WindowPart w) : window(w) {}
    int32_t GaugeState::*integer = nullptr;
    Colour GaugeState::*colour = nullptr;
    bool GaugeState::*flag = nullptr;
    WindowPart window = WindowPart::None;
};

struct StoredSetting {
    const char* section;  // "" is the store key itself
    const char* name;
    StoredKind kind;
    int32_t def;    // as stored: a flag's default is 1 or 0
    int loadStep;   // loading goes by rising step; saving goes by row
    StoredField field;
};

// Rows in the order they are saved. Loading reads them in another order, kept
// from older versions (the first failed read is the one reported, and the
// window's style is applied as its value is read); the steps leave room for
// a new row anywhere.
inline constexpr StoredSetting kStoredSettings[] = {
    {"", nullptr, StoredKind::Histories, 0, 50, {}},
    {"Position", "Top", StoredKind::Integer, 0, 10, WindowPart::Top},
    {"Position", "Left", StoredKind::Integer, 0, 20, WindowPart::Left},
    {"Position", "Dessus", StoredKind::Flag, 1, 60, WindowPart::StayOnTop},
    {"Position", "Tray", StoredKind::Flag, 1, 70, WindowPart::TrayOnly},
    {"", "DureeHisto", StoredKind::Integer, 5, 30, &GaugeState::HistoryLength},
    {"", "AfficheTemps", StoredKind::NegatedFlag, 1, 40, &GaugeState::PercentMode},
    {"", "AutoStart", StoredKind::Flag, 1, 150, &GaugeState::AutoStart},
    {"Couleur", "Normale", StoredKind::Colour, 0x00FF00, 80, &GaugeState::NormalColor},
    {"Couleur", "TrayShadow", StoredKind::Colour, 0x808080, 120, &GaugeState::TrayShadowColor},
    {"Couleur", "Tray", StoredKind::Colour, 0x0000FF, 100, &GaugeState::TrayColor},
    {"Couleur", "TrayPluged", StoredKind::Colour, 0x0000FF, 110, &GaugeState::TrayPlugedColor},
    {"Couleur", "Alerte", StoredKind::Colour, 0x0000FF, 90, &GaugeState::AlertColor},
    {"Couleur", "TrayAuto", StoredKind::Flag, 0, 125, &GaugeState::TrayAuto},
    {"", "SeuilAlerteTemps", StoredKind::Integer, 10, 140, &GaugeState::AlertMinutes},
    {"", "SeuilAlertePourcent", StoredKind::Integer, 10, 130, &GaugeState::AlertPercent},
    {"", "AlerteCharge", StoredKind::Flag, 0, 160, &GaugeState::ChargeAlert},
    {"", "SeuilAlerteCharge", StoredKind::Integer, 80, 170, &GaugeState::ChargeAlertPercent},
};

// Each row's kind suits the field it fills, and each row has a load step of
// its own: checked as the table compiles, so that a new row can't miss.
constexpr bool KindSuitsField(const StoredSetting& row) {
    const StoredField& f = row.field;
    switch (row.kind) {
        case StoredKind::Integer: return f.integer || f.window == WindowPart::Top || f.window == WindowPart::Left;
        case StoredKind::Colour: return f.colour != nullptr;
        case StoredKind::Flag: return f.flag || f.window == WindowPart::StayOnTop || f.window == WindowPart::TrayOnly;
        case StoredKind::NegatedFlag: return f.flag != nullptr;
        case StoredKind::Histories: return row.name == nullptr;
    }
    return false;
}
constexpr bool RowsAgree() {
    for (const StoredSetting& a : kStoredSettings) {
        if (!KindSuitsField(a)) return false;
        for (const StoredSetting& b : kStoredSettings)
            if (&a != &b && a.loadStep == b.loadStep) return false;
    }
    return true;
}
static_assert(RowsAgree(), "a stored setting's kind does not suit its field, or two share a load step");

constexpr bool Fills(const StoredField& f, int32_t GaugeState::*m) { return f.integer == m; }
constexpr bool Fills(const StoredField& f, Colour GaugeState::*m) { return f.colour == m; }
constexpr bool Fills(const StoredField& f, bool GaugeState::*m) { return f.flag == m; }

// The default of the row that fills m, as m holds it: the tools' defaults.
template <typename T>
constexpr T StoredDefault(T GaugeState::*m) {
    for (const StoredSetting& row : kStoredSettings)
        if (Fills(row.field, m)) return static_cast<T>(row.kind == StoredKind::NegatedFlag ? row.def == 0 : row.def);
    throw "no stored setting fills this member";
}

// A row's value in its stored form (a negated flag as stored), and back.
// Rows of the window or the histories are not GaugeState's: 0, and nothing.
int32_t StoredValue(const StoredSetting& row, const GaugeState& state);
void SetStoredValue(const StoredSetting& row, GaugeState& state, int32_t stored);

}  // namespace kavelo
