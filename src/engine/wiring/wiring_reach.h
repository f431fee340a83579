// How far one cell's influence reaches through the wiring, step by step:
// the cells that feed it, then the cells that feed those, and so on
// (inputs), or the cells it feeds, then those that they feed (outputs).
// Three bit sets of one bit per cell keep the cells reached so far, those
// whose links have been followed, and those newly reached in the step
// under way, so that each step adds exactly the cells one link further
// away. Every link followed is handed to a visitor, which the editor uses
// to draw it.
#pragma once
#include <cstdint>
#include <functional>

enum class reach_kind { inputs = 1, outputs = 2 };

// A link followed: from the cell being expanded to the cell it reaches
// (its input, or a cell that reads it).
using reach_visitor = std::function<void(uint16_t from, uint16_t to)>;

class wiring_reach {
public:
    // The three sets ("linknet", "genedone", "this_sweep", bytesL bytes
    // each) and, for outputs, the index of each cell's readers
    // ("reader_index"), all for the network as it is now.
    wiring_reach(reach_kind kind, uint16_t cell);
    ~wiring_reach();
    wiring_reach(const wiring_reach &) = delete;
    wiring_reach &operator=(const wiring_reach &) = delete;

    // The first step of the reach: the cell's own links; returns the number
    // of cells reached.
    int first_step(const reach_visitor &visit);

    struct step {
        bool expanded; // some reached cell had links still to follow
        int count;     // cells reached after the step
    };
    // The next step: every reached cell not yet expanded (from n-1 down)
    // is expanded, and the cells it links to join the reached set once
    // the whole step is done.
    step next_step(const reach_visitor &visit);

    int count() const;
    bool reached(uint16_t c) const;
    // The reached cells, one bit per cell (bit c of byte c / 8).
    const uint8_t *reached_set() const { return reached_; }

private:
    void expand(uint16_t c, const reach_visitor &visit);

    reach_kind kind_;
    uint16_t cell_;
    uint16_t n_;
    uint8_t *reached_ = nullptr;
    uint8_t *expanded_ = nullptr;
    uint8_t *this_step_ = nullptr;
    // Readers of cell c: reader_list_[reader_start_[c] .. reader_start_[c+1]).
    uint32_t *reader_start_ = nullptr;
    uint16_t *reader_list_ = nullptr;
};
