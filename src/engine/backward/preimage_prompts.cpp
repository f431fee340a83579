// The registered prompts of the pre-image engines (see preimage_prompts.h).
#include "engine/backward/preimage_prompts.h"

#include <cstdio>

namespace {

preimage_prompts registered = {};

} // namespace

void
set_preimage_prompts(const preimage_prompts &prompts)
{
    registered = prompts;
}

void
show_seed_repeat()
{
    if (registered.show_seed_repeat)
        registered.show_seed_repeat();
}

void
show_pre_image(const uint8_t *P)
{
    if (registered.show_pre_image)
        registered.show_pre_image(P);
}

int
ask_fan_stop()
{
    return registered.ask_fan_stop ? registered.ask_fan_stop() : 0;
}

int
ask_table_stop(unsigned percent)
{
    return registered.ask_table_stop ? registered.ask_table_stop(percent) : 0;
}

void
show_table_progress(uint64_t done, uint64_t states)
{
    if (registered.show_table_progress)
        registered.show_table_progress(done, states);
}

void
show_table_refusal(const char *text)
{
    if (!registered.show_table_refusal || !registered.show_table_refusal(text))
        fprintf(stderr, "\n%s\n", text);
}

void
show_stack_tick(uint32_t size, int saved)
{
    if (registered.show_stack_tick)
        registered.show_stack_tick(size, saved);
}

void
show_stack_start()
{
    if (registered.show_stack_start)
        registered.show_stack_start();
}

void
show_stack_frame()
{
    if (registered.show_stack_frame)
        registered.show_stack_frame();
}

void
show_stack_step(uint32_t position, uint32_t size)
{
    if (registered.show_stack_step)
        registered.show_stack_step(position, size);
}

void
show_stack_wild(uint32_t added)
{
    if (registered.show_stack_wild)
        registered.show_stack_wild(added);
}

void
show_cell_order()
{
    if (registered.show_cell_order)
        registered.show_cell_order();
}

void
show_wild_cell_error(int value, int flag)
{
    if (registered.show_wild_cell_error)
        registered.show_wild_cell_error(value, flag);
    else
        fprintf(stderr, "\nERROR - PSbit=%d so existbit should=1 (=%d)\n", value, flag);
}
