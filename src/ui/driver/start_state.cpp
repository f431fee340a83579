// Every folder's start values put back in layer order (see start_state.h).
#include "ui/driver/start_state.h"

#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/graphs/globals.h"
#include "engine/model/globals.h"
#include "engine/rules/globals.h"
#include "engine/wiring/globals.h"
#include "ui/backward/globals.h"
#include "ui/driver/globals.h"
#include "ui/graphs/globals.h"
#include "ui/measures/globals.h"
#include "ui/model/globals.h"
#include "ui/screen/globals.h"
#include "ui/storage/globals.h"
#include "ui/string_editors/globals.h"

void
restore_start_state()
{
    restore_model_start_values();
    restore_wiring_start_values();
    restore_rules_start_values();
    restore_forward_start_values();
    restore_backward_start_values();
    restore_graphs_start_values();
    restore_screen_start_values();
    restore_storage_ui_start_values();
    restore_model_ui_start_values();
    restore_string_editors_start_values();
    restore_backward_ui_start_values();
    restore_graphs_ui_start_values();
    restore_measures_start_values();
    restore_driver_start_values();
}
