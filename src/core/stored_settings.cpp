#include "core/stored_settings.h"

namespace kavelo {

int32_t StoredValue(const StoredSetting& row, const GaugeState& state) {
    const StoredField& f = row.field;
    if (f.integer) return state.*f.integer;
    if (f.colour) return static_cast<int32_t>(state.*f.colour);
    if (f.flag) return (state.*f.flag) != (row.kind == StoredKind::NegatedFlag) ? 1 : 0;
    return 0;
}

void SetStoredValue(const StoredSetting& row, GaugeState& state, int32_t stored) {
    const StoredField& f = row.field;
    if (f.integer) state.*f.integer = stored;
    if (f.colour) state.*f.colour = static_cast<Colour>(stored);
    if (f.flag) state.*f.flag = (stored != 0) != (row.kind == StoredKind::NegatedFlag);
}

GaugeState::GaugeState() {
    History.Init();
    for (const StoredSetting& row : kStoredSettings) SetStoredValue(row, *this, row.def);
}

}  // namespace kavelo
