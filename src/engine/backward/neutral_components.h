// The component-type table of a neutral field: for each component size
// met, how many components of the order space have it. The field starts it,
// the subtree run counts each component, the table display sorts and
// frees it.
#pragma once
#include <cstdint>
#include <string>

// An empty table (comp_type_tot 0) with room for one row.
void start_component_types();
// One component of size orders: a count more in its row, or a new row.
void add_component_type(uint32_t size);
// Rows in ascending order of size.
void sort_component_types();
// Frees the table; comp_type_tot := 0.
void free_component_types();
// The first summary line of a neutral field: "total components=%d\n" with
// totbasinsinfield, "EARLY EXIT " first when the field or a component was
// left early.
std::string compose_component_count();
