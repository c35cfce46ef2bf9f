#pragma once
// Every value Kavelo keeps between runs, one row each: where it is stored,
// its kind, its default and the field it fills. Loading and saving, the
// initial values of GaugeState, the tools' defaults and the tests all read
// this table, so a new stored value is one more row.
#include <cstdint>
#include <type_traits>

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
    {"", "SeuilAlerteTemps", StoredKind::Integer, 10, 140, &GaugeState::AlertMinutes},
    {"", "SeuilAlertePourcent", StoredKind::Integer, 10, 130, &GaugeState::AlertPercent},
    {"", "AlerteCharge", StoredKind::Flag, 0, 160, &GaugeState::ChargeAlert},
    {"", "SeuilAlerteCharge", StoredKind::Integer, 80, 170, &GaugeState::ChargeAlertPercent},
};

// The row whose field is m; rows filling no GaugeState member give null.
template <typename T>
constexpr const StoredSetting* StoredRow(T GaugeState::*m) {
    for (const StoredSetting& row : kStoredSettings) {
        if constexpr (std::is_same_v<T, int32_t>) { if (row.field.integer == m) return &row; }
        else if constexpr (std::is_same_v<T, Colour>) { if (row.field.colour == m) return &row; }
        else { if (row.field.flag == m) return &row; }
    }
    return nullptr;
}

// A member's value when nothing is stored: for the tools' own defaults.
template <typename T>
constexpr T StoredDefault(T GaugeState::*m) {
    const StoredSetting& row = *StoredRow(m);
    if (row.kind == StoredKind::NegatedFlag) return static_cast<T>(row.def == 0);
    if (row.kind == StoredKind::Flag) return static_cast<T>(row.def != 0);
    return static_cast<T>(row.def);
}

// A row's value in its stored form (a negated flag as stored), and back.
// Rows of the window or the histories are not GaugeState's: 0, and nothing.
int32_t StoredValue(const StoredSetting& row, const GaugeState& state);
void SetStoredValue(const StoredSetting& row, GaugeState& state, int32_t stored);

}  // namespace kavelo
