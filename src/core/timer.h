#pragma once

namespace kavelo {

// An on/off periodic timer such as the gauge's 500 ms Timer1. Enabling an
// enabled timer changes nothing; enabling a disabled one starts a full
// interval from that moment.
class Timer {
public:
    virtual ~Timer() = default;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

}  // namespace kavelo
