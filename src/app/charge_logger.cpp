#include "app/charge_logger.h"

namespace kavelo {
namespace {

LogRow RowOf(Clock& clock, LogEvent event, const PowerStatus& status) {
    const int64_t ms = clock.UtcMilliseconds();
    return LogRow{ms < 0 ? 0 : ms / 1000, status.BatteryLifePercent <= 100 ? int{status.BatteryLifePercent} : -1,
                  status.ACLineStatus == 1, event, {}};
}

}  // namespace

void ChargeLogger::Fail(const std::string& why) {
    on_ = false;
    why_ = why.empty() ? std::string("the log file could not be written") : why;
}

void ChargeLogger::Open(const PowerStatus& status) {
    if (on_ || !why_.empty()) return;
    std::string text, why;
    if (clock_.UtcMilliseconds() < 0) return Fail("the system gives no date");
    if (!file_.MakeFolder(why) || !file_.Read(text, why)) return Fail(why);
    ParsedLog log = ParseLog(text);
    const bool pruned = PruneLog(log.rows, clock_.UtcMilliseconds() / 1000);
    // A file just made, or one with old or unreadable lines, is written
    // whole; one that is already clean is left alone.
    if ((pruned || log.skipped > 0 || !log.header) && !file_.Replace(FormatLog(log.rows), why))
        return Fail(why);
    on_ = true;
    Write(LogEvent::Start, status);
}

void ChargeLogger::Observe(const PowerStatus& status) {
    const LogRow row = RowOf(clock_, LogEvent::Change, status);
    if (on_ && (row.percent != last_.percent || row.onMains != last_.onMains)) Write(LogEvent::Change, status);
}

void ChargeLogger::Write(LogEvent event, const PowerStatus& status) {
    // The system tells of a wake more than once (automatic, then by a
    // user); only the first after a sleep is a row, and nothing but a wake
    // follows a sleep.
    const bool asleep = last_.event == LogEvent::Sleep;
    if (!on_ || (event == LogEvent::Wake) != asleep) return;
    std::string why;
    LogRow row = RowOf(clock_, event, status);
    BatteryEnergy energy;
    if (figures_ && figures_->ReadEnergy(energy) && energy.rateMw != kUnknownRate) row.rateMw = energy.rateMw;
    if (!file_.Append(FormatLogRow(row), why)) return Fail(why);
    last_ = row;
}

std::vector<LogRow> ChargeLogger::Rows() {
    std::string text, why;
    if (!on_ || !file_.Read(text, why)) return {};
    return ParseLog(text).rows;
}

}  // namespace kavelo
