#pragma once
#include <functional>
#include <string>

#include "app/settings_sequences.h"
#include "core/battery_reading.h"
#include "core/day_clock.h"
#include "core/power.h"
#include "core/timer.h"
#include "platform/application.h"
#include "platform/color_dialog.h"
#include "platform/details_window.h"
#include "platform/error_box.h"
#include "platform/gauge_window.h"
#include "platform/image_list.h"
#include "platform/notify_shell.h"
#include "platform/popup_menu.h"
#include "platform/registry.h"
#include "render/glyph_source.h"

namespace kavelo {

class ChargeLogger;

// Everything the gauge window reaches of the system.
struct BatteriePlatform {
    PowerSource& power;
    Clock& clock;
    Timer& timer1;
    GaugeWindowHost& window;
    Application& application;
    PopupMenuHost& menu;
    ColorDialog& colorDialog;
    NotifyShell& shell;
    ImageList& imageList;
    ErrorBox& errors;
    Registry& registry;
    const GlyphBitmapSource& glyphs;
    std::string programPath;
    // Runs the options dialog modally; set by the program's entry point.
    std::function<void()> runAboutBox;
    SettingsKeys settingsKeys{};
    // The battery's figures and the details window; without them the tip
    // has no rate line and the details command does nothing.
    BatteryFigures* figures = nullptr;
    DetailsWindows* detailsWindows = nullptr;
    // The charge log, given a row at each change of the refresh's reading,
    // each sleep and wake, and the end; none in most tests.
    ChargeLogger* chargeLog = nullptr;
};

}  // namespace kavelo
