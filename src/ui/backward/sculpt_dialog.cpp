// The basin-field sculpting dialog (sculpt_dialog.h): the target, the list
// of aspiring pre-images and how to build it, the choice of learning,
// forgetting or highlighting and of bit flips or wire moves, the report of
// which states now map onto the target, and the highlighting of the next
// basin drawing. Every one-key menu is a key table whose rows give both
// the words shown and what the key does. The lists and passes are
// engine/backward/sculpting.h; the states are set with the seed dialog.
// Start reading at sculpt_basin_field.
#include "ui/backward/sculpt_dialog.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/backward/globals.h"
#include "engine/backward/sculpting.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "engine/rules/globals.h"
#include "engine/wiring/globals.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/window.h"
#include "ui/string_editors/seed_dialog.h"

namespace {

constexpr int kPromptLines = 3;

// ---- the one-key menus ----------------------------------------------------

bool
with_mix(const sculpt_menu_state &s)
{
    return s.mix;
}

bool
without_mix(const sculpt_menu_state &s)
{
    return !s.mix;
}

template <sculpt_go go>
sculpt_go
gives(sculpt_menu_state &, char)
{
    return go;
}

const sculpt_key kAspKeys[] = {
    sculpt_key::on("b").help("as before-b ").does(gives<sculpt_go::as_before>),
    sculpt_key::on("p").help("parity-p ").does(gives<sculpt_go::parity>),
    sculpt_key::on("r").help("range-r ").does(gives<sculpt_go::range>),
    sculpt_key::on("h").help("Hamm-h1/2 ").does(gives<sculpt_go::mutants>),
    sculpt_key::on("").help("number-(def 1):").does(gives<sculpt_go::typed>),
};

const sculpt_key kParityKeys[] = {
    sculpt_key::on("1").help("parity: odd-1, ").does(gives<sculpt_go::odd>),
    sculpt_key::on("").help("even-(def):").does(gives<sculpt_go::even>),
};

const sculpt_key kLocalKeys[] = {
    sculpt_key::on("w")
        .help([](const sculpt_menu_state &s) -> std::string {
            return s.mix ? "local 1d, rule-mix: nonlocal wiring-w: " : "local 1d CA: nonlocal wiring-w: ";
        })
        .does(gives<sculpt_go::convert>),
};

const sculpt_key kAimKeys[] = {
    sculpt_key::on("h").help("highlight only-h, ").does(gives<sculpt_go::highlight_only>),
    sculpt_key::on("f").help("forget-f, ").does(gives<sculpt_go::forget>),
    sculpt_key::on("").help("learn-(def):").does(gives<sculpt_go::learn>),
};

const sculpt_key kChangeKeys[] = {
    sculpt_key::on("w").help("wire-moves -w, ").when(with_mix).does(gives<sculpt_go::wire_moves>),
    sculpt_key::on("").help("bit-flips-(def):").when(with_mix).does(gives<sculpt_go::bit_flips>),
    sculpt_key::on("").help("wire-moves only-(def):").when(without_mix).does(gives<sculpt_go::wire_moves>),
};

// Without a rule-mix 'b', not offered, moves wires again as 'w' does.
const sculpt_key kAgainKeys[] = {
    sculpt_key::on("w")
        .help([](const sculpt_menu_state &s) -> std::string {
            return s.mix ? "wire-moves -w," : "wire-moves -w:";
        })
        .does(gives<sculpt_go::wire_moves>),
    sculpt_key::on("b")
        .help(" bit-flips -b:")
        .when(with_mix)
        .unlisted_when(always<sculpt_menu_state>)
        .does([](sculpt_menu_state &s, char) {
            return s.mix ? sculpt_go::bit_flips : sculpt_go::wire_moves;
        }),
};

const sculpt_key kMoreKeys[] = {
    sculpt_key::on("m").help("learn/forget/highlight more-m:").does(gives<sculpt_go::target>),
};

const sculpt_key kHighlightKeys[] = {
    sculpt_key::on("n").help("highlight: none-n, ").does(gives<sculpt_go::none>),
    sculpt_key::on("s").help("suppess all other nodes-s:").does(gives<sculpt_go::suppress>),
};

template <size_t N>
std::string
menu_text(const sculpt_key (&rows)[N], const sculpt_menu_state &s)
{
    return help_text(key_help(rows, s));
}

// The row of key, else the default row listed now, else `other`.
template <size_t N>
sculpt_go
choose(const sculpt_key (&rows)[N], sculpt_menu_state &s, char key, sculpt_go other)
{
    if (const sculpt_key *row = find_key(rows, key, s))
        return row->act(s, key);
    for (const sculpt_key &row : rows)
        if (row.keys[0] == 0 && row.listed_in(s))
            return row.act(s, key);
    return other;
}

template <size_t N>
sculpt_menu_view
view_of(const char *name, const sculpt_key (&rows)[N], const sculpt_menu_state &s)
{
    sculpt_menu_view v{name, key_help(rows, s), all_keys(rows), false};
    for (const sculpt_key &row : rows)
        v.has_default = v.has_default || (row.keys[0] == 0 && row.listed_in(s));
    return v;
}

// ---- the prompt box -------------------------------------------------------

int prompt_margin = 0;

// A fresh prompt box of `rows` lines with text from its first line, broken
// so that an answer of `entry` characters after it stays inside the box;
// the point after it.
void
prompt(const std::string &text, int entry = 1, int rows = kPromptLines)
{
    erase_prompt_box(kPromptLines);
    prompt_margin = draw_prompt_box(rows);
    setcolor(white);
    moveto(prompt_margin, 5);
    write_prompt_part(text.c_str(), entry, prompt_margin);
}

// Text written on from the current point, on the box's next line where an
// answer of `entry` characters after it would not fit on this one.
void
say(const std::string &text, int entry = 1)
{
    setcolor(white);
    write_prompt_part(text.c_str(), entry, prompt_margin);
}

char
one_key()
{
    input_string(1, text_entry);
    return is[0];
}

long
typed_or(long fallback)
{
    std::string text = entry_text();
    if (text.empty() || text[0] < '0' || text[0] > '9')
        return fallback;
    return atol(text.c_str());
}

// A message in the prompt box until a key.
void
tell(const std::string &text)
{
    prompt(text + " cont-ret:");
    one_key();
}

// ---- the dialog -----------------------------------------------------------

enum class step { target, aspiring, method, more, highlight };

// How the list was built last in this call, for "as before".
struct list_recipe {
    sculpt_go kind = sculpt_go::typed;
    uint32_t start = 1, end = 10, step = 1;
    int parity = 2, d = 20, depth = 1;
};

struct sculpt_state {
    sculpt_menu_state menu;
    list_recipe recipe;
    sculpt_aim aim = sculpt_aim::learn;
    int result = 0;
};

// State numbers can be shown: n within the 32-bit numbering.
bool
numbered()
{
    return lineL <= maxL_lu && lineL <= 32;
}

// The box of the review and of the report: below the prompt box, from 3
// pixels left of the text margin to 70 units short of the right edge and 50
// units above the bottom.
struct list_box {
    int x0, y0, x1, y1;
    image_slot under = 0;
    explicit list_box(int top)
    {
        x0 = std::max(0, static_cast<int>(xtext * CWidth) - 3);
        y0 = top;
        x1 = Maxx - vgax(70);
        y1 = Maxy - vgay(50);
        getimage(x0, y0, x1, y1, &under);
        uint8_t fill = fillcolor;
        setfillstyle(0, black);
        bar(x0, y0, x1, y1);
        setfillstyle(0, fill);
        setcolor(lightred);
        rectangle(x0, y0, x1, y1);
        moveto(x0 + 3, y0 + 2);
    }
    ~list_box()
    {
        putimage(x0, y0, &under, 0);
        freeimage(&under);
    }
    // Writes piece at the current point, wrapping first when it would pass
    // the right edge; false when there is no line left for it.
    bool
    put(const std::string &piece)
    {
        int w = text_pixel_width(piece.c_str(), static_cast<int>(piece.size()));
        if (getx + w > x1 - 3) {
            if (gety + 2 * CHeight > y1 - 2)
                return false;
            moveto(x0 + 3, gety + CHeight);
        }
        outtext(piece.c_str());
        return true;
    }
};

int
list_top()
{
    return prompt_box_bottom(kPromptLines) + 4;
}

std::string
number_text(const uint8_t *state)
{
    char text[24];
    snprintf(text, sizeof text, "%lu,", static_cast<unsigned long>(dec_equiv(state, L)));
    return text;
}

// The list after a pass: the target, the states not mapped onto it, "<-no",
// the ones mapped, "<-ok". Past the box's room the numbers stop.
void
show_split(const sculpt_split &s)
{
    list_box box(list_top());
    setcolor(white);
    char text[40];
    if (numbered())
        snprintf(text, sizeof text, "target state=%lu,", static_cast<unsigned long>(dec_equiv(tar, L)));
    else
        snprintf(text, sizeof text, "target (n=%d)", lineL);
    box.put(text);
    auto group = [&](const std::vector<uint32_t> &members, const char *marker) {
        if (!numbered()) {
            snprintf(text, sizeof text, " (n=%d)", lineL);
            box.put(text);
        } else {
            for (uint32_t i : members)
                if (!box.put(number_text(learn_pre[i])))
                    break;
        }
        box.put(marker);
        box.put(" ");
    };
    group(s.no, "<-no");
    group(s.ok, "<-ok");
    flush_display();
    prompt("list of aspiring pre-images after the pass, cont-ret:");
    one_key();
}

// The target phase: the target state. False when the user leaves.
bool
set_target()
{
    // One line, which the seed dialog's density line takes over whole.
    prompt("learn/forget/highlight: set target state", 0, 1);
    select_seed(0, tar, "target state", 1);
    erase_prompt_box(kPromptLines);
    return is[0] != 'q';
}

// Typed states, each with the seed dialog; false on 'q'.
bool
type_states(int32_t count)
{
    // The seed dialog's density line stands in the prompt box's place: the
    // question of the count goes first, whole.
    erase_prompt_box(kPromptLines);
    for (int32_t i = 0; i < count && i < notolearn; i++) {
        char label[40];
        snprintf(label, sizeof label, "aspiring pre-image %d", i + 1);
        select_seed(0, learn_pre[i], label, 1);
        if (is[0] == 'q')
            return false;
    }
    // The seed dialog's density line may be left where the prompt box lies.
    erase_prompt_box(kPromptLines);
    return true;
}

// What a builder did, told when the list was cut or could not be held.
bool
list_taken(const asp_list_result &r)
{
    char text[80];
    if (r.no_memory) {
        tell("not enough memory for the list, kept as it was,");
        return false;
    }
    if (r.cut) {
        snprintf(text, sizeof text, "list cut at %u states,", kMostAspiring);
        tell(text);
    }
    return true;
}

bool
ask_range(list_recipe &r)
{
    uint32_t most = asp_range_max();
    char text[120];
    snprintf(text, sizeof text, "range of pre-images (def 1-10), max %lu), start:",
             static_cast<unsigned long>(most));
    prompt(text, 10);
    input_string(10, text_entry);
    if (is[0] == 'q')
        return false;
    long long start = entry_leading_number();
    r.start = start <= 0 || start > most ? 1 : static_cast<uint32_t>(start);
    say(" end:", 10);
    input_string(10, text_entry);
    if (is[0] == 'q')
        return false;
    long long end = entry_leading_number();
    uint64_t last = end < 0 || static_cast<uint64_t>(end) < r.start ? uint64_t(r.start) + 9
                                                                    : static_cast<uint64_t>(end);
    r.end = static_cast<uint32_t>(last > most ? most : last);
    say(" step:", 3);
    input_string(3, text_entry);
    if (is[0] == 'q')
        return false;
    long long step = entry_leading_number();
    uint64_t count = uint64_t(r.end) - r.start + 1;
    r.step = step < 1 || static_cast<uint64_t>(step) > count / 2 ? 1 : static_cast<uint32_t>(step);
    return true;
}

bool
ask_parity(sculpt_state &st)
{
    prompt(menu_text(kParityKeys, st.menu));
    char key = one_key();
    if (key == 'q')
        return false;
    st.recipe.parity = choose(kParityKeys, st.menu, key, sculpt_go::even) == sculpt_go::odd ? 1 : 2;
    int d = lineL < 20 ? lineL : 20;
    char text[60];
    snprintf(text, sizeof text, " enter part system size (def %d):", d);
    say(text, 5);
    input_string(5, text_entry);
    if (is[0] == 'q')
        return false;
    long typed = typed_or(0);
    st.recipe.d = typed <= 0 || typed > lineL ? lineL : static_cast<int>(typed);
    if (st.recipe.d > 20)
        st.recipe.d = 20;
    return true;
}

asp_list_result
build(const list_recipe &r)
{
    switch (r.kind) {
    case sculpt_go::range:
        return asp_list_range(r.start, r.end, r.step);
    case sculpt_go::parity:
        return asp_list_parity(r.parity, r.d);
    default:
        return asp_list_mutants(r.depth);
    }
}

// The aspiring phase: the list of aspiring pre-images. False on 'q' (back
// to the target).
bool
set_aspiring(sculpt_state &st)
{
    prompt("pre-images: " + menu_text(kAspKeys, st.menu), 4);
    input_string(4, text_entry);
    if (is[0] == 'q')
        return false;
    std::string answer = entry_text();
    sculpt_go go = choose(kAspKeys, st.menu, is[0], sculpt_go::typed);
    list_recipe &r = st.recipe;
    if (go == sculpt_go::as_before) {
        if (r.kind == sculpt_go::typed) {
            if (!type_states(notolearn))
                return false;
        } else if (!list_taken(build(r))) {
            return false;
        }
    } else if (go == sculpt_go::typed) {
        long count = typed_or(1);
        if (count < 1)
            count = 1;
        r.kind = sculpt_go::typed;
        if (!resize_asp_list(static_cast<uint32_t>(count))) {
            tell("not enough memory for the list,");
            return false;
        }
        if (!type_states(notolearn))
            return false;
    } else {
        if (go == sculpt_go::range && !ask_range(r))
            return false;
        if (go == sculpt_go::parity && !ask_parity(st))
            return false;
        r.depth = answer.size() > 1 && answer[1] == '2' ? 2 : 1;
        r.kind = go;
        if (!list_taken(build(r)))
            return false;
    }
    if (!numbered())
        return true;
    int kind = r.kind == sculpt_go::parity ? 'p' : r.kind == sculpt_go::mutants ? 'h' : r.kind == sculpt_go::range ? 'r' : 0;
    int key = review_asp_pre_images(list_top(), r.parity, r.depth, r.start, r.end,
                                    static_cast<uint16_t>(r.step), kind);
    return key != 'q';
}

// Wire moves or bit flips as asked after "learn by" or "forget by".
bool
ask_change(sculpt_state &st, sculpt_change &change)
{
    std::string text = st.aim == sculpt_aim::learn ? "learn by " : "forget by ";
    prompt(text + menu_text(kChangeKeys, st.menu));
    char key = one_key();
    if (key == 'q')
        return false;
    change = choose(kChangeKeys, st.menu, key, sculpt_go::wire_moves) == sculpt_go::bit_flips
                 ? sculpt_change::bit_flips
                 : sculpt_change::wire_moves;
    return true;
}

// The learning phase and its report: passes until the aim is met or the
// user stops asking.
void
learn_or_forget(sculpt_state &st, sculpt_change change, sculpt_work &w)
{
    st.result = 1;
    for (;;) {
        sculpt_pass(st.aim, change, w);
        sculpt_split s = split_by_target();
        show_split(s);
        const char *done = st.aim == sculpt_aim::learn ? " learned" : " forgotten";
        if (!something_left(st.aim, s)) {
            std::string text = notolearn == 1 ? "success - aspiring pre-image"
                                              : "success - all aspiring pre-images";
            prompt(text + done + " cont-ret:");
            one_key();
            return;
        }
        reorder_for_another_pass(st.aim, s);
        std::string text = st.aim == sculpt_aim::learn ? "re-learn by " : "re-forget by ";
        prompt(text + menu_text(kAgainKeys, st.menu));
        char key = one_key();
        const sculpt_key *row = find_key(kAgainKeys, key, st.menu);
        if (row == nullptr)
            return;
        change = row->act(st.menu, key) == sculpt_go::bit_flips ? sculpt_change::bit_flips
                                                                : sculpt_change::wire_moves;
    }
}

// The method phase (learn, forget or highlight, by bit flips or wire
// moves) and what follows it: the next step of the dialog.
step
choose_method(sculpt_state &st, sculpt_work &w)
{
    if (nonlocal == 0) {
        prompt(menu_text(kLocalKeys, st.menu));
        char key = one_key();
        if (key == 'q')
            return step::target;
        if (choose(kLocalKeys, st.menu, key, sculpt_go::highlight_only) != sculpt_go::convert) {
            say(" highlight only-(def):");
            one_key();
            return step::highlight;
        }
        nonlocal = 1;
        dontcompress = compress_1d_local = regular2d = regular3d = 0;
    }
    prompt(menu_text(kAimKeys, st.menu));
    char key = one_key();
    if (key == 'q')
        return step::target;
    sculpt_go aim = choose(kAimKeys, st.menu, key, sculpt_go::learn);
    if (aim == sculpt_go::highlight_only)
        return step::highlight;
    st.aim = aim == sculpt_go::forget ? sculpt_aim::forget : sculpt_aim::learn;
    sculpt_change change;
    if (!ask_change(st, change))
        return step::target;
    learn_or_forget(st, change, w);
    return step::more;
}

void
set_highlighting(sculpt_state &st)
{
    hilight_learn = hilight_frame;
    prompt(menu_text(kHighlightKeys, st.menu));
    char key = one_key();
    sculpt_go go = choose(kHighlightKeys, st.menu, key, sculpt_go::learn);
    if (go == sculpt_go::none)
        hilight_learn = hilight_off;
    else if (go == sculpt_go::suppress)
        hilight_learn = hilight_suppress;
}

} // namespace

int
review_asp_pre_images(int y, int parity, int depth, uint32_t start, uint32_t end, uint16_t step,
                      int kind)
{
    list_box box(y);
    setcolor(white);
    char text[120];
    snprintf(text, sizeof text, "target=%lu, pre-images=%d, ", static_cast<unsigned long>(dec_equiv(tar, L)),
             notolearn);
    std::string head = text;
    if (kind == 'p') {
        head += parity == 1 ? "parity=odd, " : "parity=even, ";
        snprintf(text, sizeof text, "max state=%lu, ", static_cast<unsigned long>(dec_equiv(learn_pre[0], L)));
        head += text;
    } else if (kind == 'h') {
        head += depth == 2 ? "1 & 2  bit mutants, " : "1 bit mutants, ";
    } else if (kind == 'r') {
        snprintf(text, sizeof text, "range %lu-%lu, step=%d, ", static_cast<unsigned long>(start),
                 static_cast<unsigned long>(end), step);
        head += text;
    }
    head += "cont-ret:";
    box.put(head);
    const int list_y = gety + CHeight;
    moveto(box.x0 + 3, list_y);
    for (int32_t i = 0; i < notolearn; i++) {
        if (box.put(number_text(learn_pre[i])))
            continue;
        // The box is full: more, or close.
        box.put(" more-m cont-ret:");
        if (one_key() != 'm')
            return is[0];
        uint8_t fill = fillcolor;
        setfillstyle(0, black);
        bar(box.x0 + 1, list_y, box.x1 - 1, box.y1 - 1);
        setfillstyle(0, fill);
        setcolor(white);
        moveto(box.x0 + 3, list_y);
        box.put(number_text(learn_pre[i]));
    }
    return one_key();
}

int
sculpt_basin_field()
{
    int16_t px = getx, py = gety;
    int colour = getcolor();
    image_slot prompt_place = 0;
    getimage(Maxx / 2, 0, Maxx, prompt_box_bottom_past_ink(kPromptLines) + 1, &prompt_place);
    dont_save = 1;
    compress_1d_local = 0;
    regular2d = 0;
    sculpt_state st;
    st.menu.mix = rulemix != 0;
    sculpt_work w;

    step at = step::target;
    for (bool going = true; going;) {
        switch (at) {
        case step::target:
            going = set_target();
            at = step::aspiring;
            break;
        case step::aspiring:
            at = set_aspiring(st) ? step::method : step::target;
            break;
        case step::method:
            at = choose_method(st, w);
            break;
        case step::more:
            prompt(menu_text(kMoreKeys, st.menu));
            at = choose(kMoreKeys, st.menu, one_key(), sculpt_go::highlight_only) == sculpt_go::target
                     ? step::target
                     : step::highlight;
            break;
        case step::highlight:
            set_highlighting(st);
            going = false;
            break;
        }
    }
    erase_prompt_box(kPromptLines);
    putimage(Maxx / 2, 0, &prompt_place, 0);
    freeimage(&prompt_place);
    dont_save = 0;
    setcolor(colour);
    moveto(px, py);
    return st.result;
}

std::vector<sculpt_menu_view>
sculpt_key_menus(const sculpt_menu_state &s)
{
    return {view_of("aspiring", kAspKeys, s),   view_of("parity", kParityKeys, s),
            view_of("local", kLocalKeys, s),    view_of("aim", kAimKeys, s),
            view_of("change", kChangeKeys, s),  view_of("again", kAgainKeys, s),
            view_of("more", kMoreKeys, s),      view_of("highlight", kHighlightKeys, s)};
}
