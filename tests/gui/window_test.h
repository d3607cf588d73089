// A test of one of the program's two working windows: the program runs on a temporary APPDATA and working
// folder, and the window is opened from the main window as a user opens it.
#pragma once

#include "gui_bench.h"
#include "gui_profile.h"

#include <gtest/gtest.h>

#include <optional>

class WindowTest : public testing::Test {
protected:
    // Starts the program, takes the main window's `button` and waits for the window `caption`. A `loadMessage`
    // must come while the window loads, before it is on screen.
    HWND OpenFrom(int button, const wchar_t* caption, const std::optional<SeenMessageBox>& loadMessage = std::nullopt) {
        program_.emplace(ProgramUnderTest::Options{root / L"AppData", workingFolder.Path(), {}});
        const HWND main = program_->WaitForWindow(L"收藏夹备份恢复");
        if (!main) return nullptr;
        Click(ControlOf(main, button));
        if (loadMessage) {
            EXPECT_TRUE(program_->HasMessageBox(10000));
            EXPECT_EQ(program_->WaitForWindow(caption, 0), nullptr);
            EXPECT_EQ(program_->AnswerMessageBox(), loadMessage);
        }
        window_ = program_->WaitForWindow(caption);
        return window_;
    }
    HWND Control(int id) const { return ControlOf(window_, id); }
    std::optional<SeenMessageBox> Press(int id) const {
        Click(Control(id));
        return program_->AnswerMessageBox();
    }

    TempFolder root{L"qb-gui"};
    TempFolder workingFolder{L"qb-cwd"};
    SharedProfile profile{root / L"AppData"};
    std::optional<ProgramUnderTest> program_;
    HWND window_ = nullptr;
};
