// The program's control IDs, on which any UI automation relies. They are written here once as fixed numbers,
// not taken from the program's headers, so that a changed ID fails the tests.
#pragma once

namespace main_window {
constexpr int kHaveAccount = 101;  // the upper button
constexpr int kNoAccount = 102;    // the lower button
}  // namespace main_window

namespace account_window {
constexpr int kCombo1 = 204;
constexpr int kText1 = 205;
constexpr int kSearch = 206;
constexpr int kListView1 = 208;
constexpr int kFile1 = 210;
constexpr int kRestore = 212;
constexpr int kUndo = 213;
}  // namespace account_window

namespace no_account_window {
constexpr int kCombo1 = 302;
constexpr int kFile1 = 303;
constexpr int kRestore = 305;
constexpr int kUndo = 306;
constexpr int kStartBrowser = 307;
}  // namespace no_account_window
