#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_shell.h"
#include "tray/zet_sys_tray.h"

namespace kavelo {
namespace {

using fakes::FakeShell;
using fakes::ShellCall;

class TrayTest : public ::testing::Test {
protected:
    TrayTest() {
        for (std::uint32_t c : {0x0000FFu, 0x00FF00u, 0xFF0000u, 0xC0C0C0u}) list.AddPlain(c);
    }

    // Sets the properties in the order of a stored layout.
    std::unique_ptr<TZetSysTray> Make(int first, int last, int interval, bool active,
                                      const std::string& tip = "Etat de la batterie") {
        auto t = std::make_unique<TZetSysTray>(shell, errors);
        t->SetIcons(&list);
        t->SetIconItemLast(last);
        t->SetIconItemFirst(first);
        t->SetTip(tip);
        t->SetInterval(interval);
        t->SetActive(active);
        return t;
    }

    std::vector<ShellCall::Kind> Kinds() const {
        std::vector<ShellCall::Kind> k;
        for (const ShellCall& c : shell.calls) k.push_back(c.kind);
        return k;
    }
    // The image shown by the icon of `tray` now, -1 if none.
    int Shown(const TZetSysTray& tray) const {
        auto it = shell.area.find({tray.WindowHandle(), 1});
        return it == shell.area.end() ? -1 : list.ImageOf(it->second.hIcon);
    }
    FakeShell::Timer& TimerOf(std::size_t i) { return *shell.timers.at(i); }

    FakeShell shell;
    fakes::FakeImageList list;
    fakes::FakeErrorBox errors;
};

TEST_F(TrayTest, LifetimeAddsOnceModifiesThenDeletes) {
    auto t = Make(1, 1, 0, false);
    EXPECT_TRUE(shell.calls.empty()) << "nothing reaches the shell while inactive";
    ASSERT_EQ(shell.windows.size(), 1u);
    ASSERT_EQ(shell.timers.size(), 1u);
    EXPECT_FALSE(TimerOf(0).Enabled());

    t->SetActive(true);
    t->UpdateIcon();
    t->SetTip("Battery :  57%");
    t->SetTip("Battery :  57%");  // same text: nothing
    const std::vector<ShellCall::Kind> whileAlive{ShellCall::Add, ShellCall::Modify, ShellCall::Modify};
    EXPECT_EQ(Kinds(), whileAlive);

    const NotifyIconData& add = shell.calls[0].data;
    EXPECT_EQ(add.hWnd, t->WindowHandle());
    EXPECT_EQ(add.uID, 1u);
    EXPECT_EQ(add.uFlags, 7u);
    EXPECT_EQ(add.uCallbackMessage, 1279u);
    EXPECT_EQ(list.ImageOf(add.hIcon), 1);
    EXPECT_EQ(shell.calls[0].Tip(), "Etat de la batterie");
    EXPECT_EQ(shell.calls[2].Tip(), "Battery :  57%");
    EXPECT_EQ(Shown(*t), 1);

    const IconId lastIcon = shell.calls[2].data.hIcon;
    const WindowId window = t->WindowHandle();
    t.reset();
    ASSERT_EQ(shell.calls.size(), 4u);
    const ShellCall& del = shell.calls[3];
    EXPECT_EQ(del.kind, ShellCall::Delete);
    EXPECT_EQ(del.data.hWnd, window);
    EXPECT_EQ(del.data.uID, 1u);
    EXPECT_EQ(del.data.uFlags, 7u);
    EXPECT_EQ(del.data.uCallbackMessage, 0u);
    EXPECT_EQ(del.data.hIcon, lastIcon) << "icon and tip stay as the last call left them";
    EXPECT_EQ(del.Tip(), "Battery :  57%");
    EXPECT_TRUE(shell.area.empty());
    EXPECT_TRUE(shell.windows.empty());
    EXPECT_TRUE(shell.timers.empty());
}

TEST_F(TrayTest, UpdateChangedIconSendsOnlyANewPicture) {
    auto t = Make(0, 0, 0, true);
    t->UpdateChangedIcon();                 // what the add sent: nothing
    list.images[0] = list.images[2];        // a new picture under its index
    t->UpdateChangedIcon();
    t->UpdateChangedIcon();                 // sent already
    t->SetActive(false);
    t->SetActive(true);                     // added again with it
    t->UpdateChangedIcon();
    const std::vector<ShellCall::Kind> expected{ShellCall::Add, ShellCall::Modify, ShellCall::Delete, ShellCall::Add};
    EXPECT_EQ(Kinds(), expected);
    EXPECT_EQ(Shown(*t), 0);
}

TEST_F(TrayTest, EveryIconTakenOutIsDestroyedOnce) {
    auto t = Make(0, 0, 0, true);
    for (int i = 0; i < 50; ++i) {
        t->UpdateIcon();
        EXPECT_LE(list.LiveIcons(), 1);
    }
    EXPECT_EQ(list.destroyed.count(shell.calls.back().data.hIcon), 0u) << "the icon shown is still alive";
    t.reset();
    EXPECT_EQ(list.LiveIcons(), 0);
}

TEST_F(TrayTest, ActiveOffRemovesAndOnAddsAgain) {
    auto t = Make(0, 0, 0, true);
    t->SetActive(false);
    t->SetActive(false);
    t->UpdateIcon();  // inactive: nothing
    t->SetActive(true);
    t.reset();
    const std::vector<ShellCall::Kind> expected{ShellCall::Add, ShellCall::Delete, ShellCall::Add, ShellCall::Delete};
    EXPECT_EQ(Kinds(), expected);
}

TEST_F(TrayTest, ActiveBeforeIconsShowsTheIconWhenIconsArrive) {
    TZetSysTray t(shell, errors);
    t.SetIconItemLast(2);
    t.SetIconItemFirst(2);
    t.SetActive(true);
    EXPECT_TRUE(shell.calls.empty());
    t.SetIcons(&list);
    ASSERT_EQ(Kinds(), std::vector<ShellCall::Kind>{ShellCall::Add});
    EXPECT_EQ(Shown(t), 2);
}

TEST_F(TrayTest, EmptyListGivesNoIconHandleUntilFilled) {
    list.Clear();
    auto t = Make(1, 1, 0, true);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].data.hIcon, 0u);
    list.AddPlain(1);
    list.AddPlain(2);
    t->UpdateIcon();
    EXPECT_EQ(Shown(*t), 1);
}

TEST_F(TrayTest, AnimationCyclesThroughTheRangeAndWraps) {
    auto t = Make(1, 3, 100, true);
    FakeShell::Timer& timer = TimerOf(0);
    EXPECT_TRUE(timer.Running());
    EXPECT_EQ(timer.Interval(), 100);
    std::vector<int> seen{Shown(*t)};
    for (int i = 0; i < 6; ++i) {
        timer.Elapse();
        seen.push_back(Shown(*t));
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 1, 2, 3, 1}));
}

TEST_F(TrayTest, IntervalZeroStopsTheAnimation) {
    auto t = Make(0, 2, 0, true);
    EXPECT_FALSE(TimerOf(0).Enabled());
    EXPECT_EQ(Shown(*t), 0);

    t->SetInterval(50);
    TimerOf(0).Elapse();
    EXPECT_EQ(Shown(*t), 1);
    t->SetInterval(0);
    EXPECT_FALSE(TimerOf(0).Running());
    t->UpdateIcon();
    EXPECT_EQ(Shown(*t), 1) << "stays on the current image";

    t->SetInterval(-5);
    t->UpdateIcon();
    EXPECT_FALSE(TimerOf(0).Running());
}

// A range of one image, or inverted: the first index, never animated.
TEST_F(TrayTest, OneImageOrInvertedRangeShowsTheFirstIndex) {
    for (const auto& [first, last] : {std::pair{2, 2}, {3, 1}}) {
        auto t = Make(first, last, 100, true);
        EXPECT_EQ(std::pair(shell.timers.back()->Enabled(), Shown(*t)), std::pair(false, first));
    }
}

TEST_F(TrayTest, AnimationRunsOnlyWhileActive) {
    auto t = Make(0, 2, 100, false);
    // Writing Interval switches the timer on regardless of Active; the first
    // tick's update corrects it and shows nothing.
    EXPECT_TRUE(TimerOf(0).Running());
    TimerOf(0).Elapse();
    EXPECT_FALSE(TimerOf(0).Enabled());
    EXPECT_TRUE(shell.calls.empty());

    t->SetActive(true);
    EXPECT_TRUE(TimerOf(0).Running());
    t->SetActive(false);
    t->UpdateIcon();
    EXPECT_FALSE(TimerOf(0).Enabled());
}

TEST_F(TrayTest, MovingTheRangeMovesTheIcon) {
    auto t = Make(0, 0, 0, true);
    t->SetIconItemLast(3);
    t->SetIconItemFirst(3);
    EXPECT_EQ(Shown(*t), 3);
    t->SetIconItemFirst(1);
    EXPECT_EQ(Shown(*t), 1);
    t->SetIconItemLast(1);
    t->UpdateIcon();
    EXPECT_EQ(Shown(*t), 1);
}

// The field holds 127 UTF-16 units: a tip that would not fit loses whole lines.
TEST_F(TrayTest, ALongTipIsCutAtALinesEnd) {
    const std::string line(61, 'a'), emoji = "\xF0\x9F\x94\x8B";  // two units
    const std::pair<std::string, std::string> tips[] = {
        {line + "\n" + line + "\nsix", line + "\n" + line + "\nsix"},          // 127 units
        {line + "\n" + line + "\nseven", line + "\n" + line},
        {line + "\n" + line + "\n" + emoji + "ab", line + "\n" + line},       // 128 with the emoji
        {std::string(126, 'x') + emoji, std::string(126, 'x')},               // one line: at a character
    };
    auto t = Make(0, 0, 0, true);
    for (const auto& [tip, sent] : tips) {
        t->SetTip(tip);
        EXPECT_EQ(std::pair(t->Tip(), shell.calls.back().Tip()), std::pair(tip, sent));
    }
}

TEST_F(TrayTest, TwoInstancesOverOneListKeepTheirOwnIcons) {
    auto left = Make(0, 0, 0, true);
    auto right = Make(1, 1, 0, true);
    EXPECT_NE(left->WindowHandle(), right->WindowHandle());
    EXPECT_EQ(shell.area.size(), 2u);
    EXPECT_EQ(Shown(*left), 0);
    EXPECT_EQ(Shown(*right), 1);

    // The gauge refills the shared list and updates both.
    list.Clear();
    list.AddPlain(7);
    list.AddPlain(8);
    left->UpdateIcon();
    right->UpdateIcon();
    EXPECT_EQ(list.images[static_cast<std::size_t>(list.ImageOf(shell.area.at({right->WindowHandle(), 1}).hIcon))][0], 8u);
    left.reset();
    EXPECT_EQ(shell.area.size(), 1u);
    EXPECT_EQ(Shown(*right), 1);
}

}  // namespace
}  // namespace kavelo
