// A panel that a running screen keeps at the right of the drawing area (the
// running pattern's key index) while a dialog opened over that screen
// draws: the boxes such a dialog places against the window's right edge
// move left of the panel rather than over its text, and a box at the top
// right may end above the panel's top.
#pragma once

// Marks the panel's left edge and top row for as long as the scope lasts; a
// left edge past Maxx marks no panel. The mark in force before comes back
// at the end.
class side_panel_while {
public:
    explicit side_panel_while(int left, int top = -1);
    ~side_panel_while();
    side_panel_while(const side_panel_while &) = delete;
    side_panel_while &operator=(const side_panel_while &) = delete;

private:
    int before_left_, before_top_;
};

// How far a box whose right edge is at `right` moves left so that it ends
// two columns left of the marked panel; 0 when no panel is marked or the
// box already ends left of it.
int side_panel_shift(int right);
// The marked panel's top row; INT_MAX when no panel or no top is marked.
int side_panel_top();
