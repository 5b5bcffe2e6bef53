#include "tests/ui/support/every_window_fixture.h"

#include <commctrl.h>

#include "app/about_box.h"
#include "app/compare_dialog.h"
#include "link/ui/port_dialog.h"
#include "resources/resource.h"
#include "summary/record_comparison.h"
#include "tests/ui/support/page_driver.h"

namespace tessmar::test {
namespace {

constexpr int kSymbologyTab = 2;
constexpr int kEditTab = 5;
constexpr int kFieldSettingsTab = 1;

void act_and_close(HWND window, const WindowAct& act) {
    act(window);
    if (IsWindow(window) && IsWindowEnabled(window)) {
        cancel_window(window);
    }
}

// Acts on the sheet itself, or on what `then` opens from its page.
ModalScript::Step on_page(int tab, const std::function<void(HWND page)>& then,
                          const WindowAct& act) {
    return [tab, then, act](HWND sheet) {
        HWND page = show_tab(sheet, tab);
        if (then) {
            then(page);
        } else {
            act_and_close(sheet, act);
        }
        if (IsWindow(sheet)) {
            press_sheet_button(sheet, PSBTN_CANCEL);
        }
    };
}

void expect_clean(const ModalScript& script) {
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
}

}  // namespace

void EveryWindowTest::on_sheet_tab(int tab, const std::function<void(HWND page)>& then,
                                   const Act& act) {
    ModalScript script;
    script.then(on_page(tab, then, act));
    if (then) {
        script.then([&](HWND window) { act_and_close(window, act); });
    }
    open_sheet();
    expect_clean(script);
}

void EveryWindowTest::on_format_tab(int tab, const std::function<void(HWND page)>& then,
                                    const Act& act) {
    ModalScript script;
    script.then([](HWND sheet) {
        click(show_tab(sheet, kEditTab), IDC_CONFIGURE_FORMAT_FIRST);
        press_sheet_button(sheet, PSBTN_CANCEL);
    });
    script.then(on_page(tab, then, act));
    if (then) {
        script.then([&](HWND window) { act_and_close(window, act); });
    }
    open_sheet();
    expect_clean(script);
}

void EveryWindowTest::on_dialog(const std::function<void()>& open, const Act& act) {
    ModalScript script;
    script.then([&](HWND window) { act_and_close(window, act); });
    open();
    expect_clean(script);
}

std::vector<EveryWindowTest::Opener> EveryWindowTest::every_window() {
    std::vector<Opener> all;
    const char* const kTabs[] = {"Scanner",     "Interface", "Symbology",
                                 "Length Code", "Code ID",   "Edit Format"};
    for (int tab = 0; tab < 6; ++tab) {
        all.push_back({std::string("page ") + kTabs[tab], [tab](EveryWindowTest& t, const Act& a) {
                           t.on_sheet_tab(tab, nullptr, a);
                       }});
    }
    // The Symbology page's boxes in its order; Code 93 (8) and Code 128 (16) have no parameters.
    for (const int box : {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 16}) {
        const int configure = IDC_SYMBOLOGY_FIRST + box + IDC_CONFIGURE_OFFSET;
        all.push_back({"parameter dialog " + std::to_string(box + 1),
                       [box, configure](EveryWindowTest& t, const Act& a) {
                           t.on_sheet_tab(
                               kSymbologyTab,
                               [&](HWND page) {
                                   if (!IsWindowEnabled(GetDlgItem(page, configure))) {
                                       click(page, IDC_SYMBOLOGY_FIRST + box);
                                   }
                                   click(page, configure);
                               },
                               a);
                       }});
    }
    all.push_back({"key grid", [](EveryWindowTest& t, const Act& a) {
                       t.on_sheet_tab(
                           kSymbologyTab,
                           [](HWND page) {
                               click_at(GetDlgItem(page, IDC_PREFIX_CODE), {10, 5});
                           },
                           a);
                   }});
    const char* const kFormatTabs[] = {"Applicable Conditions", "Field Settings",
                                       "Transmission Sequence"};
    for (int tab = 0; tab < 3; ++tab) {
        all.push_back(
            {std::string("page ") + kFormatTabs[tab],
             [tab](EveryWindowTest& t, const Act& a) { t.on_format_tab(tab, nullptr, a); }});
    }
    all.push_back({"Fields Parameters", [](EveryWindowTest& t, const Act& a) {
                       t.on_format_tab(
                           kFieldSettingsTab,
                           [](HWND page) {
                               retype(page, IDC_NUMBER_OF_FIELDS, "2");
                               click(page, IDC_FIELD_BUTTON_FIRST);
                           },
                           a);
                   }});
    all.push_back({"port dialog", [](EveryWindowTest& t, const Act& a) {
                       t.on_dialog([&] { choose_com_port(t.app.instance, t.window, t.state.port); },
                                   a);
                   }});
    all.push_back({"Compare with Scanner", [](EveryWindowTest& t, const Act& a) {
                       SettingsRecord other = t.state.record;
                       other.set(Field::scanner_timeout, 7);
                       const RecordComparison comparison = compare_records(t.state, other);
                       t.on_dialog(
                           [&] {
                               show_comparison(t.app.instance, t.window, comparison,
                                               t.app.compare_dialog_size);
                           },
                           a);
                   }});
    all.push_back({"Watch Scanner Output", [](EveryWindowTest& t, const Act& a) {
                       t.on_dialog([&] { t.command(IDM_WATCH_SCANNER_OUTPUT); }, a);
                   }});
    for (const auto& [name, command] :
         {std::pair{"Download to Several Scanners", IDM_DOWNLOAD_FLEET},
          std::pair{"Read from Several Scanners", IDM_READ_FLEET}}) {
        all.push_back({name, [command](EveryWindowTest& t, const Act& a) {
                           t.on_dialog([&] { t.command(command); }, a);
                       }});
    }
    all.push_back({"Find setting", [](EveryWindowTest& t, const Act& a) {
                       t.on_dialog([&] { t.command(IDM_FIND_SETTING); }, a);
                   }});
    all.push_back({"About", [](EveryWindowTest& t, const Act& a) {
                       t.on_dialog([&] { show_about_box(t.app.instance, t.window); }, a);
                   }});
    return all;
}

void EveryWindowTest::on_every_window(const Act& act) {
    for (const Opener& opener : every_window()) {
        SCOPED_TRACE(opener.name);
        opener.open(*this, act);
    }
}

}  // namespace tessmar::test
