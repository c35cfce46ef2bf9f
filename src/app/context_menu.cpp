#include "app/context_menu.h"

#include <iterator>

#include "app/batterie.h"

namespace kavelo {
namespace {

// Command ids follow the rows: the first row's is 101.
constexpr int kFirstCommand = 101;

const MenuRow kRows[] = {
    {"BarreTacheUnique", "&Only on system tray", 0, &TBatterie::BarreTacheUniqueClick,
     [](const TBatterie& f) { return f.TrayOnlyChecked(); }},
    {"Toujoursaudessus1", "&Always visible", 0, &TBatterie::Toujoursaudessus1Click,
     [](const TBatterie& f) { return f.IsStayOnTop(); }},
    {"MenuCouleur", "&Color", 0, nullptr, nullptr},
    {"TrayAuto1", "Match the &taskbar", 1, &TBatterie::TrayAuto1Click,
     [](const TBatterie& f) { return f.State().TrayAuto; }},
    {"N3", "-", 1, nullptr, nullptr},
    {"normale1", "&Normal...", 1, &TBatterie::normale1Click, nullptr},
    {"alerte1", "&Alert...", 1, &TBatterie::alerte1Click, nullptr},
    {"Barredestches1", "System tray (&battery)...", 1, &TBatterie::Barredestches1Click, nullptr},
    {"Barredestchessecteur1", "System tray (&plugged)...", 1, &TBatterie::Barredestchessecteur1Click, nullptr},
    {"BarredestchesOmbre1", "System tray (&shadow)...", 1, &TBatterie::BarredestchesOmbre1Click, nullptr},
    {"Afficherletemps1", "&Time estimation", 0, &TBatterie::Afficherletemps1Click,
     [](const TBatterie& f) { return !f.State().PercentMode; }},
    {"Details1", "Battery &details...", 0, &TBatterie::Details1Click, nullptr},
    {"N2", "-", 0, nullptr, nullptr},
    {"APropos1", "A&bout Kavelo", 0, &TBatterie::APropos1Click, nullptr},
    {"N1", "-", 0, nullptr, nullptr},
    {"Fermer1", "&Close", 0, &TBatterie::Fermer1Click, nullptr},
};

const MenuRow* Find(std::string_view name) {
    for (const MenuRow& row : kRows)
        if (name == row.name) return &row;
    return nullptr;
}

}  // namespace

std::vector<MenuItem> TPopupMenu::Items() const {
    std::vector<MenuItem> items;
    int id = kFirstCommand;
    for (const MenuRow& row : kRows) {
        MenuItem item{row.action ? id : 0, row.caption, row.checked && row.checked(form_), {}};
        ++id;
        if (row.depth > 0 && !items.empty())
            items.back().items.push_back(std::move(item));
        else
            items.push_back(std::move(item));
    }
    return items;
}

void TPopupMenu::Run(int command) const {
    const int index = command - kFirstCommand;
    if (index < 0 || index >= static_cast<int>(std::size(kRows)) || !kRows[index].action) return;
    (form_.*kRows[index].action)();
}

int TPopupMenu::Command(std::string_view name) {
    const MenuRow* row = Find(name);
    return row && row->action ? kFirstCommand + static_cast<int>(row - kRows) : 0;
}

bool TPopupMenu::Checked(std::string_view name) const {
    const MenuRow* row = Find(name);
    return row && row->checked && row->checked(form_);
}

}  // namespace kavelo
