// The list of boxes standing over other drawings (standing_boxes.h). An
// entry remembers the count of drawing-area clears it was drawn at: once
// that changed, the box is gone from the window and the entry is dropped,
// unless its erase is the put back of a saved copy, which alone ends it. A
// resize moves the entries with the drawing (boxes_follow_resize): a box
// the window's record drew again at the new size stands there, and the
// next drawing that meets it takes it away there.
#include "ui/screen/standing_boxes.h"

#include <algorithm>
#include <utility>

#include "ui/screen/draw.h"
#include "ui/screen/images.h"
#include "ui/screen/window_record.h"
#include "ui/screen/x_state.h"

namespace {

struct entry {
    box_owner owner;
    box_place place;
    box_way way;
    box_take_down take_down;
    bool taken;          // held: cleared by a drawing, its place kept
    uint32_t clears;     // drawing_area_clears() when it was entered
    uint32_t order;      // its place among entries and saved regions
    bool pending;        // raised, its owner's drawing of it not begun
    image_slot saved_in; // the copy of its place saved as it was drawn (0: none)
};
std::vector<entry> boxes;

struct capture {
    image_slot pixmap;
    box_place place;
    uint32_t saved_at;  // window_drawings() then
    uint32_t order;     // its place among entries and saved regions
    std::vector<entry> held;
};
std::vector<capture> captures;
// Counts entries and saved regions, in the order they were made.
uint32_t next_order = 0;

bool
meets(const box_place &a, const box_place &b)
{
    return a.x0 <= b.x1 && a.x1 >= b.x0 && a.y0 <= b.y1 && a.y1 >= b.y0;
}

bool
within(const box_place &inner, const box_place &outer)
{
    return inner.x0 >= outer.x0 && inner.x1 <= outer.x1 && inner.y0 >= outer.y0 && inner.y1 <= outer.y1;
}

bool
same(const box_place &a, const box_place &b)
{
    return a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1;
}

// The entries whose boxes may still be on the window.
std::vector<entry> &
current_boxes()
{
    const uint32_t clears = drawing_area_clears();
    boxes.erase(std::remove_if(boxes.begin(), boxes.end(),
                               [&](const entry &e) {
                                   return e.way != box_way::saved && e.clears != clears;
                               }),
                boxes.end());
    return boxes;
}

// The background over the box, on the window whatever is being drawn
// into and through whatever viewport; the texts it hid drawn again.
void
clear_box_place(const box_place &p)
{
    const image_slot drawable = current_draw;
    current_draw = W;
    const int16_t vx0 = view_x0, vy0 = view_y0, vx1 = view_x1, vy1 = view_y1;
    setviewport(0, 0, Maxx, WinMaxy, 1);
    const uint8_t fill = fillcolor;
    setfillstyle(0, black);
    bar(p.x0, p.y0, p.x1, p.y1);
    fillcolor = fill;
    redraw_texts_within(p.x0, p.y0, p.x1, p.y1);
    setviewport(vx0, vy0, vx1, vy1, 1);
    current_draw = drawable;
}

void
go(const entry &e)
{
    if (e.take_down)
        e.take_down(e.place);
    else
        clear_box_place(e.place);
}

// The entry of owner's box that counts as its own: the last entered.
entry *
last_of(box_owner owner, bool taken_too)
{
    std::vector<entry> &all = current_boxes();
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        if (it->owner == owner && (taken_too || !it->taken))
            return &*it;
    return nullptr;
}

// Whether a region saved just now, while e stood, holds place: the
// drawing is a box over a copy of what it covers, saved for its close,
// whose put back shows e whole again.
bool
saved_for_drawing(const entry &e, const box_place &place)
{
    const uint32_t now = window_drawings();
    return std::any_of(captures.begin(), captures.end(), [&](const capture &c) {
        return c.saved_at == now && c.order > e.order && within(place, c.place);
    });
}

// The boxes a drawing over place meets: a held one is cleared and keeps
// its place; a kept one is forgotten where the place covers it whole; a
// saved one stays; any other is forgotten, and cleared first where the
// place meets it only in part, unless the drawing is a box over a copy of
// its place saved just before it. A held one only a pattern's rows take
// (rows). skip: the index of an entry left as it is (-1: none). Returns
// the boxes it hid.
std::vector<entry>
meet(const box_place &place, long skip, bool rows)
{
    std::vector<entry> &all = current_boxes();
    std::vector<entry> to_clear, kept, hidden_now;
    for (size_t i = 0; i < all.size(); i++) {
        entry &e = all[i];
        const bool hidden = within(e.place, place);
        if (static_cast<long>(i) == skip || !meets(e.place, place) || e.way == box_way::saved ||
            (e.way == box_way::kept && !hidden) || (e.way == box_way::held && !rows) ||
            (!hidden && saved_for_drawing(e, place))) {
            kept.push_back(e);
        } else if (e.way == box_way::held) {
            if (!e.taken)
                to_clear.push_back(e);
            e.taken = true;
            kept.push_back(e);
        } else if (!hidden) {
            to_clear.push_back(e);
        } else {
            hidden_now.push_back(e);
        }
    }
    all = std::move(kept);
    for (const entry &e : to_clear)
        go(e);
    return hidden_now;
}

} // namespace

void
raise_box(box_owner owner, const box_place &place, box_way way, box_take_down take_down)
{
    if (owner != box_owner::top_line) {
        entry *own = last_of(owner, true);
        if (own && !same(own->place, place)) {
            const entry old = *own;
            boxes.erase(boxes.begin() + (own - boxes.data()));
            if (!old.taken)
                go(old);
        }
        std::vector<entry> &all = current_boxes();
        all.erase(std::remove_if(all.begin(), all.end(), [&](const entry &e) { return e.owner == owner; }),
                  all.end());
    }
    meet(place, -1, false);
    for (entry &e : boxes)
        e.pending = false;
    boxes.push_back({owner, place, way, take_down, false, drawing_area_clears(), next_order++, true, 0});
}

bool
box_stands(box_owner owner, box_place *place)
{
    const entry *e = last_of(owner, false);
    if (e && place)
        *place = e->place;
    return e != nullptr;
}

bool
box_stands_at(box_owner owner, const box_place &place)
{
    const std::vector<entry> &all = current_boxes();
    return std::any_of(all.begin(), all.end(), [&](const entry &e) {
        return e.owner == owner && !e.taken && same(e.place, place);
    });
}

bool
box_place_held(box_owner owner, box_place *place)
{
    const entry *e = last_of(owner, true);
    if (e && place)
        *place = e->place;
    return e != nullptr;
}

namespace {

// The places of the boxes standing now that pass is_one.
template <typename Test>
std::vector<box_place>
standing_places(Test is_one)
{
    std::vector<box_place> places;
    for (const entry &e : current_boxes())
        if (!e.taken && is_one(e))
            places.push_back(e.place);
    return places;
}

} // namespace

std::vector<box_place>
standing_boxes_of(box_owner owner)
{
    return standing_places([owner](const entry &e) { return e.owner == owner; });
}

std::vector<box_place>
kept_boxes_standing()
{
    return standing_places([](const entry &e) { return e.way == box_way::kept; });
}

void
take_box(box_owner owner)
{
    entry *e = last_of(owner, true);
    if (!e)
        return;
    const entry old = *e;
    boxes.erase(boxes.begin() + (e - boxes.data()));
    if (!old.taken)
        go(old);
}

namespace {

// give_way (rows: of a pattern), returning the boxes it hid; *being_drawn
// the order of the box raised for this drawing (none: unchanged).
std::vector<entry>
give_way_hiding(const box_place &drawn, uint32_t *being_drawn, bool rows)
{
    // Only what the viewport lets through is drawn.
    const box_place place{std::max<int>(drawn.x0, view_x0), std::max<int>(drawn.y0, view_y0),
                          std::min<int>(drawn.x1, view_x1), std::min<int>(drawn.y1, view_y1)};
    std::vector<entry> &all = current_boxes();
    auto drawn_here =
        std::find_if(all.begin(), all.end(), [&](const entry &e) { return e.pending && same(e.place, place); });
    const long skip = drawn_here == all.end() ? -1 : drawn_here - all.begin();
    if (drawn_here != all.end())
        *being_drawn = drawn_here->order;
    for (entry &e : all)
        e.pending = false;
    if (place.x0 > place.x1 || place.y0 > place.y1)
        return {};
    return meet(place, skip, rows);
}

} // namespace

void
give_way(const box_place &drawn)
{
    uint32_t being_drawn = 0;
    give_way_hiding(drawn, &being_drawn, false);
}

void
rows_give_way(const box_place &drawn)
{
    uint32_t being_drawn = 0;
    give_way_hiding(drawn, &being_drawn, true);
}

void
save_giving_way(const box_place &drawn, const box_place &saved, image_slot *slot)
{
    uint32_t being_drawn = next_order;
    const std::vector<entry> hidden = give_way_hiding(drawn, &being_drawn, false);
    getimage(saved.x0, saved.y0, saved.x1, saved.y1, slot);
    auto c = std::find_if(captures.begin(), captures.end(), [&](const capture &k) { return k.pixmap == *slot; });
    if (c == captures.end())
        return;
    // The region holds what the box covers, not the box, which stands (a
    // saved one) while the region is held.
    c->held.erase(std::remove_if(c->held.begin(), c->held.end(),
                                 [&](const entry &e) { return e.order == being_drawn; }),
                  c->held.end());
    for (entry &e : boxes)
        if (e.order == being_drawn)
            e.saved_in = *slot;
    for (const entry &e : hidden)
        if (within(e.place, c->place))
            c->held.push_back(e);
}

void
box_outlives_clear(box_owner owner, uint32_t clears_before)
{
    for (entry &e : boxes)
        if (e.owner == owner && e.clears == clears_before)
            e.clears = drawing_area_clears();
}

void
boxes_captured(image_slot pixmap, const box_place &place)
{
    forget_boxes_captured(pixmap);
    capture c{pixmap, place, window_drawings(), next_order++, {}};
    // A box raised but not drawn yet is not in the region: it holds what
    // the box will cover.
    for (const entry &e : current_boxes())
        if (!e.taken && !e.pending && within(e.place, place))
            c.held.push_back(e);
    captures.push_back(std::move(c));
}

void
boxes_put_back(image_slot pixmap, int x, int y)
{
    auto c = std::find_if(captures.begin(), captures.end(), [&](const capture &k) { return k.pixmap == pixmap; });
    if (c == captures.end() || c->place.x0 != x || c->place.y0 != y)
        return;
    std::vector<entry> &all = current_boxes();
    all.erase(std::remove_if(all.begin(), all.end(), [&](const entry &e) { return within(e.place, c->place); }),
              all.end());
    for (entry e : c->held) {
        const bool crossed =
            std::any_of(all.begin(), all.end(), [&](const entry &k) { return meets(k.place, e.place); });
        if (crossed)
            continue;
        e.clears = drawing_area_clears();
        all.push_back(e);
    }
}

void
forget_boxes_captured(image_slot pixmap)
{
    boxes.erase(std::remove_if(boxes.begin(), boxes.end(),
                               [&](const entry &e) { return e.way == box_way::saved && e.saved_in == pixmap; }),
                boxes.end());
    captures.erase(std::remove_if(captures.begin(), captures.end(),
                                  [&](const capture &c) { return c.pixmap == pixmap; }),
                   captures.end());
}

namespace {

// The owners' returns, by owner.
std::vector<std::pair<box_owner, void (*)()>> returns;

} // namespace

void
set_box_return(box_owner owner, void (*bring_back)())
{
    for (auto &r : returns)
        if (r.first == owner) {
            r.second = bring_back;
            return;
        }
    returns.emplace_back(owner, bring_back);
}

void
bring_back_boxes_taken()
{
    for (const auto &r : returns)
        r.second();
}

void
boxes_follow_resize(const std::function<box_place(const box_place &)> &moved)
{
    // A place moved to nothing (the new size's strip took all the rows it
    // had in the drawing area) holds no drawing: the box is gone whole.
    auto gone = [](const box_place &p) { return p.x1 < p.x0 || p.y1 < p.y0; };
    auto follow = [&](std::vector<entry> &list) {
        for (entry &e : list)
            e.place = moved(e.place);
        list.erase(std::remove_if(list.begin(), list.end(), [&](const entry &e) { return gone(e.place); }),
                   list.end());
    };
    follow(current_boxes());
    for (capture &c : captures) {
        c.place = moved(c.place);
        follow(c.held);
    }
}
