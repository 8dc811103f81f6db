// The menu commands against a small two-page menu. The fake fails the test
// whenever the engine hands it a page or button outside its tables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interpreter/engine.h"

namespace navelo {
namespace {

class FakeMenu : public MenuHooks {
public:
    struct Button {
        unsigned bog = 0;
        bool autoAction = false;
        CommandList commands = {};
    };
    std::vector<std::vector<Button>> pages;  // button tables, indexed by button id
    bool shown = true;
    std::size_t statesPage = 0;
    std::vector<bool> statesShown;
    std::vector<std::string> calls;

    bool menuShown() const override { return shown; }
    std::size_t pageCount() const override { return pages.size(); }
    std::size_t buttonTableLength(std::size_t page) const override { return pages.at(checkPage(page)).size(); }
    std::size_t buttonStateCount() const override { return statesShown.size(); }
    unsigned buttonBog(std::size_t b) const override { return pages[statesPage].at(checkButton(b)).bog; }
    void setButtonShown(std::size_t b, bool on) override { statesShown.at(checkButton(b)) = on; }
    void setButtonStates(std::size_t page) override {
        statesPage = checkPage(page);
        statesShown.assign(pages[page].size(), false);
        calls.push_back("states " + std::to_string(page));
    }
    bool hasOutEffectsToPlay(std::size_t page) const override { return checkPage(page) == 0; }
    void playOutEffects(std::size_t page) override { calls.push_back("out " + std::to_string(checkPage(page))); }
    void showPage(std::size_t page) override { calls.push_back("page " + std::to_string(checkPage(page))); }
    void drawButton(std::size_t b) override { calls.push_back("draw " + std::to_string(checkButton(b))); }
    void drawSelectedButton() override { calls.push_back("selected"); }
    void deleteButton(std::size_t b) override { calls.push_back("delete " + std::to_string(checkButton(b))); }
    std::optional<CommandList> autoActionCommands(std::size_t page, std::size_t b) const override {
        const Button& button = pages.at(checkPage(page)).at(b);
        if (!button.autoAction) return std::nullopt;
        return button.commands;
    }
    void showRunningButton(std::size_t b) override { calls.push_back("running " + std::to_string(b)); }

private:
    std::size_t checkPage(std::size_t page) const {
        if (page >= pages.size()) ADD_FAILURE() << "page " << page << " read outside the page list";
        return page;
    }
    std::size_t checkButton(std::size_t b) const {
        if (b >= statesShown.size()) ADD_FAILURE() << "button " << b << " read outside the state table";
        return b;
    }
};

NavigationCommand moveImmediate(std::uint32_t dst, std::uint32_t value) { return {0x50400001u, dst, value}; }
// SetButtonPage with immediate values; bit 31 of each word is the button or page flag.
NavigationCommand setButtonPage(std::uint32_t button, std::uint32_t page) { return {0x51C00003u, button, page}; }
constexpr std::uint32_t kFlag = 0x80000000u;

TEST(MenuCommands, ActOnTheShownMenuAndStayInsideItsTables) {
    PlayerRegisters regs;
    ResetRegs(regs, {});  // PSR10 = 0xFFFF (no selection), PSR11 = 0
    Engine engine(regs);
    std::vector<std::string> messages;
    int commands = 0;
    engine.setCallbacks({.message = [&](const std::string& m) { messages.push_back(m); },
                         .cancelRequested = [&] { return ++commands > 1000; }});  // no endless runs
    FakeMenu menu;
    // Page 0: buttons 0 and 1 in BOG 0, button 2 in BOG 1. Page 1: button 1 is an auto-action button.
    menu.pages = {{{0}, {0}, {1}}, {{0}, {0, true, {moveImmediate(7, 7)}}}};
    menu.statesShown = {true, false, true};
    engine.setMenuHooks(&menu);

    struct Step {
        const char* name;
        CommandList program;
        std::vector<std::string> calls;
        std::uint32_t psr10, psr11;
        std::vector<bool> shown;
    };
    const Step steps[] = {
        {"select a button", {setButtonPage(kFlag | 1, 0), moveImmediate(8, 8)}, {"selected"}, 1, 0,
         {false, true, true}},
        {"select a button of another BOG", {setButtonPage(kFlag | 2, 0)}, {"draw 1", "selected"}, 2, 0,
         {false, true, true}},
        {"ids beyond the tables change nothing", {setButtonPage(kFlag | 0x50, kFlag | 9)},
         {"out 0", "page 0"}, 2, 0, {false, true, true}},
        {"EnableButton in the selected BOG moves the selection at the end of the run",
         {moveImmediate(0x8000000A, 0), {0x31800004u, 1, 0}, {0x31800004u, 0x99, 0}}, {"draw 1", "selected"}, 1, 0,
         {false, true, true}},
        {"DisableButton", {{0x31800005u, 2, 0}, {0x31800005u, 3, 0}}, {"delete 2"}, 1, 0, {false, true, false}},
        {"a page without out-effects shown, then an auto-action button",
         {setButtonPage(kFlag | 1, kFlag | 0x40000000 | 1), moveImmediate(8, 8)},
         {"states 1", "page 1", "running 1"}, 1, 1, {false, true}},
        {"PSR11 naming no page and no selection", {moveImmediate(0x8000000B, 0x55), moveImmediate(0x8000000A, 0xFFFF),
          setButtonPage(kFlag | 0, 0)}, {"selected"}, 0xFFFF, 0x55, {false, true}},
    };
    for (const auto& s : steps) {
        menu.calls.clear();
        engine.start(s.program);
        EXPECT_EQ(menu.calls, s.calls) << s.name;
        EXPECT_EQ(regs.PSR[10], s.psr10) << s.name;
        EXPECT_EQ(regs.PSR[11], s.psr11) << s.name;
        EXPECT_EQ(menu.statesShown, s.shown) << s.name;
    }
    EXPECT_EQ(regs.GPR[7], 7u);  // the auto-action button's commands ran
    EXPECT_EQ(regs.GPR[8], 0u);  // and SetButtonPage ended the runs it started in
    EXPECT_TRUE(messages.empty());

    // Away from the menu view the menu commands leave the menu alone.
    menu.shown = false;
    menu.calls.clear();
    engine.start({{0x31800004u, 0, 0}, {0x31800005u, 1, 0}, setButtonPage(kFlag | 0, 0)});
    EXPECT_TRUE(menu.calls.empty());
    EXPECT_EQ(messages, std::vector<std::string>{"SetButtonPage "});
}

}  // namespace
}  // namespace navelo
