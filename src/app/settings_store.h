#pragma once
// Kavelo's settings store: INI-like sections (key paths below the store key,
// the empty section being the store key itself) holding every setting as a
// REG_SZ text, integers in signed decimal and flags as "1" or "0".
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/charge_history.h"
#include "core/discharge_history.h"
#include "platform/registry.h"

namespace kavelo {

// A read of a value of the wrong type, or a failed write. The message is the
// text the error box shows.
class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The history's section and its two subsections, value names "0" to "100".
inline constexpr const char* kHistorySection = "Moyenne";
inline constexpr const char* kHistoryTimes = "Moyenne\\Temps";
inline constexpr const char* kHistoryPoints = "Moyenne\\Conso";
// The charge history's: value names "<band's lowest percentage>-<n>", n = 0
// the newest ("90-0" to "90-7" for the band 90-99).
inline constexpr const char* kChargeSection = "Recharge";
inline constexpr const char* kChargeTimes = "Recharge\\Temps";
inline constexpr const char* kChargePoints = "Recharge\\Conso";

// The text as a signed 32-bit integer: an optional sign and decimal digits,
// nothing else, within range. Anything else gives nothing.
std::optional<int32_t> ParseInt32(const std::string& text);

// The store key below HKEY_CURRENT_USER, open (created when missing, opened
// for reading only when it can't be written) for the life of the object. Each read or write opens its section's key for that
// call only.
class SettingsStore {
public:
    explicit SettingsStore(Registry& registry, const std::string& storeKey = "Kavelo");

    // Missing key or value, empty data, or a text that is not an integer:
    // the default. A value that is not a string: SettingsError.
    int32_t ReadInteger(const std::string& section, const std::string& name, int32_t def) const;
    // An integer read with the default 1 or 0; any non-zero number is true.
    bool ReadFlag(const std::string& section, const std::string& name, bool def) const;

    // Creates the section's key when missing. SettingsError when the key
    // can't be created or the value can't be set; nothing is written, and
    // nothing said, when the key is there but can't be opened for writing.
    void WriteInteger(const std::string& section, const std::string& name, int32_t value);

    // Deletes a (non-empty) section's key and everything below it; a missing key or one
    // that can't be deleted is passed over.
    void EraseSection(const std::string& section);

private:
    // A section opened for reading, kept for the store's life (a load
    // reads several values of each); null when it doesn't exist.
    const RegistryKey* SectionForReading(const std::string& section) const;

    std::string storeKey_;
    std::unique_ptr<RegistryKey> key_;  // null when the store key could not be opened at all
    bool writable_;                      // key_ was opened for writing
    mutable std::vector<std::pair<std::string, std::unique_ptr<RegistryKey>>> readSections_;
};

// Reads through a store and goes on past a value of the wrong type: that
// value alone gives its default, as if it weren't stored, every other one
// reads as stored, and the first error waits in Failure() for the caller to
// raise once the whole set is read.
class SettingsReader {
public:
    explicit SettingsReader(const SettingsStore& store) : store_(store) {}
    int32_t ReadInteger(const std::string& section, const std::string& name, int32_t def) {
        return Read(section, name, def).value_or(def);
    }
    // The same, giving nothing for a value of the wrong type.
    std::optional<int32_t> Read(const std::string& section, const std::string& name, int32_t def);
    const std::optional<SettingsError>& Failure() const { return failure_; }

private:
    const SettingsStore& store_;
    std::optional<SettingsError> failure_;
};

// Reads the stored history newest first into an emptied history, up to the
// first entry whose Temps reads as -1 (missing) or entry 100. An entry that
// can't be read (wrong type) or is no drop (Temps negative, Conso under 1) is
// left out, and the ones after it move up.
void ReadHistory(SettingsReader& reader, TDischargeHistory& history);
// Replaces the stored history with the used entries of `history`.
void WriteHistory(SettingsStore& store, const TDischargeHistory& history);
// The charge history likewise, band by band, each band's samples read as the
// history's entries are (a rise instead of a drop).
void ReadChargeHistory(SettingsReader& reader, TChargeHistory& history);
void WriteChargeHistory(SettingsStore& store, const TChargeHistory& history);

}  // namespace kavelo
