// A list of plain items whose memory comes from the checked allocator's
// try_ variants: its blocks are counted like every network array's and can
// be made to fail, and running out of memory makes push give nothing, the
// list as it was, so that what is made with it can give up and be made
// another way instead of ending the program.
#pragma once
#include <cstddef>
#include <type_traits>

#include "engine/model/checked_alloc.h"

template <class T>
class recoverable_list {
    static_assert(std::is_trivially_copyable<T>::value, "items move with their block");
    static_assert(alignof(T) <= alignof(std::max_align_t), "calloc aligns no further");

  public:
    recoverable_list() = default;
    recoverable_list(const recoverable_list &) = delete;
    recoverable_list &operator=(const recoverable_list &) = delete;
    ~recoverable_list() { release(); }

    // Room for one more item at the end, its contents undefined; null when
    // memory runs out.
    T *
    push()
    {
        if (count_ == room_) {
            const size_t room = room_ ? 2 * room_ : 16;
            void *grown = try_checked_realloc(items_, room * sizeof(T));
            if (!grown)
                return nullptr;
            items_ = static_cast<T *>(grown);
            room_ = room;
        }
        return items_ + count_++;
    }
    void pop() { count_--; }
    void clear() { count_ = 0; }
    // Empties the list and gives its block back.
    void
    release()
    {
        checked_free(items_);
        items_ = nullptr;
        count_ = room_ = 0;
    }

    bool empty() const { return count_ == 0; }
    size_t size() const { return count_; }
    const T *begin() const { return items_; }
    const T *end() const { return items_ + count_; }

  private:
    T *items_ = nullptr;
    size_t count_ = 0, room_ = 0;
};
