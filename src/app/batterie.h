#pragma once
// TBatterie: the gauge window's logic. It holds the window's components as
// named fields and its behaviour as handlers named after them, and drives
// the window, the tray icons and the dialogs through the platform
// interfaces, so that all of it runs natively under test.
#include <exception>
#include <memory>
#include <string>

#include "app/about_box.h"
#include "app/batterie_platform.h"
#include "app/battery_details.h"
#include "app/charge_log_graph.h"
#include "app/context_menu.h"
#include "app/settings_sequences.h"
#include "app/tray_pair.h"
#include "core/gauge_state.h"
#include "core/refresh_cycle.h"
#include "render/gauge_face.h"

namespace kavelo {

class TBatterie final : public GaugeWindowEvents,
                        public GaugeView,
                        public FaceHost,
                        public SettingsWindow,
                        public AlertMessageSink,
                        public AboutBoxHost {
    // Declared first: the components below are built over them.
    GaugeState& state_;
    BatteriePlatform& platform_;
    GaugeWindowHost& window_;
    Application& app_;
    LowBatteryAlert alert_;
    RefreshCycle refresh_;
    bool stayOnTop_ = false;
    bool trayOnly_ = false;
    bool sessionSaved_ = false;
    bool logEnded_ = false;
    bool aboutOpen_ = false;

public:
    TBatterie(GaugeState& state, BatteriePlatform& platform);
    ~TBatterie() override;

    // Creation and destruction sequences: the settings loaded and saved at
    // their places among the window's own steps.
    void FormCreate();
    void FormDestroy();
    // The start of the program: created, shown as the stored layout wants,
    // and hidden again at once in tray-only mode.
    void Start();
    // The destruction sequence's saving alone, for a session that ends or a
    // machine that sleeps without the window ever being destroyed.
    void SaveSettingsNow();
    // The charge log's `stop` row, once: at the close or the session's end.
    void LogEnd();

    // Components
    struct { int BorderWidth = 0; } Panel1;
    GaugeFace Image1;
    struct { std::string Caption = "Label1"; bool Visible = false; } Label1;
    Timer& Timer1;
    TPopupMenu PopupMenu1{*this};
    ColorDialog& SelectColor;
    ImageList& ImageList1;
    TrayPair Tray;
    TZetSysTray& ZetSysTray1 = Tray.ZetSysTray1;
    TZetSysTray& ZetSysTray2 = Tray.ZetSysTray2;

    // Window state
    bool Dragging = false;
    int32_t DragOriginX = 0;
    int32_t DragOriginY = 0;
    MouseButton LastButton = MouseButton::Middle;

    // Handlers
    void FormResize() override;
    void Image1MouseDown(MouseButton button, int x, int y);
    void Image1MouseUp(MouseButton button, int x, int y);
    void FormMouseMove(int x, int y);
    void Image1DblClick();
    void ShowGauge();
    void HideToTray();
    void ZetSysTray2Click(TZetSysTray& sender, TMouseButton button, int x, int y);
    void ZetSysTray2DblClick(TZetSysTray& sender, TMouseButton button, int x, int y);
    void BarreTacheUniqueClick();
    void Toujoursaudessus1Click() override;
    void Afficherletemps1Click();
    void normale1Click() { ChooseColour(state_.NormalColor); }
    void alerte1Click() { ChooseColour(state_.AlertColor); }
    void Barredestches1Click() { ChooseColour(state_.TrayColor); }
    void Barredestchessecteur1Click() { ChooseColour(state_.TrayPlugedColor); }
    void BarredestchesOmbre1Click() { ChooseColour(state_.TrayShadowColor); }
    void Details1Click();
    void TrayAuto1Click();
    void APropos1Click();
    void Fermer1Click();

    // The refresh cycle
    void RefreshStatus() override { refresh_.RefreshStatus(); }
    void ResetHistory() override { refresh_.ResetHistory(); }
    void Timer1Timer() { refresh_.Timer1Timer(); }
    void WMPowerBroadcast(uint32_t event);
    void FormActivate() { refresh_.FormActivate(); }
    void CheckLowBatteryAlert() { alert_.CheckLowBatteryAlert(); }

    // Runs a context-menu command by its id.
    void RunCommand(int command) { PopupMenu1.Run(command); }
    const GaugeState& State() const { return state_; }

    // GaugeWindowEvents: every event's errors end in the error box.
    void OnActivate() override { Guarded([&] { FormActivate(); }); }
    void OnResize() override { Guarded([&] { FormResize(); ShowPicture(); }); }
    void OnMouseDown(MouseButton b, int x, int y) override { Guarded([&] { Image1MouseDown(b, x, y); }); }
    void OnMouseUp(MouseButton b, int x, int y) override { Guarded([&] { Image1MouseUp(b, x, y); }); }
    void OnMouseMove(int x, int y) override { Guarded([&] { FormMouseMove(x, y); }); }
    void OnClick() override { Guarded([&] { Image1DblClick(); }); }
    void OnDblClick() override { Guarded([&] { Image1DblClick(); }); }
    void OnContextPopup(int x, int y) override { Guarded([&] { PopupAt(x, y); }); }
    void OnPowerBroadcast(uint32_t event) override { Guarded([&] { WMPowerBroadcast(event); }); }
    void OnTimer1() override { Guarded([&] { Timer1Timer(); }); }
    void OnEndSession() override;
    void OnDestroy() override;
    WindowBounds SizeAtDpi(int dpi) override;
    void OnDpiChanged(int previousDpi, const WindowBounds& suggested) override;
    void OnShowRequest() override;

    // GaugeView
    void ShowPercent(uint8_t percent) override { Image1.ShowPercent(percent); }
    void DrawTimeFace(int32_t seconds) override { Image1.DrawTimeFace(seconds); }
    void DrawBlackPhase() override { Image1.DrawBlackPhase(); }
    void ShowLabel(const std::string& text) override;
    void ShowFace(const std::string& text) override;
    bool IsMinimised() const override { return window_.IsMinimised(); }
    void SetCaption(const std::string& caption) override;
    void UpdateTrayTip() override;
    void ShowChargeAlert(const std::string& title, const std::string& text) override;

    // FaceHost
    void ProcessMessages() override { app_.ProcessMessages(); }
    void FaceChanged() override;
    void SetTrayImages(const PixelBuffer& left, const PixelBuffer& right) override;

    // SettingsWindow
    void SetTop(int32_t top) override { window_.SetTop(top); }
    void SetLeft(int32_t left) override { window_.SetLeft(left); }
    int32_t Top() const override { return window_.Top(); }
    int32_t Left() const override { return window_.Left(); }
    void SetStayOnTopCheck(bool checked) override { stayOnTop_ = checked; }
    bool IsStayOnTop() const override { return stayOnTop_; }
    void SetTrayOnlyCheck(bool checked) override { trayOnly_ = checked; }
    bool TrayOnlyChecked() const override { return trayOnly_; }

    // AlertMessageSink
    void ShowAlertMessage(const std::string& text) override { app_.ShowInformation(text); }

private:
    void Save();
    void ChooseColour(Colour& colour);
    // The tray picture classic, or matching the taskbar's theme as the
    // registry has it now; redrawn only when that changes the picture's look.
    void ApplyTrayTheme();
    void PopupAt(int x, int y);
    void ShowPicture();
    template <typename F> void Guarded(F&& handler) {
        try {
            handler();
        } catch (const std::exception& e) {
            app_.ShowError(e.what());
        }
    }
    // The window's scale factor k at its monitor's DPI.
    int Scale() const;

    bool firstRun_ = false;  // no settings were stored when the program started

    // The tip's rate line, read again only when the percentage or the power
    // source changed or the pointer visited an icon: the quiet ticks send
    // nothing to the shell.
    std::string RateLine();
    std::unique_ptr<ChargeLogGraph> graph_;  // the details window's, from the charge log
    std::unique_ptr<TBatteryDetails> details_;
    std::string rateLine_;
    PowerStatus rateReadFor_{255, 255, 255};
    bool rateDue_ = true;
};

}  // namespace kavelo
