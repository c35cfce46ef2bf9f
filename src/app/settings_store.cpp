#include "app/settings_store.h"

#include <limits>

namespace kavelo {

std::optional<int32_t> ParseInt32(const std::string& text) {
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) i = 1;
    if (i == text.size()) return std::nullopt;
    // Accumulated as a negative number, whose range reaches INT32_MIN.
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 - (c - '0');
        if (value < std::numeric_limits<int32_t>::min()) return std::nullopt;
    }
    if (!negative) {
        value = -value;
        if (value > std::numeric_limits<int32_t>::max()) return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

SettingsStore::SettingsStore(Registry& registry, const std::string& storeKey)
    : storeKey_(storeKey), key_(registry.CreateKey(RegistryRoot::CurrentUser, storeKey)), writable_(key_ != nullptr) {
    // A store the user may not write to can still be read.
    if (!key_) key_ = registry.OpenKey(RegistryRoot::CurrentUser, storeKey, RegistryAccess::Read);
}

const RegistryKey* SettingsStore::SectionForReading(const std::string& section) const {
    if (!key_ || section.empty()) return key_.get();
    for (const auto& [name, key] : readSections_)
        if (name == section) return key.get();
    readSections_.emplace_back(section, key_->OpenSubKey(section, RegistryAccess::Read));
    return readSections_.back().second.get();
}

int32_t SettingsStore::ReadInteger(const std::string& section, const std::string& name, int32_t def) const {
    const RegistryKey* key = SectionForReading(section);
    if (!key) return def;
    const auto value = key->QueryValue(name);
    if (!value || value->Data.empty()) return def;
    if (value->Type != RegistryValueType::String && value->Type != RegistryValueType::ExpandString)
        throw SettingsError("Type de données incorrect pour '" + name + "'");
    std::string text;
    for (const uint8_t byte : value->Data) {
        if (byte == 0) break;
        text += static_cast<char>(byte);
    }
    return ParseInt32(text).value_or(def);
}

bool SettingsStore::ReadFlag(const std::string& section, const std::string& name, bool def) const {
    return ReadInteger(section, name, def ? 1 : 0) != 0;
}

void SettingsStore::WriteInteger(const std::string& section, const std::string& name, int32_t value) {
    // Only a key that is missing and can't be created is an error; one that
    // is there but may not be written is passed over, and the save goes on.
    // The store key itself is the empty section, open already unless it
    // could not be created.
    RegistryKey* target = key_.get();
    std::unique_ptr<RegistryKey> sectionKey;
    if (section.empty()) {
        if (!key_) throw SettingsError("Erreur de création de la clé " + storeKey_);
        if (!writable_) return;
    } else {
        if (key_) sectionKey = key_->OpenSubKey(section, RegistryAccess::ReadWrite);
        if (!sectionKey && key_) {
            if (key_->OpenSubKey(section, RegistryAccess::Read)) return;
            sectionKey = key_->CreateSubKey(section);
        }
        if (!sectionKey) throw SettingsError("Erreur de création de la clé " + section);
        target = sectionKey.get();
    }
    if (!target->SetString(name, std::to_string(value)))
        throw SettingsError("Erreur à définition des données pour '" + name + "'");
}

void SettingsStore::EraseSection(const std::string& section) {
    if (key_ && !section.empty()) key_->DeleteSubKeyTree(section);
}

std::optional<int32_t> SettingsReader::Read(const std::string& section, const std::string& name, int32_t def) {
    try {
        return store_.ReadInteger(section, name, def);
    } catch (const SettingsError& e) {
        if (!failure_) failure_ = e;
        return std::nullopt;
    }
}

namespace {

// One stored sample: nothing when the list ends here (its Temps is missing),
// an empty sample when it is to be left out.
std::optional<Sample> ReadSample(SettingsReader& reader, const char* times, const char* points,
                                 const std::string& name) {
    const auto temps = reader.Read(times, name, -1);
    const auto conso = reader.Read(points, name, -1);
    if (temps == -1) return std::nullopt;
    if (!temps || !conso || *temps < 0 || *conso < 1) return Sample{-1, -1};
    return Sample{*temps, *conso};
}

}  // namespace

void ReadHistory(SettingsReader& reader, TDischargeHistory& history) {
    history.Init();
    int count = 0;
    for (int n = 0; n < TDischargeHistory::kSize; ++n) {
        const auto s = ReadSample(reader, kHistoryTimes, kHistoryPoints, std::to_string(n));
        if (!s) break;
        if (s->Temps != -1) history.Samples[count++] = *s;
    }
}

void WriteHistory(SettingsStore& store, const TDischargeHistory& history) {
    store.EraseSection(kHistorySection);
    for (int n = 0; n < TDischargeHistory::kSize && history.Samples[n].Temps != -1; ++n) {
        const std::string name = std::to_string(n);
        store.WriteInteger(kHistoryTimes, name, history.Samples[n].Temps);
        store.WriteInteger(kHistoryPoints, name, history.Samples[n].Conso);
    }
}

namespace {
std::string ChargeValueName(int band, int n) { return std::to_string(band * 10) + "-" + std::to_string(n); }
}  // namespace

void ReadChargeHistory(SettingsReader& reader, TChargeHistory& history) {
    history.Init();
    for (int b = 0; b < TChargeHistory::kBands; ++b) {
        int count = 0;
        for (int n = 0; n < TChargeHistory::kPerBand; ++n) {
            const auto s = ReadSample(reader, kChargeTimes, kChargePoints, ChargeValueName(b, n));
            if (!s) break;
            if (s->Temps != -1) history.Bands[b][count++] = *s;
        }
    }
}

void WriteChargeHistory(SettingsStore& store, const TChargeHistory& history) {
    store.EraseSection(kChargeSection);
    for (int b = 0; b < TChargeHistory::kBands; ++b) {
        for (int n = 0; n < history.Count(b); ++n) {
            store.WriteInteger(kChargeTimes, ChargeValueName(b, n), history.Bands[b][n].Temps);
            store.WriteInteger(kChargePoints, ChargeValueName(b, n), history.Bands[b][n].Conso);
        }
    }
}

}  // namespace kavelo
