// The canalyzing dialogs: canalyzing inputs of one cell's rule
// (set_canalyzing_rule) and of a whole rule mix with its picture and
// histogram (set_canalyzing_net). The runs themselves are
// engine/rules/canalyzing.h.
#pragma once
#include <functional>

// Inputs of cell's table made canalyzing by hand ('e'), a new count for the
// cell ('n') or for every cell ('N'). canal, canaltotal and the Z figures
// describe the cell's table on return. shown, when given, is called each
// time the rule box at the bottom is drawn for the table as it is (outside
// a run), so that the caller's own lines of the rule follow the box.
void set_canalyzing_rule(int cell, const std::function<void()> &shown = nullptr);

// Shows how canalyzing the rule mix is and moves it towards a share of
// genes or inputs. keep0 1 keeps entry 0 at 0 in tables drawn afresh.
void set_canalyzing_net(int keep0);
